#pragma once

#include <QString>
#include <optional>

namespace app {
class mdlGlobal;
}

namespace sheet {

struct SheetControls;

// Loading the current character into the sheet. The caller has positioned the character
// recordset on the character and put its Char_ID into lblChar_ID; columns of the character's own
// row come from the recordset, everything else from queries keyed by lblChar_ID. Loading does
// not change the mode. Each procedure throws db::DbError on an engine failure.
namespace mdlLoadData {

// Every display control of the sheet. With no character (an empty database, no connection) the
// sheet is emptied instead and its health boxes are switched off.
void LoadCharacter(app::mdlGlobal& global, const SheetControls& ui);
// Disciplines and backgrounds (the first seven links each, level-0 links skipped, empty slots
// hidden) and the three virtues.
void LoadAdvantages(app::mdlGlobal& global, const SheetControls& ui);
// The name of the humanity or path (empty when the character's Path matches no row) and its dots.
void LoadHumanity(app::mdlGlobal& global, const SheetControls& ui);
// Permanent and current willpower.
void LoadWillpower(app::mdlGlobal& global, const SheetControls& ui);
// The merit list: name, one blank, points; each line carries its MeritFlaw_ID as item data.
void LoadMerits(app::mdlGlobal& global, const SheetControls& ui);

// Shows no character: empty texts, no dots, empty boxes, no merits.
void clearSheet(app::mdlGlobal& global, const SheetControls& ui);

// The key in lblChar_ID as a number, or nothing when no character is shown. Only this number
// goes into SQL texts.
std::optional<qint64> characterKey(const SheetControls& ui);

} // namespace mdlLoadData
} // namespace sheet
