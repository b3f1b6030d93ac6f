#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// Owns one prepared statement; finalized when the owner goes.
class Statement {
public:
    Statement(sqlite3* handle, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(const QVariantList& params);
    void bind(int index, const QVariant& value); // index from 1, as SQLite counts
    bool step();                                 // true while a row is available
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QVariant value(int column) const;
    sqlite3_stmt* handle() const { return m_stmt; }
    const QString& sql() const { return m_sql; }

private:
    [[noreturn]] void fail(int rc) const;
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
};

// How a file is opened: an existing one to read and write, one made when missing, or an existing
// one only read (a snapshot looked into).
enum class OpenMode { Existing, Create, ReadOnly };

// Owns the SQLite connection.
class Connection {
public:
    Connection(const QString& path, OpenMode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* handle() const;
    bool isOpen() const { return m_db != nullptr; }
    void close();
    const QString& path() const { return m_path; }
    // Differs for every connection this process opens, so a view that follows one can tell
    // when it faces another (an address may be reused, a serial is not).
    quint64 serial() const { return m_serial; }
    // True between BEGIN (or the first savepoint) and the commit or rollback.
    bool inTransaction() const;

    void execute(const QString& sql, const QVariantList& params = {});
    // First column of the first row, or Null when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Rows changed by the last INSERT, UPDATE or DELETE; the key the last INSERT gave its row.
    int changes() const;
    // Rows changed since the connection was opened, a count that tells whether anything was written.
    qint64 totalChanges() const;
    qint64 lastInsertRowid() const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    quint64 m_serial;
};

using ConnectionPtr = std::unique_ptr<Connection>;

} // namespace db
