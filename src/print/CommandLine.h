#pragma once

#include <QStringList>

namespace print {

// Whether the program's arguments ask for an export without a window:
//   duskledger --export-pdf OUT.pdf [--character NAME]... FILE
//   duskledger --export-html FOLDER [--character NAME]... FILE
bool isExportCommand(int argc, char** argv);

// Runs the export the arguments ask for (arguments()[0] is the program). Reads FILE, writes the
// named characters (all of them, player characters first, when none is named) and touches neither
// the settings file nor FILE. Returns the exit code: 0 when written; otherwise the reason is on
// standard error, nothing is written, and the code is 2 for arguments that make no command and
// 1 for any other failure (an unknown character, a file that cannot be opened or is in use by a
// running Duskledger, an output that cannot be written).
int runExportCommand(const QStringList& arguments, const QString& programFolder);

} // namespace print
