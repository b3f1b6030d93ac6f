#include "store/RosterStore.h"

#include "db/Database.h"
#include "db/Query.h"

namespace store::roster {

namespace {

// "npc" counts as an NPC as well, whatever collation the file gives the column. A Null player
// compares as unknown; coalesce puts such a character among the characters, where it can be
// opened and deleted.
const char* const kRosterColumns = "SELECT Char_ID, Name, coalesce(player = 'NPC' COLLATE NOCASE, 0) FROM Char_Info";

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

} // namespace

Lists readWhole(db::Database& database) {
    Lists lists;
    db::eachRow(database.connection(), QLatin1String(kRosterColumns) + QStringLiteral(" ORDER BY Char_ID"), {},
                [&](const db::Statement& row) {
                    (row.value(2).toInt() ? lists.npcs : lists.characters)
                        .push_back({row.value(0).toLongLong(), row.value(1).toString()});
                });
    return lists;
}

void follow(db::Database& database) {
    for (const char* sql : kFollowStatements)
        database.Execute(QLatin1String(sql));
}

qint64 notedCount(db::Database& database) {
    return database.scalar(QStringLiteral("SELECT count(*) FROM roster_changes")).toLongLong();
}

Changes takeChanges(db::Database& database) {
    Changes changes;
    db::eachRow(database.connection(), QStringLiteral("SELECT DISTINCT Char_ID FROM roster_changes"), {},
                [&](const db::Statement& row) { changes[row.value(0).toLongLong()]; });
    db::eachRow(database.connection(),
                QLatin1String(kRosterColumns) +
                    QStringLiteral(" WHERE Char_ID IN (SELECT Char_ID FROM roster_changes)"),
                {}, [&](const db::Statement& row) {
                    changes[row.value(0).toLongLong()] = Placement{row.value(1).toString(), row.value(2).toInt() != 0};
                });
    database.Execute(QStringLiteral("DELETE FROM roster_changes"));
    return changes;
}

} // namespace store::roster
