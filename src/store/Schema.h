#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

namespace db {
class Database;
}

namespace store {

namespace schema {

// The main character query: every Char_Info column, then the nature, demeanor, clan and concept
// names. Read those four by place from the end: "Clan" and "Concept" alone name keys of a.*.
// Every character is in it; a key that names no lookup row gives a Null name. It has no WHERE
// clause: callers add their own condition on a.Char_ID.
QString mainCharacterQuery();

// The sixteen tables a Duskledger database holds.
const QStringList& tableNames();

// Creates every table and index in an empty database.
void create(db::Database& database);
// Adds the rows with key 1 that a new character refers to.
void addStarterKeys(db::Database& database);
// Refuses a file that lacks any of the tables or of the columns the program reads, naming it.
void verify(db::Database& database);

} // namespace schema

// Opens a Duskledger database file; a file that is not one is refused (db::DbError).
std::unique_ptr<db::Database> openChronicle(const QString& path, bool exclusive);

// Creates a new, empty Duskledger database at path; an existing file is refused.
void createDatabase(const QString& path);

} // namespace store
