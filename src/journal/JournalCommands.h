#pragma once

#include <functional>

class QWidget;

namespace app {
class Session;
}
namespace sheet {
class CharacterSheet;
}

// The main window's commands over the change journal.
namespace changelog {

// Undo (Ctrl+Z) takes back the newest batch of the shown character as a new batch; redo takes back
// the newest undo until a new change is made. In edit mode the edits are saved first, so an undo
// right after editing takes back those edits. Nothing to take back does nothing.
void undo(sheet::CharacterSheet& sheet);
void redo(sheet::CharacterSheet& sheet);

// Shows the character again after the journal changed it (it may be gone: then the first one).
void showAfterChange(sheet::CharacterSheet& sheet, long long key);

// A file opened without the journal gets it, once the snapshot taken first exists. True when it
// did (and so took a snapshot of the file as it was opened).
bool addJournalIfMissing(app::Session& session, const std::function<void()>& takeSnapshot);

// Tools > Trim Change History...: asks for a date and drops the older entries, once confirmed and
// after the snapshot.
void trimHistory(app::Session& session, const std::function<void()>& takeSnapshot);

} // namespace changelog
