#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace db {
class Database;
}

namespace exporter {

// Told (done, total) as a long export goes on; returning false stops it.
using Progress = std::function<bool(int done, int total)>;

// Writes a folder of pages: each character's page as File, Export to HTML writes it (the file
// named after the character), an index.html linking them in the order given, and the bitmaps
// the pages use, copied from the program's folder. The folder is made when missing. Everything is
// written to a temporary folder inside it first and moved in once complete, so a failure or a stop
// leaves the folder as it was; pages and the index replace files of their names, a bitmap of the
// same name already there stays. Characters no longer in the database are left out. False when the
// progress stopped it; failures throw db::DbError.
bool writeChronicleHtml(db::Database& database, const std::vector<qint64>& keys, const QString& folder,
                        const QString& programFolder, const QString& title, const Progress& progress = {});

// The page file names for these character names, in order: the name without the characters file
// systems refuse, ".html" added, made unique without regard to case; never "index.html".
std::vector<QString> pageFileNames(const std::vector<QString>& names);

} // namespace exporter
