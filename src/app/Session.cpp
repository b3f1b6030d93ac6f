#include "app/Session.h"

namespace app {

void Session::adopt(std::unique_ptr<db::Database> opened) {
    close();
    database = std::move(opened);
}

void Session::close() {
    shownKey.reset();
    editMode = false;
    if (database) {
        database->Close();
        database.reset();
    }
}

} // namespace app
