#include "ratings/Specialties.h"

#include "app/mdlGlobal.h"
#include "db/Recordset.h"
#include "store/Schema.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlLoadData.h"

#include <QLabel>

namespace ratings {

namespace {

// trait: the position among the 39 traits (attributes first), which fixes the specialty column.
void editSpecialty(app::mdlGlobal& global, const sheet::SheetControls& ui, QLabel* caption, int trait,
                   const QString& title) {
    if (!global.editMode || !global.isConnected())
        return;
    const std::optional<qint64> key = sheet::mdlLoadData::characterKey(ui);
    if (!key)
        return;
    auto rs = global.database->OpenRecordset(QStringLiteral("Select * from Char_Info where Char_ID = %1").arg(*key));
    if (rs->atEOF()) {
        rs->Close();
        return;
    }
    const std::optional<QString> answer = global.services.inputBox(
        QStringLiteral("Enter Specialty for ") + caption->text() + QLatin1Char(':'), title, caption->toolTip());
    if (!answer) {
        rs->Close();
        return;
    }
    rs->Edit();
    rs->setField(model::catalogue::specialtyPosition(trait), answer->isEmpty() ? QVariant() : QVariant(*answer));
    rs->Update();
    rs->Close();
    caption->setToolTip(*answer);
}

} // namespace

void lblAttributes_Click(app::mdlGlobal& global, const sheet::SheetControls& ui, int index) {
    if (index < 0 || index >= model::catalogue::kAttributeCount)
        return;
    editSpecialty(global, ui, ui.lblAttributes[size_t(index)], index, QStringLiteral("Enter Specialty"));
}

void lblAbilities_Click(app::mdlGlobal& global, const sheet::SheetControls& ui, int index) {
    if (index < 0 || index >= model::catalogue::kAbilityCount)
        return;
    editSpecialty(global, ui, ui.lblAbilities[size_t(index)], model::catalogue::kAttributeCount + index,
                  QStringLiteral("Specialization"));
}

} // namespace ratings
