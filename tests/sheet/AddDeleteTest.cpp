#include "SheetFixture.h"

namespace {

class AddDeleteTest : public SheetTest {
protected:
    qint64 newestKey() { return stored("SELECT max(Char_ID) FROM Char_Info").toLongLong(); }
};

TEST_F(AddDeleteTest, AddSavesPendingEditsThenShowsItsOwnNewCharInEditMode) {
    const qint64 mira = character("Mira", "Ann", "Cur_WillPower = 5, BloodPool = 12");
    open();
    menu("mnuEdit");
    set("txtHaven=Bell tower");
    click("cmdAdd(1)");
    const qint64 key = newestKey();
    EXPECT_EQ(column(mira, "Haven"), "Bell tower"); // under the key it was typed for
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_TRUE(session->editMode);
    EXPECT_FALSE(hidden("txtChar"));
    EXPECT_EQ(values("txtChar|txtHaven|PBCurWill|PBBP(0)"), "New Char||0|0");

    // A second add without renaming shows its own new character, not the first "New Char".
    click("cmdAdd(0)");
    EXPECT_NE(newestKey(), key);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(newestKey()));
    EXPECT_EQ(items("lstChar"), (QStringList{"Mira", "New Char", "New Char"})); // both reachable
    EXPECT_TRUE(services.messages.empty());
}

// Which rows a removal takes, and whose, is the character store's to test.
TEST_F(AddDeleteTest, DeleteSavesAsksRemovesOnlyThatCharacterThenShowsALastEntryOrNothing) {
    const qint64 ash = character("Ash");
    const qint64 birch = character("Birch");
    const qint64 cedar = character("Cedar");
    const qint64 nox = character("Nox", "NPC");
    open();
    menu("mnuEdit");
    set("txtChar=Ashen");
    services.answers = {app::Answer::No};
    click("cmddelete(0)");
    EXPECT_EQ(services.lastMessage(), "You are about to remove the character Ashen. Are you Sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::YesNo);
    EXPECT_EQ(services.messages.back().defaultButton, app::Answer::No); // Return keeps the character
    EXPECT_EQ(column(ash, "Name"), "Ashen"); // declined: only the save happened
    EXPECT_FALSE(session->editMode);

    services.answers.assign(4, app::Answer::Yes);
    click("cmddelete(0)");
    EXPECT_EQ(items("lstChar"), (QStringList{"Birch", "Cedar"}));
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(cedar)); // the last entry of its list
    const std::pair<const char*, qint64> steps[] = {
        {"cmddelete(2)", nox},   // Cedar is not in lstNPC: removed all the same, lstNPC's last entry follows
        {"cmddelete(2)", birch}, // lstNPC empty: the other list's last entry
        {"cmddelete(0)", 0},     // both empty: no character
    };
    for (auto [button, next] : steps) {
        click(button);
        EXPECT_EQ(ui().lblChar_ID->text(), next ? QString::number(next) : QString()) << button;
    }
    EXPECT_EQ(values("lblChar"), "");
    EXPECT_EQ(services.messages.size(), 5u); // the questions, nothing else

    // Without a character only Add, the dice, the Tools and Help work.
    for (const char* off : {"HealthBox(0)", "mnuEdit", "mnuBrowse", "mnuFileExport", "mnuHist", "mnuPict", "mnuNotes",
                            "mnuRituals", "mnuNecromancy", "cmddelete(0)", "cmddelete(2)"})
        EXPECT_FALSE(enabled(off)) << off;
    for (const char* on : {"cmdAdd(0)", "cmdAdd(1)", "cmdRoll", "mnuNewDB", "mnuChngDB", "mnuMobile", "mnuCalc"})
        EXPECT_TRUE(enabled(on)) << on;
    set("cmbDice=2|cmbDiff=6");
    services.randomValues = {0.75, 0.95}; // faces 8 and 10
    click("cmdRoll");
    EXPECT_TRUE(services.lastMessage().contains("Successes: 2")) << services.lastMessage().toStdString();

    click("cmdAdd(1)");
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(newestKey()));
    EXPECT_TRUE(session->editMode);
    EXPECT_TRUE(enabled("cmddelete(0)"));
}

} // namespace
