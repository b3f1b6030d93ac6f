#pragma once

#include <QString>
#include <optional>

namespace db {
class Database;
}

namespace notes {

// One text column (History, Notes, Picture) of a character's Char_Info row, as stored now.
// Null reads as ""; nothing when the character's row is gone.
std::optional<QString> readCharacterText(db::Database& database, qint64 charId, const QString& column);
// False when the character's row is gone.
bool writeCharacterText(db::Database& database, qint64 charId, const QString& column, const QString& text);

} // namespace notes
