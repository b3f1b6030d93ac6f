#include "db/DbError.h"
#include "store/CharacterRestore.h"
#include "store/Journal.h"
#include "store/Schema.h"
#include "store/Snapshots.h"
#include "support/FileBytes.h"
#include "support/RowTexts.h"
#include "support/TempDatabase.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace store::snapshots;

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(22, 0));

// Everything a character is, by names rather than keys, so two files can be compared.
QStringList described(db::Database& database, qint64 key) {
    const QString k = QString::number(key);
    QStringList lines = rowTexts(
        database, QStringLiteral("SELECT Name, player, Strength, Melee_Spec, History, Notes, Picture, "
                                 "(SELECT Clan FROM Clan WHERE Clan_ID = c.Clan), "
                                 "(SELECT DemNat FROM DemeanorNature WHERE DemNat_ID = c.Nature), "
                                 "(SELECT Path FROM HumanityPath WHERE Path_ID = c.Path) "
                                 "FROM Char_Info c WHERE Char_ID = ") + k);
    lines << rowTexts(database, "SELECT Health0, Health6 FROM Health WHERE Char_ID = " + k);
    lines << rowTexts(database, "SELECT Discipline, Level FROM Discipline_Link JOIN Discipline_LookUp "
                                "USING (Discipline_ID) WHERE Char_ID = " + k);
    lines << rowTexts(database, "SELECT MeritFlaw, l.Points, m.Points, Description FROM MeritFlaw_Link l "
                                "JOIN MeritFlaw_LookUp m USING (MeritFlaw_ID) WHERE Char_ID = " + k);
    lines << rowTexts(database, "SELECT Path, ThaNec, Level FROM Path_Link JOIN Path_LookUp USING (Path_ID) "
                                "WHERE Char_ID = " + k);
    lines << rowTexts(database, "SELECT Ritual, ThaNec, Level FROM Ritual_Link JOIN Ritual_Lookup "
                                "USING (Ritual_ID) WHERE Char_ID = " + k);
    return lines;
}

QString takeSnapshot(db::Database& database, const QDateTime& at = kNow) {
    SnapshotCopy copy(database, at);
    while (!copy.step(1)) {
    }
    return copy.finish();
}

// Émile has a row in every table that can hold one of a character's, with names of his own; the file is
// open as the program opens it, for itself alone.
struct SnapshotOfEmile : ::testing::Test {
    TempDatabase temp;
    qint64 emile = 0;
    std::unique_ptr<db::Database> open;

    void SetUp() override {
        temp.exec("INSERT INTO Clan (Clan_ID, Clan) VALUES (7, 'Nightshade')");
        temp.exec("INSERT INTO HumanityPath (Path_ID, Path) VALUES (5, 'Road of Ash')");
        temp.exec("INSERT INTO Discipline_LookUp (Discipline_ID, Discipline) VALUES (9, 'Glasswalk')");
        temp.exec("INSERT INTO MeritFlaw_LookUp (MeritFlaw_ID, MeritFlaw, Points, Description) "
                  "VALUES (4, 'Iron Will', 3, 'Unbending')");
        temp.exec("INSERT INTO Path_LookUp (Path_ID, Path, ThaNec) VALUES (3, 'Lure of Flames', 0)");
        temp.exec("INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec) VALUES (6, 'Ward', 2, 0)");
        emile = temp.addCharacter(QStringLiteral("Émile"), QStringLiteral("Zoë"));
        temp.exec(QStringLiteral("UPDATE Char_Info SET Clan = 7, Path = 5, Strength = 4, Melee_Spec = 'Knives', "
                                 "History = 'Born in the mill', Notes = 'Owes Bob', Picture = 'emile.jpg' "
                                 "WHERE Char_ID = %1").arg(emile));
        temp.exec(QStringLiteral("UPDATE Health SET Health0 = 3 WHERE Char_ID = %1").arg(emile));
        for (const char* link : {"Discipline_Link (Char_ID, Discipline_ID, Level) VALUES (%1, 9, 2)",
                                 "MeritFlaw_Link (Char_ID, MeritFlaw_ID, Points) VALUES (%1, 4, 3)",
                                 "Path_Link (Char_ID, Path_ID, Level) VALUES (%1, 3, 1)",
                                 "Ritual_Link (Char_ID, Ritual_ID) VALUES (%1, 6)"})
            temp.exec(QStringLiteral("INSERT INTO ") + QString::fromLatin1(link).arg(emile));
        temp.release();
        open = store::openChronicle(temp.path(), true);
    }
};

} // namespace

// The newest ten stay, and the newest of each of the last fourteen days; then the oldest go
// until the total fits, the newest staying whatever its size.
TEST(SnapshotExpiry, KeepsNewestTenEachDayAndTheSizeCap) {
    std::vector<Snapshot> snapshots;
    for (int hour = 21; hour >= 10; --hour) // twelve today
        snapshots.push_back({QStringLiteral("today %1").arg(hour), QDateTime(kNow.date(), QTime(hour, 0)), 100});
    for (int day = 1; day <= 20; ++day)
        snapshots.push_back({QStringLiteral("day -%1").arg(day), kNow.addDays(-day), 100});

    std::vector<QString> gone = expired(snapshots, kNow, 1'000'000);
    std::vector<QString> expected = {"today 11", "today 10"};
    for (int day = 14; day <= 20; ++day)
        expected.push_back(QStringLiteral("day -%1").arg(day));
    EXPECT_EQ(gone, expected);

    gone = expired(snapshots, kNow, 2000); // 23 kept of 100 bytes: the three oldest of them go too
    expected.insert(expected.begin() + 2, {"day -11", "day -12", "day -13"});
    std::sort(expected.begin(), expected.end());
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, expected);

    EXPECT_EQ(expired({{"huge", kNow, 5000}}, kNow, 10), std::vector<QString>{});
}

// A snapshot is a database at rest equal to the open file, including what the open connection
// changed while the copy went on; a copy dropped half-way leaves nothing behind.
TEST_F(SnapshotOfEmile, CopyEqualsTheOpenFileAndNamesItsTime) {
    QString first;
    {
        SnapshotCopy copy(*open, kNow);
        copy.step(1);
        open->Execute(QStringLiteral("UPDATE Char_Info SET Haven = 'Mill' WHERE Char_ID = %1").arg(emile));
        while (!copy.step(2)) {
        }
        EXPECT_EQ(copy.progress(), 1.0);
        first = copy.finish();
    }
    const QString folder = temp.path() + " snapshots";
    EXPECT_EQ(first, QDir(folder).filePath("2026-12-07 22-00-00.mdb"));
    EXPECT_EQ(takeSnapshot(*open), QDir(folder).filePath("2026-12-07 22-00-00 (2).mdb"));
    {
        SnapshotCopy dropped(*open, kNow.addSecs(60));
        dropped.step(1);
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2);

    const std::vector<Snapshot> listed = list(temp.path());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].path, QDir(folder).filePath("2026-12-07 22-00-00 (2).mdb"));
    EXPECT_EQ(listed[1].bytes, QFileInfo(first).size());
    EXPECT_EQ(characterCount(first), 1);

    auto snapshot = store::openChronicle(first, false); // a normal Duskledger database
    EXPECT_EQ(snapshot->scalar("PRAGMA journal_mode").toString(), "delete");
    for (const QString& table : store::schema::tableNames())
        EXPECT_EQ(rowTexts(*snapshot, "SELECT * FROM " + table), rowTexts(*open, "SELECT * FROM " + table))
            << table.toStdString();
}

// Where no folder can be made the copy says so, leaves nothing and the open file works on.
TEST_F(SnapshotOfEmile, UnwritableFolderFailsCleanly) {
    writeFile(temp.path() + " snapshots", "a file where the folder would go");
    try {
        SnapshotCopy copy(*open, kNow);
        FAIL() << "a copy was started";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().startsWith("The snapshot could not be taken.")) << e.message().toStdString();
    }
    open->Execute("INSERT INTO Char_Info (Name) VALUES ('Still works')");
    EXPECT_TRUE(list(temp.path()).empty());
}

// A character comes back from a snapshot with every row of its own, under its key when deleted;
// over itself or as a new character when still there; names the open file lost are added again.
TEST_F(SnapshotOfEmile, RestoreCharacterWithLinksAndMissingNames) {
    const QStringList before = described(*open, emile);
    const QString snapshot = takeSnapshot(*open);

    for (const char* table : {"Char_Info", "Health", "Discipline_Link", "MeritFlaw_Link", "Path_Link", "Ritual_Link"})
        open->Execute(QStringLiteral("DELETE FROM %1 WHERE Char_ID = %2").arg(table).arg(emile));
    open->Execute("DELETE FROM Clan WHERE Clan = 'Nightshade'");
    open->Execute("DELETE FROM MeritFlaw_LookUp WHERE MeritFlaw = 'Iron Will'");
    open->Execute("UPDATE Path_LookUp SET ThaNec = 1"); // the same name in the other family is not it

    store::RestoreResult restored = store::restoreCharacter(*open, snapshot, emile, store::RestoreAs::SameKey);
    EXPECT_EQ(restored.key, emile);
    EXPECT_EQ(restored.addedNames, (QStringList{"Nightshade", "Iron Will", "Lure of Flames"}));
    EXPECT_EQ(described(*open, emile), before);

    open->Execute(QStringLiteral("UPDATE Char_Info SET Strength = 1, Name = 'Emil' WHERE Char_ID = %1").arg(emile));
    open->Execute(QStringLiteral("DELETE FROM Discipline_Link WHERE Char_ID = %1").arg(emile));
    restored = store::restoreCharacter(*open, snapshot, emile, store::RestoreAs::NewCharacter);
    EXPECT_NE(restored.key, emile);
    EXPECT_TRUE(restored.addedNames.isEmpty());
    EXPECT_EQ(described(*open, restored.key), before);
    EXPECT_EQ(open->scalar(QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = %1").arg(emile)), "Emil");

    const QStringList replaced = described(*open, emile);
    store::restoreCharacter(*open, snapshot, emile, store::RestoreAs::SameKey);
    EXPECT_EQ(described(*open, emile), before);
    EXPECT_EQ(open->scalar("SELECT count(*) FROM Char_Info").toInt(), 2);
    // Each restore is a change of the journal: undo puts back what was replaced, redo the
    // snapshot's character again, and the character brought back as new goes with its undo.
    namespace journal = store::journal;
    ASSERT_EQ(journal::takeBack(*open, journal::undoable(*open, emile), "Undo"), "");
    EXPECT_EQ(described(*open, emile), replaced);
    ASSERT_EQ(journal::takeBack(*open, journal::redoable(*open, emile), "Redo"), "");
    EXPECT_EQ(described(*open, emile), before);
    ASSERT_EQ(journal::takeBack(*open, journal::undoable(*open, restored.key), "Undo"), "");
    EXPECT_EQ(open->scalar("SELECT count(*) FROM Char_Info").toInt(), 1);
    EXPECT_THROW(store::restoreCharacter(*open, snapshot, 999, store::RestoreAs::SameKey), db::DbError);
}
