#pragma once

namespace sheet {

class CharacterSheet;

// A click on the caption of attribute i or ability j, in edit mode: asks for the trait's specialty,
// preset with the current one, and stores it at once. Cancel keeps the specialty; an empty answer
// clears it (stored as Null). Outside edit mode, with no character shown, or when the character's
// row is gone nothing is asked. Throws db::DbError on an engine failure.
void lblAttributes_Click(CharacterSheet& sheet, int index);
void lblAbilities_Click(CharacterSheet& sheet, int index);

} // namespace sheet
