#include "CommandFixture.h"

namespace {

const char* const kLinkTables[] = {"Discipline_Link", "BackGround_Link", "MeritFlaw_Link", "Path_Link", "Ritual_Link"};

class AddDeleteTest : public CommandTest {
protected:
    qint64 newestKey() { return stored("SELECT max(Char_ID) FROM Char_Info").toLongLong(); }
    // One row in every table that holds rows of a character.
    void linkEverything(qint64 key) {
        for (const char* table : kLinkTables)
            temp.exec(QStringLiteral("INSERT INTO %1 (Char_ID) VALUES (%2)").arg(QLatin1String(table)).arg(key));
    }
    qint64 rowsOfCharacter(qint64 key) {
        qint64 total = rows("Char_Info", key) + rows("Health", key);
        for (const char* table : kLinkTables)
            total += rows(table, key);
        return total;
    }
};

TEST_F(AddDeleteTest, AddShowsABlankNewCharInEditModeWithAnEmptyHealthTrack) {
    const qint64 mira = character("Mira", "Ann", "Cur_WillPower = 5, BloodPool = 12");
    open();
    // Both buttons add the same blank character.
    for (const char* button : {"cmdAdd(1)", "cmdAdd(0)"}) {
        SCOPED_TRACE(button);
        if (global->editMode)
            menu("mnuBrowse");
        click(button);
        const qint64 key = newestKey();
        ASSERT_NE(key, mira);
        EXPECT_EQ(column(key, "Name"), "New Char");
        for (const char* lookupColumn : {"Nature", "Demeanor", "Clan", "Concept"})
            EXPECT_EQ(column(key, lookupColumn).toInt(), 1) << lookupColumn;
        EXPECT_EQ(column(key, "BloodPool").toInt(), 0);
        EXPECT_EQ(column(key, "Cur_WillPower").toInt(), 0);
        EXPECT_EQ(rows("Health", key), 1);
        for (int level = 0; level < 7; ++level)
            EXPECT_EQ(stored(QStringLiteral("SELECT Health%1 FROM Health WHERE Char_ID = %2").arg(level).arg(key)), 1);
        EXPECT_TRUE(services.messages.empty());
    }
    // Two adds without renaming: the switch shows the first row named "New Char".
    const qint64 firstNew = stored("SELECT min(Char_ID) FROM Char_Info WHERE Name = 'New Char'").toLongLong();
    EXPECT_EQ(window->currentKey(), QString::number(firstNew));
    EXPECT_TRUE(global->editMode);
    EXPECT_FALSE(global->newCharacter);
    EXPECT_EQ(ui().txtChar->text(), "New Char");
    EXPECT_FALSE(hidden("txtChar"));
    EXPECT_EQ(tag("PBCurWill"), "0");
    EXPECT_EQ(tag("PBBP(0)"), "0");
    // The first was saved with an empty player on the way to the second; the second has none yet.
    EXPECT_EQ(items("lstChar"), (QStringList{"Mira", "New Char"}));
}

TEST_F(AddDeleteTest, AddOrDeleteInEditModeSavesThePendingEditsUnderTheShownKey) {
    const qint64 mira = character("Mira", "Ann");
    character("Vell", "Ann");
    open();
    menu("mnuEdit");
    type("txtHaven", "Bell tower");
    click("cmdAdd(0)");
    const qint64 added = newestKey();
    EXPECT_EQ(column(mira, "Haven"), "Bell tower");
    EXPECT_TRUE(column(added, "Haven").isNull());
    EXPECT_EQ(column(added, "Name"), "New Char");

    // The new character, edited, then deleted with the question declined: its edits are kept.
    type("txtChar", "Oren");
    services.answers = {app::Answer::No};
    click("cmddelete(0)");
    EXPECT_EQ(services.lastMessage(), "You are about to remove the character Oren. Are you Sure?");
    EXPECT_EQ(column(added, "Name"), "Oren");
    EXPECT_EQ(window->currentKey(), QString::number(added));
    EXPECT_FALSE(global->editMode);
}

TEST_F(AddDeleteTest, DeleteAsksThenRemovesEveryRowOfTheCharacterOnly) {
    const qint64 mira = character("Mira", "Ann");
    const qint64 vell = character("Vell", "Ann");
    linkEverything(mira);
    linkEverything(vell);
    open();
    ASSERT_EQ(rowsOfCharacter(mira), 7);

    services.answers = {app::Answer::No};
    click("cmddelete(0)");
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.lastMessage(), "You are about to remove the character Mira. Are you Sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::YesNo);
    EXPECT_EQ(services.messages.back().title, "Duskledger");
    EXPECT_EQ(rowsOfCharacter(mira), 7);
    EXPECT_EQ(window->currentKey(), QString::number(mira));

    services.answers = {app::Answer::Yes};
    click("cmddelete(0)");
    EXPECT_EQ(rowsOfCharacter(mira), 0);
    EXPECT_EQ(rowsOfCharacter(vell), 7);
    EXPECT_EQ(window->currentKey(), QString::number(vell));
    EXPECT_EQ(items("lstChar"), QStringList{"Vell"});
    EXPECT_EQ(services.messages.size(), 2u);
}

TEST_F(AddDeleteTest, DeleteShowsItsListsLastEntryThenTheOtherListsThenNothing) {
    const qint64 p1 = character("Ash", "Ann");
    const qint64 p2 = character("Birch", "Ann");
    const qint64 p3 = character("Cedar", "Ann");
    const qint64 n1 = character("Nox", "NPC");
    const qint64 n2 = character("Umbra", "NPC");
    open();
    ASSERT_EQ(window->currentKey(), QString::number(p1));

    click("cmddelete(0)"); // Ash: the last entry of lstChar follows
    EXPECT_EQ(window->currentKey(), QString::number(p3));

    click("cmddelete(2)"); // Cedar is not in lstNPC: removed all the same, lstNPC's last entry follows
    EXPECT_EQ(rows("Char_Info", p3), 0);
    EXPECT_EQ(window->currentKey(), QString::number(n2));
    EXPECT_EQ(items("lstNPC"), (QStringList{"Nox", "Umbra"}));

    click("cmddelete(2)");
    EXPECT_EQ(window->currentKey(), QString::number(n1));
    click("cmddelete(2)"); // lstNPC now empty: the other list's last entry
    EXPECT_EQ(window->currentKey(), QString::number(p2));
    EXPECT_TRUE(items("lstNPC").isEmpty());

    click("cmddelete(0)"); // both lists empty: no character
    EXPECT_EQ(window->currentKey(), "");
    EXPECT_EQ(text("lblChar"), "");
    EXPECT_EQ(stored("SELECT count(*) FROM Char_Info").toInt(), 0);
    for (const char* off : {"cmddelete(0)", "cmddelete(2)", "mnuEdit", "mnuBrowse"})
        EXPECT_FALSE(enabled(off)) << off;
    EXPECT_FALSE(enabled("HealthBox(0)"));
    EXPECT_EQ(services.messages.size(), 5u); // the five questions, nothing else

    // Adding works from the empty sheet.
    click("cmdAdd(1)");
    EXPECT_EQ(window->currentKey(), QString::number(newestKey()));
    EXPECT_TRUE(global->editMode);
    EXPECT_TRUE(enabled("cmddelete(0)"));
}

TEST_F(AddDeleteTest, AddWorksFromAnEmptyDatabase) {
    open();
    EXPECT_EQ(window->currentKey(), "");
    EXPECT_TRUE(enabled("cmdAdd(0)"));
    EXPECT_TRUE(enabled("cmdAdd(1)"));
    EXPECT_FALSE(enabled("cmddelete(0)"));
    EXPECT_FALSE(enabled("mnuEdit"));
    click("cmdAdd(0)");
    const qint64 key = newestKey();
    EXPECT_EQ(window->currentKey(), QString::number(key));
    EXPECT_TRUE(global->editMode);
    type("txtChar", "Firstborn");
    type("txtPlayer", "Ann");
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Firstborn");
    EXPECT_EQ(items("lstChar"), QStringList{"Firstborn"});
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
