#pragma once

namespace sheet {

class CharacterSheet;

// A click on the caption of attribute i or ability j, in edit mode: asks for the trait's specialty,
// preset with the current one, and stores it at once. Cancel keeps the specialty; an empty answer
// clears it (stored as Null). A write that fails keeps the old specialty and tells the user why.
// Outside edit mode or with no character shown nothing is asked.
void lblAttributes_Click(CharacterSheet& sheet, int index);
void lblAbilities_Click(CharacterSheet& sheet, int index);

} // namespace sheet
