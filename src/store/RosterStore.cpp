#include "store/RosterStore.h"

#include "db/Database.h"
#include "db/Query.h"

#include <QHash>
#include <algorithm>
#include <cstring>

namespace store::roster {

namespace {

// "npc" counts as an NPC as well, whatever collation the file gives the column. A Null player
// compares as unknown; coalesce puts such a character among the characters, where it can be
// opened and deleted. The looked-up names are read by key one row each, so a stray key reads
// as an empty name and a lookup table holding a key twice cannot list a character twice.
const char* const kRosterColumns =
    "SELECT a.Char_ID, a.Name, coalesce(a.player = 'NPC' COLLATE NOCASE, 0), a.player, a.Chronicle, "
    "(SELECT Clan FROM main.Clan WHERE Clan_ID = a.Clan LIMIT 1), "
    "(SELECT Concept FROM main.Concept WHERE Concept_ID = a.Concept LIMIT 1), "
    "(SELECT DemNat FROM main.DemeanorNature WHERE DemNat_ID = a.Nature LIMIT 1), "
    "(SELECT DemNat FROM main.DemeanorNature WHERE DemNat_ID = a.Demeanor LIMIT 1) "
    "FROM main.Char_Info a";

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

// The row of kRosterColumns as an entry; returns whether it is an NPC. Players, chronicles and
// looked-up names repeat across thousands of characters, so each is folded once per read.
bool readEntry(const db::Statement& row, Entry& entry, QHash<QString, QString>& folded) {
    entry.key = row.value(0).toLongLong();
    entry.name = row.value(1).toString();
    QString text = fold(entry.name);
    for (int column = 3; column <= 8; ++column) {
        const QString field = row.value(column).toString();
        auto known = folded.constFind(field);
        if (known == folded.constEnd())
            known = folded.insert(field, fold(field));
        text += QLatin1Char('\n') + *known;
    }
    entry.searchText = text.toUtf8();
    return row.value(2).toInt() != 0;
}

} // namespace

Lists readWhole(db::Database& database) {
    Lists lists;
    QHash<QString, QString> folded;
    db::eachRow(database.connection(), QLatin1String(kRosterColumns) + QStringLiteral(" ORDER BY a.Char_ID"), {},
                [&](const db::Statement& row) {
                    Entry entry;
                    (readEntry(row, entry, folded) ? lists.npcs : lists.characters).push_back(std::move(entry));
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
    QHash<QString, QString> folded;
    db::eachRow(database.connection(), QStringLiteral("SELECT DISTINCT Char_ID FROM roster_changes"), {},
                [&](const db::Statement& row) { changes[row.value(0).toLongLong()]; });
    db::eachRow(database.connection(),
                QLatin1String(kRosterColumns) +
                    QStringLiteral(" WHERE a.Char_ID IN (SELECT Char_ID FROM roster_changes)"),
                {}, [&](const db::Statement& row) {
                    Placement now;
                    now.npc = readEntry(row, now.entry, folded);
                    changes[now.entry.key] = std::move(now);
                });
    database.Execute(QStringLiteral("DELETE FROM roster_changes"));
    return changes;
}

QString fold(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        bare.append(c.isSpace() ? QChar(u' ') : c);
    }
    return bare.toCaseFolded();
}

Search::Search(const QString& typed) {
    for (const QString& word : fold(typed).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        m_words << word.toUtf8();
    // A long word is seldom contained, so most characters are passed over after one look.
    std::stable_sort(m_words.begin(), m_words.end(),
                     [](const QByteArray& a, const QByteArray& b) { return a.size() > b.size(); });
}

bool Search::matches(const Entry& entry) const {
    // Words hold no line break, so a word is found within one field, never across two. The C
    // library's memmem: QByteArray::contains took three times as long at a hundred thousand
    // characters. UTF-8 is found byte for byte: no character's bytes start inside another's.
    for (const QByteArray& word : m_words)
        if (!memmem(entry.searchText.constData(), size_t(entry.searchText.size()), word.constData(),
                    size_t(word.size())))
            return false;
    return true;
}

} // namespace store::roster
