#include "sheet/mdlSwitch.h"

#include "app/Services.h"
#include "app/mdlGlobal.h"
#include "db/Recordset.h"
#include "store/Schema.h"
#include "db/Sql.h"
#include "sheet/Roster.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlLoadData.h"
#include "sheet/mdlModes.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <utility>

namespace sheet::mdlSwitch {

namespace {

const QString kNewCharacter = QStringLiteral("New Char");

std::unique_ptr<db::Recordset> openCharacters(app::mdlGlobal& global, const QString& condition) {
    return global.database->OpenRecordset(store::schema::mainCharacterQuery() + QStringLiteral(" AND ") + condition,
                                          QStringLiteral("Char_Info"));
}

// Puts a new character recordset in place of the old one and shows its first row (or nothing),
// in browse mode; the just-loaded flag keeps that browse mode from saving.
void showRecordset(app::mdlGlobal& global, const SheetControls& ui, std::unique_ptr<db::Recordset> rs) {
    if (global.characterRecordset)
        global.characterRecordset->Close();
    global.characterRecordset = std::move(rs);
    global.editMode = false;
    global.justLoaded = true;
    const db::Recordset& current = *global.characterRecordset;
    ui.lblChar_ID->setText(current.atEOF() ? QString() : current.Fields(QStringLiteral("Char_ID")).toString());
    LoadRoster(global, ui);
    mdlLoadData::LoadCharacter(global, ui);
    mdlBrowseMode::EnterBrowseMode(global, ui);
}

} // namespace

void LoadRoster(app::mdlGlobal& global, const SheetControls& ui) {
    for (QListView* list : {ui.lstChar, ui.lstNPC})
        list->selectionModel()->clear();
    ui.roster->refresh(global.isConnected() ? global.database.get() : nullptr);
}

bool SwitchCharacter(app::mdlGlobal& global, const SheetControls& ui, const QString& name) {
    if (!global.isConnected())
        return false;
    app::WaitCursor wait(global.services);
    if (!leaveEditMode(global, ui))
        return false;
    const QString wanted = std::exchange(global.newCharacter, false) ? kNewCharacter : name;
    auto rs = openCharacters(global, QStringLiteral("Name = ") + db::sqlText(wanted));
    if (rs->atEOF()) {
        // Deleted or renamed meanwhile: the old recordset and the sheet stay as they are.
        rs->Close();
        global.services.messageBox(QStringLiteral("The character ") + wanted +
                                       QStringLiteral(" is not in the database any more."),
                                   app::Buttons::OK, app::Icon::Exclamation);
        LoadRoster(global, ui);
        return false;
    }
    showRecordset(global, ui, std::move(rs));
    return true;
}

void showNoCharacter(app::mdlGlobal& global, const SheetControls& ui) {
    if (!global.isConnected())
        return;
    app::WaitCursor wait(global.services);
    showRecordset(global, ui, openCharacters(global, QStringLiteral("1 = 0")));
}

} // namespace sheet::mdlSwitch
