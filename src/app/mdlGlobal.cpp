#include "app/mdlGlobal.h"

#include "db/Schema.h"

namespace app {

std::optional<qint64> characterKey(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

void mdlGlobal::openConnection() {
    auto newWorkspace = db::Workspace::CreateWorkspace(QString(), QStringLiteral("admin"), QString());
    auto newDatabase = newWorkspace->OpenDatabase(databasePath, true);
    db::schema::verify(*newDatabase);
    auto newRecordset = newDatabase->OpenRecordset(db::schema::mainCharacterQuery(), QStringLiteral("Char_Info"));
    closeConnection();
    workspace = std::move(newWorkspace);
    database = std::move(newDatabase);
    characterRecordset = std::move(newRecordset);
}

void mdlGlobal::closeConnection() {
    if (characterRecordset) {
        characterRecordset->Close();
        characterRecordset.reset();
    }
    if (database) {
        database->Close();
        database.reset();
    }
    if (workspace) {
        workspace->Close();
        workspace.reset();
    }
}

} // namespace app
