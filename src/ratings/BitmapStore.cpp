#include "ratings/BitmapStore.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QtDebug>

namespace ratings {

namespace {

// "CHECK03.bmp" -> "CHECK03@2x.bmp"
QString highResolutionName(const QString& fileName) {
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName + QStringLiteral("@2x") : fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot);
}

// Stands in for a missing bitmap: a hatched red frame, plainly not a rating, scaled into whatever
// control shows it.
QPixmap placeholder() {
    QPixmap picture(160, 14);
    picture.fill(QColor(255, 236, 236));
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(200, 30, 30), 1));
    painter.setBrush(QBrush(QColor(200, 30, 30), Qt::BDiagPattern));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

} // namespace

BitmapStore::BitmapStore(const QString& folder) : m_folder(folder) {}

QString BitmapStore::locate(const QString& fileName) const {
    if (fileName.isEmpty())
        return {};
    const QDir dir(m_folder);
    if (dir.exists(fileName))
        return dir.filePath(fileName);
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

QPixmap BitmapStore::pixmap(const QString& fileName, qreal devicePixelRatio) const {
    if (devicePixelRatio > 1.0) {
        const QPixmap sharp = load(highResolutionName(fileName), true);
        if (!sharp.isNull())
            return sharp;
    }
    QPixmap picture = load(fileName, false);
    if (picture.isNull()) {
        picture = placeholder();
        m_cache.insert(fileName.toLower(), picture);
    }
    return picture;
}

// The picture of one file, cached; a null pixmap when the file is missing or unreadable.
QPixmap BitmapStore::load(const QString& fileName, bool highResolution) const {
    const QString key = fileName.toLower();
    const auto cached = m_cache.constFind(key);
    if (cached != m_cache.constEnd())
        return cached.value();
    QPixmap picture;
    const QString path = locate(fileName);
    if (!path.isEmpty() && picture.load(path)) {
        if (highResolution)
            picture.setDevicePixelRatio(2.0);
    } else if (!highResolution) {
        qWarning("Bitmap %s is missing from %s", qUtf8Printable(fileName), qUtf8Printable(m_folder));
    }
    m_cache.insert(key, picture);
    return picture;
}

} // namespace ratings
