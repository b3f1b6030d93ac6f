#pragma once

namespace app {
class mdlGlobal;
}

namespace sheet {
struct SheetControls;
}

namespace ratings {

// A click on the caption of attribute i or ability j, in edit mode: asks for the trait's specialty,
// preset with the one shown in the caption's tooltip, and writes it to the character's specialty
// column at once. Cancel keeps the specialty; an empty answer clears it (stored as Null). Outside
// edit mode, with no character shown, or when the character's row is gone nothing is asked.
// Throws db::DbError on an engine failure: call it inside app::guarded.
void lblAttributes_Click(app::mdlGlobal& global, const sheet::SheetControls& ui, int index);
void lblAbilities_Click(app::mdlGlobal& global, const sheet::SheetControls& ui, int index);

} // namespace ratings
