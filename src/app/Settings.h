#pragma once

#include <QString>

namespace app {

// DSKLDG.ini beside the program: one line, the database path, ended by CR LF.
class Settings {
public:
    explicit Settings(const QString& programFolder);
    QString filePath() const { return m_file; }
    // The first line without its line end; empty when the file is missing, unreadable or anything
    // but a regular file (a pipe or a device would never give a line, or never end).
    QString readDatabasePath() const;
    // Replaces the file; false when it cannot be written or cannot hold the path.
    bool writeDatabasePath(const QString& path) const;

    // Whether the one-line file can hold path: a line break would cut it short at the next start,
    // which would then open the part before the break.
    static bool canHold(const QString& path);
    // The message that refuses a chosen path the file cannot hold.
    static QString cannotHold(const QString& path);

private:
    QString m_file;
};

} // namespace app
