#include "db/Connection.h"

#include "db/DbError.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <sqlite3.h>

namespace db {

static QString errorText(sqlite3* db, int rc) {
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

Statement::Statement(sqlite3* handle, const QString& sql) : m_db(handle), m_sql(sql) {
    if (!handle)
        throw DbError(QStringLiteral("The database is closed."), sql);
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::fail(int rc) const {
    throw engineFailure(rc, errorText(m_db, rc), sqlite3_system_errno(m_db), m_sql);
}

void Statement::bind(const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i)
        bind(i + 1, params[i]);
}

void Statement::bind(int index, const QVariant& value) {
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, index, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
}

bool Statement::step() {
    // SQLite writes on into a file deleted, moved or replaced under it without a word (a rollback
    // journal would notice, a write-ahead log does not): such a write is lost, so none begins.
    if (!sqlite3_stmt_busy(m_stmt) && !sqlite3_stmt_readonly(m_stmt)) {
        int moved = 0;
        if (sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved)
            throw DbError(QStringLiteral("The database file \"%1\" has been deleted, moved or replaced since it was "
                                         "opened; nothing was written to it.")
                              .arg(QDir::toNativeSeparators(QString::fromUtf8(sqlite3_db_filename(m_db, "main")))),
                          m_sql, SQLITE_READONLY_DBMOVED);
    }
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc);
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant Statement::value(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column)),
                                          sqlite3_column_bytes(m_stmt, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return QVariant();
    }
}

Connection::Connection(const QString& path, OpenMode mode) : m_path(path) {
    static std::atomic<quint64> opened{0};
    m_serial = ++opened;
    const int access = mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY
                       : mode == OpenMode::Create ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                                  : SQLITE_OPEN_READWRITE;
    const int flags = access | SQLITE_OPEN_NOMUTEX;
    sqlite3* handle = nullptr;
    // An absolute name never starts with "file:", which this SQLite would read as a URI with
    // options of its own (mode=rwc creates a file).
    const QByteArray name = QFileInfo(path).absoluteFilePath().toUtf8();
    const int rc = sqlite3_open_v2(name.constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const DbError failure = engineFailure(rc, errorText(handle, rc), handle ? sqlite3_system_errno(handle) : 0);
        sqlite3_close(handle);
        throw failure;
    }
    m_db = handle;
    sqlite3_extended_result_codes(m_db, 1);
}

Connection::~Connection() {
    close();
}

sqlite3* Connection::handle() const {
    if (!m_db)
        throw DbError(QStringLiteral("The database is closed."));
    return m_db;
}

void Connection::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Connection::execute(const QString& sql, const QVariantList& params) {
    Statement statement(handle(), sql);
    statement.bind(params);
    while (statement.step()) {
    }
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params) {
    Statement statement(handle(), sql);
    statement.bind(params);
    return statement.step() ? statement.value(0) : QVariant();
}

bool Connection::inTransaction() const {
    return sqlite3_get_autocommit(handle()) == 0;
}

qint64 Connection::totalChanges() const {
    return sqlite3_total_changes64(handle());
}

int Connection::changes() const {
    return sqlite3_changes(handle());
}

qint64 Connection::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(handle());
}

} // namespace db
