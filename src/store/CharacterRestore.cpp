#include "store/CharacterRestore.h"

#include "db/Connection.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "store/CharacterStore.h"
#include "store/Journal.h"

#include <QSet>
#include <QVariantMap>
#include <vector>

namespace store {

namespace {

// A lookup table as a link or a character row points into it.
struct Lookup {
    const char* table;
    const char* key;
    const char* name;
    QStringList sameIn;    // columns that must match besides the name (the family of a path)
    QStringList copied;    // columns an added row takes from the snapshot
};

const Lookup kNatures{"DemeanorNature", "DemNat_ID", "DemNat", {}, {}};
const Lookup kClans{"Clan", "Clan_ID", "Clan", {}, {}};
const Lookup kConcepts{"Concept", "Concept_ID", "Concept", {}, {}};
const Lookup kHumanityPaths{"HumanityPath", "Path_ID", "Path", {}, {}};

// The character row's looked-up columns.
const std::pair<const char*, const Lookup*> kCharacterLookups[] = {
    {"Nature", &kNatures}, {"Demeanor", &kNatures}, {"Clan", &kClans}, {"Concept", &kConcepts},
    {"Path", &kHumanityPaths}};

struct LinkTable {
    const char* table;
    Lookup lookup;
};

const LinkTable kLinks[] = {
    {"Discipline_Link", {"Discipline_LookUp", "Discipline_ID", "Discipline", {}, {}}},
    {"BackGround_Link", {"BackGround_LookUp", "BackGround_ID", "BackGround", {}, {}}},
    {"MeritFlaw_Link",
     {"MeritFlaw_LookUp", "MeritFlaw_ID", "MeritFlaw", {}, {"Points", "pointflex", "Description"}}},
    {"Path_Link", {"Path_LookUp", "Path_ID", "Path", {"ThaNec"}, {}}},
    {"Ritual_Link", {"Ritual_Lookup", "Ritual_ID", "Ritual", {"ThaNec"}, {"Level", "Description"}}},
};

using Rows = std::vector<QVariantMap>;

Rows rowsOf(db::Connection& connection, const QString& sql, const QVariantList& params) {
    Rows rows;
    db::Statement statement(connection.handle(), sql);
    statement.bind(params);
    while (statement.step()) {
        QVariantMap row;
        for (int c = 0; c < statement.columnCount(); ++c)
            row.insert(statement.columnName(c), statement.value(c));
        rows.push_back(std::move(row));
    }
    return rows;
}

QSet<QString> columnsOf(db::Connection& connection, const char* table) {
    QSet<QString> columns;
    for (const QVariantMap& column :
         rowsOf(connection, QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table)), {}))
        columns.insert(column.value(QStringLiteral("name")).toString());
    return columns;
}

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

void insert(db::Connection& connection, const char* table, const QVariantMap& row, const QSet<QString>& columns) {
    QStringList names, marks;
    QVariantList values;
    for (auto field = row.begin(); field != row.end(); ++field) {
        if (!columns.contains(field.key()))
            continue; // a column of the snapshot's file that this one does not have
        names << quoted(field.key());
        marks << QStringLiteral("?");
        values << field.value();
    }
    connection.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(QLatin1String(table), names.join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
                       values);
}

class Restore {
public:
    Restore(db::Connection& current, db::Connection& snapshot) : m_current(current), m_snapshot(snapshot) {}

    // The open file's key for the row the snapshot's key names, added when missing; Null when the
    // snapshot's key names no row.
    QVariant keyFor(const Lookup& lookup, const QVariant& snapshotKey) {
        if (snapshotKey.isNull())
            return {};
        const Rows found = rowsOf(m_snapshot,
                                  QStringLiteral("SELECT * FROM %1 WHERE %2 = ? LIMIT 1")
                                      .arg(QLatin1String(lookup.table), QLatin1String(lookup.key)),
                                  {snapshotKey});
        if (found.empty())
            return {};
        const QVariantMap& row = found.front();
        const QString name = row.value(QLatin1String(lookup.name)).toString();
        QString where = QStringLiteral("%1 = ? COLLATE NOCASE").arg(QLatin1String(lookup.name));
        QVariantList params{name};
        for (const QString& column : lookup.sameIn) {
            where += QStringLiteral(" AND %1 IS ?").arg(column);
            params << row.value(column);
        }
        const QVariant known = m_current.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %1 LIMIT 1")
                                                    .arg(QLatin1String(lookup.key), QLatin1String(lookup.table), where),
                                                params);
        if (!known.isNull())
            return known;
        QVariantMap added{{QLatin1String(lookup.name), name}};
        for (const QString& column : lookup.sameIn + lookup.copied)
            added.insert(column, row.value(column));
        insert(m_current, lookup.table, added, columnsOf(m_current, lookup.table));
        m_added << name;
        return m_current.lastInsertRowid();
    }

    // The snapshot's rows of a table that hold the character, under its key in the open file.
    void copyRows(const char* table, model::CharacterKey from, model::CharacterKey to, const Lookup* lookup) {
        const QSet<QString> columns = columnsOf(m_current, table);
        for (QVariantMap row : rowsOf(m_snapshot,
                                      QStringLiteral("SELECT * FROM %1 WHERE Char_ID = ? ORDER BY rowid")
                                          .arg(QLatin1String(table)),
                                      {from})) {
            row.insert(QStringLiteral("Char_ID"), to);
            if (lookup) {
                const QVariant key = keyFor(*lookup, row.value(QLatin1String(lookup->key)));
                if (key.isNull())
                    continue; // named nothing in the snapshot either
                row.insert(QLatin1String(lookup->key), key);
            }
            insert(m_current, table, row, columns);
        }
    }

    QStringList added() const { return m_added; }

private:
    db::Connection& m_current;
    db::Connection& m_snapshot;
    QStringList m_added;
};

} // namespace

RestoreResult restoreCharacter(db::Database& current, const QString& snapshotPath, model::CharacterKey key,
                               RestoreAs as) {
    db::Connection snapshot(snapshotPath, db::OpenMode::ReadOnly);
    Rows found = rowsOf(snapshot, QStringLiteral("SELECT * FROM Char_Info WHERE Char_ID = ?"), {key});
    if (found.empty())
        throw db::DbError(QStringLiteral("The snapshot holds no character with the number %1.").arg(key));

    db::Transaction transaction(current);
    db::Connection& connection = current.connection();
    Restore restore(connection, snapshot);
    QVariantMap row = found.front();
    for (const auto& [column, lookup] : kCharacterLookups)
        if (row.contains(QLatin1String(column)))
            row.insert(QLatin1String(column), restore.keyFor(*lookup, row.value(QLatin1String(column))));

    // The journal keeps what is replaced, so the restore can be taken back like any other change.
    journal::Batch batch{QStringLiteral("Restore from snapshot")};
    const journal::Change character{journal::Kind::Character, QStringLiteral("Character"), QStringLiteral("character"),
                                    QVariant(), QVariant()};
    if (as == RestoreAs::SameKey && CharacterStore(current).exists(key)) {
        journal::Change replaced = character;
        replaced.before = journal::deletionRows(current, key);
        journal::record(current, batch, key, {replaced});
    }
    if (as == RestoreAs::SameKey) {
        for (const char* table : {"Char_Info", "Health", "Discipline_Link", "BackGround_Link", "MeritFlaw_Link",
                                  "Path_Link", "Ritual_Link"})
            connection.execute(QStringLiteral("DELETE FROM %1 WHERE Char_ID = ?").arg(QLatin1String(table)), {key});
    } else {
        row.remove(QStringLiteral("Char_ID"));
    }
    insert(connection, "Char_Info", row, columnsOf(connection, "Char_Info"));
    const model::CharacterKey restored = as == RestoreAs::SameKey ? key : connection.lastInsertRowid();

    restore.copyRows("Health", key, restored, nullptr);
    for (const LinkTable& link : kLinks)
        restore.copyRows(link.table, key, restored, &link.lookup);
    journal::Change brought = character;
    brought.after = row.value(QStringLiteral("Name"));
    journal::record(current, batch, restored, {brought});
    transaction.commit();
    return {restored, restore.added()};
}

} // namespace store
