#include "app/Guard.h"

#include "db/DbError.h"

#include <QtDebug>

namespace app {

bool guarded(Services& services, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const db::DbError& e) {
        // The user reads a sentence; the statement that failed goes to the log for whoever looks into it.
        if (!e.statement().isEmpty())
            qWarning("%s", e.what());
        services.messageBox(e.message(), Buttons::OK, Icon::Critical);
    } catch (const std::exception& e) {
        services.messageBox(QString::fromUtf8(e.what()), Buttons::OK, Icon::Critical);
    }
    return false;
}

} // namespace app
