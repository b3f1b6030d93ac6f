#include "app/Startup.h"

#include "app/Services.h"
#include "db/DbError.h"
#include "store/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

std::optional<QString> Startup::locateDatabase(bool mustAsk) {
    Services& services = m_services;
    QString path = mustAsk ? QString() : m_settings.readDatabasePath();
    bool asked = false;
    if (!mustAsk && path.isEmpty() && !m_settings.besideProgram()) {
        path = firstChronicle();
        asked = !path.isEmpty();
    }
    while (path.isEmpty() || !QFileInfo(path).isFile()) {
        asked = true;
        path = services.openFileDialog(QStringLiteral("Open Zeth Database"), kDatabaseFilter);
        if (!Settings::canHold(path)) {
            services.messageBox(Settings::cannotHold(path), Buttons::OK, Icon::Exclamation);
            path.clear();
            continue;
        }
        if (path.isEmpty() &&
            services.messageBox(QStringLiteral("You must locate the Zeth database to run this program!"),
                                Buttons::OKCancel, Icon::None, kTitle) == Answer::Cancel)
            return std::nullopt;
    }
    if (asked && !m_settings.writeDatabasePath(path))
        services.messageBox(QStringLiteral("The settings file \"%1\" could not be written; the database will be asked "
                                           "for again at the next start.")
                                .arg(m_settings.filePath()),
                            Buttons::OK, Icon::Exclamation);
    return path;
}

std::optional<QString> Startup::useGiven(const QString& file) {
    const QString path = QFileInfo(file).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        m_services.messageBox(QStringLiteral("The file \"%1\" does not exist.").arg(QDir::toNativeSeparators(path)),
                              Buttons::OK, Icon::Exclamation);
        return locateDatabase();
    }
    if (!Settings::canHold(path)) {
        m_services.messageBox(Settings::cannotHold(path), Buttons::OK, Icon::Exclamation);
        return locateDatabase();
    }
    if (!m_settings.writeDatabasePath(path))
        m_services.messageBox(QStringLiteral("The settings file \"%1\" could not be written; the database will be asked "
                                             "for again at the next start.")
                                  .arg(m_settings.filePath()),
                              Buttons::OK, Icon::Exclamation);
    return path;
}

QString Startup::firstChronicle() {
    const QString starter = QDir(m_services.resourceFolder()).filePath(QStringLiteral("Duskledger.mdb"));
    if (!QFileInfo(starter).isFile())
        return {};
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString copy = QDir(dataFolder).filePath(QStringLiteral("Duskledger.mdb"));
    const Answer answer = m_services.messageBox(
        QStringLiteral("Welcome to Duskledger. No chronicle is chosen yet.\n\n"
                       "Yes: open the starter chronicle, with a few sample characters; its copy is kept as \"%1\".\n"
                       "No: start a new, empty chronicle.\n"
                       "Cancel: locate a chronicle file of your own.")
            .arg(QDir::toNativeSeparators(copy)),
        Buttons::YesNoCancel, Icon::Question);
    if (answer == Answer::Yes) {
        // A copy made at an earlier first start holds the user's work: it is opened, never replaced.
        if (QFileInfo(copy).isFile())
            return copy;
        if (QDir().mkpath(dataFolder) && QFile::copy(starter, copy) &&
            QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::WriteOwner))
            return copy;
        m_services.messageBox(QStringLiteral("The starter chronicle could not be copied to \"%1\".")
                                  .arg(QDir::toNativeSeparators(copy)),
                              Buttons::OK, Icon::Exclamation);
        return {};
    }
    if (answer != Answer::No)
        return {};
    QString chosen = m_services.saveFileDialog(QStringLiteral("New Zeth Database"), kDatabaseFilter);
    if (chosen.isEmpty() || !Settings::canHold(chosen))
        return {};
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".mdb");
    if (QFileInfo::exists(chosen)) {
        m_services.messageBox(QStringLiteral("The file \"%1\" already exists; it is opened as it is.")
                                  .arg(QDir::toNativeSeparators(chosen)),
                              Buttons::OK, Icon::Information);
        return chosen;
    }
    try {
        store::createDatabase(chosen);
    } catch (const db::DbError& e) {
        m_services.messageBox(e.message(), Buttons::OK, Icon::Critical);
        return {};
    }
    return chosen;
}

StartCommand readStartCommand(const QStringList& arguments) {
    // --help and --version win wherever they stand before "--", as other programs have it.
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return {StartCommand::Kind::Help, {}, {}};
        if (argument == QLatin1String("--version"))
            return {StartCommand::Kind::Version, {}, {}};
    }
    StartCommand command;
    bool optionsEnd = false;
    for (const QString& argument : arguments.mid(1)) {
        if (!optionsEnd && argument == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return {StartCommand::Kind::Wrong, {}, QStringLiteral("unknown option %1").arg(argument)};
        } else if (!command.file.isEmpty()) {
            return {StartCommand::Kind::Wrong, {}, QStringLiteral("more than one file: %1").arg(argument)};
        } else {
            command.file = argument;
        }
    }
    return command;
}

QString usageText() {
    return QStringLiteral(
        "Usage: duskledger [FILE]\n"
        "       duskledger --export-pdf OUT.pdf [--character NAME]... FILE\n"
        "       duskledger --export-html FOLDER [--character NAME]... FILE\n\n"
        "Keeps a chronicle's characters in one database file and shows them on a character sheet.\n"
        "FILE is opened and remembered for the next start; without it the file of the last session is\n"
        "opened. The exports write the named characters (all when none is named) without a window.\n\n"
        "  -h, --help   print this text and exit\n"
        "  --version    print the version and exit\n");
}

bool Startup::loadMainWindow(QString path, const std::function<void(const QString&)>& load) {
    for (;;) {
        try {
            load(path);
            return true;
        } catch (const db::DbError& e) {
            m_services.messageBox(e.message(), Buttons::OK, Icon::Critical);
        }
        const std::optional<QString> another = locateDatabase(true);
        if (!another)
            return false;
        path = *another;
    }
}

} // namespace app
