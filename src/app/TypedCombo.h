#pragma once

class QComboBox;

namespace app {

// Makes combo an editable list that keeps exactly the text the user types. Qt's completion would
// finish "Glass" as a listed "Glasswalk" (or cover the window with a suggestion popup that eats
// the next click), so there is none: the drop-down list is the way to pick a listed name. Return
// never adds the typed text to the list; a name reaches a list only through its lookup table,
// which compares names without regard to case.
void keepTypedText(QComboBox& combo);

} // namespace app
