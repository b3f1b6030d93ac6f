#pragma once

#include "model/Character.h"
#include "store/Journal.h"

#include <QString>
#include <QVariant>
#include <array>
#include <optional>
#include <vector>

namespace db {
class Database;
}

namespace store {

// The identity fields whose names come from a lookup table.
enum class IdentityLookup { Nature, Demeanor, Concept, Clan };

// What a save did. A save that fails has changed nothing.
struct SaveResult {
    QString error; // empty when saved; otherwise why not, a sentence for people without SQL in it
    // Identity names the save added to their lookup tables, in the order added.
    std::vector<std::pair<IdentityLookup, QString>> addedNames;
    // The character as saved: each name typed for a listed entry (without regard to case) is the
    // entry's own spelling.
    model::Character character;
    bool saved() const { return error.isEmpty(); }
};

// What a write made at once did. A write that fails has changed nothing.
struct WriteResult {
    QString error; // empty when written; otherwise why not, as for a save
    bool written() const { return error.isEmpty(); }
};

// Characters loaded and saved whole. Engine faults raise db::DbError; a save and the writes made at
// once report their failure in their result instead, because a full disk or a character deleted
// meanwhile is expected.
class CharacterStore {
public:
    explicit CharacterStore(db::Database& database) : m_db(database) {}

    // The character as the sheet shows it; nothing when no row has that key. A nature, demeanor,
    // clan or concept key that names no row of its lookup table gives an empty name.
    std::optional<model::Character> load(model::CharacterKey key) const;
    // The character the sheet shows first: the first the database returns.
    std::optional<model::CharacterKey> first() const;
    bool exists(model::CharacterKey key) const;

    // Writes the character's row, its discipline and background links and its health, in one
    // transaction. Looked-up names the tables lack are added; an empty nature, demeanor, concept or
    // clan leaves its column as it is. Specialties, merits and texts are not written here.
    // The fields that changed go to the journal as one batch, in the same transaction.
    SaveResult save(const model::Character& character, journal::Batch batch = {QStringLiteral("Save")});

    // A blank "New Char" with its Health row; returns its key.
    model::CharacterKey add();
    // Every row of the character, in one transaction; the journal keeps the rows.
    void remove(model::CharacterKey key, journal::Batch batch = {QStringLiteral("Delete")});

    // The writes the sheet makes at once, outside a save, each in its own transaction with its
    // journal entry. A character that is gone is refused with nothing written.
    WriteResult setCurrentWillpower(model::CharacterKey key, int value);
    WriteResult setBloodPool(model::CharacterKey key, int total);
    // A character without a Health row gets one with these states.
    WriteResult setHealth(model::CharacterKey key, const std::array<int, model::catalogue::kHealthCount>& states);
    // An empty specialty is stored as Null.
    WriteResult setSpecialty(model::CharacterKey key, int trait, const QString& specialty,
                             journal::Batch batch = {QStringLiteral("Specialty")});

private:
    db::Database& m_db;
};

} // namespace store
