#pragma once

#include "app/Settings.h"

#include <QStringList>
#include <functional>

namespace app {

class mdlGlobal;

// The Tools menu: new database, change database, mobilize (compacted copy), calculator.
class ToolsMenu {
public:
    struct Hooks {
        // The main window's loading on global.databasePath; throws db::DbError when the file
        // cannot be opened, leaving the open connection as it was.
        std::function<void()> reload;
        // Called before the current database is given up: settles unsaved edits of the sheet.
        // False abandons the command.
        std::function<bool()> settleEdits;
    };

    ToolsMenu(mdlGlobal& global, const Settings& settings, Hooks hooks);

    void mnuNewDB_Click();
    void mnuChngDB_Click();
    void mnuMobile_Click();
    void mnuCalc_Click();

    // The desktop calculators tried in turn.
    static const QStringList& calculators();

private:
    // Opens path in place of the current database and records it in the settings file. On
    // failure the current database stays open and in the settings file.
    bool switchTo(const QString& path);
    void writeSettings(const QString& path);
    // A chosen file that cannot be used; message holds %1 for the file.
    void refuse(const QString& message, const QString& file);

    mdlGlobal& m_global;
    Settings m_settings;
    Hooks m_hooks;
};

} // namespace app
