#include "app/Startup.h"

#include "app/Services.h"
#include "db/DbError.h"

#include <QFileInfo>

namespace app {

std::optional<QString> Startup::locateDatabase(bool mustAsk) {
    Services& services = m_services;
    QString path = mustAsk ? QString() : m_settings.readDatabasePath();
    bool asked = false;
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
