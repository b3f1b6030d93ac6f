#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace ratings {

// The bitmaps of the program's folder, found by file name without regard to case and kept
// once loaded. A missing or unreadable file yields a drawn placeholder, never a crash.
class BitmapStore {
public:
    explicit BitmapStore(const QString& folder);
    QString folder() const { return m_folder; }
    // The picture of the named file ("CHECK03.bmp", "boxx.bmp" ...).
    QPixmap pixmap(const QString& fileName) const;
    // The full path of the named file as it stands in the folder, or empty when absent.
    QString locate(const QString& fileName) const;

private:
    QString m_folder;
    mutable QHash<QString, QPixmap> m_cache; // by lower-case file name
};

} // namespace ratings
