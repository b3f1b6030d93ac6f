#pragma once

#include "model/Character.h"

#include <QString>
#include <functional>
#include <vector>

class QPrinter;

namespace db {
class Database;
}

namespace print {

struct PrintedCharacter;

// Told (done, total) as a long export goes on; returning false stops it.
using Progress = std::function<bool(int done, int total)>;

// Writes the printed pages of the character with this key to a PDF file at path. Throws
// db::DbError when the character is not in the database, a query fails or the file cannot be
// written; the file is then left as it was.
void writeCharacterPdf(db::Database& database, model::CharacterKey key, const QString& path);

// Writes the characters, in the order given, to one PDF: contents pages listing each with the page
// it starts on (unless there is only one), then each character from a new page. Characters no longer in the database are left
// out. The file takes the target's place only once complete, so a failure or a stop leaves no half
// file and an earlier file untouched. False when the progress stopped it; failures throw db::DbError.
bool writeChroniclePdf(db::Database& database, const std::vector<model::CharacterKey>& keys, const QString& path,
                       const QString& title, const Progress& progress = {});

// Paints the character's pages on a printer that is ready to print (or to preview).
void printCharacter(const PrintedCharacter& character, QPrinter& printer);

} // namespace print
