#include "sheet/LookupLists.h"

#include "sheet/SheetControls.h"

#include <QComboBox>

namespace sheet {

const LookupList kLookupLists[6] = {
    {1, {"DemeanorNature", "DEMNAT", "DemNat"}},
    {3, {"Clan", "CLAN", "Clan"}},
    {4, {"Concept", "CONCEPT", "Concept"}},
    {5, {"Discipline_LookUp", "Discipline", "Discipline"}},
    {6, {"BackGround_LookUp", "BackGround", "Background"}},
    {7, {"HumanityPath", "PATH", "Path"}},
};

QList<QComboBox*> lookupCombos(const SheetControls& ui, int list) {
    switch (list) {
    case 1:
        return {ui.cmbNature, ui.cmbDemeanor};
    case 3:
        return {ui.cmbClan};
    case 4:
        return {ui.cmbConcept};
    case 5:
        return {ui.cmbDisciplines.begin(), ui.cmbDisciplines.end()};
    case 6:
        return {ui.cmbBackGrounds.begin(), ui.cmbBackGrounds.end()};
    case 7:
        return {ui.cmbHumanity};
    default:
        return {};
    }
}

LookupNames readLookupLists(db::Database& database) {
    LookupNames names;
    for (const LookupList& entry : kLookupLists)
        names.push_back(store::lookupNames(database, entry.lookup));
    return names;
}

void fillLookupLists(const SheetControls& ui, const LookupNames& names) {
    for (size_t i = 0; i < names.size() && i < std::size(kLookupLists); ++i) {
        for (QComboBox* combo : lookupCombos(ui, kLookupLists[i].list)) {
            combo->clear();
            combo->addItem(QString());
            combo->addItems(names[i]);
        }
    }
}

} // namespace sheet
