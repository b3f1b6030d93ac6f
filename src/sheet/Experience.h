#pragma once

namespace sheet {

class CharacterSheet;

// The experience counters. In edit mode with a character shown, each button steps its figure by
// one (a minus button only from above 0) and remaining becomes given minus spent, which may be
// negative. The save writes the figures; the buttons never touch the database.
void cmdAddExperience_Click(CharacterSheet& sheet);
void cmdMinusExperience_Click(CharacterSheet& sheet);
void cmdAddExpSpent_Click(CharacterSheet& sheet);
void cmdMinusExpSpent_Click(CharacterSheet& sheet);

} // namespace sheet
