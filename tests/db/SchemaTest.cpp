#include "Chronicle.h"
#include "db/DbError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

using db::schema::mainCharacterQuery;

namespace {

using SchemaTest = ChronicleTest;

QString ritualJoin(int kind) {
    return QString("SELECT Char_Info.Char_ID, Ritual_Lookup.Ritual, Ritual_Lookup.Level, Ritual_Lookup.ThaNec "
                   "FROM (Char_Info INNER JOIN Ritual_Link ON Char_Info.Char_ID = Ritual_Link.Char_ID) INNER JOIN "
                   "Ritual_Lookup ON Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID "
                   "WHERE Ritual_Lookup.ThaNec=%1 AND Char_Info.Char_ID = 1")
        .arg(kind);
}

QString pathJoin(const char* columns, int kind, const char* keyCondition) {
    return QString("SELECT Char_Info.Char_ID, %1 FROM (Char_Info INNER JOIN Path_Link ON "
                   "Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN Path_LookUp ON Path_Link.Path_ID = "
                   "Path_LookUp.Path_ID WHERE Path_LookUp.ThaNec=%2 AND %3")
        .arg(QLatin1String(columns))
        .arg(kind)
        .arg(QLatin1String(keyCondition));
}

QString exportJoin(const char* select, const char* link, const char* lookup, const char* key) {
    return QString("SELECT %1 FROM (Char_Info INNER JOIN %2 ON Char_Info.Char_ID = %2.Char_ID) INNER JOIN %3 ON "
                   "%2.%4 = %3.%4 WHERE Char_Info.Char_ID=1")
        .arg(QLatin1String(select), QLatin1String(link), QLatin1String(lookup), QLatin1String(key));
}

// Every SELECT the program runs, as its text stands, with the rows it finds in the chronicle,
// one field of the first row, and whether the program edits through it.
TEST_F(SchemaTest, EverySelectOfTheProgramRunsAsItStands) {
    struct Case {
        QString sql;
        int rows;
        const char* field;
        QVariant value;
        bool edits = false;
        const char* editTable = "";
    };
    const Case cases[] = {
        {"SELECT * FROM DemeanorNature ORDER BY DEMNAT", 3, "DemNat", "Drifter"},
        {"SELECT * FROM Clan ORDER BY CLAN", 2, "Clan", "Unknown"},
        {"SELECT * FROM Concept ORDER BY CONCEPT", 2, "Concept", "Scholar"},
        {"SELECT * FROM Discipline_LookUp ORDER BY Discipline", 2, "Discipline", "Ember"},
        {"SELECT * FROM BackGround_LookUp ORDER BY BackGround", 2, "Background", "Coin"},
        {"SELECT * FROM HumanityPath ORDER BY PATH", 2, "Path", "Humanity"},
        {"Select Name from char_info where player <> 'NPC'", 1, "Name", "Mira"},
        {"Select Name from char_info where player = 'NPC'", 1, "Name", "Old Tom"},
        {mainCharacterQuery() + " AND Name = 'Old Tom'", 1, "d.Clan", "Unknown"},
        {mainCharacterQuery() + " AND a.Char_ID = 1", 1, "c.DemNat", "Drifter"},
        {"SELECT c.Discipline, b.Level FROM Char_Info a, Discipline_Link b, Discipline_Lookup c  WHERE b.Char_ID = "
         "a.Char_ID and C.Discipline_ID = b.Discipline_ID AND a.Char_ID = 1",
         2, "Discipline", "Ember"},
        {"SELECT c.Background, b.Level FROM Char_Info a, BackGround_Link b, BackGround_Lookup c  WHERE b.Char_ID = "
         "a.Char_ID and C.BackGround_ID = b.BackGround_ID and a.Char_ID = 1",
         1, "Level", 4},
        {"Select b.Path from Char_Info a, HumanityPath b where b.Path_ID=a.Path AND a.Char_ID = 1", 1, "Path",
         "Humanity"},
        {"Select a.points, b.MeritFlaw FROM MeritFlaw_Link a, MeritFlaw_LookUp b WHERE a.MeritFlaw_ID = "
         "b.MeritFlaw_ID and a.Char_ID = 1",
         2, "Points", 2},
        {"Select * from Char_Info where char_ID = 1", 1, "Name", "Mira", true},
        {"Select * from DemeanorNature where DemNat = 'Sage'", 1, "DemNat_ID", 2},
        {"Select * from concept where concept = 'Scholar'", 1, "Concept_ID", 2},
        {"Select * from Clan where Clan= 'Vesper'", 1, "Clan_ID", 2},
        {"Select DemNat_ID from DemeanorNature where DemNat = 'Drifter'", 1, "DemNat_ID", 3},
        {"Select DemNat_id from DemeanorNature where DemNat = 'Drifter'", 1, "DemNat_ID", 3},
        {"Select concept_id from concept where concept = 'Scholar'", 1, "Concept_ID", 2},
        {"Select Clan_id from Clan where Clan= 'Vesper'", 1, "Clan_ID", 2},
        {"Select * from Discipline_Link where char_id = 1", 2, "Level", 3, true},
        {"select * from discipline_lookup where discipline = 'Veil'", 1, "Discipline", "Veil", true},
        {"select discipline_ID from discipline_lookup where discipline = 'Veil'", 1, "Discipline_ID", 2},
        {"Select * from background_link where char_id = 1", 1, "Level", 4, true},
        {"select * from BackGround_lookup where BackGround = 'Coin'", 1, "BackGround", "Coin", true},
        {"select BackGround_ID from BackGround_lookup where BackGround = 'Coin'", 1, "BackGround_ID", 2},
        {"Select * from HumanityPath where Path = 'Path of Ash'", 1, "Path_ID", 2},
        {"Select * from health where char_ID = 1", 1, "Health3", 2, true},
        {"Select * from char_info where Char_ID = 0", 0, "", {}},
        {"Select * from Health where Char_ID = 0", 0, "", {}},
        {"Select * from Health where char_ID = 2", 1, "Health0", 1, true},
        {"Select * from discipline_link where char_ID = 2", 1, "Level", 1, true},
        {"Select * from meritflaw_link where char_ID = 1", 2, "Points", 2, true},
        {"SELECT Cur_WillPower FROM Char_Info WHERE Char_ID = 1", 1, "Cur_WillPower", 0, true},
        {"SELECT BloodPool FROM Char_Info WHERE Char_ID = 1", 1, "BloodPool", 0, true},
        {"SELECT * FROM Health WHERE Char_ID = 1", 1, "Health3", 2, true},
        {"Select b.* from Char_Info a, Health b where b.Char_ID = a.Char_ID AND a.Char_ID = 1", 1, "Health3", 2},
        {"Select MeritFlaw_ID from meritflaw_lookup where meritflaw = 'Lame'", 1, "MeritFlaw_ID", 2},
        {"Select * from MeritFlaw_Link where meritflaw_id = 2", 1, "Char_ID", 1, true},
        {"Select meritflaw from meritflaw_lookup ORDER BY MeritFlaw", 2, "MeritFlaw", "Keen Eye"},
        {"Select * from meritflaw_lookup where meritflaw_id = 0", 0, "", {}},
        {"Select Meritflaw_ID from meritflaw_link where Char_ID = 1", 2, "MeritFlaw_ID", 1},
        {"Select * from MeritFlaw_LookUp WHERE MeritFlaw = 'Lame'", 1, "pointflex", 1},
        {"Select * from MeritFlaw_Link WHERE Char_ID = 1", 2, "MeritFlaw_ID", 1, true},
        {"Select description from meritflaw_lookup where meritflaw = 'Lame'", 1, "Description", "Limps", true},
        {"SELECT * FROM Path_LookUp WHERE ThaNec = 1 ORDER BY PATH", 2, "Path", "Cinder Path"},
        {"SELECT * FROM Path_LookUp WHERE ThaNec = 2 ORDER BY PATH", 1, "Path", "Lantern Path"},
        {ritualJoin(1), 1, "Ritual", "Candle Ward"},
        {ritualJoin(2), 1, "Ritual_Lookup.Level", 2},
        {pathJoin("Path_Link.Level, Path_LookUp.Path, Path_LookUp.ThaNec", 1, "Char_Info.Char_ID = 1"), 1, "Path",
         "Cinder Path"},
        {pathJoin("Path_Link.Level, Path_LookUp.Path, Path_LookUp.ThaNec", 2, "Char_Info.Char_ID = 1"), 1, "Level", 2},
        {pathJoin("Path_Link.*, Path_LookUp.ThaNec", 1, "Char_Info.Char_ID=1"), 1, "Path_Link.Level", 3, true,
         "Path_Link"},
        {pathJoin("Path_Link.*, Path_LookUp.ThaNec", 2, "Char_Info.Char_ID=1"), 1, "Level", 2, true, "Path_Link"},
        {"SELECT * FROM Path_Lookup WHERE Path = 'Salt Path'", 1, "Path_ID", 2},
        {"SELECT Char_Info.Char_ID, Ritual_Link.Ritual_ID, Ritual_Lookup.Ritual FROM (Char_Info INNER JOIN "
         "Ritual_Link ON Char_Info.Char_ID = Ritual_Link.Char_ID) INNER JOIN Ritual_Lookup ON Ritual_Link.Ritual_ID = "
         "Ritual_Lookup.Ritual_ID WHERE Char_Info.Char_ID = 1 AND Ritual = 'Grave Call'",
         1, "Ritual_ID", 2, true, "Ritual_Link"},
        {"SELECT * FROM Ritual_lookup WHERE ThaNec = 2 ORDER BY Ritual_lookup.Level, Ritual_lookup.Ritual", 1, "Ritual",
         "Grave Call"},
        {"SELECT * FROM Ritual_Lookup WHERE Ritual_Lookup.Ritual='Candle Ward';", 1, "Level", 1, true},
        {"Select ritual_ID from ritual_link where Char_ID = 1", 2, "Ritual_ID", 1},
        {"Select * from ritual_LookUp WHERE ritual = 'Grave Call'", 1, "Ritual_ID", 2},
        {"Select * from ritual_Link WHERE Char_ID = 1", 2, "Ritual_ID", 1, true},
        {"Select description from ritual_lookup where ritual = 'Grave Call'", 1, "Description", "A call"},
        {"Select history from char_info where char_id = 1", 1, "History", {}, true},
        {"Select Notes from char_info where char_id = 1", 1, "Notes", {}, true},
        {"Select picture from char_info where char_id = 1", 1, "Picture", {}, true},
        {exportJoin("BackGround_LookUp.BackGround, BackGround_Link.Level, Char_Info.Char_ID", "BackGround_Link",
                    "BackGround_LookUp", "BackGround_ID"),
         1, "Background", "Generation"},
        {exportJoin("Char_Info.Char_ID, Discipline_Link.Level, Discipline_Lookup.Discipline", "Discipline_Link",
                    "Discipline_Lookup", "Discipline_ID"),
         2, "Discipline", "Ember"},
        {exportJoin("Char_Info.Char_ID, MeritFlaw_Lookup.MeritFlaw", "MeritFlaw_Link", "MeritFlaw_Lookup",
                    "MeritFlaw_ID"),
         2, "MeritFlaw", "Keen Eye"},
        {"SELECT Path_Link.Char_ID, Path_Link.Level, Path, ThaNec FROM Path_Link INNER JOIN Path_LookUp ON "
         "Path_Link.Path_ID = Path_LookUp.Path_ID WHERE ThaNec=2 AND Path_Link.Char_ID=1",
         1, "Path", "Lantern Path"},
        {"SELECT Ritual_Lookup.Ritual, Ritual_Lookup.Level, Ritual_Lookup.ThaNec, Ritual_Link.Char_ID FROM "
         "Ritual_Link INNER JOIN Ritual_Lookup ON Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID WHERE "
         "Ritual_Lookup.ThaNec=1 AND Ritual_Link.Char_ID=1",
         1, "Ritual", "Candle Ward"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        std::unique_ptr<db::Recordset> rs;
        ASSERT_NO_THROW(rs = d.OpenRecordset(c.sql, QLatin1String(c.editTable)));
        EXPECT_EQ(rs->RecordCount(), c.rows);
        if (c.rows == 0) {
            EXPECT_TRUE(rs->atEOF());
            continue;
        }
        const QVariant value = rs->Fields(QLatin1String(c.field));
        EXPECT_EQ(value.isValid(), c.value.isValid());
        EXPECT_EQ(value.toString(), c.value.toString());
        if (c.edits) {
            EXPECT_NO_THROW(rs->Edit(); rs->setField(QLatin1String(c.field), value); rs->Update());
            EXPECT_EQ(rs->Fields(QLatin1String(c.field)).toString(), c.value.toString());
        }
    }
}

TEST_F(SchemaTest, ColumnPositionsDefaultsAndIndexes) {
    auto row = d.OpenRecordset("Select * from Char_Info where Char_ID = 2");
    EXPECT_EQ(row->fieldName(11), "Strength");
    EXPECT_EQ(row->fieldName(12), "Strength_Spec");
    EXPECT_EQ(row->fieldName(88), "Science_Spec");
    for (int i = 0; i < db::schema::kTraitCount; ++i) {
        const QString trait = QLatin1String(db::schema::kTraitColumns[size_t(i)]);
        EXPECT_EQ(row->fieldName(db::schema::ratingPosition(i)), trait);
        EXPECT_EQ(row->fieldName(db::schema::specialtyPosition(i)), trait + "_Spec");
        EXPECT_EQ(row->Fields(db::schema::ratingPosition(i)), QVariant(0LL)) << trait.toStdString();
        EXPECT_FALSE(row->Fields(db::schema::specialtyPosition(i)).isValid());
    }
    for (const char* rating :
         {"Conscience", "SelfControl", "Courage", "Humanity", "WillPower", "Cur_WillPower", "BloodPool"})
        EXPECT_EQ(row->Fields(rating), QVariant(0LL)) << rating;
    auto health = d.OpenRecordset("Select * from Health where Char_ID = 2");
    for (int i = 0; i < db::schema::kHealthLevels; ++i) {
        EXPECT_EQ(health->fieldName(i + 1), QString("Health%1").arg(i));
        EXPECT_EQ(health->Fields(i + 1), QVariant(1LL));
    }

    const std::pair<const char*, const char*> indexed[] = {
        {"Health", "Char_ID"},         {"Discipline_Link", "Char_ID"}, {"BackGround_Link", "Char_ID"},
        {"MeritFlaw_Link", "Char_ID"}, {"Path_Link", "Char_ID"},       {"Ritual_Link", "Char_ID"},
        {"Char_Info", "Name"},         {"Char_Info", "player"}};
    for (auto [table, column] : indexed)
        EXPECT_EQ(count(QString("SELECT count(*) FROM pragma_index_list('%1') l, pragma_index_info(l.name) i "
                                "WHERE i.name = '%2'")
                            .arg(table, column)),
                  1)
            << table << "." << column;
}

TEST_F(SchemaTest, NumbersTextsAndCaseLikeTheProgramExpects) {
    struct Stored {
        const char* column;
        QVariant written;
        QVariant readBack;
    };
    const Stored numbers[] = {
        {"Generation", 9, QVariant(9LL)},
        {"Generation", 9.0, QVariant(9LL)},
        {"Generation", 2.5, QVariant(2.5)},
        {"ExperienceGiven", "12", QVariant(12LL)},
        {"BloodPool", QString("23"), QVariant(23LL)},
        {"Strength", 3, QVariant(3LL)},
        {"Chronicle", QString(""), QVariant(QString(""))},
    };
    for (const Stored& s : numbers) {
        auto rs = d.OpenRecordset("Select * from Char_Info where Char_ID = 1");
        rs->Edit();
        rs->setField(s.column, s.written);
        rs->Update();
        const QVariant read = rs->Fields(s.column);
        EXPECT_EQ(read.typeId(), s.readBack.typeId()) << s.column << " " << s.written.toString().toStdString();
        EXPECT_EQ(read, s.readBack) << s.column;
    }
    d.Execute("INSERT INTO HumanityPath (Path) VALUES ('')");
    EXPECT_EQ(d.OpenRecordset("Select * from HumanityPath where Path = ''")->RecordCount(), 1);

    // Every text column ignores case: 'npc' counts as "NPC", names match in any case.
    const QString ddl = d.scalar("SELECT group_concat(sql, ' ') FROM sqlite_master WHERE type = 'table'").toString();
    EXPECT_EQ(ddl.count(QRegularExpression(" TEXT(?! COLLATE NOCASE)")), 0);
    EXPECT_EQ(d.OpenRecordset("Select * from Clan where Clan= 'VESPER'")->RecordCount(), 1);
    EXPECT_EQ(d.OpenRecordset("select * from BackGround_lookup where BackGround = 'generation'")->RecordCount(), 1);
}

TEST(CreateDatabase, MakesTheKeyRowsAndNeverOverwrites) {
    TempDatabase temp;
    for (const char* table : {"DemeanorNature", "Clan", "Concept"})
        EXPECT_EQ(temp.scalar(QString("SELECT count(*) FROM %1 WHERE rowid = 1").arg(table)).toInt(), 1) << table;
    temp.addCharacter("Mira");
    temp.release();
    const qint64 size = QFileInfo(temp.path()).size();
    EXPECT_THROW(db::createDatabase(temp.path()), db::DbError);
    EXPECT_EQ(QFileInfo(temp.path()).size(), size);
    EXPECT_EQ(db::Database::open(temp.path(), true)->scalar("SELECT Name FROM Char_Info").toString(), "Mira");
    EXPECT_THROW(db::createDatabase(temp.file("no/such/folder/x.mdb")), db::DbError);
}

qint64 residentKilobytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpressionMatch m = QRegularExpression("VmRSS:\\s+(\\d+)").match(status.readAll());
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}

// The character recordset over a large chronicle keeps rowids, not every column of every row.
TEST(CharacterRecordset, StaysSmallAndQuickOverAHundredThousandCharacters) {
    TempDatabase temp;
    temp.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
              "INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept, Haven, History) "
              "SELECT 'Char ' || i, 'Ann', 1, 1, 1, 1, 'Haven of the long night', printf('%.200c', 'h') FROM n");
    const qint64 before = residentKilobytes();
    QElapsedTimer timer;
    timer.start();
    auto rs = temp.db().OpenRecordset(mainCharacterQuery(), "Char_Info");
    const QString first = rs->Fields("Name").toString() + rs->Fields("b.DemNat").toString();
    const qint64 openMs = timer.elapsed();
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("Name").toString(), "Char 100000");
    const qint64 grownKb = residentKilobytes() - before;
    std::printf("main query over 100000 characters: open + first row %lld ms, memory grown %lld kB\n",
                static_cast<long long>(openMs), static_cast<long long>(grownKb));
    EXPECT_EQ(first, "Char 1Unknown");
    EXPECT_EQ(rs->RecordCount(), 100000);
    EXPECT_LT(grownKb, 64 * 1024);
    EXPECT_LT(openMs, 10000); // a generous bound: it catches quadratic work, not a slow machine
}

} // namespace
