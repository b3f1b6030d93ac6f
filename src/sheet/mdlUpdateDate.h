#pragma once

namespace app {
class mdlGlobal;
}

namespace sheet {

struct SheetControls;

namespace mdlUpdateDate {
// Writes everything the sheet shows for the shown character (ui.lblChar_ID) back to the database,
// in one transaction. Throws db::DbError when any statement fails; nothing of the save is kept then.
void UpdateData(app::mdlGlobal& global, const SheetControls& ui);
} // namespace mdlUpdateDate

} // namespace sheet
