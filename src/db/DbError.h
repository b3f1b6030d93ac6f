#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// The one exception type of the engine layer: SQLite's message plus the statement that failed.
// Handlers catch it where an event starts and show it; nothing below the window layer reports.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, const QString& statement = {}, int code = 0);

    QString message() const { return m_message; }
    QString statement() const { return m_statement; }
    int code() const { return m_code; }
    // Message and statement, as shown to the user.
    QString text() const;

private:
    QString m_message;
    QString m_statement;
    int m_code;
};

} // namespace db
