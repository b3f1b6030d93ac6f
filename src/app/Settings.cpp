#include "app/Settings.h"

#include "app/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {
// Far beyond any path; a longer first line is no path either.
constexpr qint64 kLongestLine = 64 * 1024;
} // namespace

Settings::Settings(const QString& programFolder)
    : m_besideProgram(QFileInfo(programFolder).isWritable()),
      m_folder(m_besideProgram ? programFolder
                               : QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)),
      m_file(QDir(m_folder).filePath(QStringLiteral("DSKLDG.ini"))) {}

QString Services::resourceFolder() {
    return app::resourceFolder(programFolder());
}

QString resourceFolder(const QString& programFolder) {
    const QString shared = QDir(programFolder).absoluteFilePath(QStringLiteral("../share/duskledger"));
    return QFileInfo(shared).isDir() ? QDir::cleanPath(shared) : programFolder;
}

namespace {
QString confPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("Duskledger.conf"));
}
const QString kRecentKey = QStringLiteral("recent/databases");
const QString kGeometryKey = QStringLiteral("window/geometry");
} // namespace

QStringList Settings::recentDatabases() const {
    return QSettings(confPath(m_folder), QSettings::IniFormat).value(kRecentKey).toStringList().mid(0, kRecentCount);
}

void Settings::writeRecent(const QStringList& files) const {
    QDir().mkpath(m_folder);
    QSettings(confPath(m_folder), QSettings::IniFormat).setValue(kRecentKey, files);
}

void Settings::rememberDatabase(const QString& path) const {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentDatabases();
    files.removeAll(absolute);
    files.prepend(absolute);
    writeRecent(files.mid(0, kRecentCount));
}

void Settings::forgetDatabase(const QString& path) const {
    QStringList files = recentDatabases();
    if (files.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        writeRecent(files);
}

QByteArray Settings::windowGeometry() const {
    return QSettings(confPath(m_folder), QSettings::IniFormat).value(kGeometryKey).toByteArray();
}

void Settings::saveWindowGeometry(const QByteArray& geometry) const {
    QDir().mkpath(m_folder);
    QSettings(confPath(m_folder), QSettings::IniFormat).setValue(kGeometryKey, geometry);
}

QString Settings::readDatabasePath() const {
    // Opened without waiting, then looked at: a pipe put in the file's place would block open()
    // until something writes to it.
    const int fd = ::open(QFile::encodeName(m_file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat status {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QByteArray line = file.readLine(kLongestLine);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

bool Settings::writeDatabasePath(const QString& path) const {
    if (!canHold(path))
        return false;
    QDir().mkpath(m_folder); // the user's configuration folder may not exist yet
    // Written whole or not at all, so a failed write never leaves the program without its path.
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(path.toUtf8() + "\r\n");
    if (!file.commit())
        return false;
    rememberDatabase(path);
    return true;
}

bool Settings::canHold(const QString& path) {
    return !path.contains(QLatin1Char('\n')) && !path.contains(QLatin1Char('\r'));
}

QString Settings::cannotHold(const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    shown.replace(QLatin1Char('\n'), QStringLiteral("⏎")).replace(QLatin1Char('\r'), QStringLiteral("⏎"));
    return QStringLiteral("The path \"%1\" contains a line break, which the settings file cannot keep. Rename the "
                          "file or its folder without the line break, or choose another file.")
        .arg(shown);
}

} // namespace app
