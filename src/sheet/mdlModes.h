#pragma once

namespace app {
class mdlGlobal;
}

namespace sheet {

struct SheetControls;

// Edit mode: the edit controls lie over the labels, every discipline and background row can be
// rated and the six editing buttons work.
namespace mdlEditMode {
// Prepares edit mode and sets the edit mode flag. With no character shown it does nothing.
void EnterEditMode(app::mdlGlobal& global, const SheetControls& ui);
} // namespace mdlEditMode

// Browse mode: the labels show, the editing buttons are off, unrated advantage rows are hidden.
namespace mdlBrowseMode {
// Leaves edit mode. The caller has cleared the edit mode flag. With the just-loaded flag set it
// only clears that flag; otherwise it copies the edit controls into the labels and saves the
// sheet. When the save fails it throws db::DbError with the labels as they were, the edit mode
// flag set again and nothing else changed: the sheet stays in edit mode with the edits intact.
void EnterBrowseMode(app::mdlGlobal& global, const SheetControls& ui);
} // namespace mdlBrowseMode

// The way every command leaves edit mode (Browse, a switch, add, delete, a close, a Tools
// command): clears the flag and enters browse mode, which saves. True when the sheet is in browse
// mode afterwards, also when it already was. When the save fails the user is told what failed,
// the sheet stays in edit mode with the edits on screen, and the result is false: the command
// that asked stops there.
bool leaveEditMode(app::mdlGlobal& global, const SheetControls& ui);

// Before the sheet is given up (window close, Exit, a Tools command): in edit mode asks
// "Save the changes to <name>?". Yes saves as leaving edit mode does; No writes nothing and
// leaves the sheet to the caller, whose close or reload drops the edits; Cancel keeps
// everything. True when the caller may go on.
bool settleEdits(app::mdlGlobal& global, const SheetControls& ui);

// True when a character is shown (a key stands in lblChar_ID).
bool characterShown(const SheetControls& ui);

} // namespace sheet
