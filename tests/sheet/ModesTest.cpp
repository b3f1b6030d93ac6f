#include "SheetFixture.h"

namespace {

class ModesTest : public SheetTest {
protected:
    void expectEditing(bool editing) {
        EXPECT_EQ(session->editMode, editing);
        for (const char* name : {"txtChar", "txtHaven", "cmbNature", "cmbHumanity", "cmbConscience",
                                 "cmbDisciplines(0)", "cmbBackGrounds(6)"})
            EXPECT_EQ(hidden(name), !editing) << name;
        for (const char* name : {"cmdAddMerit", "cmdRemoveMerit", "cmdAddExperience", "cmdMinusExperience",
                                 "cmdAddExpSpent", "cmdMinusExpSpent"})
            EXPECT_EQ(enabled(name), editing) << name;
    }
};

TEST_F(ModesTest, EditChangeBrowseStoresAndShowsTheEditsWhileBrowseWhenBrowsingStoresNothing) {
    const qint64 key = character("Mira", "Ann", "Conscience_Conviction = 2, SelfControl_Instinct = 2");
    open();
    set("txtChar=Typed while browsing");
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mira");
    menu("mnuEdit");
    expectEditing(true);
    for (int row = 0; row < 14; ++row)
        EXPECT_FALSE(hidden(indexed("PBAdv", row))) << row;
    EXPECT_EQ(values("cmbConscience"), "Conviction");
    type("txtChar", "Mira O'Dell");
    type("txtHaven", "Bell tower");
    set("cmbClan=Corvane|cmbDisciplines(0)=Celerity|cmbDisciplines(1)=Fortitude|PBAdv(1)=3"); // Celerity at 0 dots
    menu("mnuBrowse");

    expectEditing(false);
    EXPECT_EQ(values("lblChar|lblHaven|lblClan|lblDisc(0)|lblConscience|lblSelfControl"),
              "Mira O'Dell|Bell tower|Corvane|Celerity|Conviction|Instinct");
    EXPECT_TRUE(hidden("PBAdv(0)") && !hidden("PBAdv(1)"));
    EXPECT_EQ(column(key, "Name"), "Mira O'Dell");
    EXPECT_EQ(column(key, "Conscience_Conviction").toInt() + column(key, "SelfControl_Instinct").toInt(), 4);
    EXPECT_EQ(items("lstChar"), QStringList{"Mira O'Dell"});
    EXPECT_TRUE(services.messages.empty());

    session->database->Execute("DELETE FROM Char_Info"); // nothing to edit without a character
    window->sheet().showNone();
    menu("mnuEdit");
    EXPECT_FALSE(session->editMode);
    EXPECT_TRUE(hidden("txtChar"));
}

// Every command that leaves edit mode stops where the save fails: the database keeps what it had,
// the sheet stays in edit mode on the same character with the edits on screen.
class FailedSaveTest : public ModesTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailedSaveTest, StopsWhateverStartedItAndKeepsTheEdits) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"Browse", [this] { menu("mnuBrowse"); }},
        {"switch", [this] { doubleClick(ui().lstNPC, 0); }},
        {"add", [this] { click("cmdAdd(0)"); }},
        {"delete", [this] { click("cmddelete(0)"); }},
        {"close, answered Yes", [this] { EXPECT_FALSE(window->close()); }},
        {"Change Database, answered Yes",
         [this] {
             store::createDatabase(temp.file("other.mdb"));
             services.fileAnswers = {temp.file("other.mdb")};
             menu("mnuChngDB");
         }},
    };
    const auto& [name, act] = cases[GetParam()];
    SCOPED_TRACE(name);
    temp.exec("CREATE TRIGGER refuse BEFORE UPDATE ON Char_Info WHEN NEW.Name = 'Boom' "
              "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END");
    const qint64 key = character("Mira", "Ann");
    character("Nox", "NPC");
    open();
    menu("mnuEdit");
    type("txtChar", "Boom");
    set("cmbDisciplines(2)=Celerity");

    act();

    EXPECT_TRUE(services.lastMessage().startsWith("The changes to Mira could not be saved"));
    EXPECT_TRUE(services.lastMessage().contains("refused by the test"));
    EXPECT_EQ(session->database->path(), temp.path());
    expectEditing(true);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_EQ(ui().txtChar->text(), "Boom");
    EXPECT_EQ(column(key, "Name"), "Mira");
    EXPECT_EQ(rows("Discipline_Link", key), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM Char_Info").toInt(), 2);

    type("txtChar", "Mirela"); // corrected, the save goes through with the other edits
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mirela");
    EXPECT_EQ(rows("Discipline_Link", key), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, FailedSaveTest, ::testing::Range(0, 6));

TEST_F(ModesTest, RosterSplitsPlayersFromNpcsAndADoubleClickSavesThenSwitchesToThatEntry) {
    const qint64 ann = character("Mira", "Ann");
    const qint64 nox = character("Nox", "NPC");
    character("O'Gone", "npc"); // comparisons ignore case
    character("Stray", "Ann", "player = NULL");
    character("Twin", "Ann", "Chronicle = 'first'");
    const qint64 twin = character("Twin", "Ann", "Chronicle = 'second'");
    open();
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(ann));
    EXPECT_EQ(items("lstChar"), (QStringList{"Mira", "Twin", "Twin"}));
    EXPECT_EQ(items("lstNPC"), (QStringList{"Nox", "O'Gone"}));

    menu("mnuEdit"); // a switch in edit mode saves the shown character first
    type("txtChar", "Mirela");
    doubleClick(ui().lstNPC, 0);
    EXPECT_EQ(column(ann, "Name"), "Mirela");
    EXPECT_EQ(column(nox, "Name"), "Nox");
    EXPECT_EQ(items("lstChar"), (QStringList{"Mirela", "Twin", "Twin"}));
    expectEditing(false);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(nox));
    EXPECT_EQ(values("lblChar"), "Nox");
    EXPECT_FALSE(ui().lstNPC->selectionModel()->hasSelection());
    EXPECT_EQ(services.waitCursorDepth, 0);
    EXPECT_GE(services.maxWaitCursorDepth, 1);
    doubleClick(ui().lstChar, 2);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(twin));
    // Return on the current entry switches as a double-click does.
    ui().lstChar->setCurrentIndex(ui().lstChar->model()->index(0, 0));
    QTest::keyClick(ui().lstChar, Qt::Key_Return);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(ann));
    doubleClick(ui().lstChar, 2);

    // A character that is gone leaves the sheet where it was.
    session->database->Execute("DELETE FROM Char_Info WHERE Name = 'O''Gone'");
    doubleClick(ui().lstNPC, 1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.lastMessage(), "The character O'Gone is not in the database any more.");
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(twin));
    EXPECT_EQ(window->sheet().character().chronicle, "second");
    EXPECT_EQ(items("lstNPC"), QStringList{"Nox"});
}

} // namespace
