#pragma once

#include "model/TraitCatalogue.h"

#include <QList>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QTabWidget;
class QWidget;

namespace ratings {
class DotRow;
class HealthBox;
} // namespace ratings

namespace sheet {

class Roster;

// Every named control of the character sheet, by the names the whole program uses. The window
// owns the widgets; this is the address book that the load, the save, the modes and the other
// windows go through (frmMain::ui()).
struct SheetControls {
    // The key of the shown character; never visible.
    QLabel* lblChar_ID = nullptr;

    // Identity, in the order of model::catalogue::kIdentity.
    std::array<QLabel*, model::catalogue::kIdentityCount> Label1{};
    QLabel* lblChar = nullptr;
    QLabel* lblPlayer = nullptr;
    QLabel* lblChronicle = nullptr;
    QLabel* lblNature = nullptr;
    QLabel* lblDemeanor = nullptr;
    QLabel* lblClan = nullptr;
    QLabel* lblGen = nullptr;
    QLabel* lblHaven = nullptr;
    QLabel* lblConcept = nullptr;
    QLineEdit* txtChar = nullptr;
    QLineEdit* txtPlayer = nullptr;
    QLineEdit* txtChronicle = nullptr;
    QLineEdit* txtHaven = nullptr;
    QComboBox* cmbNature = nullptr;
    QComboBox* cmbDemeanor = nullptr;
    QComboBox* cmbClan = nullptr;
    QComboBox* cmbConcept = nullptr;

    // Attributes and abilities.
    std::array<ratings::DotRow*, model::catalogue::kAttributeCount> PBAtt{};
    std::array<QLabel*, model::catalogue::kAttributeCount> lblAttributes{};
    std::array<ratings::DotRow*, model::catalogue::kAbilityCount> PBAbil{};
    std::array<QLabel*, model::catalogue::kAbilityCount> lblAbilities{};

    // Advantages: PBAdv(0..6) disciplines, (7..13) backgrounds, (14..16) virtues.
    std::array<ratings::DotRow*, model::catalogue::kAdvantageCount> PBAdv{};
    std::array<QLabel*, model::catalogue::kSlotCount> lblDisc{};
    std::array<QComboBox*, model::catalogue::kSlotCount> cmbDisciplines{};
    std::array<QLabel*, model::catalogue::kSlotCount> lblBack{};
    std::array<QComboBox*, model::catalogue::kSlotCount> cmbBackGrounds{};
    QLabel* lblConscience = nullptr;
    QComboBox* cmbConscience = nullptr;
    QLabel* lblSelfControl = nullptr;
    QComboBox* cmbSelfControl = nullptr;
    QLabel* lblCourage = nullptr;

    // Humanity, willpower, blood pool.
    ratings::DotRow* pbHum = nullptr;
    QLabel* lblHumanity = nullptr;
    QComboBox* cmbHumanity = nullptr;
    ratings::DotRow* pbWill = nullptr;
    ratings::DotRow* PBCurWill = nullptr;
    std::array<ratings::DotRow*, 5> PBBP{};
    QLabel* lblMaxBP = nullptr;
    QLabel* lblPTBP = nullptr;

    // Health.
    std::array<ratings::HealthBox*, model::catalogue::kHealthCount> HealthBox{};

    // Experience.
    QLabel* lblExpGiven = nullptr;
    QLabel* lblExpSpent = nullptr;
    QLabel* lblExpRemaining = nullptr;
    QPushButton* cmdAddExperience = nullptr;
    QPushButton* cmdMinusExperience = nullptr;
    QPushButton* cmdAddExpSpent = nullptr;
    QPushButton* cmdMinusExpSpent = nullptr;

    // Merits and flaws.
    QListWidget* lstMerit = nullptr;
    QPushButton* cmdAddMerit = nullptr;
    QPushButton* cmdRemoveMerit = nullptr;

    // Dice roller and quick facts.
    QComboBox* cmbDice = nullptr;
    QComboBox* cmbDiff = nullptr;
    QCheckBox* chkSpec = nullptr;
    QPushButton* cmdRoll = nullptr;
    QListWidget* List1 = nullptr;

    // Roster: cmdAdd(0) and cmddelete(0) on "Characters", cmdAdd(1) and cmddelete(2) on "NPCs".
    QLineEdit* txtFind = nullptr; // the roster filter, above the tabs
    QTabWidget* SSTab1 = nullptr;
    QListView* lstChar = nullptr;
    QListView* lstNPC = nullptr;
    Roster* roster = nullptr; // the two lists' models
    std::array<QPushButton*, 2> cmdAdd{};
    std::array<QPushButton*, 3> cmddelete{}; // element 1 does not exist

    // The identity, choice and slot edit controls: shown over their labels in edit mode.
    QList<QWidget*> editControls() const;
    // Shows the edit controls over their labels (true) or hides them so the labels show.
    void setEditControlsVisible(bool visible) const;
    // The Tab order of the sheet: its regions top to bottom, within a region its columns left to
    // right, then the side column. Hidden controls (the edit controls in browse mode) are passed by.
    QList<QWidget*> tabStops() const;
    void orderTabStops() const;
};

} // namespace sheet
