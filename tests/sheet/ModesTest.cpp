#include "CommandFixture.h"

#include "ratings/mdlConvertions.h"

namespace {

using ratings::mdlConvertions::Set_AdvDots;

const QStringList kEditors = {"txtChar",       "txtHaven",          "cmbNature",        "cmbHumanity",
                              "cmbConscience", "cmbDisciplines(0)", "cmbBackGrounds(6)"};
const QStringList kEditingButtons = {"cmdAddMerit",        "cmdRemoveMerit", "cmdAddExperience",
                                     "cmdMinusExperience", "cmdAddExpSpent", "cmdMinusExpSpent"};

class ModesTest : public CommandTest {
protected:
    void expectEditing(bool editing) {
        EXPECT_EQ(global->editMode, editing);
        for (const QString& name : kEditors)
            EXPECT_EQ(hidden(name), !editing) << name.toStdString();
        for (const QString& name : kEditingButtons)
            EXPECT_EQ(enabled(name), editing) << name.toStdString();
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
    Set_AdvDots(*global, *ui().PBAdv[1], 3);
    menu("mnuBrowse");

    expectEditing(false);
    for (auto [label, value] : {std::pair{"lblChar", "Mira O'Dell"}, std::pair{"lblHaven", "Bell tower"},
                                std::pair{"lblClan", "Corvane"}, std::pair{"lblDisc(0)", "Celerity"}})
        EXPECT_EQ(text(label), value) << label;
    EXPECT_TRUE(hidden("PBAdv(0)"));
    EXPECT_FALSE(hidden("PBAdv(1)"));
    EXPECT_FALSE(hidden("PBAdv(14)"));
    EXPECT_EQ(column(key, "Name"), "Mira O'Dell");
    EXPECT_EQ(column(key, "Haven"), "Bell tower");
    EXPECT_EQ(stored("SELECT Clan FROM Clan WHERE Clan_ID = (SELECT Clan FROM Char_Info)"), "Corvane");
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
    EXPECT_EQ(text("lblConscience"), "Conviction");
    EXPECT_EQ(text("lblSelfControl"), "Instinct");
    EXPECT_EQ(column(key, "Conscience_Conviction").toInt(), 2);
    EXPECT_EQ(column(key, "SelfControl_Instinct").toInt(), 2);

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
        {"switch", [this] { doubleClick("lstNPC", 0); }},
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
    const qint64 characters = stored("SELECT count(*) FROM Char_Info").toLongLong();

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
    EXPECT_EQ(stored("SELECT count(*) FROM Char_Info").toLongLong(), characters);

    type("txtChar", "Mirela"); // corrected, the save goes through
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mirela");
    EXPECT_EQ(rows("Discipline_Link", key), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, FailedSaveTest, ::testing::Range(0, 6));

} // namespace
