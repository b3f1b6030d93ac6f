#pragma once

#include "model/Character.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
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
// character added, removed, or changed in a column the roster lists or finds by (including a
// looked-up name it shows), and a refresh reads just those. The notes are rows of a temporary
// table, so they roll back with the changes they note.
//
// Each entry carries its character's searchable text, folded once as it is read, so finding
// among a hundred thousand characters is a scan of memory rather than a query per keystroke
// (RosterSearch.h).
namespace store::roster {

// The fields a character is found by, in this order within its searchable text.
enum class Field { Name, Player, Chronicle, Clan, Concept, Nature, Demeanor };

struct Entry {
    model::CharacterKey key = 0;
    QString name;
    // The folded fields in UTF-8, one per line in Field order; lines hold no other line break.
    // UTF-8 halves the memory and the bytes a search reads.
    QByteArray searchText;
};

struct Lists {
    std::vector<Entry> characters;
    std::vector<Entry> npcs;
};

// Where a noted character stands now: its entry and whether it is an NPC; none when it is gone.
struct Placement {
    Entry entry;
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

// What tells a character apart beside its name: its player, clan and concept as the sheet shows
// them, those not empty joined by " · ". Empty when the character is gone.
QString details(db::Database& database, model::CharacterKey key);

} // namespace store::roster
