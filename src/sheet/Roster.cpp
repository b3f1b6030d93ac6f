#include "sheet/Roster.h"

#include "db/Database.h"

#include <map>
#include <optional>

namespace sheet {

namespace {

// Past this many noted characters a whole read is quicker than one entry at a time.
constexpr qint64 kMostChangesApplied = 2000;

// The player column compares without regard to case, so "npc" counts as an NPC as well.
const char* const kRosterColumns = "SELECT Char_ID, Name, player = 'NPC' FROM Char_Info WHERE player IS NOT NULL";

const char* const kFollowStatements[] = {
    "CREATE TEMP TABLE IF NOT EXISTS roster_changes (Char_ID INTEGER)",
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_added AFTER INSERT ON main.Char_Info "
    "BEGIN INSERT INTO roster_changes VALUES (new.Char_ID); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_changed AFTER UPDATE OF Char_ID, Name, player ON main.Char_Info "
    "BEGIN INSERT INTO roster_changes VALUES (old.Char_ID), (new.Char_ID); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_removed AFTER DELETE ON main.Char_Info "
    "BEGIN INSERT INTO roster_changes VALUES (old.Char_ID); END",
    "DELETE FROM roster_changes",
};

template <class Visit> void eachRow(db::Database& database, const QString& sql, Visit&& visit) {
    db::Statement statement(database.connection().handle(), sql);
    while (statement.step())
        visit(statement);
}

} // namespace

Roster::Roster(QObject* parent) : QObject(parent), m_characters(this), m_npcs(this) {}

void Roster::refresh(db::Database* database) {
    if (!database || !database->isOpen()) {
        m_following = 0;
        m_characters.assign({});
        m_npcs.assign({});
        return;
    }
    if (database->connection().inTransaction())
        readWhole(*database, false);
    else if (m_following == database->connection().serial())
        readChanges(*database);
    else
        readWhole(*database, true);
}

void Roster::readWhole(db::Database& database, bool follow) {
    m_following = 0;
    if (follow)
        for (const char* sql : kFollowStatements)
            database.Execute(QLatin1String(sql));
    std::vector<RosterModel::Entry> characters, npcs;
    eachRow(
        database, QLatin1String(kRosterColumns) + QStringLiteral(" ORDER BY Char_ID"), [&](const db::Statement& row) {
            (row.value(2).toInt() ? npcs : characters).push_back({row.value(0).toLongLong(), row.value(1).toString()});
        });
    m_characters.assign(std::move(characters));
    m_npcs.assign(std::move(npcs));
    if (follow)
        m_following = database.connection().serial();
}

void Roster::readChanges(db::Database& database) {
    const qint64 noted = database.scalar(QStringLiteral("SELECT count(*) FROM roster_changes")).toLongLong();
    if (noted == 0)
        return;
    if (noted > kMostChangesApplied) {
        readWhole(database, true);
        return;
    }
    // A character that stays in its list is renamed where it stands: a removal and an insertion
    // would make the views lay out every entry again.
    std::map<qint64, std::optional<std::pair<QString, bool>>> changed;
    eachRow(database, QStringLiteral("SELECT DISTINCT Char_ID FROM roster_changes"),
            [&](const db::Statement& row) { changed[row.value(0).toLongLong()]; });
    eachRow(database,
            QLatin1String(kRosterColumns) + QStringLiteral(" AND Char_ID IN (SELECT Char_ID FROM roster_changes)"),
            [&](const db::Statement& row) {
                changed[row.value(0).toLongLong()] = std::pair{row.value(1).toString(), row.value(2).toInt() != 0};
            });
    for (const auto& [key, now] : changed) {
        if (!now || now->second)
            m_characters.drop(key);
        if (!now || !now->second)
            m_npcs.drop(key);
        if (now)
            (now->second ? m_npcs : m_characters).put(key, now->first);
    }
    database.Execute(QStringLiteral("DELETE FROM roster_changes"));
}

} // namespace sheet
