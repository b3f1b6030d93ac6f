// Draws the program's icon as PNG files of the usual sizes ("duskledger-48.png" ...) into the
// folder given as the first argument: the shapes of assets/duskledger.svg, painted with QPainter
// so the build needs no SVG renderer.

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <cstdio>

namespace {

const QColor kGround(0x7a, 0x14, 0x14);
const QColor kPaper(0xfc, 0xf9, 0xf3);
const QColor kInk(0x2b, 0x21, 0x1c);
const QColor kRing(0x80, 0x74, 0x66);

// The icon on a 256-unit square, as in the SVG.
void paintIcon(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kGround);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    painter.setPen(QPen(kInk, 6));
    painter.setBrush(kPaper);
    painter.drawRoundedRect(QRectF(52, 36, 152, 184), 10, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawRect(QRectF(52, 36, 18, 184));
    // Three rows of dots, filled ones first: 3, 2 and 1 of three.
    for (int row = 0; row < 3; ++row) {
        for (int dot = 0; dot < 3; ++dot) {
            const QPointF centre(100 + 32 * dot, 82 + 46 * row);
            if (dot < 3 - row) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(kInk);
                painter.drawEllipse(centre, 11, 11);
            } else {
                painter.setPen(QPen(kRing, 5));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(centre, 9, 9);
            }
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: makeicons FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 256.0, size / 256.0);
        paintIcon(painter);
        painter.end();
        const QString file = folder.filePath(QStringLiteral("duskledger-%1.png").arg(size));
        if (!image.save(file, "PNG")) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
