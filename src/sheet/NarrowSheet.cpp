#include "sheet/NarrowSheet.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QScrollArea>
#include <QScrollBar>

namespace sheet {

namespace {
constexpr int kGroupColumns = 3; // names, dots, the gap to the next group
}

NarrowSheet::NarrowSheet(QScrollArea* scroll, std::vector<QGridLayout*> grids, std::vector<QBoxLayout*> bands)
    : QObject(scroll), m_scroll(scroll), m_bands(std::move(bands)) {
    for (QGridLayout* grid : grids) {
        Grid kept{grid, {}, grid->rowCount(), grid->columnMinimumWidth(kGroupColumns - 1)};
        for (int i = 0; i < grid->count(); ++i) {
            Placed placed{grid->itemAt(i), 0, 0, 0, 0};
            grid->getItemPosition(i, &placed.row, &placed.column, &placed.rowSpan, &placed.columnSpan);
            kept.wide.push_back(placed);
        }
        m_grids.push_back(std::move(kept));
    }
    const int bar = scroll->verticalScrollBar()->sizeHint().width();
    QWidget* page = scroll->widget();
    page->ensurePolished(); // the style sheet's fonts count in the sizes
    m_wideWidth = page->minimumSizeHint().width() + bar;
    lay(true);
    m_narrowest = page->minimumSizeHint().width() + bar;
    lay(false);
    scroll->viewport()->installEventFilter(this);
}

void NarrowSheet::lay(bool narrow) {
    m_narrow = narrow;
    for (Grid& kept : m_grids) {
        QGridLayout* grid = kept.grid;
        while (grid->count() > 0)
            grid->takeAt(0);
        for (const Placed& placed : kept.wide) {
            const int group = narrow ? placed.column / kGroupColumns : 0;
            grid->addItem(placed.item, placed.row + group * kept.rows, placed.column - group * kGroupColumns,
                          placed.rowSpan, placed.columnSpan, placed.item->alignment());
        }
        // The gaps between the groups stand empty when they are stacked.
        for (int gap = kGroupColumns - 1; gap < grid->columnCount(); gap += kGroupColumns)
            grid->setColumnMinimumWidth(gap, narrow ? 0 : kept.gap);
    }
    for (QBoxLayout* band : m_bands)
        band->setDirection(narrow ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    // The sizes are measured at once, not at the next pass of the event loop.
    for (QWidget* section = nullptr; const Grid& kept : m_grids)
        if ((section = kept.grid->parentWidget()) && section->layout())
            section->layout()->activate();
    for (QBoxLayout* band : m_bands)
        band->activate();
    if (QLayout* page = m_scroll->widget()->layout()) {
        page->invalidate();
        page->activate();
    }
}

void NarrowSheet::fit(int room) {
    const bool narrow = room < m_wideWidth;
    if (narrow != m_narrow)
        lay(narrow);
}

bool NarrowSheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        fit(m_scroll->width());
    return QObject::eventFilter(watched, event);
}

} // namespace sheet
