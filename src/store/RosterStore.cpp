#include "store/RosterStore.h"

#include "db/Database.h"
#include "db/Query.h"
#include "store/RosterSearch.h"

#include <QHash>
#include <sqlite3.h>

namespace store::roster {

namespace {

// "npc" counts as an NPC as well, whatever collation the file gives the column. A Null player
// compares as unknown; coalesce puts such a character among the characters, where it can be
// opened and deleted. The looked-up fields are read as keys and named from the lookup tables
// held in memory: a subquery per field and row took fourteen times as long as the scan.
const char* const kRosterColumns =
    "SELECT a.Char_ID, a.Name, coalesce(a.player = 'NPC' COLLATE NOCASE, 0), a.player, a.Chronicle, "
    "a.Clan, a.Concept, a.Nature, a.Demeanor FROM main.Char_Info a";

// A lookup row added, renamed or removed changes what every character naming its key shows.
#define DUSK_LOOKUP_TRIGGERS(table, key, columns)                                                                \
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_" table "_added AFTER INSERT ON main." table " BEGIN "             \
    "INSERT INTO roster_changes SELECT Char_ID FROM main.Char_Info WHERE new." key " IN (" columns "); END",     \
        "CREATE TEMP TRIGGER IF NOT EXISTS roster_" table "_changed AFTER UPDATE ON main." table " BEGIN "       \
        "INSERT INTO roster_changes SELECT Char_ID FROM main.Char_Info "                                         \
        "WHERE old." key " IN (" columns ") OR new." key " IN (" columns "); END",                               \
        "CREATE TEMP TRIGGER IF NOT EXISTS roster_" table "_removed AFTER DELETE ON main." table " BEGIN "       \
        "INSERT INTO roster_changes SELECT Char_ID FROM main.Char_Info WHERE old." key " IN (" columns "); END"

const char* const kFollowStatements[] = {
    "CREATE TEMP TABLE IF NOT EXISTS roster_changes (Char_ID INTEGER)",
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_added AFTER INSERT ON main.Char_Info "
    "BEGIN INSERT INTO roster_changes VALUES (new.Char_ID); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_changed AFTER UPDATE OF Char_ID, Name, player, Chronicle, Clan, "
    "Concept, Nature, Demeanor ON main.Char_Info "
    "BEGIN INSERT INTO roster_changes VALUES (old.Char_ID), (new.Char_ID); END",
    "CREATE TEMP TRIGGER IF NOT EXISTS roster_removed AFTER DELETE ON main.Char_Info "
    "BEGIN INSERT INTO roster_changes VALUES (old.Char_ID); END",
    DUSK_LOOKUP_TRIGGERS("Clan", "Clan_ID", "Clan"),
    DUSK_LOOKUP_TRIGGERS("Concept", "Concept_ID", "Concept"),
    DUSK_LOOKUP_TRIGGERS("DemeanorNature", "DemNat_ID", "Nature, Demeanor"),
    "DELETE FROM roster_changes",
};

#undef DUSK_LOOKUP_TRIGGERS

// A lookup table's names, folded, by key. A stray key names nothing and reads as an empty
// field; where a table holds a key twice, its first row names it, so no character is listed twice.
using FoldedNames = QHash<qint64, QByteArray>;

FoldedNames foldedNames(db::Database& database, const char* sql) {
    FoldedNames names;
    db::eachRow(database.connection(), QLatin1String(sql), {}, [&](const db::Statement& row) {
        const qint64 key = sqlite3_column_int64(row.handle(), 0);
        if (sqlite3_column_type(row.handle(), 0) == SQLITE_INTEGER && !names.contains(key)) {
            QByteArray name;
            appendFolded(reinterpret_cast<const char*>(sqlite3_column_text(row.handle(), 1)),
                         sqlite3_column_bytes(row.handle(), 1), name);
            names.insert(key, name);
        }
    });
    return names;
}

struct Lookups {
    FoldedNames clans, concepts, natures;

    explicit Lookups(db::Database& database)
        : clans(foldedNames(database, "SELECT Clan_ID, Clan FROM main.Clan")),
          concepts(foldedNames(database, "SELECT Concept_ID, Concept FROM main.Concept")),
          natures(foldedNames(database, "SELECT DemNat_ID, DemNat FROM main.DemeanorNature")) {}
};

// The row of kRosterColumns as an entry; returns whether it is an NPC.
bool readEntry(const db::Statement& row, const Lookups& lookups, Entry& entry) {
    sqlite3_stmt* const stmt = row.handle();
    const auto append = [&](int column) {
        const char* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        appendFolded(value ? value : "", sqlite3_column_bytes(stmt, column), entry.searchText);
    };
    // A key stored as text or a whole real number still names its row, as the sheet's join finds it.
    const auto named = [&](int column, const FoldedNames& names) {
        entry.searchText += '\n';
        qint64 number = sqlite3_column_int64(stmt, column);
        if (sqlite3_column_type(stmt, column) != SQLITE_INTEGER) {
            // A key stored as text or a whole real number still names its row, as the sheet's join finds it.
            const QVariant key = row.value(column);
            bool whole = false;
            number = key.toLongLong(&whole);
            if (!whole || key.toDouble() != double(number))
                return;
        }
        if (const auto name = names.constFind(number); name != names.constEnd())
            entry.searchText += *name;
    };
    entry.key = sqlite3_column_int64(stmt, 0);
    entry.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)),
                                   sqlite3_column_bytes(stmt, 1));
    entry.searchText.clear();
    entry.searchText.reserve(sqlite3_column_bytes(stmt, 1) + sqlite3_column_bytes(stmt, 3) +
                             sqlite3_column_bytes(stmt, 4) + 64);
    append(1);
    entry.searchText += '\n';
    append(3);
    entry.searchText += '\n';
    append(4);
    named(5, lookups.clans);
    named(6, lookups.concepts);
    named(7, lookups.natures);
    named(8, lookups.natures);
    return sqlite3_column_int(stmt, 2) != 0;
}

} // namespace

Lists readWhole(db::Database& database) {
    Lists lists;
    const Lookups lookups(database);
    db::eachRow(database.connection(), QLatin1String(kRosterColumns) + QStringLiteral(" ORDER BY a.Char_ID"), {},
                [&](const db::Statement& row) {
                    Entry entry;
                    (readEntry(row, lookups, entry) ? lists.npcs : lists.characters).push_back(std::move(entry));
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
    const Lookups lookups(database);
    db::eachRow(database.connection(), QStringLiteral("SELECT DISTINCT Char_ID FROM roster_changes"), {},
                [&](const db::Statement& row) { changes[row.value(0).toLongLong()]; });
    db::eachRow(database.connection(),
                QLatin1String(kRosterColumns) +
                    QStringLiteral(" WHERE a.Char_ID IN (SELECT Char_ID FROM roster_changes)"),
                {}, [&](const db::Statement& row) {
                    Placement now;
                    now.npc = readEntry(row, lookups, now.entry);
                    changes[now.entry.key] = std::move(now);
                });
    database.Execute(QStringLiteral("DELETE FROM roster_changes"));
    return changes;
}

QString details(db::Database& database, model::CharacterKey key) {
    const std::vector<db::Row> rows = db::query(
        database.connection(),
        QStringLiteral("SELECT a.player, (SELECT Clan FROM main.Clan WHERE Clan_ID = a.Clan LIMIT 1), "
                       "(SELECT Concept FROM main.Concept WHERE Concept_ID = a.Concept LIMIT 1) "
                       "FROM main.Char_Info a WHERE a.Char_ID = ?"),
        {key});
    QStringList parts;
    for (int column = 0; !rows.empty() && column < 3; ++column)
        if (const QString part = rows.front().value(column).toString().trimmed(); !part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral(" \u00b7 "));
}

} // namespace store::roster
