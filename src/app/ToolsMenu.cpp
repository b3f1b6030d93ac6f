#include "app/ToolsMenu.h"

#include "app/Services.h"
#include "app/Session.h"
#include "app/Startup.h"
#include "db/DbError.h"
#include "store/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace app {

namespace {
bool sameFile(const QString& a, const QString& b) {
    const QFileInfo left(a), right(b);
    return left.exists() && right.exists()
               ? left.canonicalFilePath() == right.canonicalFilePath()
               : QDir::cleanPath(left.absoluteFilePath()) == QDir::cleanPath(right.absoluteFilePath());
}

// A typed name without an extension gets the chronicle's, or the next locate dialog's filter hides it.
QString withDatabaseExtension(const QString& chosen) {
    const QString name = QFileInfo(chosen).fileName();
    return name.lastIndexOf(QLatin1Char('.')) > 0 ? chosen : chosen + QStringLiteral(".mdb");
}
} // namespace

ToolsMenu::ToolsMenu(Session& session, const Settings& settings, Hooks hooks)
    : m_session(session), m_settings(settings), m_hooks(std::move(hooks)) {}

const QStringList& ToolsMenu::calculators() {
    static const QStringList names = {"gnome-calculator", "kcalc",     "galculator", "qalculate-gtk",
                                      "qalculate-qt",     "mate-calc", "xcalc"};
    return names;
}

bool ToolsMenu::settingsCanHold(const QString& chosen) {
    if (Settings::canHold(chosen))
        return true;
    m_session.services.messageBox(Settings::cannotHold(chosen), Buttons::OK, Icon::Exclamation);
    return false;
}

void ToolsMenu::refuse(const QString& message, const QString& file) {
    m_session.services.messageBox(message.arg(QDir::toNativeSeparators(file)), Buttons::OK, Icon::Exclamation);
}

void ToolsMenu::writeSettings(const QString& path) {
    if (!m_settings.writeDatabasePath(path))
        m_session.services.messageBox(
            QStringLiteral("The settings file \"%1\" could not be written; the next start will use the database "
                           "named there.")
                .arg(QDir::toNativeSeparators(m_settings.filePath())),
            Buttons::OK, Icon::Exclamation);
}

bool ToolsMenu::switchTo(const QString& path) {
    try {
        m_hooks.reload(path);
    } catch (const db::DbError& e) {
        m_session.services.messageBox(e.message() +
                                          QStringLiteral("\n\nThe current Database will continue being used."),
                                      Buttons::OK, Icon::Critical);
        return false;
    }
    writeSettings(path);
    return true;
}

void ToolsMenu::reopen(const QString& path) {
    try {
        m_hooks.reload(path);
    } catch (const db::DbError& e) {
        m_session.services.messageBox(e.message(), Buttons::OK, Icon::Critical);
    }
}

void ToolsMenu::mnuChngDB_Click() {
    Services& services = m_session.services;
    const QString remembered = m_session.path();
    const QString chosen = services.openFileDialog(QStringLiteral("Open Zeth Database"), kDatabaseFilter);
    if (chosen.isEmpty()) {
        services.messageBox(QStringLiteral("The current Database will continue being used."), Buttons::OK, Icon::None);
        return;
    }
    if (!settingsCanHold(chosen))
        return;
    if (sameFile(chosen, remembered)) { // the file in use: nothing is reopened
        WaitCursor wait(services);
        writeSettings(chosen);
        return;
    }
    if (!m_hooks.settleEdits())
        return;
    WaitCursor wait(services);
    switchTo(chosen);
}

void ToolsMenu::mnuMobile_Click() {
    Services& services = m_session.services;
    const QString typed = services.saveFileDialog(QStringLiteral("Save Zeth database as"), kDatabaseFilter);
    if (typed.isEmpty()) {
        services.messageBox(QStringLiteral("No Database selected, mobilization not complete."), Buttons::OK,
                            Icon::None);
        return;
    }
    const QString chosen = withDatabaseExtension(typed);
    if (!settingsCanHold(chosen))
        return;
    const QString source = m_session.path();
    if (sameFile(chosen, source)) {
        refuse(QStringLiteral("\"%1\" is the database in use; choose a new file for the copy."), chosen);
        return;
    }
    if (QFileInfo::exists(chosen)) {
        refuse(QStringLiteral("The file \"%1\" already exists; choose a new file for the copy."), chosen);
        return;
    }
    if (!m_hooks.settleEdits())
        return;
    WaitCursor wait(services);
    // The copy is made from the file at rest, so the program lets it go first.
    m_session.close();
    try {
        db::CompactDatabase(source, chosen);
    } catch (const db::DbError& e) {
        services.messageBox(e.message() + QStringLiteral("\n\nWork goes on in the current database."), Buttons::OK,
                            Icon::Critical);
        reopen(source);
        return;
    }
    if (!switchTo(chosen))
        reopen(source); // the copy was written but will not open: go on with the original
}

void ToolsMenu::mnuNewDB_Click() {
    Services& services = m_session.services;
    const QString typed = services.saveFileDialog(QStringLiteral("New Zeth Database"), kDatabaseFilter);
    if (typed.isEmpty())
        return;
    const QString chosen = withDatabaseExtension(typed);
    if (!settingsCanHold(chosen))
        return;
    if (QFileInfo::exists(chosen)) {
        refuse(QStringLiteral("The file \"%1\" already exists; choose a new name for the new database."), chosen);
        return;
    }
    if (!m_hooks.settleEdits())
        return;
    WaitCursor wait(services);
    try {
        store::createDatabase(chosen);
    } catch (const db::DbError& e) {
        services.messageBox(e.message(), Buttons::OK, Icon::Critical);
        return;
    }
    switchTo(chosen);
}

void ToolsMenu::openRecent(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        refuse(QStringLiteral("The file \"%1\" is no longer there; it is taken off the recent databases."), path);
        m_settings.forgetDatabase(path);
        return;
    }
    if (sameFile(path, m_session.path()) || !m_hooks.settleEdits())
        return;
    WaitCursor wait(m_session.services);
    switchTo(path);
}

void ToolsMenu::addRecentMenu(QMenu* menu) {
    QMenu* recent = menu->addMenu(QStringLiteral("&Recent Databases"));
    recent->setObjectName(QStringLiteral("mnuRecent"));
    QObject::connect(recent, &QMenu::aboutToShow, recent, [this, recent] {
        recent->clear();
        const QStringList files = m_settings.recentDatabases();
        int number = 0;
        for (const QString& file : files) {
            // The number is the item's access key; an ampersand in a file name is shown as typed.
            QString shown = QDir::toNativeSeparators(file);
            shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction* item = recent->addAction(QStringLiteral("&%1 %2").arg(++number).arg(shown));
            item->setData(file);
            QObject::connect(item, &QAction::triggered, recent, [this, file] { openRecent(file); });
        }
        if (files.isEmpty())
            recent->addAction(QStringLiteral("(none yet)"))->setEnabled(false);
    });
}

void ToolsMenu::mnuCalc_Click() {
    Services& services = m_session.services;
    for (const QString& name : calculators()) {
        const QString program = services.findProgram(name);
        if (!program.isEmpty() && services.startProgram(program, {}))
            return;
    }
    services.messageBox(QStringLiteral("The Calculator is not available."), Buttons::OK, Icon::None);
}

} // namespace app
