#include "StoreFixture.h"
#include "support/FileBytes.h"
#include "support/RowTexts.h"

using model::Character;

namespace {

// A database whose lookup tables hold names of every awkward kind, and a store over it.
struct CharacterStoreTest : StoreTest {
    const QString longName = QString(9990, QLatin1Char('x')) + QStringLiteral("'; -- end");

    void SetUp() override {
        d.Execute("INSERT INTO DemeanorNature (DemNat) VALUES ('Ünïcødé 名前'), (?)", {longName});
        d.Execute("INSERT INTO Clan (Clan) VALUES ('O''Brien''s Kin')");
        d.Execute("INSERT INTO HumanityPath (Path_ID, Path) VALUES (5, 'Path of Ash')");
        d.Execute("INSERT INTO Discipline_LookUp (Discipline) VALUES ('Glasswalk'), ('Hushing')");
        d.Execute("INSERT INTO BackGround_LookUp (BackGround) VALUES ('Coin')");
    }
    // Every stored value of the character's rows, the size of the lookup tables and of the journal
    // (a write that fails records nothing either), Null as <null>.
    QString dump(qint64 key) {
        QStringList all;
        for (const char* sql : {"SELECT * FROM Char_Info WHERE Char_ID = %1",
                                "SELECT * FROM Health WHERE Char_ID = %1 ORDER BY rowid",
                                "SELECT * FROM Discipline_Link WHERE Char_ID = %1 ORDER BY rowid",
                                "SELECT * FROM BackGround_Link WHERE Char_ID = %1 ORDER BY rowid",
                                "SELECT count(*) + %1 * 0 FROM DemeanorNature",
                                "SELECT count(*) + %1 * 0 FROM HumanityPath",
                                "SELECT count(*) + %1 * 0 FROM ChangeJournal"})
            all << rowTexts(d, QString::fromLatin1(sql).arg(key));
        return all.join('|');
    }
};

// A loaded character saved unchanged leaves every stored value as it was, whatever kind of value
// the columns hold. What the sheet cannot show is saved as shown: a Null text or experience as ''
// or 0, a path not in the list as the path named '', a variant other than 1 as the second.
TEST_F(CharacterStoreTest, LoadThenSaveChangesNothing) {
    const QString rows[] = {
        "Nature = 2, Demeanor = 3, Clan = 2, Path = 5, Chronicle = '', Haven = '', Generation = 9, "
        "ExperienceGiven = 12, ExperienceSpent = 2.5, Strength = 4, Science = 11, Melee_Spec = 'Knives', "
        "Conscience = 3, Conscience_Conviction = 2, SelfControl_Instinct = 1, Humanity = 7, WillPower = 6, "
        "Cur_WillPower = 15, BloodPool = 57",
        "Name = 'O''Brien; --', player = 'NPC', Chronicle = 'Ashes', Haven = 'Mill', Path = 5, Generation = NULL, "
        "BloodPool = -4, Courage = 99, ExperienceGiven = 3, ExperienceSpent = 0",
        "Name = '" + QString(9990, 'n') +
            "', player = 'Änne', Chronicle = '', Haven = '', Path = 5, Wits = -3, ExperienceGiven = 0, "
            "ExperienceSpent = 0",
    };
    for (const QString& assignments : rows) {
        SCOPED_TRACE(assignments.left(60).toStdString());
        const qint64 key = add(assignments);
        d.Execute("INSERT INTO Discipline_Link VALUES (?, 2, 3), (?, 1, 2)", {key, key});
        d.Execute("INSERT INTO BackGround_Link VALUES (?, 1, 12)", {key});
        d.Execute("UPDATE Health SET Health1 = 2, Health2 = 3, Health3 = 7, Health4 = NULL WHERE Char_ID = ?", {key});
        QString before = dump(key);
        const std::optional<Character> c = characters.load(key);
        ASSERT_TRUE(c.has_value());
        const store::SaveResult result = characters.save(*c);
        ASSERT_TRUE(result.saved()) << result.error.toStdString();
        EXPECT_TRUE(result.addedNames.empty());
        // Odd health states show as empty boxes and are saved as what the sheet shows.
        const QStringList was = before.replace("|2|3|7|<null>|", "|2|3|1|1|").split('|'), now = dump(key).split('|');
        ASSERT_EQ(now.size(), was.size());
        for (int i = 0; i < was.size(); ++i)
            EXPECT_EQ(now[i], was[i]) << "value " << i;
    }
    // Lookup keys that name no row, or none, are saved as the empty fields the sheet shows.
    const qint64 unset = add("Chronicle = NULL, Path = 77, ExperienceGiven = NULL, Conscience_Conviction = 0, "
                             "Nature = 98, Demeanor = NULL, Clan = 99");
    ASSERT_TRUE(characters.save(*characters.load(unset)).saved());
    EXPECT_EQ(d.scalar("SELECT quote(Chronicle) || ExperienceGiven || Conscience_Conviction || (SELECT Path FROM "
                       "HumanityPath WHERE Path_ID = Char_Info.Path) || quote(Nature) || quote(Demeanor) || "
                       "quote(Clan) FROM Char_Info WHERE Char_ID = ?",
                       {unset}),
              "''02NULLNULLNULL");
}

TEST_F(CharacterStoreTest, LoadReadsEveryKindOfColumn) {
    const qint64 key = add("Nature = 2, Demeanor = 3, Clan = 2, Path = 5, player = NULL, Haven = '', "
                           "Generation = 9.5, ExperienceGiven = 12, ExperienceSpent = NULL, Strength = 40000, "
                           "Wits = 2.5, Science = -3, Melee_Spec = 'Knives', Conscience_Conviction = 0, "
                           "SelfControl_Instinct = 1, Cur_WillPower = 15, BloodPool = 57");
    // Only the first seven links are examined; a link at level 0 takes no slot.
    for (int level : {3, 0, 1, 2, 1, 1, 1, 4})
        d.Execute("INSERT INTO Discipline_Link VALUES (?, 1, ?)", {key, level});
    const Character c = *characters.load(key);
    EXPECT_EQ(c.name, "Mira");
    EXPECT_EQ(c.player, "");
    EXPECT_EQ(c.nature, "Ünïcødé 名前");
    EXPECT_EQ(c.demeanor, longName);
    EXPECT_EQ(c.clan, "O'Brien's Kin");
    EXPECT_EQ(c.conceptName, "Unknown");
    EXPECT_EQ(c.humanityPath, "Path of Ash");
    EXPECT_EQ(c.generation, 9.5);
    EXPECT_EQ(c.experienceGiven, 12);
    EXPECT_FALSE(c.experienceSpent.has_value());
    EXPECT_EQ(c.experienceRemaining(), 0);
    EXPECT_EQ(c.traits[0], 32767); // beyond 16 bits: clamped
    EXPECT_EQ(c.traits[8], 2);     // halves round to even
    EXPECT_EQ(c.traits[38], -3);
    EXPECT_EQ(c.specialties[24], "Knives");
    EXPECT_EQ(c.specialties[0], "");
    EXPECT_FALSE(c.virtues[0].firstVariant);
    EXPECT_TRUE(c.virtues[1].firstVariant);
    EXPECT_EQ(c.currentWillpower, 15);
    EXPECT_EQ(c.bloodPool, 57);
    QStringList slots;
    for (const model::Slot& slot : c.disciplines)
        slots << slot.name + ' ' + QString::number(slot.level);
    EXPECT_EQ(slots.join(','), "Glasswalk 3,Glasswalk 1,Glasswalk 2,Glasswalk 1,Glasswalk 1,Glasswalk 1, 0");

    // Lookup keys that name no row, or none at all, show empty names; a key nobody has is not shown.
    const qint64 stray = add("Clan = 99, Nature = 98, Demeanor = NULL, Concept = 97, Haven = 'Mill'");
    const std::optional<Character> strayed = characters.load(stray);
    ASSERT_TRUE(strayed.has_value());
    EXPECT_EQ(strayed->clan + strayed->nature + strayed->demeanor + strayed->conceptName, "");
    EXPECT_EQ(strayed->haven, "Mill");
    EXPECT_FALSE(characters.load(999).has_value());
    d.Execute("UPDATE Char_Info SET Clan = 99 WHERE Char_ID = ?", {key});
    EXPECT_EQ(characters.first(), key);
}

// New names are added once and reported for the identity fields; names compare without regard to
// case; an empty identity name keeps its column; a character gone is refused with nothing written.
TEST_F(CharacterStoreTest, SaveAddsNewNamesOnceAndRefusesACharacterThatIsGone) {
    const qint64 key = add("Clan = 2");
    Character c = *characters.load(key);
    c.nature = "Bravo";
    c.demeanor = "bravo";
    c.clan = "";
    c.conceptName = "O'Neil's Heir";
    c.humanityPath = "";
    c.disciplines[0] = {"hushing", 2};
    c.disciplines[2] = {"Warden's Sight", 4};
    c.disciplines[3] = {"", 5}; // dots without a name make no row
    const store::SaveResult result = characters.save(c);
    ASSERT_TRUE(result.saved()) << result.error.toStdString();
    ASSERT_EQ(result.addedNames.size(), 2u);
    EXPECT_EQ(result.addedNames[0], std::pair(store::IdentityLookup::Nature, QString("Bravo")));
    EXPECT_EQ(result.addedNames[1], std::pair(store::IdentityLookup::Concept, QString("O'Neil's Heir")));
    EXPECT_EQ(d.scalar("SELECT Nature = Demeanor AND Clan = 2 FROM Char_Info WHERE Char_ID = ?", {key}), 1);
    EXPECT_EQ(d.scalar("SELECT count(*) FROM HumanityPath WHERE Path = ''"), 1);
    EXPECT_EQ(d.scalar("SELECT group_concat(Discipline || ' ' || Level) FROM Discipline_Link JOIN Discipline_LookUp "
                       "USING (Discipline_ID) WHERE Char_ID = ?",
                       {key}),
              "Hushing 2,Warden's Sight 4");
    // Also where the file's own column compares exactly, a case variant is the listed name.
    d.Execute("ALTER TABLE Clan RENAME TO OldClan");
    d.Execute("CREATE TABLE Clan (Clan_ID INTEGER PRIMARY KEY AUTOINCREMENT, Clan TEXT)");
    d.Execute("INSERT INTO Clan SELECT * FROM OldClan");
    c.clan = "o'BRIEN'S kin";
    ASSERT_TRUE(characters.save(c).saved());
    EXPECT_EQ(d.scalar("SELECT Clan FROM Char_Info WHERE Char_ID = ?", {key}), 2);
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Clan"), 2);

    // Removal takes the character's rows from every table that holds them, and no one else's.
    const qint64 other = add("Clan = 2");
    for (const char* table : {"BackGround_Link", "MeritFlaw_Link", "Path_Link", "Ritual_Link"})
        d.Execute(QStringLiteral("INSERT INTO %1 (Char_ID) VALUES (?), (?)").arg(table), {key, other});
    characters.remove(key);
    for (const char* table : {"Char_Info", "Health", "Discipline_Link", "BackGround_Link", "MeritFlaw_Link",
                              "Path_Link", "Ritual_Link"}) {
        const QString count = QStringLiteral("SELECT count(*) FROM %1 WHERE Char_ID = ?").arg(table);
        EXPECT_EQ(d.scalar(count, {key}), 0) << table;
        EXPECT_EQ(d.scalar(count, {other}), QLatin1String(table) == "Discipline_Link" ? 0 : 1) << table;
    }
    const QString lookups = d.scalar("SELECT count(*) FROM Concept").toString();
    c.conceptName = "Another new concept";
    const store::SaveResult gone = characters.save(c);
    EXPECT_FALSE(gone.saved());
    EXPECT_TRUE(gone.error.contains("no longer in the database")) << gone.error.toStdString();
    EXPECT_EQ(d.scalar("SELECT count(*) FROM Concept").toString(), lookups);
}

TEST_F(CharacterStoreTest, AddAndTheImmediateWrites) {
    const qint64 key = characters.add();
    EXPECT_EQ(d.scalar("SELECT Name || Nature || Demeanor || Clan || Concept || BloodPool || Cur_WillPower FROM "
                       "Char_Info WHERE Char_ID = ?",
                       {key}),
              "New Char111100");
    EXPECT_TRUE(characters.setCurrentWillpower(key, 4).written());
    EXPECT_TRUE(characters.setBloodPool(key, 23).written());
    EXPECT_TRUE(characters.setSpecialty(key, 24, "Knives").written());
    EXPECT_TRUE(characters.setHealth(key, {2, 3, 1, 1, 1, 1, 2}).written());
    const Character c = *characters.load(key);
    EXPECT_EQ(c.currentWillpower, 4);
    EXPECT_EQ(c.bloodPool, 23);
    EXPECT_EQ(c.specialties[24], "Knives");
    EXPECT_EQ(c.health, (std::array<int, 7>{2, 3, 1, 1, 1, 1, 2}));
    EXPECT_TRUE(characters.setSpecialty(key, 24, "").written());
    EXPECT_TRUE(d.scalar("SELECT Melee_Spec FROM Char_Info WHERE Char_ID = ?", {key}).isNull());

    // A character without a Health row gets one from the click.
    d.Execute("DELETE FROM Health WHERE Char_ID = ?", {key});
    EXPECT_TRUE(characters.setHealth(key, {3, 2, 1, 1, 1, 1, 3}).written());
    EXPECT_EQ(d.scalar("SELECT group_concat(Health0||Health1||Health2||Health3||Health4||Health5||Health6) FROM "
                       "Health WHERE Char_ID = ?",
                       {key}),
              "3211113");
    characters.remove(key);
    for (const store::WriteResult& gone :
         {characters.setCurrentWillpower(key, 1), characters.setBloodPool(key, 1),
          characters.setSpecialty(key, 0, "Grip"), characters.setHealth(key, {3, 3, 3, 3, 3, 3, 3})})
        EXPECT_EQ(gone.error, "The character is no longer in the database.");
}

// A refused or impossible write changes nothing and says why in a sentence without SQL in it.
TEST_F(CharacterStoreTest, FailedWritesChangeNothingAndSayWhyWithoutSql) {
    const qint64 key = add("Cur_WillPower = 3, BloodPool = 9, Strength_Spec = 'Grip'");
    d.Execute("DELETE FROM Health WHERE Char_ID = ?", {key});
    Character c = *characters.load(key);
    c.haven = "Mill";
    c.clan = "A clan never seen";
    const QString before = dump(key);
    // A trigger's refusal is worded by whoever wrote it.
    for (const char* when : {"BEFORE UPDATE ON Char_Info", "BEFORE INSERT ON Health", "BEFORE INSERT ON Clan"}) {
        SCOPED_TRACE(when);
        d.Execute(QStringLiteral("CREATE TRIGGER locked %1 BEGIN SELECT RAISE(ABORT, 'locked'); END").arg(when));
        const bool charInfo = QString(when).contains("Char_Info");
        std::vector<QString> errors = {characters.save(c).error};
        if (charInfo)
            errors.insert(errors.end(),
                          {characters.setCurrentWillpower(key, 5).error, characters.setBloodPool(key, 20).error,
                           characters.setSpecialty(key, 0, "Lift").error});
        else if (QString(when).contains("Health"))
            errors.push_back(characters.setHealth(key, {2, 2, 2, 1, 1, 1, 1}).error);
        for (const QString& error : errors)
            EXPECT_EQ(error, "locked");
        EXPECT_EQ(dump(key), before);
        d.Execute("DROP TRIGGER locked");
    }
    // A full disk, as far as SQLite can tell before it writes.
    d.Execute("PRAGMA max_page_count = " + d.scalar("PRAGMA page_count").toString());
    c.haven = QString(20000, 'm');
    EXPECT_EQ(characters.save(c).error, "The disk is full; free some space on it and try again.");
    EXPECT_EQ(dump(key), before);
}

} // namespace
