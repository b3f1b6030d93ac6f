#pragma once

class QObject;

namespace sheet {

class CharacterSheet;

// Connects the sheet's rating controls to their handlers: every dot row's button-down (and the
// second press of a double-click, which arrives only as a double-click), the health boxes, the
// four experience buttons and left-button presses on the attribute and ability captions. Each
// handler runs inside app::guarded. The connections live as long as context (the main window);
// the sheet must outlive it.
void connectSheetRatings(CharacterSheet& sheet, QObject* context);

} // namespace sheet
