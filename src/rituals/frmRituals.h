#pragma once

#include "model/Character.h"
#include "rituals/RitualFamily.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace app {
class Session;
}
namespace ratings {
class BitmapStore;
class DotRow;
} // namespace ratings

namespace rituals {

// A character's paths and rituals of one family: the thaumaturgy window (frmRituals) or the
// necromancy window (frmNecromancy). Ten path slots with their ratings, saved by OK in edit mode;
// Escape or closing the window asks before changed slots are dropped. The ritual grid, whose
// additions and removals are written at once.
class frmRituals : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlots = 10;

    frmRituals(app::Session& session, const ratings::BitmapStore& bitmaps, const RitualFamily& family, qint64 key,
               QWidget* parent = nullptr);

    // Fills the window from the database. Throws db::DbError.
    void load();

    const RitualFamily& family() const { return m_family; }

    void reject() override;

private:
    using Slots = std::array<model::Slot, kSlots>;

    void buildSlots(QWidget* frame, const ratings::BitmapStore& bitmaps);
    void buildGrid();
    void loadPaths();
    void loadRituals();
    Slots shownSlots() const;
    void resetGrid();
    void appendRitualRow(const QString& level, const QString& name);
    void applyMode();
    QString currentRitual() const;
    void reload();

    void onPathDotPressed(int index, int x);
    // A click or a key on path row `index`: shown in edit mode, kept with the window's save.
    void setPathRating(int index, int value);
    void onAddRitual();
    void onRemoveRitual();
    void onRitualDoubleClicked(int row);
    void onOK();

    app::Session& m_session;
    const RitualFamily& m_family;
    qint64 m_key;
    QString m_characterName;
    Slots m_storedSlots; // the slots as loaded, to tell whether Escape would drop a change

    std::array<QComboBox*, kSlots> cmbPath{};
    std::array<QLabel*, kSlots> lblPath{};
    std::array<ratings::DotRow*, kSlots> PBPath{};
    QTableWidget* fgRituals = nullptr;
    QPushButton* cmdAddRitual = nullptr;
    QPushButton* cmdRemoveRitual = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace rituals
