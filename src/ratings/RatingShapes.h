#pragma once

#include <QRect>

class QPainter;
class QPalette;

namespace ratings {

// The rating bitmaps are dark ink on paper; on a dark sheet the rows are drawn as shapes in the
// palette's text colour instead, so they stay readable. The HTML export keeps the bitmaps.

// True when the palette's window is dark enough that the bitmaps would not read.
bool drawsShapes(const QPalette& palette);
// A row of `count` dots (circles, or squares for boxes), the first `value` filled.
void drawDots(QPainter& painter, const QRect& area, int count, int value, bool boxes, const QPalette& palette);
// A health box: empty (1), ticked (2) or crossed (3).
void drawHealthBox(QPainter& painter, const QRect& area, int state, const QPalette& palette);
// The keyboard focus: a frame in the highlight colour around the whole widget.
void drawFocusFrame(QPainter& painter, const QRect& area, const QPalette& palette);

} // namespace ratings
