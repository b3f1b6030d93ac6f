#pragma once

#include "app/Settings.h"

#include <QStringList>
#include <functional>

class QMenu;

namespace app {

class Session;

// The Tools menu: new database, change database, mobilize (compacted copy), calculator.
class ToolsMenu {
public:
    struct Hooks {
        // The main window's loading on that file; throws db::DbError when the file cannot be
        // opened, leaving the open database as it was.
        std::function<void(const QString&)> reload;
        // Called before the current database is given up: settles unsaved edits of the sheet.
        // False abandons the command.
        std::function<bool()> settleEdits;
    };

    ToolsMenu(Session& session, const Settings& settings, Hooks hooks);

    void mnuNewDB_Click();
    void mnuChngDB_Click();
    void mnuMobile_Click();
    void mnuCalc_Click();
    // Opens a file of the Recent Databases list in place of the current one.
    void openRecent(const QString& path);
    // Adds the Recent Databases submenu to menu, filled afresh each time it opens.
    void addRecentMenu(QMenu* menu);

    // The desktop calculators tried in turn.
    static const QStringList& calculators();

private:
    // Opens path in place of the current database and records it in the settings file. On
    // failure the user is told, and the current database stays open and in the settings file.
    bool switchTo(const QString& path);
    // Opens the file again after it was let go; a failure is told to the user.
    void reopen(const QString& path);
    void writeSettings(const QString& path);
    // False, after telling the user, when the settings file could not keep the chosen path.
    bool settingsCanHold(const QString& chosen);
    // A chosen file that cannot be used; message holds %1 for the file.
    void refuse(const QString& message, const QString& file);

    Session& m_session;
    Settings m_settings;
    Hooks m_hooks;
};

} // namespace app
