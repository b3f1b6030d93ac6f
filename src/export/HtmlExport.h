#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace exporter {

// Writes the page of the character with this key to path, in Windows-1252. The page is built
// first and written to a temporary file beside the target, which replaces the target only once
// it is complete: a failure leaves no half-written page and any earlier file untouched.
// Throws db::DbError naming the problem (no such character, a value that is not a number, a
// file that cannot be written). Returns the files the page's pictures name (referencedFiles).
QStringList writeCharacterHtml(db::Database& database, const QString& key, const QString& path);

} // namespace exporter
