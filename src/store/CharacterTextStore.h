#pragma once

#include "store/Journal.h"

#include <QString>
#include <optional>

namespace db {
class Database;
}

// The free-text columns of a character's Char_Info row. The column is one of the program's own
// names (History, Notes, Picture), never text a user typed: it is written into the statement.
namespace store::notes {

// The column as stored now. Null reads as ""; nothing when the character's row is gone.
std::optional<QString> readCharacterText(db::Database& database, qint64 charId, const QString& column);
// False when the character's row is gone.
// Journaled when the text changes.
bool writeCharacterText(db::Database& database, qint64 charId, const QString& column, const QString& text,
                        journal::Batch batch = {QStringLiteral("Text")});

} // namespace store::notes
