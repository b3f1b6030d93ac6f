#pragma once

#include "db/Connection.h"
#include "db/SelectParser.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <vector>

namespace db {

// The result of a SELECT, walked row by row and edited in place, with the effects of a live
// dynaset: a row it deletes leaves it, a row it adds joins it at the end, and a field read shows
// what is stored now, also when another recordset has written that column meanwhile.
//
// Rows are tied to their base-table rows by rowid. Edits go to one table of the query: the only
// one, or the one named when the recordset is opened (a link table under a join, say), so a
// delete reaches exactly one row of that table.
class Recordset {
public:
    Recordset(ConnectionPtr connection, const QString& sql, const QString& editTable = {});
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // True past the last row, at once for an empty result, and always once closed (a closed
    // recordset has no current row; every other use of it raises DbError).
    bool atEOF() const { return m_closed || m_pos >= m_count; }
    void MoveFirst();
    void MoveLast();
    // After Delete, moves to the row that followed the deleted one.
    void MoveNext();
    int RecordCount() const;

    int fieldCount() const { return int(m_columns.size()); }
    QString fieldName(int position) const;
    // Value of the current row; an invalid QVariant stands for Null. Names match without
    // regard to case and may carry the alias of the query ("b.DemNat").
    QVariant Fields(const QString& name) const;
    QVariant Fields(int position) const;
    bool hasField(const QString& name) const { return columnIndex(name) >= 0; }

    void AddNew();
    void Edit();
    void setField(const QString& name, const QVariant& value);
    void setField(int position, const QVariant& value);
    void Update();
    void CancelUpdate();
    void Delete();
    void Close();

    const QString& sql() const { return m_sql; }

private:
    struct Column {
        QString name;    // as SQLite reports it
        int source = -1; // index into m_sources, -1 for an expression
        QString origin;  // the base-table column
    };

    void load();
    void requireOpen() const;
    void mapColumns(const Statement& statement, int injected);
    int columnIndex(const QString& name) const;
    int requireColumn(const QString& name) const;
    const std::vector<QVariant>& currentRow() const;
    void fetchRow(int row, std::vector<QVariant>& values) const;
    Connection& connection() const;
    void requireEditable() const;
    void assign(const QString& column, const QVariant& value);
    [[noreturn]] void fail(const QString& message) const;

    ConnectionPtr m_conn;
    QString m_sql;
    QString m_editTableName;
    SelectShape m_shape;
    std::vector<Column> m_columns;
    QHash<QString, int> m_byName;
    bool m_keyed = false;
    int m_editSource = -1;

    int m_count = 0;
    int m_pos = 0;
    bool m_currentDeleted = false;  // Delete leaves no current row until the next move
    std::vector<qint64> m_rowids;   // m_count x sources, when keyed
    std::vector<QVariant> m_values; // m_count x columns, when stored
    bool m_stored = false;
    qint64 m_loadStamp = 0;

    mutable std::vector<QVariant> m_current;
    mutable int m_currentRow = -1;
    mutable qint64 m_currentStamp = 0;

    enum class Pending { None, Adding, Editing } m_pending = Pending::None;
    std::vector<std::pair<QString, QVariant>> m_assigned;
    bool m_closed = false;
};

} // namespace db
