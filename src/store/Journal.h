#pragma once

#include "model/Character.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

namespace db {
class Database;
}

// The change journal: every write that changes a character leaves one row per changed field in the
// table ChangeJournal, in the write's own transaction. The rows of one user action share a batch
// number. The table is the program's own addition; the file's other tables are read as before.
namespace store::journal {

// What a field is, for the history window's filter.
enum class Kind { Ratings, Experience, Health, Identity, Merits, PathsRituals, Texts, Character };
QString kindName(Kind kind);
// The caption of an attribute or ability, by its place in Character::traits.
QString traitName(int trait);

// One changed field. `target` says what was changed in terms the undo can apply ("trait:4",
// "text:History", "merit:12:3"...); `before` and `after` are the values, Null for none.
struct Change {
    Kind kind = Kind::Ratings;
    QString field; // as people read it: "Strength", "Clan", "Discipline Glasswalk"
    QString target;
    QVariant before;
    QVariant after;
};

// The user action a batch records; its number is given when its first change is written.
struct Batch {
    QString action; // "Save", "Health", "Undo", ...
    qint64 undoes = 0; // the batch an undo, redo or revert takes back
    qint64 number = 0;
};

struct Entry {
    qint64 batch = 0;
    QString action;
    qint64 undoes = 0;
    model::CharacterKey key = 0;
    QString name; // the character's name at the time
    QDateTime at;
    Change change;
    // "Strength 3 → 4"; long texts shortened to a line.
    QString text() const;
};

inline const QString kTable = QStringLiteral("ChangeJournal");

bool present(db::Database& database);
// Adds the table and its indexes to a file that lacks them.
void create(db::Database& database);

// The fields that differ between two values of one character (only what a save writes, plus
// specialties).
std::vector<Change> differences(const model::Character& before, const model::Character& after);
// Sets the field a change names to `value`; false for a target that is not a field of Character.
bool apply(model::Character& character, const QString& target, const QVariant& value);

// The number the next batch takes (the table must exist).
qint64 nextBatch(db::Database& database);
// Writes the changes as entries of the batch (numbering it on its first use); nothing for none.
// Runs in the caller's transaction; the table is added when missing. `name` is the character's
// name to record; when empty it is read from the character's row.
void record(db::Database& database, Batch& batch, model::CharacterKey key, const std::vector<Change>& changes,
            const QString& name = {});

// The character's entries, newest batch first (entries of a batch in the order written): all of
// them, or the batches holding the newest `newest` entries.
std::vector<Entry> entries(db::Database& database, model::CharacterKey key, qint64 newest = 0);
// Whether the character has batches older than that one.
bool hasOlder(db::Database& database, model::CharacterKey key, qint64 batch);
// The experience given and spent over the whole journal of the character: the sums of its changes.
std::pair<double, double> experienceLog(db::Database& database, model::CharacterKey key);

// What undo and redo of the character would take back: a batch number, or 0 for nothing.
qint64 undoable(db::Database& database, model::CharacterKey key);
qint64 redoable(db::Database& database, model::CharacterKey key);

// Takes back a batch as a new batch with that action. Returns an error sentence, empty when done.
QString takeBack(db::Database& database, qint64 batch, const QString& action);
// Revert: refused (with the field named) when a later batch of the character changed a field of it.
QString revert(db::Database& database, qint64 batch);

// Characters deleted and not restored since: key and name.
std::vector<std::pair<model::CharacterKey, QString>> deletedCharacters(db::Database& database);

// Brings a deleted character back with its links, from the rows its deletion kept.
QString restoreDeleted(db::Database& database, model::CharacterKey key);
// Every row of the character as JSON text: what a deletion keeps.
QString deletionRows(db::Database& database, model::CharacterKey key);

// Drops the entries written before that time; returns how many.
qint64 trim(db::Database& database, const QDateTime& before);

} // namespace store::journal
