#pragma once

#include "store/LookupStore.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QComboBox;

namespace db {
class Database;
}

namespace sheet {

struct SheetControls;

// The lookup lists of the edit-mode combo boxes.
struct LookupList {
    int list; // the number FillLookupList is called with
    store::LookupTable lookup;
};
// In the order the window's loading fills them: 1, 3, 4, 5, 6, 7.
extern const LookupList kLookupLists[6];

// The combo boxes a list number fills (both nature and demeanor for 1, all seven slots for 5
// and 6); empty for any other number.
QList<QComboBox*> lookupCombos(const SheetControls& ui, int list);

// The names of each list of kLookupLists, in its order: read first, so a failing query changes
// no list. Throws db::DbError on an engine failure.
using LookupNames = std::vector<QStringList>;
LookupNames readLookupLists(db::Database& database);

// Fills the combo boxes of each list: a blank first entry, then the names; the blank entry is then
// the current one.
void fillLookupLists(const SheetControls& ui, const LookupNames& names);

} // namespace sheet
