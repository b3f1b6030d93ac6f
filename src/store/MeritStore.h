#pragma once

#include "store/Journal.h"

#include "model/Character.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

namespace db {
class Database;
}

// The queries behind the merit list, the add dialog and the description window. Engine failures
// travel up as db::DbError.
namespace store::merits {

// One row of MeritFlaw_LookUp.
struct MeritLookup {
    qint64 id = 0;
    QString name;
    QVariant points; // Null when never set
    bool pointflex = false;
};

// One line of the character's list, with the merit's key.
using MeritLine = model::Merit;

// Every lookup name, ordered by name.
QStringList lookupNames(db::Database& database);
// The first lookup row of that name (names compare without regard to case).
std::optional<MeritLookup> findLookup(db::Database& database, const QString& name);
std::optional<MeritLookup> findLookup(db::Database& database, qint64 meritId);
// A new lookup row; a variable-point entry leaves Points to the column's default.
void addLookup(db::Database& database, const QString& name, bool pointflex, double points);

// The character's merits and flaws in the order they were taken: name, one blank, points.
std::vector<MeritLine> characterMerits(db::Database& database, qint64 charId);
bool characterHas(db::Database& database, qint64 charId, qint64 meritId);
// Journaled, as are the removal below.
void addLink(db::Database& database, qint64 charId, qint64 meritId, int points,
             journal::Batch batch = {QStringLiteral("Merit added")});
// Deletes the character's first link row to that merit; false when there is none.
bool removeLink(db::Database& database, qint64 charId, qint64 meritId,
                journal::Batch batch = {QStringLiteral("Merit removed")});

// The description text ("" when Null); nothing when the lookup row is gone.
std::optional<QString> description(db::Database& database, qint64 meritId);
// False when the lookup row is gone.
bool writeDescription(db::Database& database, qint64 meritId, const QString& text);

// The name of a list line: the last two characters dropped, then one trailing blank. Only right
// for loader lines with points of one or two characters and dialog lines with one; lines carry
// their key, this is the fallback for a line without one.
QString nameFromLine(const QString& line);

// The line the add dialog writes: name, two blanks, points.
QString dialogLine(const QString& name, int points);

} // namespace store::merits
