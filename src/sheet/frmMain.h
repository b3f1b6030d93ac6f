#pragma once

#include "sheet/SheetControls.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;

namespace app {
class mdlGlobal;
class frmAbout;
} // namespace app

// The character sheet: the main window and hub of every other window. Its named controls are
// reached through ui() (ui().PBAtt[3], ui().cmbClan, ui().HealthBox[0] ...); the procedures that
// fill them live in the sheet modules (mdlLoadData, LookupLists).
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(app::mdlGlobal& global, QWidget* parent = nullptr);
    ~frmMain() override;

    // The window's loading: opens the database at the global path, fills the lookup lists and
    // shows its first character in browse mode. Throws db::DbError when the file cannot be opened;
    // the state is then as before.
    void Form_Load();

    // The key of the shown character, empty when none is shown.
    QString currentKey() const;
    app::mdlGlobal& global() { return m_global; }
    const sheet::SheetControls& ui() const { return m_ui; }

    // Shut-down: closes the character recordset, the database and the workspace.
    void shutDown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildSheet();
    void showAbout();
    void storeHealth();
    QAction* action(const QString& name) const;

    app::mdlGlobal& m_global;
    sheet::SheetControls m_ui;
    QPointer<app::frmAbout> m_about;
};
