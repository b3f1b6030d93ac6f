#pragma once

#include "app/Session.h"
#include "db/Database.h"
#include "sheet/frmMain.h"

// Switches the window to the first character of that name, as a double-click on its roster entry
// does; false when no character has it or the switch stopped.
inline bool switchToName(frmMain& window, const QString& name) {
    const QVariant key =
        window.session().database->scalar(QStringLiteral("SELECT Char_ID FROM Char_Info WHERE Name = ?"), {name});
    return !key.isNull() && window.sheet().switchTo(key.toLongLong());
}
