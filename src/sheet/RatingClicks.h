#pragma once

namespace sheet {

class CharacterSheet;

// Setting a rating by clicking its dot row or by a key on it. x is the pointer's position in the
// row's own units, taken when the button goes down. The rows of traits, advantages, willpower and
// humanity change only in edit mode and reach the database with the save; in browse mode the
// sheet says how to edit instead. Current willpower and the blood pool change in either mode and
// are stored at once: the row shows the new value once it is stored, and after a failed write
// keeps the stored one while the user is told why. With no character shown nothing changes.

// The kinds of rating rows; `index` counts within the kind's array of SheetControls.
enum class RatingRow { Attribute, Ability, Advantage, Willpower, Humanity, CurrentWillpower, BloodPool };

// The rating a click or a key asked for, set through the same flow whichever it was.
void setRating(CharacterSheet& sheet, RatingRow row, int index, int value);

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
