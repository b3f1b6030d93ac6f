#include "Chronicle.h"
#include "db/DbError.h"

#include <functional>

using db::DbError;
using db::schema::mainCharacterQuery;

namespace {

const QString kPathLinks = "SELECT Char_Info.Char_ID, Path_Link.*, Path_LookUp.ThaNec "
                           "FROM (Char_Info INNER JOIN Path_Link ON "
                           "Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN "
                           "Path_LookUp ON Path_Link.Path_ID = Path_LookUp.Path_ID "
                           "WHERE Path_LookUp.ThaNec=1 AND Char_Info.Char_ID=1";

using RecordsetTest = ChronicleTest;

TEST_F(RecordsetTest, MainQueryAddressesQualifiedNamesKeysAndPositions) {
    d.Execute("UPDATE Char_Info SET Strength_Spec = 'Grip', Science_Spec = 'Alchemy' WHERE Char_ID = 1");
    auto rs = d.OpenRecordset(mainCharacterQuery(), "Char_Info");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields("b.DemNat").toString(), "Sage");
    EXPECT_EQ(rs->Fields("c.DemNat").toString(), "Drifter");
    EXPECT_EQ(rs->Fields("DemNat").toString(), "Sage");
    EXPECT_EQ(rs->Fields("d.Clan").toString(), "Vesper");
    EXPECT_EQ(rs->Fields("Clan").toInt(), 2); // the key columns of a.*
    EXPECT_EQ(rs->Fields("nAmE").toString(), "Mira");
    EXPECT_EQ(rs->Fields(db::schema::specialtyPosition(0)).toString(), "Grip"); // a.* comes first
    EXPECT_EQ(rs->Fields(db::schema::specialtyPosition(38)).toString(), "Alchemy");
    EXPECT_THROW(rs->Fields("x.DemNat"), DbError);
    EXPECT_THROW(rs->Fields("NoSuchColumn"), DbError);
    EXPECT_THROW(rs->Fields(rs->fieldCount()), DbError);

    auto computed = d.OpenRecordset("SELECT a.Name, b.Clan, a.Clan + 40 AS c FROM Char_Info a, Clan b "
                                    "WHERE a.Clan = b.Clan_ID AND a.Char_ID = 1");
    EXPECT_EQ(computed->Fields("b.Clan").toString(), "Vesper");
    EXPECT_EQ(computed->Fields("c").toInt(), 42);
    EXPECT_THROW(computed->Edit(), DbError); // an expression column makes it read-only
}

TEST_F(RecordsetTest, NavigationOverEmptySingleAndSeveralRows) {
    for (int rows : {0, 1, 3}) {
        d.Execute("DELETE FROM Ritual_Link");
        for (int i = 1; i <= rows; ++i)
            d.Execute("INSERT INTO Ritual_Link VALUES (1, ?)", {i * 10});
        auto rs = d.OpenRecordset("Select * from ritual_Link WHERE Char_ID = 1");
        EXPECT_EQ(rs->RecordCount(), rows);
        int walked = 0;
        for (; !rs->atEOF(); rs->MoveNext())
            EXPECT_EQ(rs->Fields("Ritual_ID").toInt(), ++walked * 10);
        EXPECT_EQ(walked, rows);
        rs->MoveNext(); // past the end stays at the end
        EXPECT_TRUE(rs->atEOF());
        EXPECT_THROW(rs->Fields(0), DbError);
        rs->MoveLast();
        EXPECT_EQ(rs->atEOF(), rows == 0);
        if (rows > 0) {
            EXPECT_EQ(rs->Fields("ritual_id").toInt(), rows * 10);
            rs->MoveFirst();
            EXPECT_EQ(rs->Fields("Ritual_ID").toInt(), 10);
        }
    }
}

TEST_F(RecordsetTest, AddNewEditUpdateAndCounterKeys) {
    auto chars = d.OpenRecordset("Select * from char_info where Char_ID = 0");
    ASSERT_TRUE(chars->atEOF());
    chars->AddNew();
    chars->setField("Name", "New Char");
    chars->setField("BloodPool", 0);
    chars->Update();
    chars->MoveLast();
    EXPECT_EQ(chars->Fields("Char_ID").toInt(), 3);
    EXPECT_EQ(chars->Fields("Strength").toInt(), 0); // the table's default, read back
    chars->Edit();
    chars->setField("Name", "Renamed");
    chars->Update();
    EXPECT_EQ(d.scalar("SELECT Name FROM Char_Info WHERE Char_ID = 3").toString(), "Renamed");

    // An edit reaches the current row only, also where the SELECT names no key.
    d.Execute("INSERT INTO Discipline_Link VALUES (1, 1, 3)");
    auto levels = d.OpenRecordset("Select Level from Discipline_Link where char_id = 1 and Discipline_ID = 1");
    ASSERT_EQ(levels->RecordCount(), 2);
    levels->Edit();
    levels->setField("Level", 5);
    levels->Update();
    EXPECT_EQ(count("SELECT count(*) FROM Discipline_Link WHERE Level = 5"), 1);

    levels->Edit();
    levels->setField("Level", 9);
    levels->CancelUpdate();
    EXPECT_THROW(levels->Update(), DbError); // no AddNew or Edit pending
    EXPECT_EQ(count("SELECT count(*) FROM Discipline_Link WHERE Level = 9"), 0);
    levels->MoveNext();
    levels->MoveNext();
    EXPECT_THROW(levels->Edit(), DbError);
    EXPECT_THROW(levels->Delete(), DbError);
}

TEST_F(RecordsetTest, DeletedRowsLeaveTheSetAddedRowsJoinAtTheEnd) {
    // The character delete's loop: count the rows, then delete and move next that many times.
    d.Execute("INSERT INTO MeritFlaw_Link VALUES (1, 1, 2), (1, 2, 1)");
    auto merits = d.OpenRecordset("Select * from meritflaw_link where char_ID = 1");
    merits->MoveLast();
    merits->MoveFirst();
    const int n = merits->RecordCount();
    ASSERT_EQ(n, 4);
    for (int i = 0; i < n; ++i) {
        merits->Delete();
        EXPECT_THROW(merits->Fields("Points"), DbError); // the deleted row has no values
        merits->MoveNext();
    }
    EXPECT_TRUE(merits->atEOF());
    EXPECT_EQ(merits->RecordCount(), 0);
    merits->AddNew();
    merits->setField("Char_ID", 1);
    merits->setField("MeritFlaw_ID", 2);
    merits->Update();
    merits->MoveLast();
    EXPECT_EQ(merits->Fields("MeritFlaw_ID").toInt(), 2);
    EXPECT_EQ(count("SELECT count(*) FROM MeritFlaw_Link"), 1);
}

TEST_F(RecordsetTest, JoinDeletesReachExactlyOneLinkRow) {
    d.Execute("INSERT INTO Path_Link VALUES (1, 1, 3)"); // a duplicate of Mira's Cinder Path
    auto paths = d.OpenRecordset(kPathLinks, "Path_Link");
    ASSERT_EQ(paths->RecordCount(), 2);
    paths->Delete();
    EXPECT_EQ(count("SELECT count(*) FROM Path_Link WHERE Char_ID = 1 AND Path_ID = 1"), 1);
    EXPECT_THROW(paths->Delete(), DbError); // the current row is gone until the next move
    paths->MoveFirst();
    while (!paths->atEOF()) {
        paths->Delete();
        paths->MoveFirst();
    }
    // Mira's necromancy path and Old Tom's link stay; no character or lookup row goes.
    EXPECT_EQ(count("SELECT count(*) FROM Path_Link"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM Path_Link WHERE Char_ID = 1 AND Path_ID = 3"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM Char_Info") + count("SELECT count(*) FROM Path_LookUp"), 5);

    // The path save appends its link rows through the same set.
    paths->AddNew();
    paths->setField("char_id", 1); // unqualified: the edited table's column, not Char_Info's
    paths->setField("path_ID", 2);
    paths->setField("Path_Link.Level", 4);
    paths->Update();
    EXPECT_EQ(count("SELECT Level FROM Path_Link WHERE Char_ID = 1 AND Path_ID = 2"), 4);
}

TEST_F(RecordsetTest, FieldsShowWhatIsStoredNowAlsoAfterARollback) {
    auto character = d.OpenRecordset(mainCharacterQuery(), "Char_Info");
    EXPECT_FALSE(character->Fields("History").isValid());
    EXPECT_EQ(character->Fields("Cur_WillPower").toInt(), 0);
    auto history = d.OpenRecordset("Select history from char_info where char_id = 1");
    history->Edit();
    history->setField("History", "Born at dusk");
    history->Update();
    EXPECT_EQ(character->Fields("History").toString(), "Born at dusk");
    {
        db::Transaction transaction(d);
        d.Execute("UPDATE Char_Info SET Cur_WillPower = 4, History = 'lost' WHERE Char_ID = 1");
        EXPECT_EQ(character->Fields("Cur_WillPower").toInt(), 4);
    } // rolled back
    EXPECT_EQ(character->Fields("Cur_WillPower").toInt(), 0);
    EXPECT_EQ(character->Fields("History").toString(), "Born at dusk");
}

TEST_F(RecordsetTest, EveryUseAfterCloseRaises) {
    const std::vector<std::function<void(db::Recordset&)>> uses = {
        [](db::Recordset& r) { r.MoveFirst(); },   [](db::Recordset& r) { r.MoveNext(); },
        [](db::Recordset& r) { r.RecordCount(); }, [](db::Recordset& r) { r.Fields("Name"); },
        [](db::Recordset& r) { r.AddNew(); },      [](db::Recordset& r) { r.Delete(); },
    };
    for (size_t i = 0; i < uses.size(); ++i) {
        auto closed = temp.db().OpenRecordset("Select * from char_info");
        closed->Close();
        EXPECT_TRUE(closed->atEOF()); // no current row, so a guard like "!atEOF()" holds off
        EXPECT_THROW(uses[i](*closed), DbError) << "use " << i;
        auto orphan = temp.db().OpenRecordset("Select * from char_info");
        temp.release(); // closes the database under it
        EXPECT_THROW(uses[i](*orphan), DbError) << "use " << i << " after the database closed";
    }
}

} // namespace
