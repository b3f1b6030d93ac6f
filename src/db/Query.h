#pragma once

#include "db/Connection.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <vector>

namespace db {

// One row of a read-only result, copied out of its statement: values as Statement::value gives
// them (an invalid QVariant for Null), addressed by position or by column name.
class Row {
public:
    int size() const { return int(m_values.size()); }
    // Throws DbError when there is no such position.
    QVariant value(int position) const;
    // By the name SQLite reports for the column, without regard to case; where a result repeats
    // a name, the first column of that name. Throws DbError naming the column and the query when
    // no column has the name.
    QVariant value(const QString& name) const;

private:
    struct Columns {
        QString sql;
        QHash<QString, int> byName; // lower-case name -> first position
    };
    Row(std::shared_ptr<const Columns> columns, std::vector<QVariant> values)
        : m_columns(std::move(columns)), m_values(std::move(values)) {}
    [[noreturn]] void notFound(const QString& what) const;

    std::shared_ptr<const Columns> m_columns;
    std::vector<QVariant> m_values;

    friend std::vector<Row> query(Connection&, const QString&, const QVariantList&);
};

// Runs a SELECT and returns all its rows, in the order SQLite gives them. The rows are copies:
// they do not follow later changes and cannot be edited.
std::vector<Row> query(Connection& connection, const QString& sql, const QVariantList& params = {});

// Runs a SELECT with its parameters and hands each row to visit(const Statement&) as it comes,
// without copying: for long results read once.
template <class Visit>
void eachRow(Connection& connection, const QString& sql, const QVariantList& params, Visit&& visit) {
    Statement rows(connection.handle(), sql);
    rows.bind(params);
    while (rows.step())
        visit(static_cast<const Statement&>(rows));
}

} // namespace db
