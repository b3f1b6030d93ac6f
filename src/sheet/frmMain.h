#pragma once

#include "ratings/BitmapStore.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetControls.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QLabel;

namespace snapshots {
class SnapshotKeeper;
}

namespace app {
class Session;
class frmAbout;
class ToolsMenu;
} // namespace app

// The character sheet: the main window and hub of every other window. Its named controls are
// reached through ui() (ui().PBAtt[3], ui().cmbClan, ui().HealthBox[0] ...); the flows that fill
// them live in sheet::CharacterSheet (sheet()), the binding and the handlers. The window builds
// the controls and connects them to those.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(app::Session& session, QWidget* parent = nullptr);
    ~frmMain() override;
    // Large enough to show the whole sheet beside the side panel, without scroll bars.
    QSize sizeHint() const override;

    // The window's loading: opens the database at path, fills the lookup lists and shows its first
    // character in browse mode. Throws db::DbError when the file cannot be opened; the state is
    // then as before.
    void Form_Load(const QString& path);

    app::Session& session() { return m_session; }
    const sheet::SheetControls& ui() const { return m_ui; }
    sheet::CharacterSheet& sheet() { return m_sheet; }
    snapshots::SnapshotKeeper& snapshots() { return *m_snapshots; }

    // Shut-down: closes the database.
    void shutDown();
    // Ends as Exit does but asks nothing (a termination signal): pending edits are saved, then the
    // database is closed. False, after the save's own message, when the save failed.
    bool endWithoutQuestions();

protected:
    // In edit mode asks whether to save first; Cancel, or a save that fails, keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildSheet();
    void wireCommands();
    // The roster filter, the quick switcher, back and forward.
    void wireFinding();
    // Runs an event handler: a failure is shown in a message box, then the commands are switched
    // on or off for what the sheet now shows.
    void run(const std::function<void()>& handler);
    // Commands that act on the shown character are off while none is shown.
    void refreshCommands();
    void showAbout();
    QAction* action(const QString& name) const;
    // Connects a menu item to a handler and switches it on.
    void onAction(const char* name, const std::function<void()>& handler);

    app::Session& m_session;
    ratings::BitmapStore m_bitmaps;
    sheet::SheetControls m_ui;
    sheet::CharacterSheet m_sheet;
    std::unique_ptr<app::ToolsMenu> m_tools;
    std::unique_ptr<snapshots::SnapshotKeeper> m_snapshots;
    QPointer<app::frmAbout> m_about;
};
