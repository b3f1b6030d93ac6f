// Draws the rating bitmaps into the folder given as the first argument.
//
// Every file is drawn at the size the sheet shows it (a ten-dot row is 160 x 14 pixels, one dot
// per 16-pixel cell), so it is shown pixel for pixel on a normal screen and reads well at its
// natural size in an exported page. Each also gets a double-resolution twin ("CHECK03@2x.bmp")
// that the sheet uses on high-DPI screens. All are 24-bit BMP files.

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>
#include <functional>

namespace {

constexpr int kCell = 16;      // one dot or box
constexpr int kRowHeight = 14; // a dot row
constexpr int kDots = 10;
constexpr QSize kRowSize(kDots* kCell, kRowHeight);
constexpr QSize kHealthBoxSize(16, 16);
constexpr QSize kNoPictureSize(200, 240);

// Warm paper close to the sheet's panels, so rows sit quietly on the sheet and on a white page.
const QColor kPaper(252, 249, 243);
const QColor kInk(43, 33, 28);
const QColor kRing(128, 116, 102);
const QColor kPathInk(34, 104, 64);
const QColor kPathRing(110, 138, 116);
const QColor kBoxLine(110, 96, 80);
const QColor kBlood(122, 20, 20);
const QColor kBloodWash(244, 222, 216);

struct DotStyle {
    QColor filled;
    QColor ring;
};
const DotStyle kCheckStyle{kInk, kRing};
const DotStyle kPathStyle{kPathInk, kPathRing};

using Drawing = std::function<void(QPainter&)>;

// Draws one picture at its size and at twice it; false when a file cannot be written.
bool write(const QDir& folder, const QString& name, QSize size, const Drawing& draw) {
    for (const int scale : {1, 2}) {
        QImage image(size * scale, QImage::Format_RGB32);
        image.fill(kPaper);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        const QString file = name + (scale == 1 ? QStringLiteral(".bmp") : QStringLiteral("@2x.bmp"));
        if (!image.convertToFormat(QImage::Format_RGB888).save(folder.filePath(file), "BMP")) {
            std::fprintf(stderr, "makebitmaps: cannot write %s\n", qUtf8Printable(folder.filePath(file)));
            return false;
        }
    }
    return true;
}

// A dot of ten pixels across, centred in its cell: a ring when empty, solid when filled.
void drawDot(QPainter& painter, int cell, bool filled, const DotStyle& style) {
    const QPointF centre(cell * kCell + kCell / 2.0, kRowHeight / 2.0);
    painter.setPen(QPen(filled ? style.filled : style.ring, 1.0));
    painter.setBrush(filled ? QBrush(style.filled) : QBrush(kPaper));
    painter.drawEllipse(centre, 4.5, 4.5);
}

void drawTick(QPainter& painter, const QRectF& box) {
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.43, box.top() + box.height() * 0.74);
    tick.lineTo(box.left() + box.width() * 0.80, box.top() + box.height() * 0.24);
    painter.setPen(QPen(kBlood, box.width() / 6.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
}

void drawCross(QPainter& painter, const QRectF& box) {
    const QRectF inner =
        box.adjusted(box.width() * 0.24, box.height() * 0.24, -box.width() * 0.24, -box.height() * 0.24);
    painter.setPen(QPen(kBlood, box.width() / 6.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(inner.topLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomLeft());
}

// A square box whose one-pixel frame lies on whole pixels; ticked boxes get a light wash too.
void drawBox(QPainter& painter, const QRectF& frame, bool marked) {
    painter.setPen(QPen(kBoxLine, 1.0));
    painter.setBrush(marked ? QBrush(kBloodWash) : QBrush(Qt::white));
    painter.drawRect(frame);
}

// Ten cells of ten-pixel boxes, the first n ticked.
void drawBoxRow(QPainter& painter, int filled) {
    for (int cell = 0; cell < kDots; ++cell) {
        const QRectF frame(cell * kCell + 3.5, 2.5, 9, 9);
        drawBox(painter, frame, cell < filled);
        if (cell < filled)
            drawTick(painter, frame);
    }
}

void drawNoPicture(QPainter& painter) {
    const QRectF page(QPointF(0, 0), QSizeF(kNoPictureSize));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(236, 231, 221));
    painter.drawRect(page);
    painter.setPen(QPen(QColor(180, 167, 140), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(page.adjusted(7, 7, -7, -7));

    // A head and shoulders in outline grey.
    const QColor figure(196, 186, 168);
    painter.setPen(Qt::NoPen);
    painter.setBrush(figure);
    painter.drawEllipse(QPointF(100, 82), 32, 36);
    QPainterPath shoulders;
    shoulders.moveTo(36, 182);
    shoulders.cubicTo(36, 140, 66, 124, 100, 124);
    shoulders.cubicTo(134, 124, 164, 140, 164, 182);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(QColor(100, 86, 68));
    painter.drawText(QRectF(10, 190, 180, 36), Qt::AlignCenter, QStringLiteral("No picture"));
}

QString numbered(const char* prefix, int n) {
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makebitmaps <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "makebitmaps: cannot make %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    for (int n = 0; n <= kDots; ++n) {
        ok = ok && write(folder, numbered("CHECK", n), kRowSize, [n](QPainter& painter) {
                 for (int cell = 0; cell < kDots; ++cell)
                     drawDot(painter, cell, cell < n, kCheckStyle);
             });
        ok = ok && write(folder, numbered("GCHECK", n), kRowSize, [n](QPainter& painter) {
                 for (int cell = 0; cell < kDots; ++cell)
                     drawDot(painter, cell, cell < n, kPathStyle);
             });
        ok = ok && write(folder, numbered("BOX", n), kRowSize, [n](QPainter& painter) { drawBoxRow(painter, n); });
    }

    const QRectF healthFrame(2.5, 2.5, 11, 11);
    ok = ok && write(folder, QStringLiteral("BOX"), kHealthBoxSize,
                     [&](QPainter& painter) { drawBox(painter, healthFrame, false); });
    ok = ok && write(folder, QStringLiteral("BOXCHECK"), kHealthBoxSize, [&](QPainter& painter) {
             drawBox(painter, healthFrame, true);
             drawTick(painter, healthFrame);
         });
    ok = ok && write(folder, QStringLiteral("BOXX"), kHealthBoxSize, [&](QPainter& painter) {
             drawBox(painter, healthFrame, true);
             drawCross(painter, healthFrame);
         });

    const QSize oneDot(kCell, kRowHeight);
    ok = ok && write(folder, QStringLiteral("CHECK"), oneDot,
                     [](QPainter& painter) { drawDot(painter, 0, true, kCheckStyle); });
    ok = ok && write(folder, QStringLiteral("UNCHECK"), oneDot,
                     [](QPainter& painter) { drawDot(painter, 0, false, kCheckStyle); });
    ok = ok && write(folder, QStringLiteral("nopic"), kNoPictureSize, drawNoPicture);
    return ok ? 0 : 1;
}
