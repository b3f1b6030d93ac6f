#include "app/Guard.h"

#include "db/DbError.h"

namespace app {

bool guarded(Services& services, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const db::DbError& e) {
        services.messageBox(e.text(), Buttons::OK, Icon::Critical);
    } catch (const std::exception& e) {
        services.messageBox(QString::fromUtf8(e.what()), Buttons::OK, Icon::Critical);
    }
    return false;
}

} // namespace app
