#pragma once

#include <QDateTime>
#include <QFileDevice>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3_backup;

namespace db {
class Connection;
class Database;
} // namespace db

// Snapshots: copies of a chronicle file, each a normal database, kept in a folder beside it
// ("<file name> snapshots") and named by the time they were taken.
namespace store::snapshots {

struct Snapshot {
    QString path;
    QDateTime taken; // local time, from the file's name
    qint64 bytes = 0;
};

// Where the snapshots of that database file live.
QString folderFor(const QString& databasePath);
// The folder's snapshots, newest first; files not named as snapshots are left out.
std::vector<Snapshot> list(const QString& databasePath);
// When a snapshot was taken, from its name; none for a file not named as a snapshot.
std::optional<QDateTime> takenAt(const QString& snapshotPath);
// How many characters a snapshot holds; none when it cannot be read.
std::optional<qint64> characterCount(const QString& snapshotPath);

// Puts a copy of the snapshot in place of the database file, which must be closed: written beside
// it under a temporary name, then renamed over it, so the file is always one or the other whole.
// A log or journal left beside the file goes first, lest it be read into the snapshot.
// Throws db::DbError; the file is then as it was.
void putInPlace(const QString& snapshotPath, const QString& databasePath);

// Which snapshots to remove so that what stays is the newest ten, plus the newest of each of the
// fourteen days up to `now`, and never more than `mostBytes` in all (the oldest go first; the
// newest is always kept). `snapshots` newest first, as list() gives them.
std::vector<QString> expired(const std::vector<Snapshot>& snapshots, const QDateTime& now, qint64 mostBytes);

// One snapshot being taken, a few pages at a time, from the open connection itself (the file is
// held exclusively, so no other connection could read it). Changes the connection makes meanwhile
// are carried into the copy. The copy is written under a temporary name and gets its own only
// when complete; one dropped unfinished leaves nothing behind.
class SnapshotCopy {
public:
    // Throws db::DbError when the folder or the copy cannot be made.
    SnapshotCopy(db::Database& source, const QDateTime& now);
    ~SnapshotCopy();
    SnapshotCopy(const SnapshotCopy&) = delete;
    SnapshotCopy& operator=(const SnapshotCopy&) = delete;

    // Copies up to `pages` more pages; true once every page is copied. Throws db::DbError.
    bool step(int pages);
    // The share copied so far, 0 to 1.
    double progress() const;
    // What is left once the copy is closed: flushing it to the disk and giving it its name. It
    // touches neither connection, so it may run on another thread while the window goes on.
    struct Sealing {
        QString partPath;
        QString finalPath;
        QFileDevice::Permissions permissions; // the chronicle's own
        // Returns the snapshot's path; throws db::DbError, having removed the copy.
        QString operator()() const;
    };
    // After the last step: closes the copy. Throws db::DbError.
    Sealing close();
    // close() and the sealing, one after the other.
    QString finish() { return close()(); }
    // The connection copied from, to tell whether it is still the open one.
    quint64 sourceSerial() const { return m_sourceSerial; }

private:
    void abandon();

    quint64 m_sourceSerial;
    QString m_partPath;
    QString m_finalPath;
    QFileDevice::Permissions m_permissions;
    std::unique_ptr<db::Connection> m_target;
    sqlite3_backup* m_backup = nullptr;
    bool m_done = false;
};

} // namespace store::snapshots
