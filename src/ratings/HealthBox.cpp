#include "ratings/HealthBox.h"

#include "ratings/BitmapStore.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ratings {

namespace {
constexpr int kBoxSize = 16; // logical pixels, the size BOX.bmp is drawn at
}

HealthBox::HealthBox(const BitmapStore& bitmaps, QWidget* parent) : QWidget(parent), m_bitmaps(bitmaps) {
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setAccessibleDescription(tr("Empty"));
    connect(this, &QObject::objectNameChanged, this, &QWidget::setAccessibleName);
}

void HealthBox::setState(int state) {
    m_state = (state == 2 || state == 3) ? state : 1;
    static const QString descriptions[] = {tr("Empty"), tr("Ticked"), tr("Crossed")};
    setAccessibleDescription(descriptions[m_state - 1]);
    update();
}

QString HealthBox::pictureName() const {
    switch (m_state) {
    case 2:
        return QStringLiteral("BOXCHECK.bmp");
    case 3:
        return QStringLiteral("BOXX.bmp");
    default:
        return QStringLiteral("BOX.bmp");
    }
}

QSize HealthBox::sizeHint() const {
    return {kBoxSize, kBoxSize};
}

void HealthBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Greyed while disabled, so a box that ignores clicks says so.
    if (!isEnabled())
        painter.setOpacity(0.45);
    const QPixmap picture = m_bitmaps.pixmap(pictureName(), devicePixelRatioF());
    painter.drawPixmap(QRectF(rect()), picture, QRectF(picture.rect()));
}

void HealthBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    Q_EMIT stateRequested(m_state % 3 + 1);
}

void HealthBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    Q_EMIT stateRequested(1);
}

void HealthBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::changeEvent(event);
}

} // namespace ratings
