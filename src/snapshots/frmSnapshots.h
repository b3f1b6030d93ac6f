#pragma once

#include "model/Character.h"

#include <QDialog>
#include <functional>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace app {
class Session;
}

namespace snapshots {

class SnapshotKeeper;

// Tools > Snapshots...: the open file's snapshots with their time, size and characters; puts one
// in place of the file, brings one character back from one, takes one now, shows the folder.
class frmSnapshots : public QDialog {
public:
    struct Hooks {
        // Settles unsaved edits of the sheet before the file changes; false stops the command.
        std::function<bool()> settleEdits;
        // The main window's loading of a file; throws db::DbError when it cannot be opened.
        std::function<void(const QString&)> reload;
        // Shows a character brought back, with the lookup lists read again.
        std::function<void(model::CharacterKey)> showRestored;
    };

    frmSnapshots(app::Session& session, SnapshotKeeper& keeper, Hooks hooks, QWidget* parent);

private:
    void refill();
    // The chosen snapshot's path, or none (the user was asked to choose one).
    std::optional<QString> chosen();
    void takeNow();
    void restoreFile();
    void restoreCharacter();

    app::Session& m_session;
    SnapshotKeeper& m_keeper;
    Hooks m_hooks;
    QTreeWidget* m_list;
    QList<QPushButton*> m_needChoice;
};

// The time of a snapshot as the window and its questions show it.
QString shownTime(const QString& snapshotPath);

} // namespace snapshots
