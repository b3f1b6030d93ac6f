#include "SheetFixture.h"

#include "store/Schema.h"

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

// The roster splits players from NPCs; edit mode shows the editors, and leaving it saves, shows
// and lists the edits, also when a switch leaves it.
TEST_F(ModesTest, RosterModesAndTheSwitch) {
    const qint64 ann = character("Mira", "Ann", "Conscience_Conviction = 2");
    const qint64 nox = character("Nox", "NPC");
    character("O'Gone", "npc"); // comparisons ignore case
    character("Twin", "Ann", "Chronicle = 'first'");
    const qint64 twin = character("Twin", "Ann", "Chronicle = 'second'");
    temp.exec("INSERT INTO MeritFlaw_LookUp (MeritFlaw) VALUES ('Allies')");
    temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link SELECT %1, max(rowid), 3 FROM MeritFlaw_LookUp").arg(ann));
    open();
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(ann));
    set("txtChar=Typed while browsing");
    menu("mnuBrowse");
    EXPECT_EQ(column(ann, "Name"), "Mira");
    menu("mnuEdit");
    expectEditing(true);
    for (int row = 0; row < 14; ++row)
        EXPECT_FALSE(hidden(indexed("PBAdv", row))) << row;
    set("txtChar=Mira O'Dell|cmbNature=Devil's Advocate|cmbClan=Keeper's Kin|cmbDisciplines(0)=Celerity|"
        "cmbDisciplines(1)=Fortitude|PBAdv(1)=3|cmbSelfControl=Instinct");
    // Hiding a focused editor must not hand the focus on to the merit list, which would make its
    // first line the current one unasked.
    ASSERT_TRUE(shownActive());
    ui().txtChar->setFocus();
    menu("mnuBrowse");

    expectEditing(false);
    EXPECT_EQ(values("lblChar|lblNature|lblClan|lblDisc(0)|lblConscience|lblSelfControl"),
              "Mira O'Dell|Devil's Advocate|Keeper's Kin|Celerity|Conviction|Instinct");
    EXPECT_TRUE(hidden("PBAdv(0)") && !hidden("PBAdv(1)")); // Celerity at 0 dots
    EXPECT_EQ(ui().lstMerit->currentRow(), -1);
    EXPECT_EQ(items("lstChar"), (QStringList{"Mira O'Dell", "Twin", "Twin"})); // as the file now holds
    // A new name joins the list it was typed in, and only that one.
    EXPECT_EQ(items("cmbNature"), (QStringList{"", "Unknown", "Devil's Advocate"}));
    EXPECT_EQ(items("cmbDemeanor"), (QStringList{"", "Unknown"}));
    EXPECT_EQ(items("cmbClan"), (QStringList{"", "Unknown", "Keeper's Kin"}));

    menu("mnuEdit"); // a switch in edit mode saves the shown character first
    set("txtChar=Mirela");
    doubleClick(ui().lstNPC, 0);
    EXPECT_EQ(column(ann, "Name"), "Mirela");
    expectEditing(false);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(nox));
    EXPECT_FALSE(ui().lstNPC->selectionModel()->hasSelection());
    EXPECT_EQ(services.waitCursorDepth, 0);
    EXPECT_GE(services.maxWaitCursorDepth, 1);
    // Return on the current entry switches as a double-click does, to the namesake it is.
    ui().lstChar->setCurrentIndex(ui().lstChar->model()->index(2, 0));
    QTest::keyClick(ui().lstChar, Qt::Key_Return);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(twin));
    EXPECT_TRUE(services.messages.empty());

    // A character that is gone leaves the sheet where it was.
    session->database->Execute("DELETE FROM Char_Info WHERE Name = 'O''Gone'");
    doubleClick(ui().lstNPC, 1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.lastMessage(), "The character O'Gone is not in the database any more.");
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(twin));
    EXPECT_EQ(window->sheet().character().chronicle, "second");
    EXPECT_EQ(items("lstNPC"), QStringList{"Nox"});

    session->database->Execute("DELETE FROM Char_Info"); // nothing to edit without a character
    window->sheet().showNone();
    window->sheet().enterEditMode();
    EXPECT_FALSE(session->editMode);
    EXPECT_TRUE(hidden("txtChar"));
}

// Every command that leaves edit mode stops where the save fails, here at its last statement: the
// roster lists what it did, the sheet stays in edit mode on the same character with the edits on
// screen, and no typed name is listed. That the failed save leaves the file as it was is the
// character store's test (FailedWritesChangeNothingAndSayWhyWithoutSql).
class FailedSaveTest : public ModesTest, public ::testing::WithParamInterface<int> {
protected:
    QString snapshot() {
        QString all = items("lstChar").join(',') + '|' + items("lstNPC").join(',') + '\n';
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            all += combo->objectName() + '=' + items(combo->objectName()).join(',') + '\n';
        return all;
    }
};

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
    const qint64 key = character("Mira");
    character("Nox", "NPC");
    temp.exec(QStringLiteral("DELETE FROM Health WHERE Char_ID = %1").arg(key)); // the save makes one
    temp.exec("CREATE TRIGGER no_health BEFORE INSERT ON Health BEGIN SELECT RAISE(ABORT, 'health is locked'); END");
    open();
    menu("mnuEdit");
    set("txtChar=Mira O'Dell|cmbNature=Devil's Advocate|cmbConcept=O'Brien's Heir|cmbDisciplines(2)=Warden's Sight|"
        "PBAdv(2)=2|cmbHumanity=Path of the Lamp's Eye");
    const QString before = snapshot();

    act();

    EXPECT_EQ(services.lastMessage(), "The changes to Mira O'Dell could not be saved; the sheet stays in edit mode."
                                      "\n\nhealth is locked");
    EXPECT_EQ(session->database->path(), temp.path());
    expectEditing(true);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_EQ(values("lblChar|txtChar|cmbNature"), "Mira|Mira O'Dell|Devil's Advocate");
    EXPECT_EQ(snapshot(), before);

    session->database->Execute("DROP TRIGGER no_health"); // then the same edits save
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Name"), "Mira O'Dell");
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, FailedSaveTest, ::testing::Range(0, 6));

} // namespace
