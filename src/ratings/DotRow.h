#pragma once

#include <QString>
#include <QWidget>

namespace ratings {

class BitmapStore;

// A rating shown as a row of ten dots or boxes (a picture box of the sheet). The value lives in
// Tag() as text; the picture is whatever bitmap was last set. Clicks report the x position in
// the widget's own units; tenDotWidth() is the width that counts as ten dots (the virtue rows
// show only half the bitmap and count double width), so one dot is tenDotWidth() / 10 wide.
// The accessible name follows the objectName ("PBAtt(3)"), the accessible description the Tag.
class DotRow : public QWidget {
    Q_OBJECT
public:
    explicit DotRow(const BitmapStore& bitmaps, QWidget* parent = nullptr);

    QString Tag() const { return m_tag; }
    void setTag(const QString& tag);

    // Shows the named bitmap of the program's folder ("CHECK03.bmp").
    void setPicture(const QString& fileName);
    QString pictureName() const { return m_picture; }

    // Half-width rows show the left half of the bitmap and count ten dots over twice their width.
    void setHalfWidth(bool half);
    bool isHalfWidth() const { return m_half; }
    // The width that ten dots span, in widget units.
    int tenDotWidth() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A mouse button went down at x (widget units).
    void pressed(int x, Qt::MouseButton button);
    void doubleClicked(int x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const BitmapStore& m_bitmaps;
    QString m_tag;
    QString m_picture;
    bool m_half = false;
};

} // namespace ratings
