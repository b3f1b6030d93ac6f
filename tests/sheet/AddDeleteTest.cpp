#include "SheetFixture.h"

namespace {

class AddDeleteTest : public SheetTest {
protected:
    qint64 newestKey() { return stored("SELECT max(Char_ID) FROM Char_Info").toLongLong(); }
    qint64 rowsOfCharacter(qint64 key) {
        qint64 total = 0;
        for (const char* table : {"Char_Info", "Health", "Discipline_Link", "BackGround_Link", "MeritFlaw_Link",
                                  "Path_Link", "Ritual_Link"})
            total += rows(table, key);
        return total;
    }
};

TEST_F(AddDeleteTest, AddSavesPendingEditsThenShowsABlankNewCharInEditMode) {
    const qint64 mira = character("Mira", "Ann", "Cur_WillPower = 5, BloodPool = 12");
    open();
    menu("mnuEdit");
    type("txtHaven", "Bell tower");
    click("cmdAdd(1)");
    const qint64 key = newestKey();
    EXPECT_EQ(column(mira, "Haven"), "Bell tower"); // under the key it was typed for
    EXPECT_TRUE(column(key, "Haven").isNull());
    EXPECT_EQ(column(key, "Name || Nature || Demeanor || Clan || Concept"), "New Char1111");
    EXPECT_EQ(rows("Health", key), 1);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_TRUE(session->editMode);
    EXPECT_FALSE(hidden("txtChar"));
    EXPECT_EQ(values("PBCurWill|PBBP(0)"), "0|0");

    // A second add without renaming shows its own new character, not the first "New Char".
    click("cmdAdd(0)");
    EXPECT_NE(newestKey(), key);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(newestKey()));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(AddDeleteTest, DeleteSavesAsksRemovesOnlyThatCharacterThenShowsALastEntry) {
    const qint64 ash = character("Ash", "Ann");
    const qint64 birch = character("Birch", "Ann");
    const qint64 cedar = character("Cedar", "Ann");
    const qint64 nox = character("Nox", "NPC");
    const qint64 umbra = character("Umbra", "NPC");
    for (qint64 key : {ash, birch})
        for (const char* table : {"Discipline_Link", "BackGround_Link", "MeritFlaw_Link", "Path_Link", "Ritual_Link"})
            temp.exec(QStringLiteral("INSERT INTO %1 (Char_ID) VALUES (%2)").arg(QLatin1String(table)).arg(key));
    open();
    menu("mnuEdit");
    type("txtChar", "Ashen");
    services.answers = {app::Answer::No};
    click("cmddelete(0)");
    EXPECT_EQ(services.lastMessage(), "You are about to remove the character Ashen. Are you Sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::YesNo);
    // Declined: only the save happened (it rewrote the two unnamed slot links away).
    EXPECT_EQ(column(ash, "Name"), "Ashen");
    EXPECT_EQ(rowsOfCharacter(ash), 5);
    EXPECT_FALSE(session->editMode);

    click("cmddelete(0)"); // answered Yes
    EXPECT_EQ(rowsOfCharacter(ash), 0);
    EXPECT_EQ(rowsOfCharacter(birch), 7);
    EXPECT_EQ(items("lstChar"), (QStringList{"Birch", "Cedar"}));
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(cedar)); // the last entry of its list
    const std::pair<const char*, qint64> steps[] = {
        {"cmddelete(2)", umbra}, // Cedar is not in lstNPC: removed all the same, lstNPC's last entry follows
        {"cmddelete(2)", nox},
        {"cmddelete(2)", birch}, // lstNPC empty: the other list's last entry
        {"cmddelete(0)", 0},     // both empty: no character
    };
    for (auto [button, next] : steps) {
        click(button);
        EXPECT_EQ(ui().lblChar_ID->text(), next ? QString::number(next) : QString()) << button;
    }
    EXPECT_EQ(stored("SELECT count(*) FROM Char_Info").toInt(), 0);
    EXPECT_EQ(values("lblChar"), "");
    for (const char* off : {"cmddelete(0)", "cmddelete(2)", "mnuEdit", "HealthBox(0)"})
        EXPECT_FALSE(enabled(off)) << off;
    EXPECT_EQ(services.messages.size(), 6u); // the questions, nothing else

    click("cmdAdd(1)"); // from the empty sheet
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(newestKey()));
    EXPECT_TRUE(session->editMode);
    EXPECT_TRUE(enabled("cmddelete(0)"));
}

} // namespace
