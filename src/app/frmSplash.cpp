#include "app/frmSplash.h"

#include "app/Services.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace app {

namespace {
QLabel* addLabel(QLayout* layout, const QString& name, const QString& text, int pointSize, bool bold = false) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    layout->addWidget(label);
    return label;
}
} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(ProgramInfo::title());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    Frame1 = new QFrame;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setLineWidth(2);
    Frame1->installEventFilter(this);
    outer->addWidget(Frame1);

    auto* layout = new QVBoxLayout(Frame1);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->setSpacing(12);
    addLabel(layout, QStringLiteral("lblProductName"), ProgramInfo::title(), 28, true);
    addLabel(layout, QStringLiteral("lblVersion"), ProgramInfo::versionLine(), 12);
    addLabel(layout, QStringLiteral("lblPlatform"), QStringLiteral("For Linux desktops"), 10);
    addLabel(layout, QStringLiteral("lblWarning"), QStringLiteral("For Beta Use Only"), 10);
    addLabel(layout, QStringLiteral("lblCompanyProduct"), QStringLiteral("A chronicle keeper for the game master"), 10);
    addLabel(layout, QStringLiteral("lblDisclaimer"),
             QStringLiteral("The Caldrenne game and its material belong to their publisher. "
                            "Duskledger keeps your records; it does not replace the game's books."),
             9);
    for (QObject* child : Frame1->children())
        if (auto* widget = qobject_cast<QWidget*>(child))
            widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(sizeHint().expandedTo(QSize(460, 300)));

    Timer1.setInterval(1500);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::handOver);
}

void frmSplash::startTimer() {
    Timer1.start();
}

void frmSplash::handOver() {
    if (m_handedOver)
        return;
    m_handedOver = true;
    Timer1.stop();
    Q_EMIT handOverRequested();
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    handOver();
    event->accept();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Frame1 && event->type() == QEvent::MouseButtonPress) {
        handOver();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace app
