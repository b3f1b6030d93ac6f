#include "db/Recordset.h"

#include "db/DbError.h"

#include <sqlite3.h>

namespace db {

namespace {
// Above this many cells a keyed result keeps only its rowids and reads the current row on demand.
constexpr size_t kStoredCellLimit = 400000;

QString rowidColumn(int source) {
    return QStringLiteral("__dl_rowid%1").arg(source);
}
} // namespace

Recordset::Recordset(ConnectionPtr connection, const QString& sql, const QString& editTable)
    : m_conn(std::move(connection)), m_sql(sql), m_editTableName(editTable) {
    load();
}

Connection& Recordset::connection() const {
    if (m_closed || !m_conn || !m_conn->isOpen())
        throw DbError(QStringLiteral("The recordset is closed."), m_sql);
    return *m_conn;
}

void Recordset::fail(const QString& message) const {
    throw DbError(message, m_sql);
}

void Recordset::load() {
    Connection& conn = connection();
    m_shape = parseSelect(m_sql);

    // Put the rowid of every table of the query in front of the select list, so rows can be
    // found again for live reads and edits. A query SQLite refuses that way runs as it stands.
    std::unique_ptr<Statement> statement;
    int injected = 0;
    if (m_shape.understood) {
        QString prefix;
        for (size_t s = 0; s < m_shape.sources.size(); ++s)
            prefix +=
                m_shape.sources[s].alias + QStringLiteral(".rowid AS ") + rowidColumn(int(s)) + QStringLiteral(", ");
        try {
            statement = std::make_unique<Statement>(conn.handle(), m_sql.left(m_shape.selectListStart) + prefix +
                                                                       m_sql.mid(m_shape.selectListStart));
            injected = int(m_shape.sources.size());
        } catch (const DbError&) {
            statement.reset();
        }
    }
    if (!statement)
        statement = std::make_unique<Statement>(conn.handle(), m_sql);

    mapColumns(*statement, injected);

    const size_t sources = size_t(injected);
    const size_t columns = m_columns.size();
    m_stored = true;
    m_loadStamp = conn.changeStamp();
    try {
        while (statement->step()) {
            for (size_t s = 0; s < sources; ++s) // a Null rowid (no row) reads as 0
                m_rowids.push_back(sqlite3_column_int64(statement->handle(), int(s)));
            ++m_count;
            if (!m_stored)
                continue;
            for (size_t c = 0; c < columns; ++c)
                m_values.push_back(statement->value(int(c + sources)));
            if (m_keyed && m_values.size() > kStoredCellLimit) {
                m_stored = false;
                std::vector<QVariant>().swap(m_values);
                // From here on only rowids are kept: a select list of rowids alone spares SQLite
                // decoding every column of every row. An ORDER BY may name result columns by
                // position, so an ordered query goes on as it is.
                if (!m_shape.ordered && m_shape.fromStart > 0) {
                    QStringList rowids;
                    for (size_t s = 0; s < sources; ++s)
                        rowids << m_shape.sources[s].alias + QStringLiteral(".rowid");
                    std::unique_ptr<Statement> keys;
                    try {
                        keys = std::make_unique<Statement>(
                            conn.handle(), QStringLiteral("SELECT ") + rowids.join(QLatin1String(", ")) +
                                               QLatin1Char(' ') + m_sql.mid(m_shape.fromStart));
                    } catch (const DbError&) {
                        continue;
                    }
                    statement = std::move(keys);
                    m_rowids.clear();
                    m_count = 0;
                    while (statement->step()) {
                        for (size_t s = 0; s < sources; ++s)
                            m_rowids.push_back(sqlite3_column_int64(statement->handle(), int(s)));
                        ++m_count;
                    }
                    break;
                }
            }
        }
    } catch (const DbError& e) {
        throw DbError(e.message(), m_sql, e.code());
    }

    if (m_keyed) {
        if (!m_editTableName.isEmpty()) {
            for (size_t s = 0; s < m_shape.sources.size(); ++s)
                if (m_shape.sources[s].table.compare(m_editTableName, Qt::CaseInsensitive) == 0) {
                    m_editSource = int(s);
                    break;
                }
        } else if (m_shape.sources.size() == 1) {
            m_editSource = 0;
        }
    }
}

void Recordset::mapColumns(const Statement& statement, int injected) {
    const int total = statement.columnCount() - injected;
    m_columns.resize(size_t(std::max(total, 0)));
    for (int c = 0; c < total; ++c) {
        m_columns[size_t(c)].name = statement.columnName(c + injected);
        m_columns[size_t(c)].origin = statement.columnOrigin(c + injected);
    }
    for (int c = total - 1; c >= 0; --c) // the first of equal names wins
        m_byName.insert(m_columns[size_t(c)].name.toLower(), c);
    if (injected == 0)
        return;

    // Spread the select list over the result columns to learn each column's alias.
    auto sourceOf = [&](const QString& alias) {
        for (size_t s = 0; s < m_shape.sources.size(); ++s)
            if (m_shape.sources[s].alias.compare(alias, Qt::CaseInsensitive) == 0)
                return int(s);
        return -1;
    };
    auto tableWidth = [&](int s) {
        Statement probe(connection().handle(),
                        QStringLiteral("SELECT * FROM \"%1\" LIMIT 0").arg(m_shape.sources[size_t(s)].table));
        return probe.columnCount();
    };
    int c = 0;
    bool consistent = true;
    for (const SelectShape::Item& item : m_shape.items) {
        if (item.star) {
            std::vector<int> over;
            if (item.qualifier.isEmpty()) {
                for (size_t s = 0; s < m_shape.sources.size(); ++s)
                    over.push_back(int(s));
            } else {
                over.push_back(sourceOf(item.qualifier));
            }
            for (int s : over) {
                if (s < 0) {
                    consistent = false;
                    break;
                }
                const int width = tableWidth(s);
                for (int k = 0; k < width && c < total; ++k)
                    m_columns[size_t(c++)].source = s;
            }
        } else if (c < total) {
            Column& column = m_columns[size_t(c++)];
            if (!item.plainColumn)
                continue;
            if (!item.qualifier.isEmpty()) {
                column.source = sourceOf(item.qualifier);
            } else {
                const QString table = statement.columnTable(c - 1 + injected);
                for (size_t s = 0; s < m_shape.sources.size(); ++s)
                    if (m_shape.sources[s].table.compare(table, Qt::CaseInsensitive) == 0) {
                        if (column.source >= 0) { // the same table twice: cannot tell which
                            column.source = -1;
                            break;
                        }
                        column.source = int(s);
                    }
            }
        }
    }
    if (c != total)
        consistent = false;
    m_keyed = consistent;
    for (int k = 0; k < total && m_keyed; ++k) {
        const Column& column = m_columns[size_t(k)];
        const QString table = statement.columnTable(k + injected);
        m_keyed = column.source >= 0 && !column.origin.isEmpty() &&
                  m_shape.sources[size_t(column.source)].table.compare(table, Qt::CaseInsensitive) == 0;
    }
    // A result with an expression column is not edited, but its qualified names still hold.
    if (!consistent)
        for (Column& column : m_columns)
            column.source = -1;
}

void Recordset::requireOpen() const {
    connection();
}

void Recordset::MoveFirst() {
    requireOpen();
    m_pos = 0;
    m_currentDeleted = false;
}

void Recordset::MoveLast() {
    requireOpen();
    m_pos = m_count > 0 ? m_count - 1 : 0;
    m_currentDeleted = false;
}

void Recordset::MoveNext() {
    requireOpen();
    // A deleted row has already left the set: the row that followed it now stands at m_pos.
    if (m_currentDeleted)
        m_currentDeleted = false;
    else if (m_pos < m_count)
        ++m_pos;
}

int Recordset::RecordCount() const {
    requireOpen();
    return m_count;
}

QString Recordset::fieldName(int position) const {
    if (position < 0 || position >= fieldCount())
        fail(QStringLiteral("Item not found in this collection: field %1.").arg(position));
    return m_columns[size_t(position)].name;
}

int Recordset::columnIndex(const QString& name) const {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        const auto it = m_byName.constFind(name.toLower());
        if (it != m_byName.constEnd())
            return it.value();
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].origin.compare(name, Qt::CaseInsensitive) == 0)
                return int(c);
        return -1;
    }
    const QString qualifier = name.left(dot);
    const QString column = name.mid(dot + 1);
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const Column& col = m_columns[c];
        if (col.source < 0)
            continue;
        const auto& source = m_shape.sources[size_t(col.source)];
        const bool sameSource = source.alias.compare(qualifier, Qt::CaseInsensitive) == 0 ||
                                source.table.compare(qualifier, Qt::CaseInsensitive) == 0;
        if (sameSource && (col.name.compare(column, Qt::CaseInsensitive) == 0 ||
                           col.origin.compare(column, Qt::CaseInsensitive) == 0))
            return int(c);
    }
    return -1;
}

int Recordset::requireColumn(const QString& name) const {
    const int c = columnIndex(name);
    if (c < 0)
        fail(QStringLiteral("Item not found in this collection: %1.").arg(name));
    return c;
}

void Recordset::fetchRow(int row, std::vector<QVariant>& values) const {
    values.assign(m_columns.size(), QVariant());
    const size_t sources = m_shape.sources.size();
    for (size_t s = 0; s < sources; ++s) {
        const qint64 rowid = m_rowids[size_t(row) * sources + s];
        QStringList names;
        std::vector<size_t> targets;
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].source == int(s)) {
                names << QLatin1Char('"') + m_columns[c].origin + QLatin1Char('"');
                targets.push_back(c);
            }
        if (targets.empty() || rowid == 0)
            continue;
        Statement read(connection().handle(), QStringLiteral("SELECT %1 FROM \"%2\" WHERE rowid = ?")
                                                  .arg(names.join(QLatin1String(", ")), m_shape.sources[s].table));
        read.bind(1, rowid);
        if (read.step())
            for (size_t k = 0; k < targets.size(); ++k)
                values[targets[k]] = read.value(int(k));
    }
}

const std::vector<QVariant>& Recordset::currentRow() const {
    requireOpen();
    if (m_currentDeleted)
        fail(QStringLiteral("Record is deleted."));
    if (atEOF())
        fail(QStringLiteral("No current record."));
    const qint64 stamp = connection().changeStamp();
    if (m_currentRow == m_pos && m_currentStamp == stamp)
        return m_current;
    if (m_stored && (!m_keyed || stamp == m_loadStamp)) {
        const auto first = m_values.begin() + qsizetype(size_t(m_pos) * m_columns.size());
        m_current.assign(first, first + qsizetype(m_columns.size()));
    } else {
        fetchRow(m_pos, m_current);
    }
    m_currentRow = m_pos;
    m_currentStamp = stamp;
    return m_current;
}

QVariant Recordset::Fields(const QString& name) const {
    return currentRow()[size_t(requireColumn(name))];
}

QVariant Recordset::Fields(int position) const {
    if (position < 0 || position >= fieldCount())
        fail(QStringLiteral("Item not found in this collection: field %1.").arg(position));
    return currentRow()[size_t(position)];
}

void Recordset::requireEditable() const {
    connection();
    if (m_editSource < 0)
        fail(QStringLiteral("This recordset cannot be updated."));
}

void Recordset::AddNew() {
    requireEditable();
    m_pending = Pending::Adding;
    m_assigned.clear();
}

void Recordset::Edit() {
    requireEditable();
    if (m_currentDeleted)
        fail(QStringLiteral("Record is deleted."));
    if (atEOF())
        fail(QStringLiteral("No current record."));
    m_pending = Pending::Editing;
    m_assigned.clear();
}

void Recordset::setField(const QString& name, const QVariant& value) {
    int c = columnIndex(name);
    if (c >= 0 && m_columns[size_t(c)].source != m_editSource && !name.contains(QLatin1Char('.'))) {
        // An unqualified name that a joined table carries too ("Char_ID") means the edited table's.
        c = -1;
        for (size_t k = 0; k < m_columns.size() && c < 0; ++k)
            if (m_columns[k].source == m_editSource && m_columns[k].origin.compare(name, Qt::CaseInsensitive) == 0)
                c = int(k);
    }
    if (c >= 0) {
        setField(c, value);
        return;
    }
    // A column of the table that the select list leaves out; SQLite checks the name.
    assign(name.mid(name.lastIndexOf(QLatin1Char('.')) + 1), value);
}

void Recordset::setField(int position, const QVariant& value) {
    fieldName(position); // range check
    const Column& column = m_columns[size_t(position)];
    if (column.source != m_editSource)
        fail(QStringLiteral("Field %1 is not part of the table being updated.").arg(column.name));
    assign(column.origin, value);
}

void Recordset::assign(const QString& column, const QVariant& value) {
    if (m_pending == Pending::None)
        fail(QStringLiteral("Update without AddNew or Edit."));
    for (auto& [assigned, v] : m_assigned)
        if (assigned.compare(column, Qt::CaseInsensitive) == 0) {
            v = value;
            return;
        }
    m_assigned.emplace_back(column, value);
}

void Recordset::Update() {
    if (m_pending == Pending::None)
        fail(QStringLiteral("Update without AddNew or Edit."));
    Connection& conn = connection();
    const QString table = m_shape.sources[size_t(m_editSource)].table;
    const size_t sources = m_shape.sources.size();
    QStringList names;
    QVariantList values;
    for (const auto& [column, value] : m_assigned) {
        names << QLatin1Char('"') + column + QLatin1Char('"');
        values << value;
    }
    if (m_pending == Pending::Adding) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(table);
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                      .arg(table, names.join(QLatin1String(", ")), marks.join(QLatin1String(", ")));
        }
        conn.execute(sql, values);
        const qint64 rowid = sqlite3_last_insert_rowid(conn.handle());
        for (size_t s = 0; s < sources; ++s)
            m_rowids.push_back(int(s) == m_editSource ? rowid : 0);
        if (m_stored)
            m_values.resize(m_values.size() + m_columns.size());
        ++m_count;
    } else if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral(" = ?");
        values << m_rowids[size_t(m_pos) * sources + size_t(m_editSource)];
        conn.execute(QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = ?").arg(table, sets.join(QLatin1String(", "))),
                     values);
    }
    m_pending = Pending::None;
    m_assigned.clear();
    m_currentRow = -1;
}

void Recordset::CancelUpdate() {
    m_pending = Pending::None;
    m_assigned.clear();
}

void Recordset::Delete() {
    requireEditable();
    if (m_currentDeleted)
        fail(QStringLiteral("Record is deleted."));
    if (atEOF())
        fail(QStringLiteral("No current record."));
    const size_t sources = m_shape.sources.size();
    const size_t row = size_t(m_pos);
    connection().execute(
        QStringLiteral("DELETE FROM \"%1\" WHERE rowid = ?").arg(m_shape.sources[size_t(m_editSource)].table),
        {m_rowids[row * sources + size_t(m_editSource)]});
    m_rowids.erase(m_rowids.begin() + qsizetype(row * sources), m_rowids.begin() + qsizetype((row + 1) * sources));
    if (m_stored)
        m_values.erase(m_values.begin() + qsizetype(row * m_columns.size()),
                       m_values.begin() + qsizetype((row + 1) * m_columns.size()));
    --m_count;
    m_currentRow = -1;
    m_currentDeleted = true;
}

void Recordset::Close() {
    m_closed = true;
    m_rowids.clear();
    m_values.clear();
    m_current.clear();
    m_count = 0;
    m_pos = 0;
    m_conn.reset();
}

} // namespace db
