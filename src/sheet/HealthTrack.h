#pragma once

namespace sheet {

class CharacterSheet;

// A click on a health box: the seven states are stored at once, in browse and edit mode alike.
// Without a character or a Health row nothing is written. Throws db::DbError on an engine failure.
void storeHealth(CharacterSheet& sheet);

} // namespace sheet
