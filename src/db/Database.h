#pragma once

#include "db/Connection.h"
#include "db/Recordset.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace db {

// An open database file: the source of recordsets and plain statements.
class Database {
public:
    // Opens an existing file (never creates one). Exclusive use takes the file's lock at once,
    // so a second program is refused immediately rather than after a wait.
    static std::unique_ptr<Database> open(const QString& path, bool exclusive);
    explicit Database(ConnectionPtr connection) : m_conn(std::move(connection)) {}
    ~Database();

    std::unique_ptr<Recordset> OpenRecordset(const QString& sql, const QString& editTable = {});
    void Execute(const QString& sql, const QVariantList& params = {});
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    void Close();

    bool isOpen() const { return m_conn && m_conn->isOpen(); }
    QString path() const { return m_conn ? m_conn->path() : QString(); }
    Connection& connection() const;

private:
    ConnectionPtr m_conn;
    bool m_restoreJournal = false; // opened for exclusive use, in write-ahead log mode
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

// The engine's workspace: a session in which databases are opened.
class Workspace {
public:
    static std::unique_ptr<Workspace> CreateWorkspace(const QString& name, const QString& user,
                                                      const QString& password);
    std::unique_ptr<Database> OpenDatabase(const QString& path, bool exclusive);
    void Close() { m_open = false; }
    bool isOpen() const { return m_open; }

private:
    bool m_open = true;
};

// Writes a compacted copy of a closed database file; refuses an existing destination.
void CompactDatabase(const QString& source, const QString& destination);

} // namespace db
