#pragma once

namespace app {
class mdlGlobal;
}

namespace sheet {

struct SheetControls;

// The roster's add and delete buttons. Engine failures throw db::DbError; nothing of a failed
// add or delete is kept.
namespace mdlAddDelete {

// cmdAdd(0) and cmdAdd(1): pending edits of the shown character are saved first (a failed save
// stops here); then a blank "New Char" with its Health row is added, shown, and put in edit mode.
void cmdAdd_Click(app::mdlGlobal& global, const SheetControls& ui);

// cmddelete(index): 0 stands with lstChar, any other index with lstNPC. Pending edits are saved
// first; after the user confirms, every row of the character goes in one transaction and the
// last entry of that list is shown (of the other list when it is empty, no character when both
// are). With no character shown it does nothing.
void cmddelete_Click(app::mdlGlobal& global, const SheetControls& ui, int index);

} // namespace mdlAddDelete
} // namespace sheet
