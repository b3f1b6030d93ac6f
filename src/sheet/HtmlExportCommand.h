#pragma once

#include <QString>

namespace app {
class mdlGlobal;
}

namespace exporter {

// File, Export to HTML: asks for the file name and writes the shown character's page there.
// key is the caption of lblChar_ID; with no character shown (empty key) or no open database it
// says so and asks nothing. Every outcome is told in a message box titled "Duskledger".
void mnuFileExport_Click(app::mdlGlobal& global, const QString& key);

} // namespace exporter
