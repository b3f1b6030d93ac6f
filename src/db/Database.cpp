#include "db/Database.h"

#include "db/DbError.h"

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace db {

namespace {
// A failed fold is tried again after this long: the log keeps every commit meanwhile.
constexpr int kFoldRetryMs = 5000;
} // namespace

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
        database = std::make_unique<Database>(std::make_unique<Connection>(path, OpenMode::Existing));
        Connection* conn = &database->connection();
        if (sqlite3_db_readonly(conn->handle(), "main") == 1)
            throw DbError(readOnly.arg(shown));
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
            // the log is folded into the file soon after, and Close() leaves the file at rest as before.
            conn->execute(QStringLiteral("PRAGMA journal_mode = WAL"));
            conn->execute(QStringLiteral("PRAGMA synchronous = FULL"));
            conn->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")); // makes the log now, not at first use
            database->m_restoreJournal = true;
            database->foldAfterCommits();
        }
    } catch (const DbError& e) {
        if (e.code() == 0) // our own refusal, already worded for the user
            throw;
        const int primary = e.code() & 0xff;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
            throw DbError(
                QStringLiteral("The database file \"%1\" is in use by another program. Close it there and try again.")
                    .arg(shown),
                {}, e.code());
        if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
            throw DbError(
                QStringLiteral("The file \"%1\" is not a Duskledger database (it is damaged or not a database at all).")
                    .arg(shown),
                {}, e.code());
        if (e.code() == SQLITE_READONLY_DIRECTORY)
            throw DbError(
                QStringLiteral("The folder \"%1\" that holds the database is not writable. Duskledger keeps a "
                               "log file beside the database while it is open: make the folder writable, "
                               "or move the database to a folder you may write to.")
                    .arg(QDir::toNativeSeparators(file.absolutePath())),
                {}, e.code());
        throw DbError(QStringLiteral("The database file \"%1\" could not be opened. %2").arg(shown, e.message()), {},
                      e.code());
    }
    return database;
}

Database::Database(ConnectionPtr connection) : m_conn(std::move(connection)) {}

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

void Database::foldAfterCommits() {
    // Without an event loop nothing would run the fold: SQLite's own checkpoints and Close() do.
    if (QAbstractEventDispatcher::instance()) {
        m_fold = std::make_unique<QTimer>();
        m_fold->setSingleShot(true);
        QObject::connect(m_fold.get(), &QTimer::timeout, [this] { foldLog(); });
        sqlite3_wal_hook(m_conn->handle(), &Database::noteCommit, this);
    }
    foldLog(); // a log left behind by a program that was killed goes into the file now
}

// Runs inside the commit: only notes that the log has grown, so the save does not wait for the fold.
int Database::noteCommit(void* database, sqlite3*, const char*, int) {
    QTimer& fold = *static_cast<Database*>(database)->m_fold;
    if (!fold.isActive()) // steady saves must not put the fold off for ever
        fold.start(kFoldDelayMs);
    return SQLITE_OK;
}

void Database::foldLog() {
    if (!isOpen())
        return;
    sqlite3* handle = m_conn->handle();
    if (!sqlite3_get_autocommit(handle)) // a transaction is open: its commit asks again
        return;
    // TRUNCATE empties the log, so a log left beside another name of the file holds nothing to replay.
    const int rc = sqlite3_wal_checkpoint_v2(handle, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    // A fold that fails (busy, full disk, I/O) loses nothing: the log keeps the commits and is read
    // back at the next open. It is tried again later, without a word to the user.
    if (rc != SQLITE_OK && m_fold && !m_fold->isActive())
        m_fold->start(kFoldRetryMs);
}

void Database::Close() {
    if (m_fold)
        m_fold->stop();
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

namespace {

// The name a copy is written under until it is whole: hidden, and not the extension of a chronicle.
const QString kPartialCopy = QStringLiteral(".duskledger-copy-");

} // namespace

bool syncToDisk(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

QString reservePartialCopy(const QString& folderPath) {
    const QDir folder(folderPath);
    // Copies cut short by a crash or a kill are of no use. (Were another running Duskledger writing one
    // there just now, its copy would fail and it would say so.)
    for (const QString& leftover : folder.entryList({kPartialCopy + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(leftover));
    QTemporaryFile reserved(folder.filePath(kPartialCopy + QStringLiteral("XXXXXX.part")));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        throw DbError(QStringLiteral("No file can be made in the folder \"%1\" (%2).")
                          .arg(QDir::toNativeSeparators(folder.path()), reserved.errorString()));
    return reserved.fileName();
}

void CompactDatabase(const QString& source, const QString& destination) {
    const QString shown = QDir::toNativeSeparators(destination);
    if (QFileInfo::exists(destination))
        throw DbError(
            QStringLiteral("The file \"%1\" already exists; choose a new file name for the copy.").arg(shown));
    const QDir folder = QFileInfo(destination).absoluteDir();
    const auto failed = [&](const QString& reason, const QString& statement = {}, int code = 0) {
        return DbError(QStringLiteral("The compacted copy \"%1\" could not be written. %2").arg(shown, reason),
                       statement, code);
    };
    auto database = Database::open(source, false);
    QString partial; // empty, as VACUUM INTO requires
    try {
        partial = reservePartialCopy(folder.path());
    } catch (const DbError& e) {
        throw failed(e.message());
    }
    const auto discard = [&] {
        QFile::remove(partial);
        QFile::remove(partial + QStringLiteral("-journal"));
    };
    try {
        database->Execute(QStringLiteral("VACUUM INTO ?"), {partial});
    } catch (const DbError& e) {
        database->Close();
        discard();
        throw failed(e.message(), e.statement(), e.code());
    }
    database->Close();
    // Whole on the disk before it takes the chosen name; the rename never replaces a file.
    if (!syncToDisk(partial) || !QFile::rename(partial, destination)) {
        discard();
        throw failed(QFileInfo::exists(destination)
                         ? QStringLiteral("A file of that name appeared meanwhile; choose a new file name.")
                         : QStringLiteral("The copy could not be finished in the folder \"%1\".")
                               .arg(QDir::toNativeSeparators(folder.path())));
    }
    syncToDisk(folder.path());
}

} // namespace db
