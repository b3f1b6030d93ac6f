#include "db/DbError.h"

#include <cerrno>
#include <cstring>
#include <sqlite3.h>

namespace db {

static std::string composeWhat(const QString& message, const QString& statement) {
    return (statement.isEmpty() ? message : message + QStringLiteral("\n\nStatement: ") + statement).toStdString();
}

DbError::DbError(const QString& message, const QString& statement, int code)
    : std::runtime_error(composeWhat(message, statement)), m_message(message), m_statement(statement), m_code(code) {}

static QString describe(int code, const QString& engineWords, int systemError) {
    switch (code) {
    case SQLITE_READONLY_DIRECTORY:
        return QStringLiteral("The folder that holds the database is not writable; Duskledger keeps a log file "
                              "beside the database and cannot make one there.");
    case SQLITE_CONSTRAINT_TRIGGER: // RAISE() in a trigger: whoever wrote it worded it for the user
        return engineWords;
    case SQLITE_READONLY_DBMOVED:
        return QStringLiteral("The database file has been deleted, moved or replaced since it was opened.");
    default:
        break;
    }
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("The disk is full; free some space on it and try again.");
    case SQLITE_IOERR:
        return QStringLiteral("The disk could not be read or written (disk I/O error).");
    case SQLITE_READONLY:
        return QStringLiteral("The database file is read-only; Duskledger needs to write to it.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("The database file is in use by another program. Close it there and try again.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("The file is damaged or is not a database.");
    case SQLITE_CANTOPEN:
        return systemError ? QStringLiteral("The file could not be opened or created (%1).")
                                 .arg(QString::fromLocal8Bit(std::strerror(systemError)))
                           : QStringLiteral("The file could not be opened or created.");
    case SQLITE_NOMEM:
        return QStringLiteral("There is not enough memory.");
    case SQLITE_TOOBIG:
        return QStringLiteral("A text or picture is too large for the database.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("The database refused the change (%1).").arg(engineWords);
    default:
        return QStringLiteral("The database reported an error (%1).").arg(engineWords);
    }
}

DbError engineFailure(int code, const QString& engineWords, int systemError, const QString& statement) {
    const int primary = code & 0xff;
    if ((primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || primary == SQLITE_FULL) &&
        (systemError == ENOSPC || systemError == EDQUOT))
        code = SQLITE_FULL;
    return DbError(describe(code, engineWords, systemError), statement, code);
}

} // namespace db
