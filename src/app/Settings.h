#pragma once

#include <QString>

namespace app {

// DSKLDG.ini beside the program: one line, the database path, ended by CR LF.
class Settings {
public:
    explicit Settings(const QString& programFolder);
    QString filePath() const { return m_file; }
    // The first line without its line end; empty when the file is missing or unreadable.
    QString readDatabasePath() const;
    // Replaces the file; false when it cannot be written.
    bool writeDatabasePath(const QString& path) const;

private:
    QString m_file;
};

} // namespace app
