#include "ratings/DotRow.h"

#include "model/Numbers.h"
#include "ratings/BitmapStore.h"

#include <QMouseEvent>
#include <QPainter>

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

void DotRow::setTag(const QString& tag) {
    m_tag = tag;
    setAccessibleDescription(tag.trimmed());
}

void DotRow::setPicture(const QString& fileName) {
    m_picture = fileName;
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
