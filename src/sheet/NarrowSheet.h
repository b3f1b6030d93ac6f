#pragma once

#include <QObject>
#include <vector>

class QBoxLayout;
class QGridLayout;
class QLayoutItem;
class QScrollArea;

namespace sheet {

// Where the room beside the side panel is narrower than the sheet's sections laid out side by
// side (a small screen, a large scaling factor), each section puts its three column groups two
// across or one under another, and the band of frames below them stacks, so the sheet scrolls up
// and down only; given the room again they go back side by side.
class NarrowSheet : public QObject {
public:
    // grids: the trait regions' grids of three column groups (three grid columns each);
    // bands: rows of frames that stack.
    NarrowSheet(QScrollArea* scroll, std::vector<QGridLayout*> grids, std::vector<QBoxLayout*> bands);
    // The narrowest the scroll area can be with the groups stacked.
    int narrowestWidth() const { return m_narrowest; }
    // How many column groups stand side by side: 3, 2 or 1.
    int across() const { return m_across; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    struct Grid {
        QGridLayout* grid;
        std::vector<Placed> wide;
        int rows;
        int gap;
    };
    void lay(int across);
    void fit(int room);
    static constexpr int kGroups = 3;

    QScrollArea* m_scroll;
    std::vector<Grid> m_grids;
    std::vector<QBoxLayout*> m_bands;
    int m_across = kGroups;
    int m_widths[kGroups + 1] = {}; // the scroll area's least width for each number across
    int m_narrowest = 0;
};

} // namespace sheet
