#include "store/Snapshots.h"

#include "db/Connection.h"
#include "db/Database.h"
#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace store::snapshots {

namespace {

// "2026-12-07 06-45-12.mdb": sorts by time, and holds no character a file system refuses.
const QString kNameFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss");
const QString kExtension = QStringLiteral(".mdb");

constexpr int kKeptNewest = 10;
constexpr int kKeptDays = 14;

std::optional<QDateTime> takenFrom(const QString& fileName) {
    if (!fileName.endsWith(kExtension))
        return std::nullopt;
    // A second snapshot within one second is "<time> (2).mdb".
    const QString stem = fileName.left(fileName.size() - kExtension.size()).section(QStringLiteral(" ("), 0, 0);
    const QDateTime taken = QDateTime::fromString(stem, kNameFormat);
    return taken.isValid() ? std::optional(taken) : std::nullopt;
}

db::DbError failed(const QString& reason, int code = 0) {
    return db::DbError(QStringLiteral("The snapshot could not be taken. %1").arg(reason), {}, code);
}

} // namespace

QString folderFor(const QString& databasePath) {
    const QFileInfo file(databasePath);
    return file.absoluteDir().filePath(file.fileName() + QStringLiteral(" snapshots"));
}

std::vector<Snapshot> list(const QString& databasePath) {
    std::vector<Snapshot> snapshots;
    const QDir folder(folderFor(databasePath));
    for (const QFileInfo& file : folder.entryInfoList({QLatin1Char('*') + kExtension}, QDir::Files))
        if (const std::optional<QDateTime> taken = takenFrom(file.fileName()))
            snapshots.push_back({file.absoluteFilePath(), *taken, file.size()});
    // Within one second "<time> (10)" follows "<time> (9)", which follows "<time>".
    std::sort(snapshots.begin(), snapshots.end(), [](const Snapshot& a, const Snapshot& b) {
        if (a.taken != b.taken)
            return a.taken > b.taken;
        return a.path.size() != b.path.size() ? a.path.size() > b.path.size() : a.path > b.path;
    });
    return snapshots;
}

std::optional<QDateTime> takenAt(const QString& snapshotPath) {
    return takenFrom(QFileInfo(snapshotPath).fileName());
}

std::optional<qint64> characterCount(const QString& snapshotPath) {
    try {
        db::Connection snapshot(snapshotPath, db::OpenMode::ReadOnly);
        return snapshot.scalar(QStringLiteral("SELECT count(*) FROM Char_Info")).toLongLong();
    } catch (const db::DbError&) {
        return std::nullopt;
    }
}

void putInPlace(const QString& snapshotPath, const QString& databasePath) {
    const QString folder = QFileInfo(databasePath).absolutePath();
    const auto failed = [&](const QString& reason) {
        return db::DbError(QStringLiteral("The snapshot could not be put in place of \"%1\". %2")
                               .arg(QDir::toNativeSeparators(databasePath), reason));
    };
    QString partial;
    try {
        partial = db::reservePartialCopy(folder);
    } catch (const db::DbError& e) {
        throw failed(e.message());
    }
    QFile::remove(partial); // QFile::copy makes the file itself
    if (!QFile::copy(snapshotPath, partial) || !db::syncToDisk(partial)) {
        QFile::remove(partial);
        throw failed(QStringLiteral("It could not be copied into the folder \"%1\".").arg(QDir::toNativeSeparators(folder)));
    }
    QFile::setPermissions(partial, QFile::permissions(databasePath) | QFile::WriteOwner);
    for (const char* leftover : {"-wal", "-shm", "-journal"})
        QFile::remove(databasePath + QLatin1String(leftover));
    if (::rename(QFile::encodeName(partial).constData(), QFile::encodeName(databasePath).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(strerror(errno));
        QFile::remove(partial);
        throw failed(reason);
    }
    db::syncToDisk(folder);
}

std::vector<QString> expired(const std::vector<Snapshot>& snapshots, const QDateTime& now, qint64 mostBytes) {
    std::vector<bool> kept(snapshots.size(), false);
    QSet<QDate> daysKept;
    const QDate firstDay = now.date().addDays(1 - kKeptDays);
    for (size_t i = 0; i < snapshots.size(); ++i) {
        const QDate day = snapshots[i].taken.date();
        const bool newestOfItsDay = day >= firstDay && day <= now.date() && !daysKept.contains(day);
        if (newestOfItsDay)
            daysKept.insert(day);
        kept[i] = int(i) < kKeptNewest || newestOfItsDay;
    }
    qint64 total = 0;
    for (size_t i = 0; i < snapshots.size(); ++i)
        if (kept[i])
            total += snapshots[i].bytes;
    for (size_t i = snapshots.size(); i-- > 1 && total > mostBytes;) {
        if (kept[i]) {
            kept[i] = false;
            total -= snapshots[i].bytes;
        }
    }
    std::vector<QString> gone;
    for (size_t i = 0; i < snapshots.size(); ++i)
        if (!kept[i])
            gone.push_back(snapshots[i].path);
    return gone;
}

SnapshotCopy::SnapshotCopy(db::Database& source, const QDateTime& now)
    : m_sourceSerial(source.connection().serial()), m_permissions(QFile::permissions(source.path())) {
    const QString folder = folderFor(source.path());
    if (!QDir().mkpath(folder))
        throw failed(QStringLiteral("The folder \"%1\" cannot be made.").arg(QDir::toNativeSeparators(folder)));
    const QString stem = QDir(folder).filePath(now.toString(kNameFormat));
    m_finalPath = stem + kExtension;
    for (int n = 2; QFileInfo::exists(m_finalPath); ++n)
        m_finalPath = stem + QStringLiteral(" (%1)").arg(n) + kExtension;
    try {
        m_partPath = db::reservePartialCopy(folder);
        m_target = std::make_unique<db::Connection>(m_partPath, db::OpenMode::Existing);
        // Flushed once, whole, when sealed: the engine's own flush at the last step held the
        // window for a sixteenth of a second at a hundred thousand characters.
        m_target->execute(QStringLiteral("PRAGMA synchronous = OFF"));
    } catch (const db::DbError& e) {
        abandon();
        throw failed(e.message(), e.code());
    }
    m_backup = sqlite3_backup_init(m_target->handle(), "main", source.connection().handle(), "main");
    if (!m_backup) {
        const db::DbError error = failed(QString::fromUtf8(sqlite3_errmsg(m_target->handle())),
                                         sqlite3_extended_errcode(m_target->handle()));
        abandon();
        throw error;
    }
}

SnapshotCopy::~SnapshotCopy() {
    abandon();
}

void SnapshotCopy::abandon() {
    if (m_backup)
        sqlite3_backup_finish(m_backup);
    m_backup = nullptr;
    m_target.reset();
    if (!m_partPath.isEmpty()) {
        QFile::remove(m_partPath);
        QFile::remove(m_partPath + QStringLiteral("-journal"));
    }
    m_partPath.clear();
}

bool SnapshotCopy::step(int pages) {
    if (m_done)
        return true;
    const int rc = sqlite3_backup_step(m_backup, pages);
    if (rc == SQLITE_DONE)
        m_done = true;
    else if (rc != SQLITE_OK && rc != SQLITE_BUSY && rc != SQLITE_LOCKED) // busy: tried again at the next step
        throw db::engineFailure(rc, QString::fromUtf8(sqlite3_errstr(rc)),
                                sqlite3_system_errno(m_target->handle()));
    return m_done;
}

double SnapshotCopy::progress() const {
    if (m_done)
        return 1;
    const int total = sqlite3_backup_pagecount(m_backup);
    return total > 0 ? double(total - sqlite3_backup_remaining(m_backup)) / total : 0;
}

SnapshotCopy::Sealing SnapshotCopy::close() {
    const int rc = sqlite3_backup_finish(m_backup);
    m_backup = nullptr;
    try {
        if (rc != SQLITE_OK)
            throw db::engineFailure(rc, QString::fromUtf8(sqlite3_errstr(rc)), 0);
        // The copy carries the log mode of the open file; a snapshot is a file at rest, openable
        // read-only without a log beside it.
        m_target->execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
        m_target->close();
    } catch (const db::DbError& e) {
        abandon();
        throw failed(e.message(), e.code());
    }
    Sealing sealing{m_partPath, m_finalPath, m_permissions};
    m_partPath.clear(); // the sealing's now
    return sealing;
}

QString SnapshotCopy::Sealing::operator()() const {
    QFile::setPermissions(partPath, permissions); // made private while it was being written
    if (!db::syncToDisk(partPath) || !QFile::rename(partPath, finalPath)) {
        QFile::remove(partPath);
        throw failed(QStringLiteral("The copy could not be finished in the folder \"%1\".")
                         .arg(QDir::toNativeSeparators(QFileInfo(finalPath).absolutePath())));
    }
    db::syncToDisk(QFileInfo(finalPath).absolutePath());
    return finalPath;
}

} // namespace store::snapshots
