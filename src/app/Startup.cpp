#include "app/Startup.h"

#include "app/Services.h"
#include "app/mdlGlobal.h"
#include "db/DbError.h"

#include <QFileInfo>

namespace app {



bool Startup::locateDatabase(bool mustAsk) {
    Services& services = m_global.services;
    QString path = mustAsk ? QString() : m_settings.readDatabasePath();
    bool asked = false;
    while (path.isEmpty() || !QFileInfo(path).isFile()) {
        asked = true;
        path = services.openFileDialog(QStringLiteral("Open Zeth Database"), kDatabaseFilter);
        if (path.isEmpty() &&
            services.messageBox(QStringLiteral("You must locate the Zeth database to run this program!"),
                                Buttons::OKCancel, Icon::None, kTitle) == Answer::Cancel)
            return false;
    }
    if (asked && !m_settings.writeDatabasePath(path))
        services.messageBox(QStringLiteral("The settings file \"%1\" could not be written; the database will be asked "
                                           "for again at the next start.")
                                .arg(m_settings.filePath()),
                            Buttons::OK, Icon::Exclamation);
    m_global.databasePath = path;
    return true;
}

bool Startup::loadMainWindow(const std::function<void()>& load) {
    for (;;) {
        try {
            load();
            return true;
        } catch (const db::DbError& e) {
            m_global.services.messageBox(e.message(), Buttons::OK, Icon::Critical);
        }
        if (!locateDatabase(true))
            return false;
    }
}

} // namespace app
