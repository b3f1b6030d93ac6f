#pragma once

#include <QString>
#include <optional>

namespace app {
class mdlGlobal;
}
namespace db {
class Database;
}
namespace sheet {
struct SheetControls;
}

// A save whose every written value follows from one round number, so a character read back
// after a crash tells whether it holds one whole round or a mix of two.
namespace rounds {

inline constexpr int kCharacters = 4;
QString characterName(int index);

// Puts round r onto the sheet in edit mode: every attribute and ability, chronicle, haven, a clan
// name new to the lookup table, and three disciplines (new names, levels).
void apply(app::mdlGlobal& global, const sheet::SheetControls& ui, int round);

// The round character `key` holds whole, or nothing with the mismatch in `why`.
std::optional<int> storedRound(db::Database& database, qint64 key, QString* why);

} // namespace rounds
