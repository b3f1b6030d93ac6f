#include "db/Database.h"

#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace db {

std::unique_ptr<Database> Database::open(const QString& path, bool exclusive, const Check& check) {
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile())
        throw DbError(QStringLiteral("The database file \"%1\" does not exist.").arg(shown));
    // SQLite takes an empty file for a new database and would write one into it.
    if (file.size() == 0)
        throw DbError(QStringLiteral("The file \"%1\" is not a Duskledger database (the file is empty).").arg(shown));
    const QString readOnly = QStringLiteral("The database file \"%1\" is read-only; Duskledger needs to write to it.");
    // A file marked read-only stays so, even for a user whom the system would let write to it.
    constexpr auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther; // the mode bits alone
    if (!(file.permissions() & anyWrite))
        throw DbError(readOnly.arg(shown));
    std::unique_ptr<Database> database;
    try {
        database = std::make_unique<Database>(std::make_unique<Connection>(path, false));
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("The database file \"%1\" could not be opened: %2").arg(shown, e.message()), {},
                      e.code());
    }
    Connection* conn = &database->connection();
    if (sqlite3_db_readonly(conn->handle(), "main") == 1)
        throw DbError(readOnly.arg(shown));
    try {
        // Reading the header and the schema tells a foreign file apart before anything is
        // written; only then is the file locked, which writes nothing to it.
        conn->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        if (check)
            check(*database);
        if (exclusive) {
            conn->execute(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
            conn->execute(QStringLiteral("BEGIN EXCLUSIVE"));
            conn->execute(QStringLiteral("COMMIT"));
            // A commit appends to the write-ahead log and waits for one flush to the disk, not the
            // three of a rollback journal: a save stays within a frame. Still durable and atomic;
            // Close() folds the log back so the file at rest is as before.
            conn->execute(QStringLiteral("PRAGMA journal_mode = WAL"));
            conn->execute(QStringLiteral("PRAGMA synchronous = FULL"));
            conn->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")); // makes the log now, not at first use
            database->m_restoreJournal = true;
        }
    } catch (const DbError& e) {
        const int primary = e.code() & 0xff;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
            throw DbError(
                QStringLiteral("The database file \"%1\" is in use by another program. Close it there and try again.")
                    .arg(shown),
                {}, e.code());
        if (e.code() == 0) // our own refusal, already worded for the user
            throw;
        if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
            throw DbError(QStringLiteral("The file \"%1\" is not a Duskledger database (%2).").arg(shown, e.message()),
                          {}, e.code());
        throw DbError(QStringLiteral("The database file \"%1\" could not be opened: %2").arg(shown, e.message()), {},
                      e.code());
    }
    return database;
}

Database::~Database() = default;

Connection& Database::connection() const {
    if (!m_conn)
        throw DbError(QStringLiteral("The database is closed."));
    return *m_conn;
}

void Database::Execute(const QString& sql, const QVariantList& params) {
    connection().execute(sql, params);
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) {
    return connection().scalar(sql, params);
}

void Database::Close() {
    if (m_conn && m_conn->isOpen() && m_restoreJournal) {
        try {
            m_conn->execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
        } catch (const DbError&) {
            // The log stays beside the file; the next open reads it back in.
        }
    }
    if (m_conn)
        m_conn->close();
    m_conn.reset();
}

Transaction::Transaction(Database& database) : m_db(database) {
    static int counter = 0;
    m_name = QStringLiteral("dl_tx%1").arg(++counter);
    m_db.Execute(QStringLiteral("SAVEPOINT ") + m_name);
}

Transaction::~Transaction() {
    if (m_done || !m_db.isOpen())
        return;
    try {
        m_db.Execute(QStringLiteral("ROLLBACK TO ") + m_name);
        m_db.Execute(QStringLiteral("RELEASE ") + m_name);
    } catch (const DbError&) {
        // Nothing more can be done from a destructor; SQLite rolls back an open transaction itself.
    }
}

void Transaction::commit() {
    m_db.Execute(QStringLiteral("RELEASE ") + m_name);
    m_done = true;
}

void CompactDatabase(const QString& source, const QString& destination) {
    if (QFileInfo::exists(destination))
        throw DbError(QStringLiteral("The file \"%1\" already exists; choose a new file name for the copy.")
                          .arg(QDir::toNativeSeparators(destination)));
    auto database = Database::open(source, false);
    try {
        database->Execute(QStringLiteral("VACUUM INTO ?"), {destination});
    } catch (const DbError& e) {
        database->Close();
        QFile::remove(destination);
        throw DbError(QStringLiteral("The database could not be compacted into \"%1\": %2")
                          .arg(QDir::toNativeSeparators(destination), e.message()),
                      e.statement(), e.code());
    }
    database->Close();
}

} // namespace db
