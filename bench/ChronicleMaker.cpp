#include "model/TraitCatalogue.h"
#include "ChronicleMaker.h"

#include "db/Connection.h"
#include "db/Database.h"
#include "store/Schema.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <memory>

namespace bench {

namespace {

const QStringList kFirstNames = {"Aldric", "Brisa", "Corvin", "Dessa", "Evander", "Fenna", "Galen", "Hesper",
                                 "Isolde", "Jarek", "Kestra", "Lucan", "Mirel",   "Nadir", "Oriel", "Perrin"};

struct LookupRows {
    const char* table;
    const char* column;
    QStringList names;
};

// Invented lists, large enough that the combo boxes hold realistic numbers of entries.
std::vector<LookupRows> lookupRows() {
    auto numbered = [](const QString& stem, int count) {
        QStringList names;
        for (int i = 1; i <= count; ++i)
            names << QStringLiteral("%1 %2").arg(stem).arg(i);
        return names;
    };
    return {{"DemeanorNature", "DemNat", numbered(QStringLiteral("Temper"), 30)},
            {"Clan", "Clan", numbered(QStringLiteral("House"), 13)},
            {"Concept", "Concept", numbered(QStringLiteral("Calling"), 20)},
            {"HumanityPath", "Path", QStringList{QStringLiteral("Humanity")} + numbered(QStringLiteral("Road"), 7)},
            {"Discipline_LookUp", "Discipline", numbered(QStringLiteral("Gift"), 24)},
            {"BackGround_LookUp", "BackGround",
             QStringList{QStringLiteral("Generation")} + numbered(QStringLiteral("Holding"), 11)}};
}

constexpr int kMerits = 40;
constexpr int kPaths = 10;   // odd keys thaumaturgy, even keys necromancy
constexpr int kRituals = 30; // likewise

// One reusable INSERT with bound parameters.
class Insert {
public:
    Insert(db::Database& database, const QString& table, const QStringList& columns)
        : m_statement(database.connection().handle(),
                      QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, columns.join(QLatin1String(", ")),
                               QStringList(columns.size(), QStringLiteral("?")).join(QLatin1String(", ")))) {}
    void operator()(const QVariantList& values) {
        m_statement.bind(values);
        m_statement.step();
        m_statement.reset();
    }

private:
    db::Statement m_statement;
};

void addLookups(db::Database& database) {
    for (const LookupRows& rows : lookupRows()) {
        Insert insert(database, QLatin1String(rows.table), {QLatin1String(rows.column)});
        for (const QString& name : rows.names)
            insert({name});
    }
    Insert merit(database, QStringLiteral("MeritFlaw_LookUp"),
                 {QStringLiteral("MeritFlaw"), QStringLiteral("Points"), QStringLiteral("pointflex"),
                  QStringLiteral("Description")});
    for (int i = 1; i <= kMerits; ++i)
        merit({QStringLiteral("Quirk %1").arg(i), (i % 7) - 3, i % 5 == 0,
               QStringLiteral("A quirk of the blood, number %1.").arg(i)});
    Insert path(database, QStringLiteral("Path_LookUp"), {QStringLiteral("Path"), QStringLiteral("ThaNec")});
    for (int i = 1; i <= kPaths; ++i)
        path({QStringLiteral("Way %1").arg(i), 2 - i % 2});
    Insert ritual(
        database, QStringLiteral("Ritual_Lookup"),
        {QStringLiteral("Ritual"), QStringLiteral("Level"), QStringLiteral("ThaNec"), QStringLiteral("Description")});
    for (int i = 1; i <= kRituals; ++i)
        ritual({QStringLiteral("Rite %1").arg(i), 1 + i % 5, 2 - i % 2,
                QStringLiteral("The words and gestures of rite %1.").arg(i)});
}

QStringList characterColumns() {
    QStringList columns = {
        "Name",       "player",      "Chronicle", "Nature",          "Demeanor",        "Clan",          "Generation",
        "Haven",      "Concept",     "Path",      "Humanity",        "WillPower",       "Cur_WillPower", "BloodPool",
        "Conscience", "SelfControl", "Courage",   "ExperienceGiven", "ExperienceSpent", "History",       "Notes"};
    for (const char* trait : model::catalogue::kTraitColumns)
        columns << QLatin1String(trait) << QLatin1String(trait) + QStringLiteral("_Spec");
    return columns;
}

} // namespace

QString characterName(int number) {
    return QStringLiteral("%1 %2").arg(kFirstNames[number % kFirstNames.size()]).arg(number, 6, 10, QLatin1Char('0'));
}

void makeChronicle(const QString& path, int characters) {
    store::createDatabase(path);
    auto database = db::Database::open(path, true);
    database->Execute(QStringLiteral("PRAGMA synchronous = OFF")); // a generated file, remade when lost
    database->Execute(QStringLiteral("BEGIN"));
    addLookups(*database);

    Insert character(*database, QStringLiteral("Char_Info"), characterColumns());
    Insert health(*database, QStringLiteral("Health"), {QStringLiteral("Char_ID"), QStringLiteral("Health2")});
    Insert discipline(*database, QStringLiteral("Discipline_Link"),
                      {QStringLiteral("Char_ID"), QStringLiteral("Discipline_ID"), QStringLiteral("Level")});
    Insert background(*database, QStringLiteral("BackGround_Link"),
                      {QStringLiteral("Char_ID"), QStringLiteral("BackGround_ID"), QStringLiteral("Level")});
    Insert merit(*database, QStringLiteral("MeritFlaw_Link"),
                 {QStringLiteral("Char_ID"), QStringLiteral("MeritFlaw_ID"), QStringLiteral("Points")});
    Insert pathLink(*database, QStringLiteral("Path_Link"),
                    {QStringLiteral("Char_ID"), QStringLiteral("Path_ID"), QStringLiteral("Level")});
    Insert ritual(*database, QStringLiteral("Ritual_Link"), {QStringLiteral("Char_ID"), QStringLiteral("Ritual_ID")});

    const QString history = QStringLiteral("Born under a bad moon, raised in the river quarter, taken in the "
                                           "winter of the long fog. ")
                                .repeated(3);
    const QString notes = QStringLiteral("Owes a boon to the harbour court; watch the east gate.");
    for (int n = 0; n < characters; ++n) {
        const qint64 key = n + 1;
        QVariantList row = {characterName(n),
                            n % 10 == 9 ? QStringLiteral("NPC") : QStringLiteral("Player %1").arg(n % 40),
                            QStringLiteral("Ashen Tide"),
                            1 + n % 30,
                            1 + (n / 30) % 30,
                            1 + n % 13,
                            13 - n % 6,
                            QStringLiteral("Haven %1").arg(n % 97),
                            1 + n % 20,
                            1 + n % 8,
                            1 + n % 9,
                            1 + n % 8,
                            n % 7,
                            n % 20,
                            1 + n % 5,
                            1 + (n + 1) % 5,
                            1 + (n + 2) % 5,
                            n % 50,
                            n % 30,
                            history,
                            notes};
        for (int t = 0; t < model::catalogue::kTraitCount; ++t) {
            row << (n + t) % 6;
            row << (t % 9 == n % 9 ? QVariant(QStringLiteral("Specialty %1").arg(t)) : QVariant());
        }
        character(row);
        health({key, n % 3 == 0 ? 2 : 1});
        for (int s = 0; s < 3; ++s) {
            discipline({key, 1 + (n + s * 5) % 24, 1 + (n + s) % 5});
            background({key, 1 + (n + s * 3) % 12, 1 + (n + s) % 5});
        }
        for (int m = 0; m < 2; ++m)
            merit({key, 1 + (n + m * 11) % kMerits, 1 + m});
        pathLink({key, 1 + n % kPaths, 1 + n % 5});
        for (int r = 0; r < 2; ++r)
            ritual({key, 1 + (n + r * 7) % kRituals});
    }
    database->Execute(QStringLiteral("COMMIT"));
    database->Close();
}

void addJournal(const QString& path, int characters, qint64 entries) {
    auto database = db::Database::open(path, true);
    database->Execute(QStringLiteral("PRAGMA synchronous = OFF"));
    database->Execute(QStringLiteral("BEGIN"));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    database->Execute(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
                       "INSERT INTO ChangeJournal (Batch, Seq, Action, Char_ID, CharName, At, Kind, Field, Target, "
                       "Before, After) SELECT i / 3 + 1, i % 3, 'Save', CASE WHEN i % 100 = 0 THEN 1 ELSE 2 + i % ? END, "
                       "'Someone', ? - (? - i) * 3, 0, 'Strength', 'trait:0', i % 5, (i + 1) % 5 FROM n"),
        {entries, std::max(1, characters - 1), now, entries});
    database->Execute(QStringLiteral("COMMIT"));
    database->Close();
}

QString cachedChronicle(int characters, qint64 journalEntries) {
    static QTemporaryDir folder;
    static std::map<std::pair<int, qint64>, QString> made;
    auto found = made.find({characters, journalEntries});
    if (found != made.end())
        return found->second;
    const QString path =
        folder.filePath(QStringLiteral("chronicle-%1-%2.mdb").arg(characters).arg(journalEntries));
    makeChronicle(path, characters);
    if (journalEntries)
        addJournal(path, characters, journalEntries);
    return made[{characters, journalEntries}] = path;
}

} // namespace bench
