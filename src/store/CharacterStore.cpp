#include "store/CharacterStore.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "model/Numbers.h"
#include "store/MeritStore.h"
#include "store/Schema.h"

#include <sqlite3.h>

namespace store {

using model::Character;
using model::CharacterKey;
namespace catalogue = model::catalogue;

namespace {

QString text(const QVariant& value) {
    return numbers::fieldText(value);
}

// Ratings carry defaults, so Null reads as 0; stored values beyond 16 bits are clamped.
int16_t rating(const QVariant& value) {
    return numbers::toInt16Clamped(value.toDouble());
}

// A figure that may be unset: Null and blank text are none, anything else its leading number.
std::optional<double> figure(const QVariant& value) {
    const QString shown = text(value);
    if (shown.trimmed().isEmpty())
        return std::nullopt;
    return numbers::leadingNumber(shown);
}

// A stored health state; Null, text and anything outside 1..3 is an empty box.
int healthState(const QVariant& stored) {
    if (stored.isNull())
        return 1;
    bool ok = false;
    const double value = stored.toDouble(&ok);
    const std::optional<int16_t> state = ok ? numbers::toInt16(value) : std::nullopt;
    return state && *state >= 1 && *state <= 3 ? *state : 1;
}

// The first seven links of one kind are examined in the order returned; each with a level above 0
// takes the next slot.
std::array<model::Slot, catalogue::kSlotCount> loadSlots(db::Database& database, const QString& sql, CharacterKey key) {
    std::array<model::Slot, catalogue::kSlotCount> slots{};
    size_t slot = 0;
    for (const db::Row& row :
         db::query(database.connection(), sql + QStringLiteral(" LIMIT %1").arg(catalogue::kSlotCount), {key})) {
        const QVariant level = row.value(1);
        if (level.toDouble() > 0)
            slots[slot++] = {text(row.value(0)), rating(level)};
    }
    return slots;
}

// How one lookup table is searched by name.
struct Lookup {
    const char* table;
    const char* keyColumn;
    const char* nameColumn;
};

const Lookup kNature = {"DemeanorNature", "DemNat_ID", "DemNat"};
const Lookup kConcept = {"Concept", "Concept_ID", "Concept"};
const Lookup kClan = {"Clan", "Clan_ID", "Clan"};
const Lookup kDiscipline = {"Discipline_LookUp", "Discipline_ID", "Discipline"};
const Lookup kBackground = {"BackGround_LookUp", "BackGround_ID", "BackGround"};
const Lookup kHumanityPath = {"HumanityPath", "Path_ID", "Path"};

struct Found {
    QVariant key;
    QString name; // as the table spells it
    bool added = false;
};

// The key of the first row named `name` (names compare without regard to case, also in a file
// whose columns compare exactly); a name the table lacks is added first.
Found lookupKey(db::Database& database, const Lookup& lookup, const QString& name) {
    const QString select = QStringLiteral("SELECT %1, %3 FROM %2 WHERE %3 = ? COLLATE NOCASE LIMIT 1")
                               .arg(QLatin1String(lookup.keyColumn), QLatin1String(lookup.table),
                                    QLatin1String(lookup.nameColumn));
    std::vector<db::Row> existing = db::query(database.connection(), select, {name});
    if (!existing.empty())
        return {existing.front().value(0), text(existing.front().value(1)), false};
    database.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)")
                         .arg(QLatin1String(lookup.table), QLatin1String(lookup.nameColumn)),
                     {name});
    return {database.scalar(select, {name}), name, true};
}

// The character's links of one kind are replaced by one per named slot, in slot order; each slot
// takes the spelling of its listed entry.
void rewriteLinks(db::Database& database, CharacterKey key, const char* linkTable, const Lookup& lookup,
                  std::array<model::Slot, catalogue::kSlotCount>& slots) {
    database.Execute(QStringLiteral("DELETE FROM %1 WHERE Char_ID = ?").arg(QLatin1String(linkTable)), {key});
    const QString insert = QStringLiteral("INSERT INTO %1 (Char_ID, %2, Level) VALUES (?, ?, ?)")
                               .arg(QLatin1String(linkTable), QLatin1String(lookup.keyColumn));
    for (model::Slot& slot : slots) {
        if (slot.name.isEmpty())
            continue;
        const Found found = lookupKey(database, lookup, slot.name);
        slot.name = found.name;
        database.Execute(insert, {key, found.key, slot.level});
    }
}

bool updateCharacter(db::Database& database, CharacterKey key, const QString& column, const QVariant& value) {
    database.Execute(QStringLiteral("UPDATE Char_Info SET %1 = ? WHERE Char_ID = ?").arg(column), {value, key});
    return database.connection().changes() > 0;
}

const QString kGone = QStringLiteral("The character is no longer in the database.");

// One write made at once, in its own transaction; `write` returns false when the character is gone.
template <class Write> WriteResult atOnce(db::Database& database, Write&& write) {
    try {
        db::Transaction transaction(database);
        if (!write())
            return {kGone};
        transaction.commit();
        return {};
    } catch (const db::DbError& e) {
        return {e.message()}; // a sentence for people, without the statement
    }
}

// A write made at once, journaled: the character as loaded before and after the write tells
// what changed.
template <class Write>
WriteResult journaled(db::Database& database, const QString& action, CharacterKey key, Write&& write) {
    return atOnce(database, [&] {
        const CharacterStore characters(database);
        const std::optional<Character> before = characters.load(key);
        if (!before || !write())
            return false;
        journal::Batch batch{action};
        journal::record(database, batch, key, journal::differences(*before, *characters.load(key)));
        return true;
    });
}

// The character's first Health row (as a Health row is read) takes the states; a character
// without one gets one.
void writeHealth(db::Database& database, CharacterKey key, const std::array<int, catalogue::kHealthCount>& states) {
    QVariantList values;
    for (int state : states)
        values << state;
    values << key;
    const QVariant row = database.scalar(QStringLiteral("SELECT rowid FROM Health WHERE Char_ID = ?"), {key});
    if (row.isNull()) {
        database.Execute(QStringLiteral("INSERT INTO Health (Health0, Health1, Health2, Health3, Health4, Health5, "
                                        "Health6, Char_ID) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                         values);
        return;
    }
    values.back() = row;
    database.Execute(QStringLiteral("UPDATE Health SET Health0 = ?, Health1 = ?, Health2 = ?, Health3 = ?, "
                                    "Health4 = ?, Health5 = ?, Health6 = ? WHERE rowid = ?"),
                     values);
}

// Every table that holds rows of a character, the character's own row first.
const char* const kCharacterTables[] = {"Char_Info",      "Health",    "Discipline_Link", "BackGround_Link",
                                        "MeritFlaw_Link", "Path_Link", "Ritual_Link"};

} // namespace

std::optional<Character> CharacterStore::load(CharacterKey key) const {
    const std::vector<db::Row> rows = db::query(
        m_db.connection(), schema::mainCharacterQuery() + QStringLiteral(" WHERE a.Char_ID = ? LIMIT 1"), {key});
    if (rows.empty())
        return std::nullopt;
    const db::Row& row = rows.front();
    // The last four columns are the looked-up names; "Clan" and "Concept" alone name the keys.
    const int names = row.size() - 4;

    Character c;
    c.key = key;
    c.name = text(row.value(QStringLiteral("Name")));
    c.player = text(row.value(QStringLiteral("player")));
    c.chronicle = text(row.value(QStringLiteral("Chronicle")));
    c.nature = text(row.value(names));
    c.demeanor = text(row.value(names + 1));
    c.clan = text(row.value(names + 2));
    c.conceptName = text(row.value(names + 3));
    c.haven = text(row.value(QStringLiteral("Haven")));
    c.generation = figure(row.value(QStringLiteral("Generation")));
    c.experienceGiven = figure(row.value(QStringLiteral("ExperienceGiven")));
    c.experienceSpent = figure(row.value(QStringLiteral("ExperienceSpent")));

    for (int t = 0; t < catalogue::kTraitCount; ++t) {
        c.traits[size_t(t)] = rating(row.value(QLatin1String(catalogue::kTraitColumns[size_t(t)])));
        c.specialties[size_t(t)] = text(row.value(catalogue::specialtyPosition(t)));
    }
    for (size_t v = 0; v < catalogue::kVirtues.size(); ++v) {
        const catalogue::Virtue& virtue = catalogue::kVirtues[v];
        c.virtues[v].rating = rating(row.value(QLatin1String(virtue.column)));
        if (*virtue.choiceColumn) {
            const QVariant choice = row.value(QLatin1String(virtue.choiceColumn));
            c.virtues[v].firstVariant = !choice.isNull() && choice.toDouble() == 1;
        }
    }
    c.humanity = rating(row.value(QStringLiteral("Humanity")));
    c.willpower = rating(row.value(QStringLiteral("WillPower")));
    c.currentWillpower = rating(row.value(QStringLiteral("Cur_WillPower")));
    c.bloodPool = rating(row.value(QStringLiteral("BloodPool")));

    c.disciplines = loadSlots(m_db,
                              QStringLiteral("SELECT c.Discipline, b.Level FROM Char_Info a, Discipline_Link b, "
                                             "Discipline_Lookup c WHERE b.Char_ID = a.Char_ID and "
                                             "C.Discipline_ID = b.Discipline_ID AND a.Char_ID = ?"),
                              key);
    c.backgrounds = loadSlots(m_db,
                              QStringLiteral("SELECT c.Background, b.Level FROM Char_Info a, BackGround_Link b, "
                                             "BackGround_Lookup c WHERE b.Char_ID = a.Char_ID and "
                                             "C.BackGround_ID = b.BackGround_ID and a.Char_ID = ?"),
                              key);
    // A Path that matches no row shows no name.
    c.humanityPath = text(m_db.scalar(
        QStringLiteral("Select b.Path from Char_Info a, HumanityPath b where b.Path_ID=a.Path AND a.Char_ID = ?"),
        {key}));

    const std::vector<db::Row> health = db::query(
        m_db.connection(),
        QStringLiteral("Select b.* from Char_Info a, Health b where b.Char_ID = a.Char_ID AND a.Char_ID = ? LIMIT 1"),
        {key});
    if (!health.empty())
        for (int i = 0; i < catalogue::kHealthCount; ++i)
            c.health[size_t(i)] = healthState(health.front().value(QStringLiteral("Health%1").arg(i)));
    c.merits = merits::characterMerits(m_db, key);
    return c;
}

std::optional<CharacterKey> CharacterStore::first() const {
    const std::vector<db::Row> rows =
        db::query(m_db.connection(), schema::mainCharacterQuery() + QStringLiteral(" LIMIT 1"));
    if (rows.empty())
        return std::nullopt;
    return rows.front().value(QStringLiteral("Char_ID")).toLongLong();
}

bool CharacterStore::exists(CharacterKey key) const {
    return !m_db.scalar(QStringLiteral("SELECT 1 FROM Char_Info WHERE Char_ID = ?"), {key}).isNull();
}

SaveResult CharacterStore::save(const Character& c, journal::Batch batch) {
    SaveResult result;
    Character saved = c;
    try {
        db::Transaction transaction(m_db);
        const std::optional<Character> stored = load(c.key);
        if (!stored) {
            result.error = kGone;
            return result;
        }
        QStringList columns = {QStringLiteral("Name"), QStringLiteral("player"), QStringLiteral("Chronicle")};
        QVariantList values = {c.name, c.player, c.chronicle};

        const std::pair<IdentityLookup, QString*> identity[] = {{IdentityLookup::Nature, &saved.nature},
                                                                {IdentityLookup::Demeanor, &saved.demeanor},
                                                                {IdentityLookup::Concept, &saved.conceptName},
                                                                {IdentityLookup::Clan, &saved.clan}};
        for (const auto& [field, name] : identity) {
            static const char* const kColumns[] = {"Nature", "Demeanor", "Concept", "Clan"};
            const QLatin1String column(kColumns[int(field)]);
            const Lookup& lookup = field == IdentityLookup::Concept ? kConcept
                                   : field == IdentityLookup::Clan  ? kClan
                                                                    : kNature;
            if (name->isEmpty()) {
                // An empty field leaves the column as it is, unless its key names no row: the sheet
                // showed it empty, and a lookup row added later under that key must not fill it.
                m_db.Execute(QStringLiteral("UPDATE Char_Info SET %1 = NULL WHERE Char_ID = ? AND %1 NOT IN "
                                            "(SELECT %2 FROM %3)")
                                 .arg(column, QLatin1String(lookup.keyColumn), QLatin1String(lookup.table)),
                             {c.key});
                continue;
            }
            const Found found = lookupKey(m_db, lookup, *name);
            if (found.added)
                result.addedNames.emplace_back(field, *name);
            *name = found.name;
            columns << column;
            values << found.key;
        }

        // A Null figure shows as 0, and the save writes what the sheet shows.
        columns << QStringLiteral("Generation") << QStringLiteral("Haven") << QStringLiteral("ExperienceGiven")
                << QStringLiteral("ExperienceSpent");
        values << (c.generation ? QVariant(*c.generation) : QVariant()) << c.haven << c.experienceGiven.value_or(0)
               << c.experienceSpent.value_or(0);
        for (int t = 0; t < catalogue::kTraitCount; ++t) {
            columns << QLatin1String(catalogue::kTraitColumns[size_t(t)]);
            values << c.traits[size_t(t)];
        }

        rewriteLinks(m_db, c.key, "Discipline_Link", kDiscipline, saved.disciplines);
        rewriteLinks(m_db, c.key, "BackGround_Link", kBackground, saved.backgrounds);

        for (size_t v = 0; v < catalogue::kVirtues.size(); ++v) {
            const catalogue::Virtue& virtue = catalogue::kVirtues[v];
            columns << QLatin1String(virtue.column);
            values << c.virtues[v].rating;
            if (*virtue.choiceColumn) {
                columns << QLatin1String(virtue.choiceColumn);
                values << (c.virtues[v].firstVariant ? 1 : 2);
            }
        }
        // Always, also for an empty name: the character then follows the path named ''.
        columns << QStringLiteral("Path");
        const Found path = lookupKey(m_db, kHumanityPath, c.humanityPath);
        saved.humanityPath = path.name;
        values << path.key;
        columns << QStringLiteral("Humanity") << QStringLiteral("WillPower") << QStringLiteral("Cur_WillPower")
                << QStringLiteral("BloodPool");
        values << c.humanity << c.willpower << c.currentWillpower << c.bloodPool;

        QStringList assignments;
        for (const QString& column : columns)
            assignments << column + QStringLiteral(" = ?");
        values << c.key;
        m_db.Execute(QStringLiteral("UPDATE Char_Info SET %1 WHERE Char_ID = ?").arg(assignments.join(", ")), values);

        writeHealth(m_db, c.key, c.health);
        // Read back rather than compared with what was asked: an empty name leaves its column.
        journal::record(m_db, batch, c.key, journal::differences(*stored, *load(c.key)));
        transaction.commit();
        result.character = std::move(saved);
    } catch (const db::DbError& e) {
        result.error = e.message();
        result.addedNames.clear();
    }
    return result;
}

CharacterKey CharacterStore::add() {
    db::Transaction transaction(m_db);
    m_db.Execute(QStringLiteral("INSERT INTO Char_Info (Name, Demeanor, Nature, Clan, Concept, BloodPool, "
                                "Cur_WillPower) VALUES ('New Char', 1, 1, 1, 1, 0, 0)"));
    const CharacterKey key = m_db.connection().lastInsertRowid();
    journal::Batch batch{QStringLiteral("Add")};
    journal::record(m_db, batch, key,
                    {{journal::Kind::Character, QStringLiteral("Character"), QStringLiteral("character"), QVariant(),
                      QStringLiteral("New Char")}},
                    QStringLiteral("New Char"));
    // Empty boxes whatever defaults the file's table carries.
    m_db.Execute(QStringLiteral("INSERT INTO Health (Char_ID, Health0, Health1, Health2, Health3, Health4, Health5, "
                                "Health6) VALUES (?, 1, 1, 1, 1, 1, 1, 1)"),
                 {key});
    transaction.commit();
    return key;
}

void CharacterStore::remove(CharacterKey key, journal::Batch batch) {
    db::Transaction transaction(m_db);
    const QVariant name = m_db.scalar(QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = ?"), {key});
    if (!name.isNull())
        journal::record(m_db, batch, key,
                        {{journal::Kind::Character, QStringLiteral("Character"), QStringLiteral("character"),
                          journal::deletionRows(m_db, key), QVariant()}},
                        name.toString());
    for (const char* table : kCharacterTables)
        m_db.Execute(QStringLiteral("DELETE FROM %1 WHERE Char_ID = ?").arg(QLatin1String(table)), {key});
    transaction.commit();
}

WriteResult CharacterStore::setCurrentWillpower(CharacterKey key, int value) {
    return journaled(m_db, QStringLiteral("Willpower"), key,
                     [&] { return updateCharacter(m_db, key, QStringLiteral("Cur_WillPower"), value); });
}

WriteResult CharacterStore::setBloodPool(CharacterKey key, int total) {
    return journaled(m_db, QStringLiteral("Blood pool"), key,
                     [&] { return updateCharacter(m_db, key, QStringLiteral("BloodPool"), total); });
}

WriteResult CharacterStore::setSpecialty(CharacterKey key, int trait, const QString& specialty,
                                         journal::Batch batch) {
    return atOnce(m_db, [&] {
        // Specialties are addressed by their place in the row, whatever the file calls the column.
        const QString column =
            db::Statement(m_db.connection().handle(), QStringLiteral("SELECT * FROM Char_Info LIMIT 0"))
                .columnName(catalogue::specialtyPosition(trait));
        const QString before =
            text(m_db.scalar(QStringLiteral("SELECT %1 FROM Char_Info WHERE Char_ID = ?").arg(column), {key}));
        if (!updateCharacter(m_db, key, column, specialty.isEmpty() ? QVariant() : QVariant(specialty)))
            return false;
        if (before != specialty)
            journal::record(m_db, batch, key,
                            {{journal::Kind::Ratings,
                              QStringLiteral("Specialty of %1").arg(journal::traitName(trait)),
                              QStringLiteral("specialty:%1").arg(trait), before, specialty}});
        return true;
    });
}

WriteResult CharacterStore::setHealth(CharacterKey key, const std::array<int, catalogue::kHealthCount>& states) {
    return journaled(m_db, QStringLiteral("Health"), key, [&] {
        writeHealth(m_db, key, states);
        return true;
    });
}

} // namespace store
