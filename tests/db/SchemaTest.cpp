#include "Chronicle.h"
#include "db/DbError.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using db::schema::mainCharacterQuery;

namespace {

using SchemaTest = ChronicleTest;

// SELECT texts of the program, one of each shape (ordering, aliases in any case, comma joins,
// bracketed inner joins with an edit table, "b.*", a closing semicolon), with the rows
// they find in the chronicle, one field of the first row, and whether the program edits through it.
TEST_F(SchemaTest, TheProgramsSelectShapesRunAsTheyStand) {
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
        {"Select Name from char_info where player = 'NPC'", 1, "Name", "Old Tom"},
        {mainCharacterQuery() + " AND Name = 'Old Tom'", 1, "d.Clan", "Unknown"},
        {"SELECT c.Discipline, b.Level FROM Char_Info a, Discipline_Link b, Discipline_Lookup c  WHERE b.Char_ID = "
         "a.Char_ID and C.Discipline_ID = b.Discipline_ID AND a.Char_ID = 1",
         2, "Discipline", "Ember"},
        {"Select b.* from Char_Info a, Health b where b.Char_ID = a.Char_ID AND a.Char_ID = 1", 1, "Health3", 2},
        {"SELECT Char_Info.Char_ID, Ritual_Lookup.Ritual, Ritual_Lookup.Level, Ritual_Lookup.ThaNec FROM (Char_Info "
         "INNER JOIN Ritual_Link ON Char_Info.Char_ID = Ritual_Link.Char_ID) INNER JOIN Ritual_Lookup ON "
         "Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID WHERE Ritual_Lookup.ThaNec=2 AND Char_Info.Char_ID = 1",
         1, "Ritual_Lookup.Level", 2},
        {"SELECT Char_Info.Char_ID, Path_Link.*, Path_LookUp.ThaNec FROM (Char_Info INNER JOIN Path_Link ON "
         "Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN Path_LookUp ON Path_Link.Path_ID = Path_LookUp.Path_ID "
         "WHERE Path_LookUp.ThaNec=1 AND Char_Info.Char_ID=1",
         1, "Path_Link.Level", 3, true, "Path_Link"},
        {"SELECT * FROM Ritual_lookup WHERE ThaNec = 2 ORDER BY Ritual_lookup.Level, Ritual_lookup.Ritual", 1, "Ritual",
         "Grave Call"},
        {"SELECT * FROM Ritual_Lookup WHERE Ritual_Lookup.Ritual='Candle Ward';", 1, "Level", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql.toStdString());
        std::unique_ptr<db::Recordset> rs;
        ASSERT_NO_THROW(rs = d.OpenRecordset(c.sql, QLatin1String(c.editTable)));
        EXPECT_EQ(rs->RecordCount(), c.rows);
        const QVariant value = rs->Fields(QLatin1String(c.field));
        EXPECT_EQ(value.toString(), c.value.toString());
        if (c.edits) {
            EXPECT_NO_THROW(rs->Edit(); rs->setField(QLatin1String(c.field), value); rs->Update());
        }
    }
}

TEST_F(SchemaTest, ColumnPositionsAndDefaults) {
    auto row = d.OpenRecordset("Select * from Char_Info where Char_ID = 2");
    EXPECT_EQ(row->fieldName(11), "Strength");
    EXPECT_EQ(row->fieldName(12), "Strength_Spec");
    EXPECT_EQ(row->fieldName(88), "Science_Spec");
    for (int i = 0; i < db::schema::kTraitCount; ++i) {
        const QString trait = QLatin1String(db::schema::kTraitColumns[size_t(i)]);
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
}

TEST_F(SchemaTest, NumbersTextsAndCaseLikeTheProgramExpects) {
    struct Stored {
        const char* column;
        QVariant written;
        QVariant readBack;
    };
    const Stored numbers[] = {
        {"Generation", 9.0, QVariant(9LL)},
        {"Generation", 2.5, QVariant(2.5)},
        {"ExperienceGiven", "12", QVariant(12LL)},
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

    // Every text column ignores case: 'npc' counts as "NPC", names match in any case.
    const QString ddl = d.scalar("SELECT group_concat(sql, ' ') FROM sqlite_master WHERE type = 'table'").toString();
    EXPECT_EQ(ddl.count(QRegularExpression(" TEXT(?! COLLATE NOCASE)")), 0);
    EXPECT_EQ(d.OpenRecordset("Select * from Clan where Clan= 'VESPER'")->RecordCount(), 1);
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
    EXPECT_EQ(first, "Char 1Unknown");
    EXPECT_EQ(rs->RecordCount(), 100000);
    EXPECT_LT(grownKb, 64 * 1024);
    EXPECT_LT(openMs, 10000); // a generous bound: it catches quadratic work, not a slow machine
}

} // namespace
