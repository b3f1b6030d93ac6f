#include "ratings/RatingShapes.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace ratings {

bool drawsShapes(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

void drawDots(QPainter& painter, const QRect& area, int count, int value, bool boxes, const QPalette& palette) {
    if (count <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::WindowText);
    const qreal pitch = qreal(area.width()) / count;
    const qreal size = std::min(pitch, qreal(area.height())) - 4.0;
    for (int i = 0; i < count; ++i) {
        const QRectF dot(area.left() + i * pitch + (pitch - size) / 2, area.top() + (area.height() - size) / 2, size,
                         size);
        painter.setPen(QPen(ink, 1.2));
        painter.setBrush(i < value ? QBrush(ink) : Qt::NoBrush);
        if (boxes)
            painter.drawRect(dot);
        else
            painter.drawEllipse(dot);
    }
    painter.restore();
}

void drawHealthBox(QPainter& painter, const QRect& area, int state, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette.color(QPalette::WindowText);
    const QRectF box = QRectF(area).adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    const QRectF mark = box.adjusted(2, 2, -2, -2);
    painter.setPen(QPen(ink, 1.6));
    if (state == 2) {
        painter.drawLine(QPointF(mark.left(), mark.center().y()), QPointF(mark.center().x() - 1, mark.bottom()));
        painter.drawLine(QPointF(mark.center().x() - 1, mark.bottom()), mark.topRight());
    } else if (state == 3) {
        painter.drawLine(mark.topLeft(), mark.bottomRight());
        painter.drawLine(mark.bottomLeft(), mark.topRight());
    }
    painter.restore();
}

void drawFocusFrame(QPainter& painter, const QRect& area, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette.color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(1, 1, -1, -1));
    painter.restore();
}

} // namespace ratings
