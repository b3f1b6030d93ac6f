#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "db/Sql.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

using db::Recordset;

namespace {

struct RecordsetTest : ::testing::Test {
    TempDatabase temp;
    db::Database& d = temp.db();

    void SetUp() override {
        d.Execute("INSERT INTO DemeanorNature (DemNat) VALUES ('Sage'), ('Rogue')"); // keys 2, 3
        d.Execute("INSERT INTO Clan (Clan) VALUES ('Vesper')");                       // key 2
        d.Execute("INSERT INTO Concept (Concept) VALUES ('Scholar')");                // key 2
        d.Execute("INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept) "
                  "VALUES ('Mira', 'Ann', 2, 3, 2, 2)");
    }
};

TEST_F(RecordsetTest, MainQueryAddressesQualifiedNamesAndKeys) {
    auto rs = d.OpenRecordset(db::schema::mainCharacterQuery(), "Char_Info");
    ASSERT_FALSE(rs->atEOF());
    EXPECT_EQ(rs->Fields("b.DemNat").toString(), "Sage");
    EXPECT_EQ(rs->Fields("c.DemNat").toString(), "Rogue");
    EXPECT_EQ(rs->Fields("d.Clan").toString(), "Vesper");
    EXPECT_EQ(rs->Fields("e.concept").toString(), "Scholar");
    EXPECT_EQ(rs->Fields("Clan").toInt(), 2); // the key column of a.*
    EXPECT_EQ(rs->Fields("CONCEPT").toInt(), 2);
    EXPECT_EQ(rs->Fields("name").toString(), "Mira");
    EXPECT_EQ(rs->fieldName(db::schema::specialtyPosition(0)), "Strength_Spec");
    EXPECT_EQ(rs->fieldName(db::schema::specialtyPosition(38)), "Science_Spec");
    EXPECT_EQ(rs->fieldName(db::schema::ratingPosition(9)), "Alertness");
}

TEST_F(RecordsetTest, FieldsShowWhatIsStoredNow) {
    auto character = d.OpenRecordset(db::schema::mainCharacterQuery(), "Char_Info");
    EXPECT_TRUE(character->Fields("History").isNull());
    auto other = d.OpenRecordset("Select history from char_info where char_id = 1");
    other->Edit();
    other->setField("History", "Born at dusk");
    other->Update();
    EXPECT_EQ(character->Fields("History").toString(), "Born at dusk");
}

TEST_F(RecordsetTest, DeleteLoopEndsAndAddJoinsAtTheEnd) {
    for (int i = 0; i < 3; ++i)
        d.Execute("INSERT INTO Discipline_Link (Char_ID, Discipline_ID, Level) VALUES (1, ?, 2)", {i + 1});
    auto rs = d.OpenRecordset("Select * from Discipline_Link where char_id = 1");
    EXPECT_EQ(rs->RecordCount(), 3);
    while (!rs->atEOF()) {
        rs->Delete();
        rs->MoveFirst();
    }
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Discipline_Link").toInt(), 0);
    auto chars = d.OpenRecordset("Select * from char_info where Char_ID = 0");
    EXPECT_TRUE(chars->atEOF());
    chars->AddNew();
    chars->setField("Name", "New Char");
    chars->Update();
    chars->MoveLast();
    EXPECT_EQ(chars->Fields("Char_ID").toInt(), 2);
    EXPECT_EQ(chars->Fields("Strength").toInt(), 0);
}

TEST_F(RecordsetTest, DeleteThroughJoinRemovesOneLinkRow) {
    d.Execute("INSERT INTO Path_LookUp (Path, ThaNec) VALUES ('Ember Path', 1), ('Ash Path', 1)");
    d.Execute("INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (1, 1, 3), (1, 2, 1), (1, 1, 3)");
    auto rs = d.OpenRecordset("SELECT Char_Info.Char_ID, Path_Link.*, Path_LookUp.ThaNec "
                              "FROM (Char_Info INNER JOIN Path_Link ON Char_Info.Char_ID = Path_Link.Char_ID) "
                              "INNER JOIN Path_LookUp ON Path_Link.Path_ID = Path_LookUp.Path_ID "
                              "WHERE Path_LookUp.ThaNec = 1 AND Char_Info.Char_ID = 1",
                              "Path_Link");
    ASSERT_EQ(rs->RecordCount(), 3);
    rs->Delete();
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Path_Link").toInt(), 2);
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Char_Info").toInt(), 1);
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Path_LookUp").toInt(), 2);
}

TEST_F(RecordsetTest, HostileNamesStayData) {
    const QString name = "O'Brien'; DROP TABLE Clan; --";
    d.Execute("INSERT INTO Clan (Clan) VALUES (" + db::sqlText(name) + ")");
    auto rs = d.OpenRecordset("Select * from Clan where Clan= " + db::sqlText(name));
    ASSERT_FALSE(rs->atEOF());
    EXPECT_EQ(rs->Fields("Clan").toString(), name);
}

} // namespace
