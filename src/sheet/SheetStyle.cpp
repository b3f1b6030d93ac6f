#include "sheet/SheetStyle.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

// Follows the application's palette: a desktop switched to dark while the program runs gets the
// dark sheet without a restart.
class PaletteFollower : public QObject {
public:
    explicit PaletteFollower(QWidget& page) : QObject(&page), m_page(page) {}

    void apply() {
        const SheetColours colours = sheetColours(QApplication::palette());
        m_page.setStyleSheet(sheetStyleSheet(colours));
        QPalette palette = m_page.palette();
        palette.setColor(QPalette::Window, colours.page);
        palette.setColor(QPalette::WindowText, colours.text);
        m_page.setPalette(palette);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ApplicationPaletteChange)
            apply();
        return false;
    }

private:
    QWidget& m_page;
};

double luminance(const QColor& colour) {
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

} // namespace

SheetColours sheetColours(const QPalette& system) {
    if (isDark(system))
        return {QColor(0x1f, 0x1d, 0x1a), QColor(0x2a, 0x27, 0x23), QColor(0xec, 0xe6, 0xda), QColor(0xf0, 0x9a, 0x8a),
                QColor(0xd8, 0xc8, 0xb0), QColor(0x8a, 0x7e, 0x6a), QColor(0x55, 0x4d, 0x42)};
    return {QColor(0xf6, 0xf1, 0xe6), QColor(0xfb, 0xf8, 0xf1), QColor(0x11, 0x11, 0x11), QColor(0x6e, 0x17, 0x17),
            QColor(0x4a, 0x3a, 0x2a), QColor(0xb4, 0xa7, 0x8c), QColor(0xc9, 0xbc, 0x9f)};
}

QString sheetStyleSheet(const SheetColours& c) {
    return QStringLiteral(R"(
QWidget#sheetPage { background: %1; }
QLabel, QCheckBox { color: %3; }
QLabel[role="section"] {
    color: %4; font-weight: bold; font-size: 11pt;
    border: 0px solid %4; border-bottom: 2px solid %4; padding: 0px 0px 1px 0px;
}
QLabel[role="column"] { color: %5; font-weight: bold; }
QLabel[role="value"] { color: %3; border: 0px solid %6; border-bottom: 1px solid %6; padding: 0px 3px; }
QGroupBox {
    background: %2; border: 1px solid %7; border-radius: 4px;
    margin-top: 9px; padding: 6px 4px 2px 4px;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0px 3px; color: %4; font-weight: bold; }
QPushButton[role="step"] { min-width: 22px; max-width: 22px; padding: 1px; }
)")
        .arg(c.page.name(), c.panel.name(), c.text.name(), c.heading.name(), c.column.name(), c.rule.name(),
             c.border.name());
}

void applySheetStyle(QWidget& page) {
    auto* follower = new PaletteFollower(page);
    follower->apply();
    page.installEventFilter(follower);
}

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace sheet
