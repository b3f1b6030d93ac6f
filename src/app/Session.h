#pragma once

#include "app/Services.h"
#include "db/Database.h"
#include "model/Character.h"

#include <QString>
#include <memory>
#include <optional>

namespace app {

// What every window shares: the open database, the key of the character the sheet shows and
// whether the sheet is in edit mode. One object, owned by the application, so a test can build a
// fresh one for each case.
class Session {
public:
    explicit Session(Services& services) : services(services) {}
    ~Session() { close(); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Services& services;

    std::unique_ptr<db::Database> database;
    // The character the sheet shows; none while the sheet is empty.
    std::optional<model::CharacterKey> shownKey;
    bool editMode = false;

    bool isOpen() const { return database && database->isOpen(); }
    // The open file, or empty.
    QString path() const { return isOpen() ? database->path() : QString(); }
    // The shown character, when a database is open and the sheet shows one.
    std::optional<model::CharacterKey> shownCharacter() const { return isOpen() ? shownKey : std::nullopt; }

    // Takes a newly opened database in place of the current one, which is closed.
    void adopt(std::unique_ptr<db::Database> opened);
    // Closes the database: nothing is shown and edit mode ends.
    void close();
};

} // namespace app
