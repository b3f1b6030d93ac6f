#pragma once

#include "db/Connection.h"

#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>

class QTimer;

namespace db {

// An open database file: plain statements run on it, typed stores read through its connection.
class Database {
public:
    // Refuses a file that is SQLite but not what the caller expects (throws DbError).
    using Check = std::function<void(Database&)>;
    // Opens an existing file (never creates one). Exclusive use takes the file's lock at once,
    // so a second program is refused immediately rather than after a wait. The check runs before
    // anything is written or locked.
    static std::unique_ptr<Database> open(const QString& path, bool exclusive, const Check& check = {});
    explicit Database(ConnectionPtr connection);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Execute(const QString& sql, const QVariantList& params = {});
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    void Close();

    bool isOpen() const { return m_conn && m_conn->isOpen(); }
    QString path() const { return m_conn ? m_conn->path() : QString(); }
    Connection& connection() const;

    // How long after a commit the log is folded into the file, on the event loop.
    static constexpr int kFoldDelayMs = 200;

private:
    // Exclusive use commits to the write-ahead log; the log is folded into the file soon after each
    // commit, so the file alone (a backup, a copy, a second name for it) holds every save.
    void foldAfterCommits();
    static int noteCommit(void* database, sqlite3*, const char*, int pages);
    void foldLog();

    ConnectionPtr m_conn;
    bool m_restoreJournal = false; // opened for exclusive use, in write-ahead log mode
    std::unique_ptr<QTimer> m_fold;
};

// All or nothing: rolled back when it goes out of scope uncommitted. Nests (savepoints).
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    QString m_name;
    bool m_done = false;
};

// Flushes a written file, or a folder's entries, to the disk.
bool syncToDisk(const QString& path);
// A new empty file in that folder, named as a copy still being written (hidden, and not the
// extension of a chronicle), for a copy to be renamed into place once whole. Leftovers of copies
// cut short there are removed first. Throws DbError when no file can be made there.
QString reservePartialCopy(const QString& folder);

// Writes a compacted copy of a closed database file; refuses an existing destination. The copy is
// written under a temporary name in the destination's folder and renamed into place once whole, so
// a copy cut short is never taken for a chronicle; leftovers of such copies in that folder are
// removed first.
void CompactDatabase(const QString& source, const QString& destination);

} // namespace db
