#pragma once

#include "sheet/RosterFilter.h"
#include "sheet/RosterModel.h"

#include <optional>

#include <QObject>

namespace db {
class Database;
}

namespace sheet {

// The two roster lists over the open database: lstChar's characters (player not "NPC", or Null)
// and lstNPC's (player "NPC"), in the order the database keeps them.
//
// A chronicle may hold a hundred thousand characters, and the roster is refreshed after every
// switch and save, so it is read whole only once per database. From then on a temporary trigger
// notes every character added, renamed, moved between the lists or removed on that connection,
// and a refresh reads just those. The notes are rows of a temporary table and roll back with the
// changes they note, so a refresh inside a transaction reads whole and leaves the notes alone.
class Roster : public QObject {
public:
    explicit Roster(QObject* parent = nullptr);

    RosterModel* characters() { return &m_characters; }
    RosterModel* npcs() { return &m_npcs; }
    // What the views show of each list.
    RosterFilter* shownCharacters() { return &m_shownCharacters; }
    RosterFilter* shownNpcs() { return &m_shownNpcs; }

    // The listed name of that character; empty when neither list holds it.
    QString nameOf(qint64 key) const;
    bool holds(qint64 key) const;

    // Both views keep the characters the typed words find.
    void filter(const QString& typed);
    // The shown character's name is bold in its list.
    void mark(std::optional<qint64> key);

    // Brings both lists up to date with the database; with none, empties them.
    // Engine failures throw db::DbError.
    void refresh(db::Database* database);

private:
    void readWhole(db::Database& database, bool follow);
    void readChanges(db::Database& database);

    RosterModel m_characters;
    RosterModel m_npcs;
    RosterFilter m_shownCharacters;
    RosterFilter m_shownNpcs;
    quint64 m_following = 0; // serial of the connection the lists follow, 0 for none
};

} // namespace sheet
