#include "ratings/DotRow.h"

#include "model/Numbers.h"
#include "ratings/BitmapStore.h"

#include <QMouseEvent>
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
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    connect(this, &QObject::objectNameChanged, this, &QWidget::setAccessibleName);
}

void DotRow::setValue(int value, bool blankTag) {
    m_value = value;
    m_tag = blankTag && value != 0 ? QStringLiteral(" %1").arg(value) : QString::number(value);
    setAccessibleDescription(m_tag.trimmed());
    m_picture = ratings::pictureName(m_family, value);
    update();
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

QSize DotRow::sizeHint() const {
    return {m_half ? kRowWidth / 2 : kRowWidth, kRowHeight};
}

void DotRow::paintEvent(QPaintEvent*) {
    if (m_picture.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap picture = m_bitmaps.pixmap(m_picture, devicePixelRatioF());
    // The whole bitmap spans ten dots; a half-width row shows its left half.
    const QRectF source(0, 0, m_half ? picture.width() / 2.0 : picture.width(), picture.height());
    painter.drawPixmap(QRectF(rect()), picture, source);
}

void DotRow::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(numbers::toInt16Clamped(event->position().x()), event->button());
    event->accept();
}

void DotRow::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT doubleClicked(numbers::toInt16Clamped(event->position().x()));
    event->accept();
}

} // namespace ratings
