#include "store/Journal.h"
#include "StoreFixture.h"
#include "store/CharacterTextStore.h"
#include "store/MeritStore.h"
#include "store/PathRitualStore.h"

namespace journal = store::journal;
using model::Character;

namespace {

struct JournalTest : StoreTest {
    qint64 mira = 0;

    void SetUp() override {
        temp.exec("DROP TABLE ChangeJournal"); // as in a file made before the journal
        temp.exec("INSERT INTO Clan (Clan) VALUES ('House Vesper'), ('Ashen Court')");
        temp.exec("INSERT INTO Discipline_LookUp (Discipline) VALUES ('Glasswalk')");
        temp.exec("INSERT INTO MeritFlaw_LookUp (MeritFlaw_ID, MeritFlaw, Points) VALUES (7, 'Iron Will', 3)");
        temp.exec("INSERT INTO Path_LookUp VALUES (1, 'Path of Tides', 1)");
        temp.exec("INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec) VALUES (1, 'Ward of Salt', 1, 1)");
        mira = add("Clan = 2, Strength = 3");
        temp.exec(QStringLiteral("INSERT INTO Discipline_Link VALUES (%1, 1, 1)").arg(mira));
    }
    Character load() { return *characters.load(mira); }
    // The character's batches newest first, a line each: "action: entry; entry".
    std::string batches(qint64 key) {
        QStringList all;
        qint64 last = -1;
        for (const journal::Entry& e : journal::entries(d, key)) {
            if (e.batch != last)
                all << e.action + QStringLiteral(": ") + e.text();
            else
                all.last() += QStringLiteral("; ") + e.text();
            last = e.batch;
        }
        return all.join('\n').toStdString();
    }
};

// A save records each changed field, in one batch, with the character's key and name.
TEST_F(JournalTest, SaveRecordsEachChangedFieldInOneBatch) {
    EXPECT_FALSE(journal::present(d)); // a file made before the journal opens without it
    Character c = load();
    c.traits[0] = 4;
    c.clan = "ashen court";
    c.disciplines[0].level = 2;
    c.experienceGiven = 5;
    ASSERT_TRUE(characters.save(c).saved());
    EXPECT_EQ(batches(mira), "Save: Clan: House Vesper → Ashen Court; Strength: 3 → 4; Discipline Glasswalk 1 → 2; "
                             "Experience given: 0 → 5");
    EXPECT_EQ(temp.scalar("SELECT count(DISTINCT Batch) || count(DISTINCT CharName) FROM ChangeJournal").toString(), "11");
    ASSERT_TRUE(characters.save(load()).saved()); // nothing changed, nothing recorded
    EXPECT_EQ(temp.scalar("SELECT count(*) FROM ChangeJournal"), 4);
}

// Every write made at once is its own batch with the right entry.
TEST_F(JournalTest, WritesMadeAtOnceRecordTheirChange) {
    std::array<int, 7> health{2, 3, 1, 1, 1, 1, 1};
    ASSERT_TRUE(characters.setCurrentWillpower(mira, 4).written());
    ASSERT_TRUE(characters.setBloodPool(mira, 9).written());
    ASSERT_TRUE(characters.setHealth(mira, health).written());
    ASSERT_TRUE(characters.setSpecialty(mira, 9 + 15, "Knives").written());
    store::merits::addLink(d, mira, 7, 3);
    ASSERT_TRUE(store::merits::removeLink(d, mira, 7));
    store::rituals::savePaths(d, mira, 1, {{"Path of Tides", 2}});
    store::rituals::addRitual(d, mira, 1, "Ward of Salt", "1", std::nullopt);
    ASSERT_TRUE(store::rituals::removeRitual(d, mira, 1, "Ward of Salt"));
    ASSERT_TRUE(store::notes::writeCharacterText(d, mira, "History", QString(200, 'h')));
    const qint64 added = characters.add();
    characters.remove(added);
    const QStringList expected = {
        "Text: History: — → " + QString(59, 'h') + "…",
        "Ritual removed: Thaumaturgy ritual: Ward of Salt → —",
        "Ritual added: Thaumaturgy ritual: — → Ward of Salt",
        "Paths: Thaumaturgy paths: — → Path of Tides 2",
        "Merit removed: Merit: Iron Will 3 → —",
        "Merit added: Merit: — → Iron Will 3",
        "Specialty: Specialty of Melee: — → Knives",
        "Health: Health □□□□□□□ → /X□□□□□",
        "Blood pool: Blood pool: 0 → 9",
        "Willpower: Current willpower: 0 → 4",
    };
    EXPECT_EQ(batches(mira), expected.join('\n').toStdString());
    EXPECT_EQ(batches(added), "Delete: Character deleted: New Char\nAdd: Character added: New Char");
    // Texts are kept whole.
    EXPECT_EQ(temp.scalar("SELECT length(After) FROM ChangeJournal WHERE Target = 'text:History'").toInt(), 200);
}

// Undo takes back the newest batch as a new batch, redo takes back the undo; a new action ends
// the redo.
TEST_F(JournalTest, UndoAndRedoOfSaveHealthAndMerit) {
    Character c = load();
    c.traits[0] = 4;
    c.clan = "Ashen Court";
    ASSERT_TRUE(characters.save(c).saved());
    ASSERT_TRUE(characters.setHealth(mira, {3, 1, 1, 1, 1, 1, 1}).written());
    store::merits::addLink(d, mira, 7, 3);

    const auto undo = [&] { return journal::takeBack(d, journal::undoable(d, mira), "Undo"); };
    const auto redo = [&] { return journal::takeBack(d, journal::redoable(d, mira), "Redo"); };
    EXPECT_EQ(undo(), "");
    EXPECT_TRUE(load().merits.empty());
    EXPECT_EQ(undo(), "");
    EXPECT_EQ(load().health[0], 1);
    EXPECT_EQ(undo(), "");
    EXPECT_EQ(load().traits[0], 3);
    EXPECT_EQ(load().clan, "House Vesper");
    EXPECT_EQ(batches(mira).substr(0, batches(mira).find('\n')),
              "Undo: Undo: Clan: Ashen Court → House Vesper; Undo: Strength: 4 → 3");
    EXPECT_EQ(redo(), "");
    EXPECT_EQ(load().traits[0], 4);
    EXPECT_EQ(redo(), "");
    EXPECT_EQ(load().health[0], 3);
    EXPECT_EQ(undo(), "");
    EXPECT_EQ(load().health[0], 1);
    EXPECT_EQ(redo(), "");
    EXPECT_EQ(redo(), "");
    EXPECT_EQ(load().merits.size(), 1u);
    EXPECT_EQ(journal::redoable(d, mira), 0);
    EXPECT_EQ(undo(), "");
    ASSERT_TRUE(characters.setBloodPool(mira, 3).written());
    EXPECT_EQ(journal::redoable(d, mira), 0);
}

// A deleted character comes back with its links from the journal, and its undo deletes it again.
TEST_F(JournalTest, DeletedCharacterIsRestoredWithItsLinks) {
    store::merits::addLink(d, mira, 7, 3);
    ASSERT_TRUE(store::notes::writeCharacterText(d, mira, "Notes", "Owes a favour."));
    const Character before = load();
    characters.remove(mira);
    ASSERT_FALSE(characters.exists(mira));
    ASSERT_EQ(journal::deletedCharacters(d).size(), 1u);
    EXPECT_EQ(journal::deletedCharacters(d).front().second, "Mira");
    EXPECT_EQ(journal::restoreDeleted(d, mira), "");
    EXPECT_EQ(load(), before);
    EXPECT_EQ(store::notes::readCharacterText(d, mira, "Notes"), QString("Owes a favour."));
    EXPECT_EQ(temp.scalar(QStringLiteral("SELECT count(*) FROM Health WHERE Char_ID = %1").arg(mira)).toInt(), 1);
    EXPECT_TRUE(journal::deletedCharacters(d).empty());
    EXPECT_NE(journal::restoreDeleted(d, mira), ""); // it is there already
    EXPECT_EQ(journal::takeBack(d, journal::undoable(d, mira), "Undo"), "");
    EXPECT_FALSE(characters.exists(mira));
    EXPECT_EQ(journal::takeBack(d, journal::redoable(d, mira), "Redo"), "");
    EXPECT_EQ(load(), before);
}

// Revert takes back a chosen batch unless a later batch changed one of its fields.
TEST_F(JournalTest, RevertRefusedWhenAFieldChangedLater) {
    Character c = load();
    c.traits[0] = 4;
    ASSERT_TRUE(characters.save(c).saved());
    const qint64 strength = journal::undoable(d, mira);
    ASSERT_TRUE(characters.setBloodPool(mira, 5).written());
    c = load();
    c.traits[0] = 5;
    ASSERT_TRUE(characters.save(c).saved());
    EXPECT_EQ(journal::revert(d, strength), "Strength was changed later; take back the later change first.");
    EXPECT_EQ(load().traits[0], 5);
    const qint64 blood = journal::undoable(d, mira) - 1;
    EXPECT_EQ(journal::revert(d, blood), "");
    EXPECT_EQ(load().bloodPool, 0);
    EXPECT_EQ(load().traits[0], 5);
}

// Trimming drops the entries older than the date.
TEST_F(JournalTest, TrimDropsOlderEntries) {
    ASSERT_TRUE(characters.setBloodPool(mira, 5).written());
    temp.exec("UPDATE ChangeJournal SET At = 1000");
    ASSERT_TRUE(characters.setBloodPool(mira, 6).written());
    EXPECT_EQ(journal::trim(d, QDateTime::fromMSecsSinceEpoch(2000)), 1);
    EXPECT_EQ(batches(mira), "Blood pool: Blood pool: 5 → 6");
}

} // namespace
