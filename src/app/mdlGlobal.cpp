#include "app/mdlGlobal.h"

#include "store/Schema.h"

namespace app {

std::optional<qint64> characterKey(const QString& text) {
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

void mdlGlobal::openConnection() {
    auto newDatabase = store::openChronicle(databasePath, true);
    auto newRecordset = newDatabase->OpenRecordset(store::schema::mainCharacterQuery(), QStringLiteral("Char_Info"));
    closeConnection();
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
}

} // namespace app
