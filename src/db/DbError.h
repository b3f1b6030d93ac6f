#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// The one exception type of the engine layer. Its message is worded for people; the statement that
// failed and the engine's extended result code are kept for logs and for callers that decide by them.
// Handlers catch it where an event starts and show it; nothing below the window layer reports.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, const QString& statement = {}, int code = 0);

    // What the user is shown: never the statement (what() adds it, for logs).
    QString message() const { return m_message; }
    QString statement() const { return m_statement; }
    int code() const { return m_code; }

private:
    QString m_message;
    QString m_statement;
    int m_code;
};

// A failure of the engine as the user is told it: a sentence from its extended result code and the
// system's error number, with the engine's own words where the code tells no more. Its code() is the
// code the failure stands for: SQLite reports a disk that fills while the log or its index grows as
// an I/O error, which is a full disk all the same.
DbError engineFailure(int code, const QString& engineWords, int systemError, const QString& statement = {});

} // namespace db
