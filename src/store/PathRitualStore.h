#pragma once

#include "store/Journal.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace db {
class Database;
}

// The database work of the paths windows and the ritual dialogs. Every lookup by name stays
// within one family (ThaNec), so a name shared by a thaumaturgy and a necromancy entry never
// links a character to the other family's row. Engine failures travel up as db::DbError.
namespace store::rituals {

struct PathEntry {
    QString name;
    int16_t level = 0;
};

struct RitualEntry {
    QString level; // as shown; empty for Null
    QString name;
};

struct RitualInfo {
    qint64 id = 0;
    QString name;
    QString level;       // empty for Null
    QString description; // empty for Null
};

// The family's path names in alphabetical order.
QStringList pathNames(db::Database& database, int thaNec);
// The character's paths of the family, in the order the links were stored.
std::vector<PathEntry> characterPaths(db::Database& database, qint64 key, int thaNec);
// Replaces the character's links to the family's paths by the given ones (names not empty), in one
// transaction. A name the family does not know yet becomes a new path of that family.
void savePaths(db::Database& database, qint64 key, int thaNec, const std::vector<PathEntry>& paths,
               journal::Batch batch = {QStringLiteral("Paths")});

// The character's rituals of the family, in the order the links were stored.
std::vector<RitualEntry> characterRituals(db::Database& database, qint64 key, int thaNec);
// The family's ritual names by level, then name.
QStringList ritualNames(db::Database& database, int thaNec);
// The first ritual of the family with that name.
std::optional<RitualInfo> findRitual(db::Database& database, int thaNec, const QString& name);

// Deletes the first link of the character to the named ritual of the family; false when none exists.
bool removeRitual(db::Database& database, qint64 key, int thaNec, const QString& name,
                  journal::Batch batch = {QStringLiteral("Ritual removed")});

enum class AddOutcome { Added, AlreadyHas };
// Links the named ritual of the family to the character, first storing it as a new ritual with the
// level's leading number when the family does not know it. The description is written to the
// ritual only when given (it was loaded or entered for this ritual); a new ritual without one gets
// an empty description. Nothing is written when the character already has the ritual.
AddOutcome addRitual(db::Database& database, qint64 key, int thaNec, const QString& name, const QString& levelText,
                     const std::optional<QString>& description,
                     journal::Batch batch = {QStringLiteral("Ritual added")});

// Writes the description of the named ritual of the family; false when there is no such ritual.
bool setRitualDescription(db::Database& database, int thaNec, const QString& name, const QString& description);

} // namespace store::rituals
