#pragma once

#include <QString>

namespace app {
class Session;
}

namespace sheet {

// File, Export to HTML: asks for the file name and writes the shown character's page there, then
// copies the bitmaps the page uses from the program's folder beside it (never over a file there).
// With no character shown it says so and asks nothing. Every outcome is told in a message box
// titled "Duskledger".
void mnuFileExport_Click(app::Session& session);

} // namespace sheet
