#pragma once

#include <QDialog>
#include <QTimer>

class QFrame;
class QLabel;

namespace app {

// The first window: product name and version while the database is located. The timer, a key
// press or a click on the frame hands over to the main window, once.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // Step 5: the hand-over comes after 1500 ms unless the user is quicker.
    void startTimer();
    bool handedOver() const { return m_handedOver; }
    QTimer& timer() { return Timer1; }

public Q_SLOTS:
    void handOver();

Q_SIGNALS:
    void handOverRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTimer Timer1;
    QFrame* Frame1 = nullptr;
    bool m_handedOver = false;
};

} // namespace app
