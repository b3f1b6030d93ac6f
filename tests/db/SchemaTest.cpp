#include "store/Schema.h"
#include "Chronicle.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using store::schema::mainCharacterQuery;

namespace {

using SchemaTest = ChronicleTest;

// One SELECT of each shape the program uses (ordering, aliases in any case, comma joins, bracketed
// inner joins elsewhere, "b.*", a closing semicolon): rows found, one field of the first row, editable or not.
TEST_F(SchemaTest, TheProgramsSelectShapesRunAsTheyStand) {
    const std::tuple<QString, int, const char*, QVariant> cases[] = {
        {"SELECT * FROM DemeanorNature ORDER BY DEMNAT", 3, "DemNat", "Drifter"},
        {"Select Name from char_info where player = 'NPC'", 1, "Name", "Old Tom"},
        {mainCharacterQuery() + " AND Name = 'Old Tom'", 1, "d.Clan", "Unknown"},
        {"SELECT c.Discipline, b.Level FROM Char_Info a, Discipline_Link b, Discipline_Lookup c  WHERE b.Char_ID = "
         "a.Char_ID and C.Discipline_ID = b.Discipline_ID AND a.Char_ID = 1",
         2, "Discipline", "Ember"},
        {"Select b.* from Char_Info a, Health b where b.Char_ID = a.Char_ID AND a.Char_ID = 1", 1, "Health3", 2},
        {"SELECT * FROM Ritual_lookup WHERE ThaNec = 2 ORDER BY Ritual_lookup.Level, Ritual_lookup.Ritual", 1, "Ritual",
         "Grave Call"},
        {"SELECT * FROM Ritual_Lookup WHERE Ritual_Lookup.Ritual='Candle Ward';", 1, "Level", 1},
    };
    for (const auto& [sql, rows, field, value] : cases) {
        SCOPED_TRACE(sql.toStdString());
        std::unique_ptr<db::Recordset> rs;
        ASSERT_NO_THROW(rs = d.OpenRecordset(sql));
        EXPECT_EQ(rs->RecordCount(), rows);
        EXPECT_EQ(rs->Fields(QLatin1String(field)).toString(), value.toString());
        if (sql.endsWith(';')) { // the ritual save edits through it
            EXPECT_NO_THROW(writeRow(*rs, {{field, 3}}));
        }
    }
    EXPECT_EQ(count("SELECT Level FROM Ritual_Lookup WHERE Ritual = 'Candle Ward'"), 3);
}

TEST_F(SchemaTest, NumbersTextsAndCaseLikeTheProgramExpects) {
    const std::tuple<const char*, QVariant, QVariant> stored[] = {
        {"Generation", 9.0, QVariant(9LL)},
        {"Generation", 2.5, QVariant(2.5)},
        {"ExperienceGiven", "12", QVariant(12LL)},
        {"Chronicle", QString(""), QVariant(QString(""))},
    };
    auto rs = d.OpenRecordset("Select * from Char_Info where Char_ID = 1");
    for (const auto& [column, written, readBack] : stored) {
        writeRow(*rs, {{column, written}});
        const QVariant read = rs->Fields(column);
        EXPECT_EQ(read.typeId(), readBack.typeId()) << column << " " << written.toString().toStdString();
        EXPECT_EQ(read, readBack) << column;
    }
    // Every text column ignores case: 'npc' counts as "NPC", names match in any case.
    const QString ddl = d.scalar("SELECT group_concat(sql, ' ') FROM sqlite_master WHERE type = 'table'").toString();
    EXPECT_EQ(ddl.count(QRegularExpression(" TEXT(?! COLLATE NOCASE)")), 0);
}

TEST(CreateDatabase, MakesTheKeyRowsAndNeverOverwrites) {
    TempDatabase temp;
    for (const char* table : {"DemeanorNature", "Clan", "Concept"})
        EXPECT_EQ(temp.scalar(QString("SELECT count(*) FROM %1 WHERE rowid = 1").arg(table)).toInt(), 1) << table;
    temp.addCharacter("Mira");
    temp.release();
    const qint64 size = QFileInfo(temp.path()).size();
    EXPECT_THROW(store::createDatabase(temp.path()), db::DbError);
    EXPECT_EQ(QFileInfo(temp.path()).size(), size);
    EXPECT_EQ(store::openChronicle(temp.path(), true)->scalar("SELECT Name FROM Char_Info").toString(), "Mira");
    EXPECT_THROW(store::createDatabase(temp.file("no/such/folder/x.mdb")), db::DbError);
}

qint64 residentKilobytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    return QRegularExpression("VmRSS:\\s+(\\d+)").match(status.readAll()).captured(1).toLongLong();
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
    EXPECT_EQ(rs->Fields("Name").toString() + rs->Fields("b.DemNat").toString(), "Char 1Unknown");
    EXPECT_LT(timer.elapsed(), 10000); // a generous bound: it catches quadratic work, not a slow machine
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("Name").toString(), "Char 100000");
    EXPECT_EQ(rs->RecordCount(), 100000);
    EXPECT_LT(residentKilobytes() - before, 64 * 1024);
}

} // namespace
