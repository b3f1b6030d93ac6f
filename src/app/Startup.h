#pragma once

#include "app/Settings.h"

#include <QString>
#include <functional>

namespace app {

class mdlGlobal;

// The file dialogs' filter for database files.
inline const QString kDatabaseFilter = QStringLiteral("MS:Access (*.mdb)|*.mdb|All files (*)|*");

// Finds the database through the settings file, asking the user until a file is chosen, and
// opens the main window on it.
class Startup {
public:
    Startup(mdlGlobal& global, const Settings& settings) : m_global(global), m_settings(settings) {}

    // Reads DSKLDG.ini; while the path names no existing file (or mustAsk), shows the locate
    // dialog. Writes the chosen path back when the dialog was shown. False when the user gave up.
    bool locateDatabase(bool mustAsk = false);

    // Runs the main window's loading; a file that cannot be opened is reported and another one
    // asked for. False when the user gave up.
    bool loadMainWindow(const std::function<void()>& load);

private:
    mdlGlobal& m_global;
    Settings m_settings;
};

} // namespace app
