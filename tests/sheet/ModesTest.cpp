#include "CommandFixture.h"

#include "ratings/mdlConvertions.h"

namespace {

using ratings::mdlConvertions::Set_AdvDots;

const QStringList kEditors = {"txtChar",        "txtPlayer",         "txtChronicle",     "txtHaven",    "cmbNature",
                              "cmbDemeanor",    "cmbClan",           "cmbConcept",       "cmbHumanity", "cmbConscience",
                              "cmbSelfControl", "cmbDisciplines(0)", "cmbBackGrounds(6)"};
const QStringList kEditingButtons = {"cmdAddMerit",        "cmdRemoveMerit", "cmdAddExperience",
                                     "cmdMinusExperience", "cmdAddExpSpent", "cmdMinusExpSpent"};

class ModesTest : public CommandTest {};

TEST_F(ModesTest, EditChangeBrowseStoresTheFieldsShowsThemAndListsTheNewName) {
    lookup("HumanityPath", "Path", "Humanity");
    const qint64 key = character("Mira", "Ann", "Chronicle = 'Ashes'");
    open();
    for (const QString& name : kEditingButtons)
        EXPECT_FALSE(enabled(name)) << name.toStdString();

    menu("mnuEdit");
    EXPECT_TRUE(global->editMode);
    for (const QString& name : kEditors)
        EXPECT_FALSE(hidden(name)) << name.toStdString();
    for (const QString& name : kEditingButtons)
        EXPECT_TRUE(enabled(name)) << name.toStdString();
    for (int row = 0; row < 14; ++row)
        EXPECT_FALSE(hidden(indexed("PBAdv", row))) << row;

    type("txtChar", "Mira O'Dell");
    type("txtPlayer", "Bea");
    type("txtChronicle", "Embers");
    type("txtHaven", "Bell tower");
    ui().cmbClan->setEditText("Corvane");
    ui().cmbHumanity->setEditText("Humanity");
    // A discipline named but left at 0 dots, another rated.
    ui().cmbDisciplines[0]->setEditText("Celerity");
    ui().cmbDisciplines[1]->setEditText("Fortitude");
    Set_AdvDots(*global, *ui().PBAdv[1], 3);
    menu("mnuBrowse");

    EXPECT_FALSE(global->editMode);
    for (const QString& name : kEditors)
        EXPECT_TRUE(hidden(name)) << name.toStdString();
    for (const QString& name : kEditingButtons)
        EXPECT_FALSE(enabled(name)) << name.toStdString();
    const std::pair<const char*, const char*> shown[] = {{"lblChar", "Mira O'Dell"}, {"lblPlayer", "Bea"},
                                                         {"lblChronicle", "Embers"}, {"lblHaven", "Bell tower"},
                                                         {"lblClan", "Corvane"},     {"lblHumanity", "Humanity"},
                                                         {"lblDisc(0)", "Celerity"}, {"lblDisc(1)", "Fortitude"}};
    for (auto [label, value] : shown)
        EXPECT_EQ(text(label), value) << label;
    EXPECT_TRUE(hidden("PBAdv(0)"));
    EXPECT_FALSE(hidden("PBAdv(1)"));
    EXPECT_TRUE(hidden("PBAdv(7)"));
    EXPECT_FALSE(hidden("PBAdv(14)"));

    EXPECT_EQ(column(key, "Name"), "Mira O'Dell");
    EXPECT_EQ(column(key, "player"), "Bea");
    EXPECT_EQ(column(key, "Chronicle"), "Embers");
    EXPECT_EQ(column(key, "Haven"), "Bell tower");
    EXPECT_EQ(stored(QStringLiteral("SELECT c.Clan FROM Char_Info a, Clan c WHERE c.Clan_ID = a.Clan AND "
                                    "a.Char_ID = %1")
                         .arg(key)),
              "Corvane");
    EXPECT_EQ(rows("Discipline_Link", key), 2);
    EXPECT_EQ(items("lstChar"), QStringList{"Mira O'Dell"});
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(services.waitCursorDepth, 0);

    // Loaded again from the database, the sheet shows the same.
    show("Mira O'Dell");
    EXPECT_EQ(text("lblHaven"), "Bell tower");
    EXPECT_EQ(text("lblDisc(0)"), "Fortitude"); // a level-0 link takes no slot when loaded
}

TEST_F(ModesTest, VirtueVariantsSurviveEditAndBrowseUntouched) {
    const qint64 key = character("Mira", "Ann", "Conscience_Conviction = 2, SelfControl_Instinct = 2, Conscience = 3");
    open();
    menu("mnuEdit");
    EXPECT_EQ(ui().cmbConscience->currentText(), "Conviction");
    EXPECT_EQ(ui().cmbSelfControl->currentText(), "Instinct");
    menu("mnuBrowse");
    EXPECT_EQ(text("lblConscience"), "Conviction");
    EXPECT_EQ(text("lblSelfControl"), "Instinct");
    EXPECT_EQ(column(key, "Conscience_Conviction").toInt(), 2);
    EXPECT_EQ(column(key, "SelfControl_Instinct").toInt(), 2);
    EXPECT_EQ(column(key, "Conscience").toInt(), 3);
}

TEST_F(ModesTest, BrowseWhileBrowsingSavesNothingAndEditNeedsACharacter) {
    const qint64 key = character("Mira", "Ann");
    open();
    ui().txtChar->setText("Typed while browsing");
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mira");
    EXPECT_EQ(text("lblChar"), "Mira");

    menu("mnuEdit");
    menu("mnuEdit"); // already editing: nothing more happens
    EXPECT_TRUE(global->editMode);
    menu("mnuBrowse");
    menu("mnuBrowse");
    EXPECT_FALSE(global->editMode);

    // No character shown: Edit is off and does nothing when reached anyway.
    global->database->Execute("DELETE FROM Char_Info");
    show("nobody");
    sheet::mdlEditMode::EnterEditMode(*global, ui());
    EXPECT_FALSE(global->editMode);
    EXPECT_TRUE(hidden("txtChar"));
}

// Every command that leaves edit mode stops where the save fails: the database keeps what it had,
// the sheet stays in edit mode on the same character with the edits on screen.
class FailedSaveTest : public CommandTest, public ::testing::WithParamInterface<int> {};

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
    Set_AdvDots(*global, *ui().PBAdv[2], 4);
    const qint64 characters = stored("SELECT count(*) FROM Char_Info").toLongLong();

    act();

    ASSERT_FALSE(services.messages.empty());
    EXPECT_TRUE(services.lastMessage().contains("refused by the test")) << services.lastMessage().toStdString();
    EXPECT_TRUE(services.lastMessage().startsWith("The changes to Mira could not be saved"));
    EXPECT_EQ(services.messages.back().title, "Duskledger");
    EXPECT_TRUE(global->isConnected());
    EXPECT_EQ(global->database->path(), temp.path());
    EXPECT_TRUE(global->editMode);
    EXPECT_EQ(window->currentKey(), QString::number(key));
    EXPECT_EQ(ui().txtChar->text(), "Boom");
    EXPECT_FALSE(hidden("txtChar"));
    EXPECT_EQ(ui().cmbDisciplines[2]->currentText(), "Celerity");
    EXPECT_EQ(tag("PBAdv(2)"), "4");
    EXPECT_EQ(text("lblChar"), "Mira");
    EXPECT_TRUE(enabled("cmdAddMerit"));
    EXPECT_EQ(column(key, "Name"), "Mira");
    EXPECT_EQ(rows("Discipline_Link", key), 0);
    EXPECT_EQ(stored("SELECT count(*) FROM Char_Info").toLongLong(), characters);
    EXPECT_EQ(services.waitCursorDepth, 0);

    // Corrected, the save goes through.
    type("txtChar", "Mirela");
    menu("mnuBrowse");
    EXPECT_FALSE(global->editMode);
    EXPECT_EQ(column(key, "Name"), "Mirela");
    EXPECT_EQ(rows("Discipline_Link", key), 1);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, FailedSaveTest, ::testing::Range(0, 6));

} // namespace
