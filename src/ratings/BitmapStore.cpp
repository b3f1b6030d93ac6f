#include "ratings/BitmapStore.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace ratings {

BitmapStore::BitmapStore(const QString& folder) : m_folder(folder) {}

QString BitmapStore::locate(const QString& fileName) const {
    const QDir dir(m_folder);
    if (dir.exists(fileName))
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

QPixmap BitmapStore::pixmap(const QString& fileName) const {
    const QString key = fileName.toLower();
    const auto cached = m_cache.constFind(key);
    if (cached != m_cache.constEnd())
        return cached.value();
    QPixmap picture;
    const QString path = locate(fileName);
    if (path.isEmpty() || !picture.load(path)) {
        // A clear placeholder: a crossed frame, so a missing file is visible but harmless.
        picture = QPixmap(98, 8);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setPen(Qt::red);
        painter.drawRect(0, 0, 97, 7);
        painter.drawLine(0, 0, 97, 7);
    }
    m_cache.insert(key, picture);
    return picture;
}

} // namespace ratings
