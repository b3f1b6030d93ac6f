#include "SheetFixture.h"

#include "ratings/mdlConvertions.h"
#include "sheet/mdlModes.h"

namespace {

class ModesTest : public SheetTest {
protected:
    void expectEditing(bool editing) {
        EXPECT_EQ(global->editMode, editing);
        for (const char* name : {"txtChar", "txtHaven", "cmbNature", "cmbHumanity", "cmbConscience",
                                 "cmbDisciplines(0)", "cmbBackGrounds(6)"})
            EXPECT_EQ(hidden(name), !editing) << name;
        for (const char* name : {"cmdAddMerit", "cmdRemoveMerit", "cmdAddExperience", "cmdMinusExperience",
                                 "cmdAddExpSpent", "cmdMinusExpSpent"})
            EXPECT_EQ(enabled(name), editing) << name;
    }
};

TEST_F(ModesTest, EditChangeBrowseStoresTheFieldsShowsThemAndListsTheNewName) {
    const qint64 key = character("Mira", "Ann");
    open();
    expectEditing(false);
    menu("mnuEdit");
    expectEditing(true);
    for (int row = 0; row < 14; ++row)
        EXPECT_FALSE(hidden(indexed("PBAdv", row))) << row;
    type("txtChar", "Mira O'Dell");
    type("txtHaven", "Bell tower");
    ui().cmbClan->setEditText("Corvane");
    ui().cmbDisciplines[0]->setEditText("Celerity"); // named, left at 0 dots
    ui().cmbDisciplines[1]->setEditText("Fortitude");
    ratings::mdlConvertions::Set_AdvDots(*global, *ui().PBAdv[1], 3);
    menu("mnuBrowse");

    expectEditing(false);
    EXPECT_EQ(texts({"lblChar", "lblHaven", "lblClan", "lblDisc(0)"}),
              (QStringList{"Mira O'Dell", "Bell tower", "Corvane", "Celerity"}));
    EXPECT_TRUE(hidden("PBAdv(0)"));
    EXPECT_FALSE(hidden("PBAdv(1)"));
    EXPECT_EQ(column(key, "Name"), "Mira O'Dell");
    EXPECT_EQ(column(key, "Haven"), "Bell tower");
    EXPECT_EQ(rows("Discipline_Link", key), 2);
    EXPECT_EQ(items("lstChar"), QStringList{"Mira O'Dell"});
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(services.waitCursorDepth, 0);
}

TEST_F(ModesTest, VariantsSurviveAndBrowseWhileBrowsingOrEditWithoutACharacterDoNothing) {
    const qint64 key = character("Mira", "Ann", "Conscience_Conviction = 2, SelfControl_Instinct = 2");
    open();
    ui().txtChar->setText("Typed while browsing");
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mira");
    menu("mnuEdit");
    EXPECT_EQ(ui().cmbConscience->currentText(), "Conviction");
    menu("mnuBrowse");
    EXPECT_EQ(texts({"lblConscience", "lblSelfControl"}), (QStringList{"Conviction", "Instinct"}));
    EXPECT_EQ(column(key, "Conscience_Conviction").toInt() + column(key, "SelfControl_Instinct").toInt(), 4);

    global->database->Execute("DELETE FROM Char_Info");
    show("nobody");
    sheet::mdlEditMode::EnterEditMode(*global, ui());
    EXPECT_FALSE(global->editMode);
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
             db::createDatabase(temp.file("other.mdb"));
             services.fileAnswers = {temp.file("other.mdb")};
             menu("mnuChngDB");
         }},
    };
    const auto& [name, act] = cases[GetParam()];
    SCOPED_TRACE(name);
    refuseSaving("Boom");
    const qint64 key = character("Mira", "Ann");
    character("Nox", "NPC");
    open();
    menu("mnuEdit");
    type("txtChar", "Boom");
    ui().cmbDisciplines[2]->setEditText("Celerity");

    act();

    EXPECT_TRUE(services.lastMessage().startsWith("The changes to Mira could not be saved"));
    EXPECT_TRUE(services.lastMessage().contains("refused by the test"));
    EXPECT_EQ(global->database->path(), temp.path());
    expectEditing(true);
    EXPECT_EQ(window->currentKey(), QString::number(key));
    EXPECT_EQ(ui().txtChar->text(), "Boom");
    EXPECT_EQ(ui().cmbDisciplines[2]->currentText(), "Celerity");
    EXPECT_EQ(text("lblChar"), "Mira");
    EXPECT_EQ(column(key, "Name"), "Mira");
    EXPECT_EQ(rows("Discipline_Link", key), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM Char_Info").toInt(), 2);

    type("txtChar", "Mirela"); // corrected, the save goes through
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mirela");
    EXPECT_EQ(rows("Discipline_Link", key), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, FailedSaveTest, ::testing::Range(0, 6));

TEST_F(ModesTest, RosterSplitsPlayersFromNpcsAndADoubleClickSwitchesToTheFirstOfAName) {
    const qint64 ann = character("Mira", "Ann");
    const qint64 nox = character("Nox", "NPC");
    character("Ilse", "npc"); // comparisons ignore case
    character("Stray", "Ann", "player = NULL");
    const qint64 twin = character("Twin", "Ann", "Chronicle = 'first'");
    character("Twin", "Ann", "Chronicle = 'second'");
    open();
    EXPECT_EQ(window->currentKey(), QString::number(ann));
    EXPECT_EQ(items("lstChar"), (QStringList{"Mira", "Twin", "Twin"}));
    EXPECT_EQ(items("lstNPC"), (QStringList{"Nox", "Ilse"}));

    doubleClick(ui().lstNPC, 0);
    EXPECT_EQ(window->currentKey(), QString::number(nox));
    EXPECT_EQ(text("lblChar"), "Nox");
    EXPECT_FALSE(ui().lstNPC->selectionModel()->hasSelection());
    EXPECT_EQ(services.waitCursorDepth, 0);
    EXPECT_GE(services.maxWaitCursorDepth, 1);
    doubleClick(ui().lstChar, 2);
    EXPECT_EQ(window->currentKey(), QString::number(twin));
}

TEST_F(ModesTest, SwitchInEditModeSavesThePreviousCharacterFirst) {
    const qint64 mira = character("Mira", "Ann");
    const qint64 nox = character("Nox", "NPC");
    open();
    menu("mnuEdit");
    type("txtChar", "Mirela");
    doubleClick(ui().lstNPC, 0);
    EXPECT_EQ(column(mira, "Name"), "Mirela");
    EXPECT_EQ(column(nox, "Name"), "Nox");
    EXPECT_EQ(window->currentKey(), QString::number(nox));
    EXPECT_EQ(items("lstChar"), QStringList{"Mirela"});
    expectEditing(false);
}

TEST_F(ModesTest, NameThatMatchesNoCharacterLeavesTheSheetWhereItWas) {
    const qint64 mira = character("Mira", "Ann");
    const qint64 gone = character("O'Gone", "NPC");
    open();
    global->database->Execute(QStringLiteral("DELETE FROM Char_Info WHERE Char_ID = %1").arg(gone));
    menu("mnuEdit");
    type("txtHaven", "Tower");
    doubleClick(ui().lstNPC, 0);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.lastMessage(), "The character O'Gone is not in the database any more.");
    EXPECT_EQ(window->currentKey(), QString::number(mira));
    EXPECT_EQ(global->characterRecordset->Fields("Name"), "Mira");
    EXPECT_EQ(column(mira, "Haven"), "Tower"); // the edits were saved on the way
    EXPECT_TRUE(items("lstNPC").isEmpty());
}

} // namespace
