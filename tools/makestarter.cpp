// Makes the starter database named by the first argument: the empty schema, small lookup lists
// and three sample characters of the Caldrenne chronicle. An existing file is left alone, so a
// game master's own edits survive every rebuild.

#include "db/Database.h"
#include "db/DbError.h"
#include "model/TraitCatalogue.h"
#include "store/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QVariant>
#include <cstdio>
#include <vector>

namespace {

using Row = QVariantList;

// One table's rows: the columns named, one value per column in each row.
struct Rows {
    const char* table;
    QStringList columns;
    std::vector<Row> rows;
};

const std::vector<Rows> kLookups = {
    {"DemeanorNature",
     {"DemNat"},
     {{"Lamplighter"},
      {"Gravetender"},
      {"Wayfarer"},
      {"Ledger-Keeper"},
      {"Hearth-Warden"},
      {"Mourner"},
      {"Dice-Thrower"},
      {"Tinkerer"},
      {"Oathbound"},
      {"Moth-Chaser"}}},
    {"Clan", {"Clan"}, {{"House Vesper"}, {"The Ashen Choir"}, {"Lanternborn"}, {"Mirecallers"}, {"The Gilded Thorn"}}},
    {"Concept",
     {"Concept"},
     {{"Night Courier"},
      {"Bridge Toll Collector"},
      {"Failed Alchemist"},
      {"Canal Smuggler"},
      {"Archivist of Ruins"},
      {"Street Preacher"},
      {"Clockmaker"},
      {"Ferry Pilot"}}},
    {"Discipline_LookUp",
     {"Discipline"},
     {{"Emberwake"},
      {"Hushing"},
      {"Glasswalk"},
      {"Marrowsong"},
      {"Veilcraft"},
      {"Ironblood"},
      {"Lanternsight"},
      {"Duskstride"},
      {"Thornspeech"},
      {"Mirrorbind"}}},
    {"BackGround_LookUp",
     {"BackGround"},
     {{"Generation"},
      {"Coin"},
      {"Old Debts"},
      {"Whisper Network"},
      {"Kept Servant"},
      {"Haven Deeds"},
      {"Guild Standing"},
      {"Lineage Rumor"}}},
    {"HumanityPath",
     {"Path"},
     {{"Humanity"}, {"Path of the Quiet Ember"}, {"Path of the Ledger"}, {"Path of Hollow Bells"}}},
    {"MeritFlaw_LookUp",
     {"MeritFlaw", "Points", "pointflex", "Description"},
     {{"Lantern Eyes", 2, 0, "Sees clearly by the faintest candle or starlight."},
      {"Tide-Sense", 1, 0, "Always knows the hour of the tide and how much of the night is left."},
      {"Borrowed Name", 3, 0, "Keeps a second identity whose papers survive any clerk's scrutiny."},
      {"Echo Memory", 2, 0, "Recalls any conversation heard this night, word for word."},
      {"Patron's Favor", 0, 1, "An elder of the city owes a favor; its worth is set per character."},
      {"Ash-Scarred", -1, 0, "Old burns show through any disguise."},
      {"Bell-Shy", -2, 0, "Cannot abide ringing bells: must leave at once or lose composure."},
      {"Moth-Drawn", -1, 0, "Stares into open flame and must make an effort to look away."},
      {"Mirror-Marked", -3, 0, "Casts a reflection a moment late, which the watchful notice."},
      {"Debt to the Ferry", 0, 1, "Owes passages to the ferry pilots' guild; the size of the debt varies."}}},
    {"Path_LookUp",
     {"Path", "ThaNec"},
     {{"Path of Cinders", 1},
      {"Path of the Still Pulse", 1},
      {"Path of Weathered Glass", 1},
      {"Path of Salt Lines", 1},
      {"Path of the Grey Lantern", 2},
      {"Path of Quiet Bones", 2},
      {"Path of the Drowned Choir", 2}}},
    {"Ritual_Lookup",
     {"Ritual", "Level", "ThaNec", "Description"},
     {{"Candle of Small Secrets", 1, 1, "A candle that gutters whenever a lie is told in its light."},
      {"Salt Circle of Stillness", 2, 1, "No one may cross a drawn line of salt without leave until dawn."},
      {"Ink That Remembers", 3, 1, "Writing that fades from the page and returns at the author's word."},
      {"Bell Jar Sleep", 4, 1, "Seals a sleeper under glass, untouched by time or harm for a season."},
      {"Unmaking of the Threshold", 5, 1, "Erases a doorway from every memory of those who once passed it."},
      {"Whisper to the Buried", 1, 2, "Asks one question of a grave and hears its answer as wind."},
      {"Lantern for the Lost", 2, 2, "A pale lantern that only the recently dead can see and follow."},
      {"Grave-Dust Ward", 3, 2, "Dust from seven graves keeps restless spirits from a room."},
      {"Borrowed Breath", 4, 2, "Lets a spirit speak through the caster's mouth for one hour."},
      {"Choir of the Drowned", 5, 2, "Calls the river's dead to sing, and none who hear them can move."}}},
};

// A sample character. Ratings are the 39 trait ratings in column order, one digit each: nine
// attributes, then thirty abilities in groups of ten; blanks only group them for reading.
struct Character {
    QVariantList identity; // Name, player, Chronicle, Nature, Demeanor, Clan, Concept, Generation, Haven
    const char* ratings;
    std::vector<std::pair<const char*, QVariant>> columns;
    std::vector<std::pair<const char*, const char*>> specialties;
    std::vector<std::pair<const char*, int>> disciplines, backgrounds, merits, paths;
    QStringList rituals;
    QVariantList health; // Health0 ... Health6
};

const std::vector<Character> kCharacters = {
    {{"Ilse Varrow", "Marta Kell", "The Lantern Winter", "Lamplighter", "Ledger-Keeper", "House Vesper", "Clockmaker",
      10, "The loft above the clock shop on Tallow Lane"},
     "232 323 344  2101210021 0402010320 3022110213",
     {{"Conscience", 3},
      {"Conscience_Conviction", 1},
      {"SelfControl", 2},
      {"SelfControl_Instinct", 1},
      {"Courage", 3},
      {"Path", "Humanity"},
      {"Humanity", 7},
      {"WillPower", 5},
      {"Cur_WillPower", 4},
      {"BloodPool", 10},
      {"ExperienceGiven", 25},
      {"ExperienceSpent", 18},
      {"History", "Apprenticed to a clockmaker until the night her master sold her debt to House Vesper.\n"
                  "She still winds every clock in the quarter before dawn."},
      {"Notes", "Owes the Ledger-Keepers a favor. Suspects the ferry pilots of smuggling grave dust."}},
     {{"Wits", "Quick bargains"}, {"Crafts", "Clockwork"}, {"Academics", "Old guild law"}},
     {{"Lanternsight", 2}, {"Glasswalk", 1}, {"Hushing", 1}},
     {{"Generation", 3}, {"Coin", 2}, {"Whisper Network", 1}},
     {{"Lantern Eyes", 2}, {"Bell-Shy", -2}},
     {{"Path of Cinders", 2}, {"Path of Salt Lines", 1}},
     {"Candle of Small Secrets", "Salt Circle of Stillness"},
     {1, 1, 1, 1, 1, 1, 1}},
    {{"Corvin Ashdown", "Teodor Lisk", "The Lantern Winter", "Oathbound", "Mourner", "The Ashen Choir",
      "Archivist of Ruins", 13, "A flooded chapel crypt under the east bridge"},
     "323 212 433  3121102010 0101030231 3004131400",
     {{"Conscience", 2},
      {"Conscience_Conviction", 2},
      {"SelfControl", 3},
      {"SelfControl_Instinct", 2},
      {"Courage", 4},
      {"Path", "Path of Hollow Bells"},
      {"Humanity", 5},
      {"WillPower", 6},
      {"Cur_WillPower", 6},
      {"BloodPool", 7},
      {"ExperienceGiven", 12},
      {"ExperienceSpent", 12},
      {"History", "Kept the records of a drowned parish and would not stop keeping them after he drowned too."},
      {"Notes", "Counts the bells of the city every night; a missing toll sends him hunting."}},
     {{"Strength", "Crowbar work"},
      {"Occult", "Burial rites"},
      {"Investigation", "Parish records"},
      {"Linguistics", "Dead liturgies"}},
     {{"Marrowsong", 3}, {"Veilcraft", 2}},
     {{"Old Debts", 2}, {"Lineage Rumor", 1}},
     {{"Patron's Favor", 3}, {"Ash-Scarred", -1}, {"Debt to the Ferry", -2}},
     {{"Path of Quiet Bones", 3}, {"Path of the Grey Lantern", 1}},
     {"Whisper to the Buried", "Lantern for the Lost", "Grave-Dust Ward"},
     {2, 2, 3, 1, 1, 1, 1}},
    {{"Mother Quillon", "NPC", "The Lantern Winter", "Gravetender", "Hearth-Warden", "Mirecallers", "Ferry Pilot", 8,
      "Her barge, moored wherever the fog is thickest"},
     "233 442 354  4212323234 3202021134 2032132531",
     {{"Conscience", 2},
      {"Conscience_Conviction", 1},
      {"SelfControl", 4},
      {"SelfControl_Instinct", 1},
      {"Courage", 3},
      {"Path", "Humanity"},
      {"Humanity", 4},
      {"WillPower", 7},
      {"Cur_WillPower", 7},
      {"BloodPool", 15},
      {"ExperienceGiven", 0},
      {"ExperienceSpent", 0},
      {"History", "Has ferried the living and the dead across the Caldrenne for longer than the bridges stood."},
      {"Notes", "Knows where the Ashen Choir buries what it will not burn. Will trade, never sell."}},
     {{"Perception", "Fog and river sounds"}, {"Survival", "The marshes"}},
     {{"Duskstride", 2}, {"Thornspeech", 2}, {"Marrowsong", 1}},
     {{"Generation", 5}, {"Kept Servant", 3}, {"Guild Standing", 4}},
     {{"Echo Memory", 2}, {"Moth-Drawn", -1}},
     {{"Path of Weathered Glass", 2}},
     {"Ink That Remembers"},
     {1, 1, 1, 1, 1, 1, 1}},
};

void insert(db::Database& database, const QString& table, const QStringList& columns, const Row& values) {
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    database.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(table, columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
                     values);
}

// The key of the lookup row with the given name: the table's first column, its name the second.
QVariant keyOf(db::Database& database, const QString& table, const QString& name) {
    const db::Statement columns(database.connection().handle(), QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table));
    const QVariant key = database.scalar(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(columns.columnName(0), table, columns.columnName(1)),
        {name});
    if (!key.isValid())
        throw db::DbError(QStringLiteral("No %1 named \"%2\" in the starter lists.").arg(table, name));
    return key;
}

void addCharacter(db::Database& database, const Character& c) {
    QStringList columns = {"Name", "player",  "Chronicle",  "Nature", "Demeanor",
                           "Clan", "Concept", "Generation", "Haven"};
    Row values = c.identity;
    values[3] = keyOf(database, "DemeanorNature", values[3].toString());
    values[4] = keyOf(database, "DemeanorNature", values[4].toString());
    values[5] = keyOf(database, "Clan", values[5].toString());
    values[6] = keyOf(database, "Concept", values[6].toString());
    int trait = 0;
    for (const char* digit = c.ratings; *digit; ++digit)
        if (*digit != ' ') {
            columns << QLatin1String(model::catalogue::kTraitColumns.at(size_t(trait++)));
            values << (*digit - '0');
        }
    if (trait != model::catalogue::kTraitCount)
        throw db::DbError(QStringLiteral("%1 has %2 trait ratings.").arg(c.identity[0].toString()).arg(trait));
    for (const auto& [column, value] : c.columns) {
        columns << QLatin1String(column);
        values << (QLatin1String(column) == QLatin1String("Path") ? keyOf(database, "HumanityPath", value.toString())
                                                                  : value);
    }
    for (const auto& [trait, text] : c.specialties) {
        columns << QLatin1String(trait) + QStringLiteral("_Spec");
        values << QString::fromUtf8(text);
    }
    insert(database, "Char_Info", columns, values);
    const QVariant id = database.scalar(QStringLiteral("SELECT max(Char_ID) FROM Char_Info"));

    Row health = {id};
    health << c.health;
    insert(database, "Health", {"Char_ID", "Health0", "Health1", "Health2", "Health3", "Health4", "Health5", "Health6"},
           health);
    const struct {
        const char *link, *lookup, *key, *level;
        const std::vector<std::pair<const char*, int>>& entries;
    } links[] = {{"Discipline_Link", "Discipline_LookUp", "Discipline_ID", "Level", c.disciplines},
                 {"BackGround_Link", "BackGround_LookUp", "BackGround_ID", "Level", c.backgrounds},
                 {"MeritFlaw_Link", "MeritFlaw_LookUp", "MeritFlaw_ID", "Points", c.merits},
                 {"Path_Link", "Path_LookUp", "Path_ID", "Level", c.paths}};
    for (const auto& l : links)
        for (const auto& [name, level] : l.entries)
            insert(database, l.link, {"Char_ID", l.key, l.level},
                   {id, keyOf(database, l.lookup, QString::fromUtf8(name)), level});
    for (const QString& ritual : c.rituals)
        insert(database, "Ritual_Link", {"Char_ID", "Ritual_ID"}, {id, keyOf(database, "Ritual_Lookup", ritual)});
}

void fill(db::Database& database) {
    db::Transaction transaction(database);
    // Key 1 is what a new character refers to; clanless is the fitting default in Caldrenne.
    database.Execute(QStringLiteral("UPDATE Clan SET Clan = 'Unbound' WHERE Clan_ID = 1"));
    for (const Rows& list : kLookups)
        for (const Row& row : list.rows)
            insert(database, list.table, list.columns, row);
    for (const Character& character : kCharacters)
        addCharacter(database, character);
    transaction.commit();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makestarter <database file>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) {
        std::printf("Starter database %s already exists; left as it is.\n", argv[1]);
        return 0;
    }
    try {
        store::createDatabase(path);
        auto database = db::Database::open(path, true);
        fill(*database);
        database->Close();
    } catch (const db::DbError& e) {
        QFile::remove(path); // no half-made starter database is left for the next build to keep
        std::fprintf(stderr, "makestarter: %s\n", e.what());
        return 1;
    }
    std::printf("Made the starter database %s.\n", argv[1]);
    return 0;
}
