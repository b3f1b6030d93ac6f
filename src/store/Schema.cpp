#include "store/Schema.h"

#include "model/TraitCatalogue.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "store/Journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <vector>

namespace store {

using db::Connection;
using db::Database;
using db::DbError;
using db::Statement;
using db::Transaction;
using namespace model::catalogue;

namespace schema {

QString mainCharacterQuery() {
    // Outer joins: a key that names no lookup row shows an empty name instead of hiding the character.
    return QStringLiteral("SELECT a.*, b.demnat,  c.demnat, d.clan, e.concept FROM char_info a "
                          "LEFT JOIN DemeanorNature b ON b.demnat_ID = a.Nature "
                          "LEFT JOIN DemeanorNature c ON c.demnat_ID = a.Demeanor "
                          "LEFT JOIN Clan d ON d.Clan_ID = a.Clan "
                          "LEFT JOIN Concept e ON e.Concept_ID = a.Concept");
}

namespace {

// Text columns ignore case in comparisons, as the program's lookups by name expect.
const char* const kText = " TEXT COLLATE NOCASE";

// One table as create() makes it: each column's definition starts with its name.
struct TableDefinition {
    QString name;
    QStringList columns;
};

QStringList charInfoColumns() {
    QStringList columns = {
        "Char_ID INTEGER PRIMARY KEY AUTOINCREMENT",
        QStringLiteral("Name%1 NOT NULL DEFAULT ''").arg(kText),
        QStringLiteral("player%1").arg(kText),
        QStringLiteral("Chronicle%1").arg(kText),
        "Nature INTEGER",
        "Demeanor INTEGER",
        "Clan INTEGER",
        "Generation NUMERIC",
        QStringLiteral("Haven%1").arg(kText),
        "Concept INTEGER",
        "Path INTEGER",
    };
    for (const char* trait : kTraitColumns) {
        columns << QStringLiteral("%1 INTEGER NOT NULL DEFAULT 0").arg(QLatin1String(trait));
        columns << QStringLiteral("%1_Spec%2").arg(QLatin1String(trait), QLatin1String(kText));
    }
    columns << "ExperienceGiven NUMERIC"
            << "ExperienceSpent NUMERIC"
            << "Conscience INTEGER NOT NULL DEFAULT 0"
            << "Conscience_Conviction INTEGER DEFAULT 1"
            << "SelfControl INTEGER NOT NULL DEFAULT 0"
            << "SelfControl_Instinct INTEGER DEFAULT 1"
            << "Courage INTEGER NOT NULL DEFAULT 0"
            << "Humanity INTEGER NOT NULL DEFAULT 0"
            << "WillPower INTEGER NOT NULL DEFAULT 0"
            << "Cur_WillPower INTEGER NOT NULL DEFAULT 0"
            << "BloodPool NUMERIC NOT NULL DEFAULT 0" << QStringLiteral("History%1").arg(kText)
            << QStringLiteral("Notes%1").arg(kText) << QStringLiteral("Picture%1").arg(kText);
    return columns;
}

TableDefinition lookupTable(const char* table, const char* key, const char* name, QStringList extra = {}) {
    return {QLatin1String(table),
            QStringList{QStringLiteral("%1 INTEGER PRIMARY KEY AUTOINCREMENT").arg(QLatin1String(key)),
                        QLatin1String(name) + QLatin1String(kText)} +
                extra};
}

TableDefinition linkTable(const char* table, const char* key, const char* figure = nullptr) {
    QStringList columns = {QStringLiteral("Char_ID INTEGER"), QStringLiteral("%1 INTEGER").arg(QLatin1String(key))};
    if (figure)
        columns << QStringLiteral("%1 INTEGER DEFAULT 0").arg(QLatin1String(figure));
    return {QLatin1String(table), columns};
}

// Every table in the order of tableNames(); the program reads every column named here.
const std::vector<TableDefinition>& definitions() {
    static const std::vector<TableDefinition> tables = [] {
        QStringList health = {QStringLiteral("Char_ID INTEGER")};
        for (int i = 0; i < kHealthCount; ++i)
            health << QStringLiteral("Health%1 INTEGER DEFAULT 1").arg(i);
        const QString description = QStringLiteral("Description") + QLatin1String(kText);
        return std::vector<TableDefinition>{
            {QStringLiteral("Char_Info"), charInfoColumns()},
            {QStringLiteral("Health"), health},
            lookupTable("DemeanorNature", "DemNat_ID", "DemNat"),
            lookupTable("Clan", "Clan_ID", "Clan"),
            lookupTable("Concept", "Concept_ID", "Concept"),
            lookupTable("HumanityPath", "Path_ID", "Path"),
            lookupTable("Discipline_LookUp", "Discipline_ID", "Discipline"),
            lookupTable("BackGround_LookUp", "BackGround_ID", "BackGround"),
            lookupTable("MeritFlaw_LookUp", "MeritFlaw_ID", "MeritFlaw",
                        {"Points NUMERIC DEFAULT 0", "pointflex INTEGER DEFAULT 0", description}),
            lookupTable("Path_LookUp", "Path_ID", "Path", {"ThaNec INTEGER"}),
            lookupTable("Ritual_Lookup", "Ritual_ID", "Ritual", {"Level NUMERIC", "ThaNec INTEGER", description}),
            linkTable("Discipline_Link", "Discipline_ID", "Level"),
            linkTable("BackGround_Link", "BackGround_ID", "Level"),
            linkTable("MeritFlaw_Link", "MeritFlaw_ID", "Points"),
            linkTable("Path_Link", "Path_ID", "Level"),
            linkTable("Ritual_Link", "Ritual_ID"),
        };
    }();
    return tables;
}

QString columnName(const QString& definition) {
    return definition.section(QLatin1Char(' '), 0, 0);
}

} // namespace

const QStringList& tableNames() {
    static const QStringList names = [] {
        QStringList all;
        for (const TableDefinition& table : definitions())
            all << table.name;
        return all;
    }();
    return names;
}

void create(Database& database) {
    for (const TableDefinition& table : definitions())
        database.Execute(
            QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, table.columns.join(QLatin1String(", "))));
    const QStringList indexes = {
        "CREATE INDEX Health_Char ON Health (Char_ID)",
        "CREATE INDEX Discipline_Link_Char ON Discipline_Link (Char_ID)",
        "CREATE INDEX BackGround_Link_Char ON BackGround_Link (Char_ID)",
        "CREATE INDEX MeritFlaw_Link_Char ON MeritFlaw_Link (Char_ID)",
        "CREATE INDEX Path_Link_Char ON Path_Link (Char_ID)",
        "CREATE INDEX Ritual_Link_Char ON Ritual_Link (Char_ID)",
        "CREATE INDEX Char_Info_Name ON Char_Info (Name)",
        "CREATE INDEX Char_Info_Player ON Char_Info (player)",
    };
    for (const QString& sql : indexes)
        database.Execute(sql);
}

void addStarterKeys(Database& database) {
    database.Execute(QStringLiteral("INSERT INTO DemeanorNature (DemNat_ID, DemNat) VALUES (1, 'Unknown')"));
    database.Execute(QStringLiteral("INSERT INTO Clan (Clan_ID, Clan) VALUES (1, 'Unknown')"));
    database.Execute(QStringLiteral("INSERT INTO Concept (Concept_ID, Concept) VALUES (1, 'Unknown')"));
}

void verify(Database& database) {
    QSet<QString> present;
    for (const db::Row& row :
         db::query(database.connection(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
        present.insert(row.value(0).toString().toLower());
    const QString refusal = QStringLiteral("The file \"%1\" is not a Duskledger database: %2.")
                                .arg(QDir::toNativeSeparators(database.path()));
    for (const QString& table : tableNames())
        if (!present.contains(table.toLower()))
            throw DbError(refusal.arg(QStringLiteral("the table %1 is missing").arg(table)));
    // A column missing would otherwise surface later as a failed read, in the middle of a load.
    for (const TableDefinition& table : definitions()) {
        Statement probe(database.connection().handle(), QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table.name));
        QSet<QString> columns;
        for (int c = 0; c < probe.columnCount(); ++c)
            columns.insert(probe.columnName(c).toLower());
        for (const QString& definition : table.columns)
            if (!columns.contains(columnName(definition).toLower()))
                throw DbError(refusal.arg(
                    QStringLiteral("the table %1 has no column %2").arg(table.name, columnName(definition))));
    }
    // The sheet reads specialties and health states by position, so those positions must hold.
    const auto columnAt = [&](const QString& table, int position) {
        Statement probe(database.connection().handle(), QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table));
        return position < probe.columnCount() ? probe.columnName(position) : QString();
    };
    const std::pair<QString, int> fixed[] = {{QStringLiteral("Char_Info"), ratingPosition(0)},
                                             {QStringLiteral("Char_Info"), specialtyPosition(kTraitCount - 1)},
                                             {QStringLiteral("Health"), kHealthCount}};
    const QString expected[] = {QLatin1String(kTraitColumns[0]),
                                QLatin1String(kTraitColumns[kTraitCount - 1]) + QStringLiteral("_Spec"),
                                QStringLiteral("Health%1").arg(kHealthCount - 1)};
    for (size_t i = 0; i < std::size(fixed); ++i)
        if (columnAt(fixed[i].first, fixed[i].second).compare(expected[i], Qt::CaseInsensitive) != 0)
            throw DbError(refusal.arg(QStringLiteral("the column %1 is not where it belongs in the table %2")
                                          .arg(expected[i], fixed[i].first)));
}

} // namespace schema

std::unique_ptr<Database> openChronicle(const QString& path, bool exclusive) {
    return Database::open(path, exclusive, &schema::verify);
}

void createDatabase(const QString& path) {
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("The file \"%1\" already exists; choose a new file name.")
                          .arg(QDir::toNativeSeparators(path)));
    try {
        Database database(std::make_unique<Connection>(path, db::OpenMode::Create));
        Transaction transaction(database);
        schema::create(database);
        schema::addStarterKeys(database);
        journal::create(database);
        transaction.commit();
        database.Close();
    } catch (const DbError& e) {
        QFile::remove(path);
        throw DbError(QStringLiteral("The database \"%1\" could not be created: %2")
                          .arg(QDir::toNativeSeparators(path), e.message()),
                      e.statement(), e.code());
    }
}

} // namespace store
