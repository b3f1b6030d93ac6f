#pragma once

namespace sheet {

class CharacterSheet;

// Setting a rating by clicking its dot row. x is the pointer's position in the row's own units,
// taken when the button goes down. The rows of traits, advantages, willpower and humanity change
// only in edit mode and reach the database with the save; current willpower and the blood pool
// change in either mode and are stored at once: the row shows the new value once it is stored,
// and after a failed write keeps the stored one while the user is told why. With no character
// shown nothing changes.

void PBAtt_MouseDown(CharacterSheet& sheet, int index, int x);
void PBAbil_MouseDown(CharacterSheet& sheet, int index, int x);
// Background rows whose chosen background is "Generation" also set the generation, the maximum
// blood pool and the blood per turn.
void PBAdv_MouseDown(CharacterSheet& sheet, int index, int x);
void pbWill_MouseDown(CharacterSheet& sheet, int x);
void pbHum_MouseDown(CharacterSheet& sheet, int x);
void PBCurWill_MouseDown(CharacterSheet& sheet, int x);
// Rows before the clicked one fill, rows after it empty; the total is stored.
void PBBP_MouseDown(CharacterSheet& sheet, int index, int x);

} // namespace sheet
