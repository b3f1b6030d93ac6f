#pragma once

#include <QString>
#include <QWidget>

namespace ratings {

class BitmapStore;

// One box of the health track: empty (state 1, BOX.bmp), ticked (2, BOXCHECK.bmp) or crossed
// (3, BOXX.bmp). A left-button press asks for the next state 1 -> 2 -> 3 -> 1; a left double-click
// asks for 1. Qt delivers the first press of a double-click as an ordinary press, so a
// double-click asks for the next state and then for an empty box. The box itself does not change:
// its owner stores the state asked for and shows what is stored with setState().
//
// A disabled box (setEnabled(false), as the sheet does while no character is shown) receives no
// mouse events, so clicks ask for nothing.
//
// The box is a Tab stop: Space asks for the next state as a click does, Backspace or Delete for
// an empty box. Screen readers see a check box named by accessibleName() ("Health: Bruised")
// whose value is the state in words.
class HealthBox : public QWidget {
    Q_OBJECT
public:
    explicit HealthBox(const BitmapStore& bitmaps, QWidget* parent = nullptr);

    int state() const { return m_state; }
    // Shows the state's picture. Any value other than 2 or 3 shows the empty box, state 1.
    void setState(int state);
    // The file shown for the current state ("BOX.bmp", "BOXCHECK.bmp", "BOXX.bmp").
    QString pictureName() const;
    // "Empty", "Ticked" or "Crossed".
    QString stateText() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // The user clicked (the next state) or double-clicked (1) the box.
    void stateRequested(int state);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const BitmapStore& m_bitmaps;
    int m_state = 1;
};

} // namespace ratings
