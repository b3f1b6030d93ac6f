#include "sheet/LookupLists.h"

#include "app/mdlGlobal.h"
#include "sheet/SheetControls.h"

#include <QComboBox>

namespace sheet {

const LookupList kLookupLists[6] = {
    {1, "DemeanorNature", "DEMNAT", "DemNat"},
    {3, "Clan", "CLAN", "Clan"},
    {4, "Concept", "CONCEPT", "Concept"},
    {5, "Discipline_LookUp", "Discipline", "Discipline"},
    {6, "BackGround_LookUp", "BackGround", "Background"},
    {7, "HumanityPath", "PATH", "Path"},
};

namespace {
const LookupList* findList(int list) {
    for (const LookupList& entry : kLookupLists)
        if (entry.list == list)
            return &entry;
    return nullptr;
}
} // namespace

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

void FillLookupList(app::mdlGlobal& global, const SheetControls& ui, const QString& table, int list) {
    const LookupList* entry = findList(list);
    if (!entry)
        return;
    // Read everything first, so a failing query leaves the lists as they were.
    auto rs = global.database->OpenRecordset(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY ") +
                                             QLatin1String(entry->sortColumn));
    QStringList names{QString()};
    for (; !rs->atEOF(); rs->MoveNext())
        names << rs->Fields(QLatin1String(entry->nameColumn)).toString();
    rs->Close();

    for (QComboBox* combo : lookupCombos(ui, list)) {
        combo->clear();
        combo->addItems(names);
    }
}

void fillAllLookupLists(app::mdlGlobal& global, const SheetControls& ui) {
    for (const LookupList& entry : kLookupLists)
        FillLookupList(global, ui, QString::fromLatin1(entry.table), entry.list);
}

} // namespace sheet
