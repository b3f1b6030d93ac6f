#pragma once

#include "model/Character.h"
#include "sheet/ShownHistory.h"
#include "store/CharacterStore.h"

#include <QString>
#include <functional>
#include <optional>

namespace app {
class Session;
}

namespace sheet {

struct SheetControls;

// The sheet's flows over the session: opening a file, switching, the two modes (leaving edit
// mode is the save), adding and deleting. It keeps the shown character as a value; the binding
// puts it on the widgets. Engine failures raise db::DbError for the handler to report; expected
// failures are told to the user here and come back as results.
class CharacterSheet {
public:
    CharacterSheet(app::Session& session, const SheetControls& ui);

    // Opens the file in place of the current one, fills the lookup lists and shows its first
    // character in browse mode. Throws db::DbError when the file cannot be opened or read; the
    // session and the sheet are then as they were.
    void open(const QString& path);

    // Shows that character in browse mode, saving the shown one first in edit mode. False when the
    // switch stopped: the save failed (the sheet stays in edit mode), or the character is gone
    // (the sheet stays where it was). The user has been told either way.
    bool switchTo(model::CharacterKey key);
    // An empty sheet in browse mode.
    void showNone();
    // Switches to the character shown before (after) the current one in this session, passing
    // over deleted ones. False when there is none or the switch stopped.
    bool goBack();
    bool goForward();
    bool canGoBack() const;
    bool canGoForward() const;

    // With a character shown: edit controls over the captions, every slot's dots, the editing
    // buttons on.
    void enterEditMode();
    // Saves and returns to browse mode. True when the sheet is in browse mode afterwards (also
    // when it already was); false when the save failed: the user was told, the sheet stays in edit
    // mode with the edits on screen.
    bool leaveEditMode();
    // Before the sheet is given up (close, Exit, a Tools command) in edit mode: asks whether to
    // save. Yes saves; No leaves the edits to be dropped by the caller; Cancel keeps everything.
    // True when the caller may go on.
    bool settleEdits();

    // A character brought back from a snapshot, once the edits were settled: the lookup lists are
    // read again (it may have added names) and it is shown in browse mode.
    void showRestored(model::CharacterKey key);
    // Called once the user confirmed a delete, before anything is removed.
    void beforeDeleting(std::function<void()> keep) { m_beforeDeleting = std::move(keep); }

    // cmdAdd: a blank "New Char", shown in edit mode.
    void addCharacter();
    // cmddelete(index): after the user confirms, the shown character goes, and the last entry of
    // its list (0: lstChar, otherwise lstNPC) is shown, else of the other list, else nothing.
    void deleteCharacter(int index);

    // Refills the roster lists with nothing selected.
    void refreshRoster();
    // Reads the shown character's merits again after a merit was added or removed. The list keeps
    // the line the merit command wrote ("name  points" for an added one) until the next load.
    void refreshMerits();

    // After a write made at once: true when it was made; otherwise the user is told that `what`
    // ("The blood pool") of the shown character could not be stored, and why.
    bool stored(const QString& what, const store::WriteResult& result);

    // What the window shows beside the sheet: the mode (whenever it is shown anew, also after
    // opening a file), each save of the shown character (edit mode's or a write made at once),
    // a passing hint. Unset ones are skipped.
    struct Notices {
        std::function<void()> modeShown;
        std::function<void()> saved;
        std::function<void(const QString&)> hint;
        // Another character (or none) is on the sheet.
        std::function<void()> shown;
    };
    // Each listener sets the notices it wants.
    Notices& notices() { return m_notices; }
    void hint(const QString& text) const;

    app::Session& session() const { return m_session; }
    const SheetControls& ui() const { return m_ui; }
    // The shown character with the edits that live outside the widgets (experience, generation),
    // and the immediate writes already stored.
    model::Character& character() { return m_character; }

private:
    // The character (or none) in browse mode, with its merits and the roster refreshed.
    void show(const std::optional<model::Character>& character);
    // The browse-mode look: editors hidden, editing buttons off, unrated slots hidden.
    void showBrowseMode();
    // The shown character's name as the sheet shows it, typed but not yet saved in edit mode.
    QString shownName() const;
    // The shown character's name is marked in its list, which comes to the front scrolled to it.
    void markInRoster();
    // Whether a character of the history is still in the file.
    ShownHistory::Exists listed() const;
    bool goThroughHistory(std::optional<model::CharacterKey> (ShownHistory::*step)(const ShownHistory::Exists&));

    app::Session& m_session;
    const SheetControls& m_ui;
    model::Character m_character;
    ShownHistory m_history;
    std::function<void()> m_beforeDeleting;
    Notices m_notices;
};

} // namespace sheet
