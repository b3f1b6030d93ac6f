#pragma once

#include <QStringList>

namespace db {
class Database;
}

namespace store {

// A lookup table as the sheet's choice lists show it.
struct LookupTable {
    const char* table;
    const char* sortColumn; // as the ORDER BY names it
    const char* nameColumn; // the column shown
};

// Every name of the table in the order of its sort column.
QStringList lookupNames(db::Database& database, const LookupTable& lookup);

} // namespace store
