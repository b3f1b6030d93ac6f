#include "store/LookupStore.h"

#include "db/Database.h"

namespace store {

QStringList lookupNames(db::Database& database, const LookupTable& lookup) {
    db::Statement rows(database.connection().handle(),
                       QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                           .arg(QLatin1String(lookup.table), QLatin1String(lookup.sortColumn)));
    int column = -1;
    for (int c = 0; c < rows.columnCount() && column < 0; ++c)
        if (rows.columnName(c).compare(QLatin1String(lookup.nameColumn), Qt::CaseInsensitive) == 0)
            column = c;
    QStringList names;
    while (rows.step())
        names << rows.value(column).toString();
    return names;
}

} // namespace store
