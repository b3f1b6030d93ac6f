#include "CommandFixture.h"

namespace {

class SwitchTest : public CommandTest {};

TEST_F(SwitchTest, RosterSplitsPlayersFromNpcsAndADoubleClickSwitches) {
    const qint64 ann = character("Mira", "Ann");
    const qint64 nox = character("Nox", "NPC");
    character("Ilse", "npc"); // comparisons ignore case
    character("Stray", "Ann", "player = NULL");
    open();
    EXPECT_EQ(window->currentKey(), QString::number(ann));
    EXPECT_EQ(items("lstChar"), QStringList{"Mira"});
    EXPECT_EQ(items("lstNPC"), (QStringList{"Nox", "Ilse"}));

    doubleClick("lstNPC", 0);
    EXPECT_EQ(window->currentKey(), QString::number(nox));
    EXPECT_EQ(text("lblChar"), "Nox");
    EXPECT_FALSE(global->editMode);
    EXPECT_TRUE(ui().lstNPC->selectedItems().isEmpty());
    EXPECT_EQ(services.waitCursorDepth, 0);
    EXPECT_GE(services.maxWaitCursorDepth, 1);
}

TEST_F(SwitchTest, SwitchInEditModeSavesThePreviousCharacterFirst) {
    const qint64 mira = character("Mira", "Ann");
    const qint64 nox = character("Nox", "NPC");
    open();
    menu("mnuEdit");
    type("txtChar", "Mirela");
    doubleClick("lstNPC", 0);
    EXPECT_EQ(column(mira, "Name"), "Mirela");
    EXPECT_EQ(column(nox, "Name"), "Nox");
    EXPECT_EQ(window->currentKey(), QString::number(nox));
    EXPECT_EQ(items("lstChar"), QStringList{"Mirela"});
    EXPECT_FALSE(global->editMode);
    EXPECT_TRUE(hidden("txtChar"));
}

TEST_F(SwitchTest, TwoCharactersOfOneNameShowTheFirstTheDatabaseReturns) {
    const qint64 first = character("Twin", "Ann", "Chronicle = 'first'");
    character("Twin", "Ann", "Chronicle = 'second'");
    character("Nox", "NPC");
    open();
    doubleClick("lstNPC", 0);
    doubleClick("lstChar", 1);
    EXPECT_EQ(window->currentKey(), QString::number(first));
}

TEST_F(SwitchTest, NameThatMatchesNoCharacterLeavesTheSheetWhereItWas) {
    const qint64 mira = character("Mira", "Ann");
    const qint64 gone = character("O'Gone", "NPC");
    open();
    global->database->Execute(QStringLiteral("DELETE FROM Char_Info WHERE Char_ID = %1").arg(gone));
    menu("mnuEdit");
    type("txtHaven", "Tower");
    doubleClick("lstNPC", 0);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.lastMessage(), "The character O'Gone is not in the database any more.");
    EXPECT_EQ(window->currentKey(), QString::number(mira));
    EXPECT_EQ(global->characterRecordset->Fields("Name"), "Mira");
    EXPECT_EQ(column(mira, "Haven"), "Tower"); // the edits were saved on the way
    EXPECT_FALSE(global->editMode);
    EXPECT_TRUE(items("lstNPC").isEmpty());
}

} // namespace
