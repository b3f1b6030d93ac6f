#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;

namespace app {
class mdlGlobal;
class frmAbout;
} // namespace app

// The character sheet: the main window and hub of every other window.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(app::mdlGlobal& global, QWidget* parent = nullptr);
    ~frmMain() override;

    // The window's loading: opens the database at the global path and shows its first character
    // in browse mode. Throws db::DbError when the file cannot be opened; the state is then as before.
    void Form_Load();

    // The key of the shown character, empty when none is shown.
    QString currentKey() const;
    app::mdlGlobal& global() { return m_global; }

    // Shut-down: closes the character recordset, the database and the workspace.
    void shutDown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showAbout();
    QAction* action(const QString& name) const;

    app::mdlGlobal& m_global;
    QLabel* lblChar_ID = nullptr;
    QPointer<app::frmAbout> m_about;
};
