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
    // The file named on the command line, written to the settings as a chosen one is; one that is
    // not there is reported and the database found as without it.
    std::optional<QString> useGiven(const QString& file);

    // Runs the main window's loading on path; a file that cannot be opened is reported and another
    // one asked for. False when the user gave up.
    bool loadMainWindow(QString path, const std::function<void(const QString&)>& load);

private:
    // A first start of an installed program (no database named yet, settings in the user's
    // folder) offers the starter chronicle, copied into the user's data folder, or a new one.
    // Empty when the user would rather locate a file.
    QString firstChronicle();

    Services& m_services;
    Settings m_settings;
};

// What the command line asks of the program.
struct StartCommand {
    enum class Kind { Run, Help, Version, Wrong } kind = Kind::Run;
    QString file; // Run: the database to open, empty for the one in the settings
    QString wrong; // Wrong: what could not be read
};
// Reads the arguments left after the toolkit took its own (the program's name first).
StartCommand readStartCommand(const QStringList& arguments);
// The text --help prints.
QString usageText();

} // namespace app
