#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace ratings {

// The bitmaps of the program's folder, found by file name without regard to case and kept
// once loaded. A missing or unreadable file yields a drawn placeholder, never a crash.
//
// Beside each bitmap the folder may hold a double-resolution twin ("CHECK03@2x.bmp"); on a
// high-DPI screen it is used in place of the plain file, so rows stay sharp when scaled.
class BitmapStore {
public:
    explicit BitmapStore(const QString& folder);
    QString folder() const { return m_folder; }
    // The picture of the named file ("CHECK03.bmp", "boxx.bmp" ...). With a device pixel ratio
    // above 1 the double-resolution twin is preferred when present; its devicePixelRatio() is 2.
    QPixmap pixmap(const QString& fileName, qreal devicePixelRatio = 1.0) const;
    // The full path of the named file as it stands in the folder, or empty when absent.
    QString locate(const QString& fileName) const;

private:
    QPixmap load(const QString& fileName, bool highResolution) const;

    QString m_folder;
    mutable QHash<QString, QPixmap> m_cache; // by lower-case file name and resolution
};

} // namespace ratings
