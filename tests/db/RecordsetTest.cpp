#include "model/TraitCatalogue.h"
#include "Chronicle.h"

using db::DbError;
using store::schema::mainCharacterQuery;

namespace {

using RecordsetTest = ChronicleTest;

TEST_F(RecordsetTest, MainQueryAddressesNamesAndPositionsAndShowsWhatIsStoredNow) {
    d.Execute("UPDATE Char_Info SET Science_Spec = 'Alchemy' WHERE Char_ID = 1");
    auto rs = d.OpenRecordset(mainCharacterQuery(), "Char_Info");
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields("b.DemNat").toString() + rs->Fields("c.DemNat").toString(), "SageDrifter");
    EXPECT_EQ(rs->Fields("DemNat").toString(), "Sage");
    EXPECT_EQ(rs->Fields("d.Clan").toString(), "Vesper");
    EXPECT_EQ(rs->Fields("Clan").toInt(), 2); // the key columns of a.*
    EXPECT_EQ(rs->Fields("nAmE").toString(), "Mira");
    EXPECT_THROW(rs->Fields("x.DemNat"), DbError);
    EXPECT_THROW(rs->Fields("NoSuchColumn"), DbError);
    EXPECT_THROW(rs->Fields(rs->fieldCount()), DbError);
    // a.* comes first; each rating, 0 by default, is followed by its specialty.
    EXPECT_EQ(rs->fieldName(11), "Strength");
    for (int i = 0; i < model::catalogue::kTraitCount; ++i) {
        const QString trait = QLatin1String(model::catalogue::kTraitColumns[size_t(i)]);
        SCOPED_TRACE(trait.toStdString());
        EXPECT_EQ(rs->fieldName(model::catalogue::ratingPosition(i)), trait);
        EXPECT_EQ(rs->fieldName(model::catalogue::specialtyPosition(i)), trait + "_Spec");
        EXPECT_EQ(rs->Fields(model::catalogue::ratingPosition(i)), QVariant(0LL));
        EXPECT_EQ(rs->Fields(model::catalogue::specialtyPosition(i)), i == 38 ? QVariant("Alchemy") : QVariant());
    }
    for (const char* rating :
         {"Conscience", "SelfControl", "Courage", "Humanity", "WillPower", "Cur_WillPower", "BloodPool"})
        EXPECT_EQ(rs->Fields(rating), QVariant(0LL)) << rating;

    // Fields show what is stored now, also after another recordset wrote it or a rollback.
    EXPECT_FALSE(rs->Fields("History").isValid());
    writeRow(*d.OpenRecordset("Select history from char_info where char_id = 1"), {{"History", "Born at dusk"}});
    EXPECT_EQ(rs->Fields("History").toString(), "Born at dusk");
    {
        db::Transaction transaction(d);
        d.Execute("UPDATE Char_Info SET Cur_WillPower = 4, History = 'lost' WHERE Char_ID = 1");
        EXPECT_EQ(rs->Fields("Cur_WillPower").toInt(), 4);
    }
    EXPECT_EQ(rs->Fields("Cur_WillPower").toInt(), 0);
    EXPECT_EQ(rs->Fields("History").toString(), "Born at dusk");

    auto computed = d.OpenRecordset("SELECT a.Name, a.Clan + 40 AS c FROM Char_Info a WHERE a.Char_ID = 1");
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
    writeRow(*chars, {{"Name", "New Char"}}, true);
    chars->MoveLast();
    EXPECT_EQ(chars->Fields("Char_ID").toInt(), 3);
    EXPECT_EQ(chars->Fields("Strength").toInt(), 0); // the table's default, read back
    writeRow(*chars, {{"Name", "Renamed"}});
    EXPECT_EQ(d.scalar("SELECT Name FROM Char_Info WHERE Char_ID = 3").toString(), "Renamed");

    // An edit reaches the current row only, also where the SELECT names no key.
    d.Execute("INSERT INTO Discipline_Link VALUES (1, 1, 3)");
    auto levels = d.OpenRecordset("Select Level from Discipline_Link where char_id = 1 and Discipline_ID = 1");
    ASSERT_EQ(levels->RecordCount(), 2);
    writeRow(*levels, {{"Level", 5}});
    EXPECT_EQ(count("SELECT count(*) FROM Discipline_Link WHERE Level = 5"), 1);
    levels->Edit();
    levels->setField("Level", 9);
    levels->CancelUpdate();
    EXPECT_THROW(levels->Update(), DbError); // no AddNew or Edit pending
    EXPECT_EQ(count("SELECT count(*) FROM Discipline_Link WHERE Level = 9"), 0);
    levels->MoveLast();
    levels->MoveNext();
    EXPECT_THROW(levels->Edit(), DbError);
    EXPECT_THROW(levels->Delete(), DbError);
}

TEST_F(RecordsetTest, DeletedRowsLeaveTheSetAddedRowsJoinAtTheEnd) {
    // The character delete's loop: count the rows, then delete and move next that many times.
    d.Execute("INSERT INTO MeritFlaw_Link VALUES (1, 1, 2), (1, 2, 1)");
    auto merits = d.OpenRecordset("Select * from meritflaw_link where char_ID = 1");
    const int n = merits->RecordCount();
    ASSERT_EQ(n, 4);
    for (int i = 0; i < n; ++i) {
        merits->Delete();
        EXPECT_THROW(merits->Fields("Points"), DbError); // the deleted row has no values
        merits->MoveNext();
    }
    EXPECT_TRUE(merits->atEOF());
    EXPECT_EQ(merits->RecordCount(), 0);
    writeRow(*merits, {{"Char_ID", 1}, {"MeritFlaw_ID", 2}}, true);
    merits->MoveLast();
    EXPECT_EQ(merits->Fields("MeritFlaw_ID").toInt(), 2);
    EXPECT_EQ(count("SELECT count(*) FROM MeritFlaw_Link"), 1);
}

// Through a join, edits, deletes and additions reach exactly one row of the edit table.
TEST_F(RecordsetTest, JoinEditsReachExactlyOneLinkRow) {
    d.Execute("INSERT INTO Path_Link VALUES (1, 1, 3)"); // a twin of Mira's Cinder Path
    auto paths = d.OpenRecordset("SELECT Char_Info.Char_ID, Path_Link.*, Path_LookUp.ThaNec FROM (Char_Info INNER "
                                 "JOIN Path_Link ON Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN Path_LookUp ON "
                                 "Path_Link.Path_ID = Path_LookUp.Path_ID WHERE Path_LookUp.ThaNec=1 AND "
                                 "Char_Info.Char_ID=1",
                                 "Path_Link");
    ASSERT_EQ(paths->RecordCount(), 2);
    writeRow(*paths, {{"Path_Link.Level", 5}});
    EXPECT_EQ(count("SELECT count(*) FROM Path_Link WHERE Level = 5"), 1);
    paths->Delete();
    EXPECT_EQ(count("SELECT count(*) FROM Path_Link WHERE Char_ID = 1 AND Path_ID = 1"), 1);
    EXPECT_THROW(paths->Delete(), DbError); // the current row is gone until the next move
    paths->MoveFirst();
    while (!paths->atEOF()) {
        paths->Delete();
        paths->MoveFirst();
    }
    // Mira's necromancy path and Old Tom's link stay; no character or lookup row goes.
    EXPECT_EQ(d.scalar("SELECT group_concat(Char_ID || '/' || Path_ID, ' ') FROM Path_Link").toString(), "1/3 2/1");
    EXPECT_EQ(count("SELECT count(*) FROM Char_Info") + count("SELECT count(*) FROM Path_LookUp"), 5);

    // Unqualified "char_id" is the edited table's column, not Char_Info's.
    writeRow(*paths, {{"char_id", 1}, {"path_ID", 2}, {"Level", 4}}, true);
    EXPECT_EQ(count("SELECT Level FROM Path_Link WHERE Char_ID = 1 AND Path_ID = 2"), 4);
}

TEST_F(RecordsetTest, EveryUseAfterCloseRaises) {
    const std::function<void(db::Recordset&)> uses[] = {
        [](db::Recordset& r) { r.MoveFirst(); },   [](db::Recordset& r) { r.MoveNext(); },
        [](db::Recordset& r) { r.RecordCount(); }, [](db::Recordset& r) { r.Fields("Name"); },
        [](db::Recordset& r) { r.AddNew(); },      [](db::Recordset& r) { r.Delete(); },
    };
    for (size_t i = 0; i < std::size(uses); ++i) {
        SCOPED_TRACE(i);
        const auto& use = uses[i];
        auto closed = temp.db().OpenRecordset("Select * from char_info");
        closed->Close();
        EXPECT_TRUE(closed->atEOF()); // no current row, so a guard like "!atEOF()" holds off
        EXPECT_THROW(use(*closed), DbError);
        auto orphan = temp.db().OpenRecordset("Select * from char_info");
        temp.release(); // closes the database under it
        EXPECT_THROW(use(*orphan), DbError) << "after the database closed";
    }
}

} // namespace
