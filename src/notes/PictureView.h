#pragma once

#include <QFrame>
#include <QPixmap>

namespace notes {

// The image area of the picture window: the picture scaled to fit, its proportions kept,
// centred on the window's background.
class PictureView : public QFrame {
    Q_OBJECT
public:
    explicit PictureView(QWidget* parent = nullptr);

    void setPixmap(const QPixmap& pixmap);
    const QPixmap& pixmap() const { return m_pixmap; }
    // Where the picture is drawn, in the widget's coordinates.
    QRect pictureRect() const;

    QSize sizeHint() const override { return {380, 390}; }
    QSize minimumSizeHint() const override { return {48, 48}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
};

} // namespace notes
