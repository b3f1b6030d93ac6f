#pragma once

#include "app/Services.h"
#include "db/Database.h"
#include "ratings/BitmapStore.h"

#include <QString>
#include <memory>

namespace app {

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
    std::unique_ptr<db::Workspace> workspace;
    std::unique_ptr<db::Database> database;
    std::unique_ptr<db::Recordset> characterRecordset;

    bool editMode = false;
    bool justLoaded = false;
    bool newCharacter = false;
    QString PicFile;
    QString PathKind;

    bool isConnected() const { return database && database->isOpen(); }

    // Opens the file at databasePath in place of the current connection: workspace, exclusive
    // database, character recordset on the main character query. The current connection stays
    // untouched when the new file cannot be opened (DbError).
    void openConnection();
    // Character recordset, then database, then workspace.
    void closeConnection();
};

} // namespace app
