#pragma once

#include "model/Character.h"

#include <QString>
#include <map>
#include <optional>
#include <vector>

namespace db {
class Database;
}

// The roster's reads: the characters (player not "NPC", or Null) and the NPCs (player "NPC",
// without regard to case) in key order. A Null name is listed as an empty line.
//
// A chronicle may hold a hundred thousand characters and the roster is refreshed after every
// switch and save, so it is read whole once per connection. Temporary triggers then note every
// character added, renamed, moved between the lists or removed, and a refresh reads just those.
// The notes are rows of a temporary table, so they roll back with the changes they note.
namespace store::roster {

struct Entry {
    model::CharacterKey key = 0;
    QString name;
};

struct Lists {
    std::vector<Entry> characters;
    std::vector<Entry> npcs;
};

// Where a noted character stands now: its name and whether it is an NPC; none when it is gone.
struct Placement {
    QString name;
    bool npc = false;
};
using Changes = std::map<model::CharacterKey, std::optional<Placement>>;

// Both lists, read whole.
Lists readWhole(db::Database& database);
// Starts noting changes on this connection, forgetting earlier notes.
void follow(db::Database& database);
// How many changes are noted.
qint64 notedCount(db::Database& database);
// The noted characters as they stand now; the notes are then forgotten.
Changes takeChanges(db::Database& database);

} // namespace store::roster
