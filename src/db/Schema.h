#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace db {

class Database;

namespace schema {

// The 39 trait ratings in column order: nine attributes, then thirty abilities. Each rating
// column is followed directly by its specialty column (name + "_Spec").
inline constexpr int kAttributeCount = 9;
inline constexpr int kAbilityCount = 30;
inline constexpr int kTraitCount = kAttributeCount + kAbilityCount;
extern const std::array<const char*, kTraitCount> kTraitColumns;

// Zero-based positions in Char_Info (and in the main character query, which starts with it).
inline constexpr int kFirstTraitPosition = 11;
inline constexpr int ratingPosition(int trait) {
    return kFirstTraitPosition + 2 * trait;
}
inline constexpr int specialtyPosition(int trait) {
    return ratingPosition(trait) + 1;
}

inline constexpr int kHealthLevels = 7;

// The query behind the character recordset: every Char_Info column, then the nature, demeanor,
// clan and concept names, addressed as "b.DemNat", "c.DemNat", "d.Clan" and "e.concept".
QString mainCharacterQuery();

// The sixteen tables a Duskledger database holds.
const QStringList& tableNames();

// Creates every table and index in an empty database.
void create(Database& database);
// Adds the rows with key 1 that a new character refers to.
void addStarterKeys(Database& database);
// Refuses a file that lacks any of the tables.
void verify(Database& database);

} // namespace schema

// Creates a new, empty Duskledger database at path; an existing file is refused.
void createDatabase(const QString& path);

} // namespace db
