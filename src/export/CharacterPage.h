#pragma once

#include <QString>

namespace db {
class Database;
}

namespace exporter {

// The address the page's footer names, twice.
inline const QString kContactAddress = QStringLiteral("gamemaster@duskledger.invalid");

// The HTML page of the character with this key, every line ended by CR LF (line breaks inside
// the notes and the history stay as stored). Reads only the database and changes nothing.
// A nature, demeanor, clan or concept key that names no row gives an empty field. Throws
// db::DbError when the key is not a character key, when no character has it, when a rating
// cannot be read as a number, or when a query fails.
QString characterPage(db::Database& database, const QString& key);

} // namespace exporter
