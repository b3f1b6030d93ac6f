#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace app {

// The folder of the bitmaps and the starter database: share/duskledger beside an installed
// program's bin/, else the program's own folder (the build folder, a portable copy).
QString resourceFolder(const QString& programFolder);

// DSKLDG.ini: one line, the database path, ended by CR LF. Beside it Duskledger.conf keeps the
// recently opened files and the window's place.
//
// The files stand beside the program while its folder is writable (a portable copy carried on a
// stick keeps its settings); an installed program, whose folder belongs to the system, keeps them
// in the user's configuration folder.
class Settings {
public:
    explicit Settings(const QString& programFolder);
    // The folder the settings files stand in.
    QString folder() const { return m_folder; }
    QString filePath() const { return m_file; }
    // Whether the settings stand beside the program.
    bool besideProgram() const { return m_besideProgram; }
    // The first line without its line end; empty when the file is missing, unreadable or anything
    // but a regular file (a pipe or a device would never give a line, or never end).
    QString readDatabasePath() const;
    // Replaces the file; false when it cannot be written or cannot hold the path.
    bool writeDatabasePath(const QString& path) const;

    // The files opened last, the latest first, at most kRecentCount.
    QStringList recentDatabases() const;
    // Puts path first in the recent files.
    void rememberDatabase(const QString& path) const;
    void forgetDatabase(const QString& path) const;
    static constexpr int kRecentCount = 5;

    // The main window's saved size and place (QWidget::saveGeometry); empty when none was saved.
    QByteArray windowGeometry() const;
    void saveWindowGeometry(const QByteArray& geometry) const;

    // Whether the one-line file can hold path: a line break would cut it short at the next start,
    // which would then open the part before the break.
    static bool canHold(const QString& path);
    // The message that refuses a chosen path the file cannot hold.
    static QString cannotHold(const QString& path);

private:
    void writeRecent(const QStringList& files) const;

    bool m_besideProgram;
    QString m_folder;
    QString m_file;
};

} // namespace app
