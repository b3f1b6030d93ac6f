#include "db/Query.h"

#include "db/DbError.h"

namespace db {

void Row::notFound(const QString& what) const {
    throw DbError(QStringLiteral("Item not found in this collection: %1.").arg(what), m_columns->sql);
}

QVariant Row::value(int position) const {
    if (position < 0 || position >= size())
        notFound(QStringLiteral("field %1").arg(position));
    return m_values[size_t(position)];
}

QVariant Row::value(const QString& name) const {
    const auto it = m_columns->byName.constFind(name.toLower());
    if (it == m_columns->byName.constEnd())
        notFound(name);
    return m_values[size_t(it.value())];
}

std::vector<Row> query(Connection& connection, const QString& sql, const QVariantList& params) {
    Statement statement(connection.handle(), sql);
    statement.bind(params);
    auto columns = std::make_shared<Row::Columns>();
    columns->sql = sql;
    const int count = statement.columnCount();
    for (int c = count - 1; c >= 0; --c) // the first of equal names wins
        columns->byName.insert(statement.columnName(c).toLower(), c);
    std::vector<Row> rows;
    while (statement.step()) {
        std::vector<QVariant> values;
        values.reserve(size_t(count));
        for (int c = 0; c < count; ++c)
            values.push_back(statement.value(c));
        rows.push_back(Row(columns, std::move(values)));
    }
    return rows;
}

} // namespace db
