#include "ratings/DotRow.h"

#include "ratings/BitmapStore.h"

#include <QMouseEvent>
#include <QPainter>

namespace ratings {

namespace {
// A row is drawn larger than its bitmap for legibility; clicks scale with it.
constexpr int kRowWidth = 150;
constexpr int kRowHeight = 14;
} // namespace

DotRow::DotRow(const BitmapStore& bitmaps, QWidget* parent) : QWidget(parent), m_bitmaps(bitmaps) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(sizeHint());
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
    const QPixmap picture = m_bitmaps.pixmap(m_picture);
    // The whole bitmap spans ten dots; a half-width row shows its left half.
    const QRectF source(0, 0, m_half ? picture.width() / 2.0 : picture.width(), picture.height());
    painter.drawPixmap(QRectF(rect()), picture, source);
}

void DotRow::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(int(event->position().x()), event->button());
    event->accept();
}

void DotRow::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT doubleClicked(int(event->position().x()));
    event->accept();
}

} // namespace ratings
