#include "db/DbError.h"

namespace db {

static std::string composeWhat(const QString& message, const QString& statement) {
    return (statement.isEmpty() ? message : message + QStringLiteral("\n\nStatement: ") + statement).toStdString();
}

DbError::DbError(const QString& message, const QString& statement, int code)
    : std::runtime_error(composeWhat(message, statement)), m_message(message), m_statement(statement), m_code(code) {}

QString DbError::text() const {
    return QString::fromStdString(what());
}

} // namespace db
