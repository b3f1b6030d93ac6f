#pragma once

#include <QString>

namespace app {
class mdlGlobal;
}

namespace sheet {

struct SheetControls;

// The roster and the switch from one character to another. Engine failures throw db::DbError.
namespace mdlSwitch {

// Refills lstChar (player not "NPC") and lstNPC (player "NPC") in the order the database returns
// the names, with no name selected. A character whose player is Null is in neither list.
void LoadRoster(app::mdlGlobal& global, const SheetControls& ui);

// Makes the character of that name the shown one (the first the database returns), or the one
// named "New Char" while the new character flag is set (the flag is then cleared). In edit mode
// the shown character is saved first. Ends in browse mode with the roster refilled. False when
// the switch stopped: the save failed (the sheet stays in edit mode), or no character has that
// name any more (the sheet stays on the character it showed). The user has been told either way.
bool SwitchCharacter(app::mdlGlobal& global, const SheetControls& ui, const QString& name);

// Shows no character: an empty sheet in browse mode, the roster refilled.
void showNoCharacter(app::mdlGlobal& global, const SheetControls& ui);

} // namespace mdlSwitch
} // namespace sheet
