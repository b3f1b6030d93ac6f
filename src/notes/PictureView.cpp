#include "notes/PictureView.h"

#include <QPainter>

namespace notes {

PictureView::PictureView(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pict"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureView::setPixmap(const QPixmap& pixmap) {
    m_pixmap = pixmap;
    update();
}

QRect PictureView::pictureRect() const {
    if (m_pixmap.isNull())
        return {};
    const QRect area = contentsRect();
    const QSize size = m_pixmap.deviceIndependentSize().toSize().scaled(area.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(area.center());
    return target;
}

void PictureView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(pictureRect(), m_pixmap);
}

} // namespace notes
