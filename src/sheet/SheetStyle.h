#pragma once

#include <QColor>
#include <QString>

class QPalette;
class QWidget;

namespace sheet {

// The colours of the sheet page, in two tuned sets: paper with dark ink, or a dark page with
// light ink. The set follows the system palette's window colour.
struct SheetColours {
    QColor page, panel, text, heading, column, rule, border;
};
SheetColours sheetColours(const QPalette& system);

// The look of the sheet page in those colours: headings in the heading colour, underlined values.
QString sheetStyleSheet(const SheetColours& colours);

// Gives the page the style for the application's palette, and again whenever that palette
// changes. The page's own palette takes the set's colours too, so the rating rows draw to match.
void applySheetStyle(QWidget& page);

// The contrast ratio of two colours, 1 to 21 (text wants at least 4.5).
double contrastRatio(const QColor& a, const QColor& b);

} // namespace sheet
