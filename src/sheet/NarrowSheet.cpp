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
    for (int across = 1; across <= kGroups; ++across) {
        lay(across);
        m_widths[across] = page->minimumSizeHint().width() + bar;
    }
    m_narrowest = m_widths[1];
    scroll->viewport()->installEventFilter(this);
}

void NarrowSheet::lay(int across) {
    m_across = across;
    for (Grid& kept : m_grids) {
        QGridLayout* grid = kept.grid;
        while (grid->count() > 0)
            grid->takeAt(0);
        for (const Placed& placed : kept.wide) {
            const int group = placed.column / kGroupColumns;
            const int row = placed.row + group / across * kept.rows;
            const int column = placed.column + (group % across - group) * kGroupColumns;
            grid->addItem(placed.item, row, column, placed.rowSpan, placed.columnSpan, placed.item->alignment());
        }
        // Columns of groups that moved below stand empty: no gap, no share of the width.
        for (int group = 0; group < kGroups; ++group) {
            grid->setColumnStretch(group * kGroupColumns, group < across ? 1 : 0);
            if (group < kGroups - 1)
                grid->setColumnMinimumWidth(group * kGroupColumns + 2, group < across - 1 ? kept.gap : 0);
        }
    }
    for (QBoxLayout* band : m_bands)
        band->setDirection(across == kGroups ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
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
    int across = kGroups;
    while (across > 1 && m_widths[across] > room)
        --across;
    if (across != m_across)
        lay(across);
}

bool NarrowSheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        fit(m_scroll->width());
    return QObject::eventFilter(watched, event);
}

} // namespace sheet
