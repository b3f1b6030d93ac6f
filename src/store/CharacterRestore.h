#pragma once

#include "model/Character.h"

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace store {

// Where a character brought back from a snapshot goes: under its own key (replacing the
// character of that key, or bringing a deleted one back), or as a new character.
enum class RestoreAs { SameKey, NewCharacter };

struct RestoreResult {
    model::CharacterKey key = 0;
    QStringList addedNames; // looked-up names the open file did not have
};

// Copies one character of a snapshot file into the open database with everything that is its
// own: its row (history, notes and picture path included), health, disciplines, backgrounds,
// merits and flaws, paths and rituals. Looked-up rows are matched by name, without regard to
// case; a name the open file lacks is added with what the snapshot knows of it. All or nothing;
// throws db::DbError, also when the snapshot holds no such character.
RestoreResult restoreCharacter(db::Database& current, const QString& snapshotPath, model::CharacterKey key,
                               RestoreAs as);

} // namespace store
