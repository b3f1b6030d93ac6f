#pragma once

#include "app/Services.h"
#include "db/Database.h"
#include "ratings/BitmapStore.h"

#include <QString>
#include <memory>
#include <optional>

namespace app {

// The key of a character as it goes into SQL text: a whole number, or nothing when the text
// (the caption of lblChar_ID) holds none, so only digits ever reach a statement.
std::optional<qint64> characterKey(const QString& text);

// The state every window shares: the connection, the character recordset and the mode flags.
// One object, owned by the application, so a test can build a fresh one for each case.
class mdlGlobal {
public:
    explicit mdlGlobal(Services& services) : services(services), bitmaps(services.programFolder()) {}
    ~mdlGlobal() { closeConnection(); }
    mdlGlobal(const mdlGlobal&) = delete;
    mdlGlobal& operator=(const mdlGlobal&) = delete;

    Services& services;
    // The rating bitmaps of the program's folder.
    ratings::BitmapStore bitmaps;

    QString databasePath;
    std::unique_ptr<db::Database> database;
    std::unique_ptr<db::Recordset> characterRecordset;

    bool editMode = false;
    bool justLoaded = false;
    bool newCharacter = false;
    QString PicFile;
    QString PathKind;

    bool isConnected() const { return database && database->isOpen(); }
    // The key of the character shown by that caption text; nothing when none is shown or no
    // database is open.
    std::optional<qint64> shownCharacter(const QString& key) const {
        return isConnected() ? characterKey(key) : std::nullopt;
    }

    // Opens the file at databasePath in place of the current connection: workspace, exclusive
    // database, character recordset on the main character query. The current connection stays
    // untouched when the new file cannot be opened (DbError).
    void openConnection();
    // Character recordset, then database, then workspace.
    void closeConnection();
};

} // namespace app
