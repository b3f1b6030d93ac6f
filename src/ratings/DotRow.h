#pragma once

#include "ratings/RatingPictures.h"

#include <QString>
#include <QWidget>
#include <optional>

class QKeyEvent;

namespace ratings {

class BitmapStore;

// A rating shown as a row of ten dots or boxes (a picture box of the sheet): its value, the
// picture of that value in the row's family, and Tag(), the value as text that the sheet's
// design names (a mirror: nothing reads a rating back from it). Clicks report the x position in
// the widget's own units; tenDotWidth() is the width that counts as ten dots (the virtue rows
// show only half the bitmap and count double width), so one dot is tenDotWidth() / 10 wide.
//
// The row is a Tab stop. Keys ask for a value as a click does (valueRequested), Enter for the
// row's further action (activated); the row itself
// does not change: its owner decides and shows the result with setValue(). Screen readers see a
// slider named by accessibleName() ("Strength") whose value reads "4 of 10".
class DotRow : public QWidget {
    Q_OBJECT
public:
    explicit DotRow(const BitmapStore& bitmaps, QWidget* parent = nullptr);

    int value() const { return m_value; }
    // Shows the value. A tag with a leading blank (" 3") is what a click on an advantage row
    // leaves; a value of 0 is always tagged "0".
    void setValue(int value, bool blankTag = false);
    QString Tag() const { return m_tag; }
    QString pictureName() const { return m_picture; }

    void setFamily(Family family);
    Family family() const { return m_family; }

    // Half-width rows show the left half of the bitmap and count ten dots over twice their width.
    void setHalfWidth(bool half);
    bool isHalfWidth() const { return m_half; }
    // The highest rating the row shows: 5 on a half-width row, otherwise 10.
    int maximum() const { return m_half ? 5 : 10; }
    // The width that ten dots span, in widget units.
    int tenDotWidth() const;
    // The value a click at x gives the row: the dot under the pointer (1 to 10, a click right of
    // the last dot counting as the last), except that the first dot of a row showing 1 clears it
    // to 0. Nothing when the row is too narrow to hold ten dots.
    std::optional<int> clickedValue(int x) const;
    // The value a key asks for: Left or - one less, Right or + one more, a digit that rating
    // (0 is ten on a ten-dot row), Backspace or Delete none. Nothing for other keys and for
    // values the row cannot show.
    std::optional<int> keyedValue(const QKeyEvent& key) const;
    // "4 of 10", what a screen reader reads as the row's value.
    QString valueText() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A mouse button went down at x (widget units).
    void pressed(int x, Qt::MouseButton button);
    void doubleClicked(int x);
    // A key (or a screen reader) asked for this value.
    void valueRequested(int value);
    // Enter or Return: the row's further action (a trait's specialty).
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const BitmapStore& m_bitmaps;
    Family m_family = Family::Check;
    int m_value = 0;
    QString m_tag;
    QString m_picture;
    bool m_half = false;
};

} // namespace ratings
