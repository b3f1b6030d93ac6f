#include "sheet/SheetControls.h"

#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace sheet {

QList<QWidget*> SheetControls::editControls() const {
    QList<QWidget*> controls = {txtChar, txtPlayer,  txtChronicle,  txtHaven,       cmbNature,  cmbDemeanor,
                                cmbClan, cmbConcept, cmbConscience, cmbSelfControl, cmbHumanity};
    for (QComboBox* combo : cmbDisciplines)
        controls << combo;
    for (QComboBox* combo : cmbBackGrounds)
        controls << combo;
    return controls;
}

void SheetControls::setEditControlsVisible(bool visible) const {
    for (QWidget* control : editControls())
        control->setVisible(visible);
}

QList<QWidget*> SheetControls::tabStops() const {
    namespace catalogue = model::catalogue;
    QList<QWidget*> stops = {txtChar, txtPlayer, txtChronicle, cmbNature, cmbDemeanor, cmbClan, txtHaven, cmbConcept};
    for (const catalogue::TraitGroup& group : catalogue::kAttributeGroups)
        for (int k = 0; k < group.count; ++k)
            stops << PBAtt[size_t(group.first + k)];
    for (const catalogue::TraitGroup& group : catalogue::kAbilityGroups)
        for (int k = 0; k < group.count; ++k)
            stops << PBAbil[size_t(group.first + k)];
    for (int k = 0; k < catalogue::kSlotCount; ++k)
        stops << cmbDisciplines[size_t(k)] << PBAdv[size_t(catalogue::disciplineRow(k))];
    for (int k = 0; k < catalogue::kSlotCount; ++k)
        stops << cmbBackGrounds[size_t(k)] << PBAdv[size_t(catalogue::backgroundRow(k))];
    stops << cmbConscience << PBAdv[catalogue::kConscience] << cmbSelfControl << PBAdv[catalogue::kSelfControl]
          << PBAdv[catalogue::kCourage];
    stops << lstMerit << cmdAddMerit << cmdRemoveMerit << cmbHumanity << pbHum << pbWill << PBCurWill;
    for (ratings::DotRow* row : PBBP)
        stops << row;
    stops << cmdMinusExperience << cmdAddExperience << cmdMinusExpSpent << cmdAddExpSpent;
    for (ratings::HealthBox* box : HealthBox)
        stops << box;
    stops << cmbDice << cmbDiff << chkSpec << cmdRoll << List1 << txtFind << SSTab1 << lstChar << lstNPC;
    return stops;
}

void SheetControls::orderTabStops() const {
    const QList<QWidget*> stops = tabStops();
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

} // namespace sheet
