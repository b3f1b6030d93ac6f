#pragma once

#include <QObject>
#include <vector>

class QBoxLayout;
class QGridLayout;
class QLayoutItem;
class QScrollArea;

namespace sheet {

// Where the room beside the side panel is narrower than the sheet's sections laid out side by
// side (a small screen, a large scaling factor), each section puts its column groups one under
// another, so the sheet scrolls up and down only; given the room again it lays them out
// side by side.
class NarrowSheet : public QObject {
public:
    // grids: the trait regions' grids of three column groups (three grid columns each);
    // bands: rows of frames that stack.
    NarrowSheet(QScrollArea* scroll, std::vector<QGridLayout*> grids, std::vector<QBoxLayout*> bands);
    // The narrowest the scroll area can be with the groups stacked.
    int narrowestWidth() const { return m_narrowest; }
    bool isNarrow() const { return m_narrow; }

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
    void lay(bool narrow);
    void fit(int room);

    QScrollArea* m_scroll;
    std::vector<Grid> m_grids;
    std::vector<QBoxLayout*> m_bands;
    bool m_narrow = false;
    int m_wideWidth = 0;
    int m_narrowest = 0;
};

} // namespace sheet
