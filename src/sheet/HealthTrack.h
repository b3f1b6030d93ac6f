#pragma once

namespace sheet {

class CharacterSheet;

// A box of the health track asked for a state: the shown character's seven states with that box
// changed are stored at once, in browse and edit mode alike; a character without a Health row gets
// one. The boxes then show what is stored: the new states, or after a failed write the old ones,
// and the user is told why. Without a character nothing is written.
void storeHealth(CharacterSheet& sheet, int box, int state);

} // namespace sheet
