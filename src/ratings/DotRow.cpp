#include "ratings/DotRow.h"

#include "model/Numbers.h"
#include "ratings/BitmapStore.h"
#include "ratings/RatingAccess.h"
#include "ratings/RatingShapes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace ratings {

namespace {
// The bitmaps are drawn at exactly this size (and at twice it for high-DPI screens), so a row
// shows them pixel for pixel. Ten dots of 16 pixels each; a half-width row shows five.
constexpr int kRowWidth = 160;
constexpr int kRowHeight = 14;
} // namespace

DotRow::DotRow(const BitmapStore& bitmaps, QWidget* parent) : QWidget(parent), m_bitmaps(bitmaps) {
    installRatingAccess();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void DotRow::setValue(int value, bool blankTag) {
    const bool changed = value != m_value;
    m_value = value;
    m_tag = blankTag && value != 0 ? QStringLiteral(" %1").arg(value) : QString::number(value);
    m_picture = ratings::pictureName(m_family, value);
    update();
    if (changed) {
        QAccessibleValueChangeEvent event(this, value);
        QAccessible::updateAccessibility(&event);
    }
}

void DotRow::setFamily(Family family) {
    m_family = family;
    m_picture = ratings::pictureName(m_family, m_value);
    update();
}

void DotRow::setHalfWidth(bool half) {
    m_half = half;
    setFixedSize(sizeHint());
    update();
}

int DotRow::tenDotWidth() const {
    return m_half ? 2 * width() : width();
}

std::optional<int> DotRow::clickedValue(int x) const {
    const int dotWidth = tenDotWidth() / 10;
    if (dotWidth <= 0)
        return std::nullopt;
    const int value = std::clamp(x / dotWidth + 1, 1, 10);
    if (value == 1 && m_value == 1)
        return 0;
    return value;
}

std::optional<int> DotRow::keyedValue(const QKeyEvent& key) const {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    std::optional<int> asked;
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Minus:
        asked = m_value - 1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Plus:
        asked = m_value + 1;
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        asked = 0;
        break;
    case Qt::Key_0:
        asked = 10;
        break;
    default:
        if (key.key() >= Qt::Key_1 && key.key() <= Qt::Key_9)
            asked = key.key() - Qt::Key_0;
    }
    if (!asked || *asked < 0 || *asked > maximum() || *asked == m_value)
        return std::nullopt;
    return asked;
}

QString DotRow::valueText() const {
    return tr("%1 of %2").arg(m_value).arg(maximum());
}

QSize DotRow::sizeHint() const {
    return {m_half ? kRowWidth / 2 : kRowWidth, kRowHeight};
}

void DotRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (drawsShapes(palette())) {
        drawDots(painter, rect(), maximum(), m_value, m_family == Family::Box, palette());
    } else if (!m_picture.isEmpty()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPixmap picture = m_bitmaps.pixmap(m_picture, devicePixelRatioF());
        // The whole bitmap spans ten dots; a half-width row shows its left half.
        const QRectF source(0, 0, m_half ? picture.width() / 2.0 : picture.width(), picture.height());
        painter.drawPixmap(QRectF(rect()), picture, source);
    }
    if (hasFocus())
        drawFocusFrame(painter, rect(), palette());
}

void DotRow::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(numbers::toInt16Clamped(event->position().x()), event->button());
    event->accept();
}

void DotRow::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT doubleClicked(numbers::toInt16Clamped(event->position().x()));
    event->accept();
}

void DotRow::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<int> asked = keyedValue(*event)) {
        event->accept();
        Q_EMIT valueRequested(*asked);
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        event->accept();
        Q_EMIT activated();
        return;
    }
    // Keys that would ask for nothing new are still the row's own, so they do not move focus.
    const int k = event->key();
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Minus ||
        k == Qt::Key_Plus || k == Qt::Key_Backspace || k == Qt::Key_Delete) {
        if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

} // namespace ratings
