#pragma once

#include "model/Character.h"
#include "store/PathRitualStore.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace db {
class Database;
}

namespace print {

// Everything the printed sheet shows of one character, read in one go.
struct PrintedCharacter {
    model::Character character;
    // Thaumaturgy first, then necromancy.
    std::array<std::vector<store::rituals::PathEntry>, 2> paths;
    std::array<std::vector<store::rituals::RitualEntry>, 2> rituals;
    QString history;
    QString notes;
    QString picture; // the stored path, empty for none
};

// The character with this key; nothing when no row has it. Engine failures throw db::DbError.
std::optional<PrintedCharacter> loadPrinted(db::Database& database, model::CharacterKey key);

} // namespace print
