#pragma once

namespace app {
class mdlGlobal;
}

namespace sheet {
struct SheetControls;
}

namespace ratings {

// The experience counters of the sheet. The figures live in the captions of lblExpGiven and
// lblExpSpent (read by their leading number, written as plain decimal text); every button
// recomputes lblExpRemaining as given minus spent, which may be negative. A minus button steps
// down only from a figure above 0. The save writes the figures; the buttons never touch the
// database. They act only in edit mode with a character shown.
void cmdAddExperience_Click(app::mdlGlobal& global, const sheet::SheetControls& ui);
void cmdMinusExperience_Click(app::mdlGlobal& global, const sheet::SheetControls& ui);
void cmdAddExpSpent_Click(app::mdlGlobal& global, const sheet::SheetControls& ui);
void cmdMinusExpSpent_Click(app::mdlGlobal& global, const sheet::SheetControls& ui);

} // namespace ratings
