#pragma once

#include <optional>

namespace app {
class mdlGlobal;
}

namespace sheet {
struct SheetControls;
}

namespace ratings {

class DotRow;

// Setting a rating by clicking its dot row on the sheet. x is the pointer's position in the row's
// own units, taken when the button goes down; one dot is a tenth of the row's ten-dot width. The
// dot rows of traits, advantages, willpower and humanity change only in edit mode and reach the
// database with the save; current willpower and the blood pool change in either mode and are
// written at once. With no character shown nothing changes. The immediate writes throw
// db::DbError on an engine failure: call them inside app::guarded.

void PBAtt_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x);
void PBAbil_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x);
// Background rows whose chosen background is "Generation" also set the generation, the maximum
// blood pool and the blood per turn.
void PBAdv_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x);
void pbWill_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int x);
void pbHum_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int x);
void PBCurWill_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int x);
// Rows before the clicked one fill, rows after it empty; the total is stored.
void PBBP_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x);

// The value a click at x gives a row: the dot under the pointer (1 to 10, a click right of the
// last dot counting as the last), except that the first dot of a row showing 1 clears it to 0.
// Nothing when the row is too narrow to hold ten dots.
std::optional<int> clickedValue(const DotRow& row, int x);

} // namespace ratings
