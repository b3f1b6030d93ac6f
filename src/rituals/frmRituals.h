#pragma once

#include "rituals/RitualFamily.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace app {
class mdlGlobal;
}
namespace ratings {
class DotRow;
}

namespace rituals {

// The value a click at x sets on a path dot row ten dots of which span tenDotWidth: the dot under
// the pointer, 10 right of the tenth dot, and 0 when the first dot of a row showing 1 is clicked.
int pathDotValue(int tenDotWidth, int x, const QString& oldTag);

// A character's paths and rituals of one family: the thaumaturgy window (frmRituals) or the
// necromancy window (frmNecromancy). Ten path slots with their ratings, saved by OK in edit mode;
// the ritual grid, whose additions and removals are written at once.
class frmRituals : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 10;

    frmRituals(app::mdlGlobal& global, const RitualFamily& family, qint64 key, QWidget* parent = nullptr);

    // Fills the window from the database; run on opening and after a ritual is added or removed.
    // Throws db::DbError.
    void load();

    const RitualFamily& family() const { return m_family; }

private:
    void buildSlots(QWidget* frame);
    void buildGrid();
    void resetGrid();
    void appendRitualRow(const QString& level, const QString& name);
    void applyMode();
    QString currentRitual() const;
    void reload();

    void onPathDotPressed(int index, int x);
    void onAddRitual();
    void onRemoveRitual();
    void onRitualDoubleClicked(int row);
    void onOK();

    app::mdlGlobal& m_global;
    const RitualFamily& m_family;
    qint64 m_key;

    std::array<QComboBox*, kSlots> cmbPath{};
    std::array<QLabel*, kSlots> lblPath{};
    std::array<ratings::DotRow*, kSlots> PBPath{};
    QTableWidget* fgRituals = nullptr;
    QPushButton* cmdAddRitual = nullptr;
    QPushButton* cmdRemoveRitual = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace rituals
