#include "sheet/mdlAddDelete.h"

#include "app/Services.h"
#include "app/mdlGlobal.h"
#include "db/Database.h"
#include "store/Schema.h"
#include "sheet/Roster.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlLoadData.h"
#include "sheet/mdlModes.h"
#include "sheet/mdlSwitch.h"

#include <QLabel>
#include <optional>

namespace sheet::mdlAddDelete {

namespace {

// Every table that holds rows of a character, the character's own row first.
const char* const kCharacterTables[] = {"Char_Info",      "Health",    "Discipline_Link", "BackGround_Link",
                                        "MeritFlaw_Link", "Path_Link", "Ritual_Link"};

// Adds the blank character and its Health row together; returns the new key.
qint64 insertNewCharacter(db::Database& database) {
    db::Transaction transaction(database);
    auto rs = database.OpenRecordset(QStringLiteral("Select * from char_info where Char_ID = 0"));
    rs->AddNew();
    rs->setField(QStringLiteral("Name"), QStringLiteral("New Char"));
    for (const char* lookup : {"Demeanor", "Nature", "Clan", "Concept"})
        rs->setField(QLatin1String(lookup), 1);
    rs->setField(QStringLiteral("BloodPool"), 0);
    rs->setField(QStringLiteral("Cur_WillPower"), 0);
    rs->Update();
    rs->MoveLast();
    const qint64 key = rs->Fields(QStringLiteral("Char_ID")).toLongLong();
    rs->Close();

    auto health = database.OpenRecordset(QStringLiteral("Select * from Health where Char_ID = 0"));
    health->AddNew();
    health->setField(QStringLiteral("Char_ID"), key);
    // Empty boxes whatever defaults the file's table carries.
    for (int level = 0; level < model::catalogue::kHealthCount; ++level)
        health->setField(QStringLiteral("Health%1").arg(level), 1);
    health->Update();
    health->Close();
    transaction.commit();
    return key;
}

void deleteCharacterRows(db::Database& database, qint64 key) {
    db::Transaction transaction(database);
    for (const char* table : kCharacterTables)
        database.Execute(QStringLiteral("DELETE FROM %1 WHERE Char_ID = ?").arg(QLatin1String(table)), {key});
    transaction.commit();
}

std::optional<QString> lastEntry(const RosterModel* list) {
    if (list->entries().empty())
        return std::nullopt;
    return list->entries().back().name;
}

} // namespace

void cmdAdd_Click(app::mdlGlobal& global, const SheetControls& ui) {
    if (!global.isConnected() || !leaveEditMode(global, ui))
        return;
    insertNewCharacter(*global.database);
    global.newCharacter = true;
    if (mdlSwitch::SwitchCharacter(global, ui, QStringLiteral(" ")))
        mdlEditMode::EnterEditMode(global, ui);
}

void cmddelete_Click(app::mdlGlobal& global, const SheetControls& ui, int index) {
    const auto key = mdlLoadData::characterKey(ui);
    if (!global.isConnected() || !key || !leaveEditMode(global, ui))
        return;
    const QString name = ui.lblChar->text();
    if (global.services.messageBox(QStringLiteral("You are about to remove the character ") + name +
                                       QStringLiteral(". Are you Sure?"),
                                   app::Buttons::YesNo, app::Icon::Question) != app::Answer::Yes)
        return;
    deleteCharacterRows(*global.database, *key);

    // The roster drops the removed character (by key, so a namesake stays listed).
    mdlSwitch::LoadRoster(global, ui);
    RosterModel* list = index == 0 ? ui.roster->characters() : ui.roster->npcs();
    RosterModel* other = index == 0 ? ui.roster->npcs() : ui.roster->characters();
    std::optional<QString> next = lastEntry(list);
    if (!next)
        next = lastEntry(other);
    // The sheet must not stay on the removed character.
    if (!next || !mdlSwitch::SwitchCharacter(global, ui, *next))
        mdlSwitch::showNoCharacter(global, ui);
}

} // namespace sheet::mdlAddDelete
