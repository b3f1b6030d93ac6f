#pragma once

#include "print/PrintCommands.h"

class QWidget;

namespace app {
class Session;
}
namespace sheet {
class Roster;
}

namespace print {

// Tools, Export Chronicle: asks which characters (player characters, NPCs or both; all of them or,
// while the roster's filter hides some, the ones it shows) and where (one PDF file or a folder of
// HTML pages), then writes them under a progress dialog whose Cancel leaves nothing written.
// Every outcome is told in a message box.
void exportChronicle(app::Session& session, sheet::Roster& roster, const Settle& settle, QWidget* owner);

} // namespace print
