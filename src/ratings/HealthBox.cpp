#include "ratings/HealthBox.h"

#include "ratings/BitmapStore.h"
#include "ratings/RatingAccess.h"
#include "ratings/RatingShapes.h"

#include <QAccessible>

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace ratings {

namespace {
constexpr int kBoxSize = 16; // logical pixels, the size BOX.bmp is drawn at
}

HealthBox::HealthBox(const BitmapStore& bitmaps, QWidget* parent) : QWidget(parent), m_bitmaps(bitmaps) {
    setFixedSize(sizeHint());
    installRatingAccess();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void HealthBox::setState(int state) {
    const int shown = (state == 2 || state == 3) ? state : 1;
    const bool changed = shown != m_state;
    m_state = shown;
    update();
    if (changed) {
        QAccessibleValueChangeEvent event(this, m_state);
        QAccessible::updateAccessibility(&event);
        QAccessible::State checked;
        checked.checked = true;
        QAccessibleStateChangeEvent stateEvent(this, checked);
        QAccessible::updateAccessibility(&stateEvent);
    }
}

QString HealthBox::stateText() const {
    return m_state == 2 ? tr("Ticked") : m_state == 3 ? tr("Crossed") : tr("Empty");
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
    if (drawsShapes(palette())) {
        drawHealthBox(painter, rect(), m_state, palette());
    } else {
        const QPixmap picture = m_bitmaps.pixmap(pictureName(), devicePixelRatioF());
        painter.drawPixmap(QRectF(rect()), picture, QRectF(picture.rect()));
    }
    painter.setOpacity(1.0);
    if (hasFocus())
        drawFocusFrame(painter, rect(), palette());
}

void HealthBox::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        event->accept();
        Q_EMIT stateRequested(m_state % 3 + 1);
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        event->accept();
        if (m_state != 1)
            Q_EMIT stateRequested(1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
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
