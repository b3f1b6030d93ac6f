#pragma once

#include "app/Settings.h"

#include <QString>
#include <functional>
#include <optional>

namespace app {

class Services;

// The file dialogs' filter for database files.
inline const QString kDatabaseFilter = QStringLiteral("MS:Access (*.mdb)|*.mdb|All files (*)|*");

// Finds the database through the settings file, asking the user until a file is chosen, and
// opens the main window on it.
class Startup {
public:
    Startup(Services& services, const Settings& settings) : m_services(services), m_settings(settings) {}

    // The database file: the one DSKLDG.ini names, or, while that names no existing file (or
    // mustAsk), the one the locate dialog gives. Writes the chosen path back when the dialog was
    // shown. Nothing when the user gave up.
    std::optional<QString> locateDatabase(bool mustAsk = false);

    // Runs the main window's loading on path; a file that cannot be opened is reported and another
    // one asked for. False when the user gave up.
    bool loadMainWindow(QString path, const std::function<void(const QString&)>& load);

private:
    Services& m_services;
    Settings m_settings;
};

} // namespace app
