#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {
// Far beyond any path; a longer first line is no path either.
constexpr qint64 kLongestLine = 64 * 1024;
} // namespace

Settings::Settings(const QString& programFolder) : m_file(QDir(programFolder).filePath(QStringLiteral("DSKLDG.ini"))) {}

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
    // Written whole or not at all, so a failed write never leaves the program without its path.
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(path.toUtf8() + "\r\n");
    return file.commit();
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
