#pragma once

#include "app/Session.h"
#include "db/Database.h"
#include "sheet/SheetControls.h"

#include <optional>

// A save whose every value follows from one round number, so a character read back after a crash
// tells whether it holds one whole round or a mix of two.
namespace rounds {

inline constexpr int kCharacters = 4;
QString characterName(int index);
// Puts round r onto the sheet in edit mode: every trait, chronicle, haven, a new clan and three new disciplines.
void apply(const sheet::SheetControls& ui, int round);
// The round character `key` holds whole, or nothing with what it holds in `why`.
std::optional<int> storedRound(db::Database& database, qint64 key, QString* why);

} // namespace rounds
