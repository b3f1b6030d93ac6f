#include "app/Settings.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace app {

Settings::Settings(const QString& programFolder) : m_file(QDir(programFolder).filePath(QStringLiteral("DSKLDG.ini"))) {}

QString Settings::readDatabasePath() const {
    QFile file(m_file);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

bool Settings::writeDatabasePath(const QString& path) const {
    // Written whole or not at all, so a failed write never leaves the program without its path.
    QSaveFile file(m_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(path.toUtf8() + "\r\n");
    return file.commit();
}

} // namespace app
