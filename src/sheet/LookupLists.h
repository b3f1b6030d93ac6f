#pragma once

#include <QList>
#include <QString>

class QComboBox;

namespace app {
class mdlGlobal;
}

namespace sheet {

struct SheetControls;

// The lookup lists of the edit-mode combo boxes.
struct LookupList {
    int list;               // the number FillLookupList is called with
    const char* table;      // lookup table
    const char* sortColumn; // as the ORDER BY names it
    const char* nameColumn; // the column shown
};
// In the order the window's loading fills them: 1, 3, 4, 5, 6, 7.
extern const LookupList kLookupLists[6];

// The combo boxes a list number fills (both nature and demeanor for 1, all seven slots for 5
// and 6); empty for any other number.
QList<QComboBox*> lookupCombos(const SheetControls& ui, int list);

// Fills the combo boxes of list from table: a blank first entry, then every name in the order of
// the SQL; the blank entry is then the current one. An unknown list number does nothing.
// Throws db::DbError on an engine failure.
void FillLookupList(app::mdlGlobal& global, const SheetControls& ui, const QString& table, int list);

// All six lists, in the loading order.
void fillAllLookupLists(app::mdlGlobal& global, const SheetControls& ui);

} // namespace sheet
