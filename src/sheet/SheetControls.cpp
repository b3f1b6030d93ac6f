#include "sheet/SheetControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

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

} // namespace sheet
