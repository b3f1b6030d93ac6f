#include "SheetFixture.h"

#include <QDialog>
#include <QFileInfo>

namespace {

class WiringTest : public SheetTest {
protected:
    QStringList opened; // object names of the modal windows shown, each closed at once

    void SetUp() override {
        services.modalHandlers.assign(8, [this](QDialog& dialog) {
            opened << dialog.objectName();
            return int(QDialog::Rejected);
        });
    }
};

TEST_F(WiringTest, EachCommandReachesItsModule) {
    const qint64 key = character("Mira", "Ann");
    const qint64 allies = lookup("MeritFlaw_LookUp", "MeritFlaw", "Allies");
    temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link VALUES (%1, %2, 3)").arg(key).arg(allies));
    open();
    QTest::mouseClick(ui().HealthBox[4], Qt::LeftButton); // in browse mode stored at once
    EXPECT_EQ(storedHealth(key), "1111211");
    for (const char* command : {"mnuHist", "mnuNotes", "mnuPict", "mnuRituals", "mnuNecromancy"})
        menu(command);
    EXPECT_EQ(opened, (QStringList{"frmHistory", "frmNotes", "frmPict", "frmRituals", "frmNecromancy"}));

    services.fileAnswers = {temp.file("mira.html")};
    menu("mnuFileExport");
    EXPECT_TRUE(QFileInfo::exists(temp.file("mira.html")));

    // Merits: add, describe and remove.
    ASSERT_EQ(items("lstMerit"), QStringList{"Allies 3"});
    menu("mnuEdit");
    click("cmdAddMerit");
    doubleClick(ui().lstMerit, 0);
    EXPECT_EQ(opened.mid(5), (QStringList{"frmAddMerit", "frmMeritFlawDesc"}));
    services.answers = {app::Answer::OK};
    click("cmdRemoveMerit");
    EXPECT_EQ(rows("MeritFlaw_Link", key), 0);

    // Rating clicks (with the experience buttons and specialty captions wired alike).
    auto* strength = get<ratings::DotRow>("PBAtt(0)");
    QTest::mouseClick(strength, Qt::LeftButton, {}, QPoint(strength->tenDotWidth() * 3 / 10 - 2, 5));
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Strength").toInt(), 3);
}

TEST_F(WiringTest, WithoutACharacterOnlyAddDiceToolsAndHelpWork) {
    open();
    EXPECT_EQ(ui().lblChar_ID->text(), "");
    EXPECT_FALSE(session->editMode || session->shownKey);
    EXPECT_TRUE(services.messages.empty());
    for (const char* off : {"HealthBox(0)", "mnuEdit", "mnuBrowse", "mnuFileExport", "mnuHist", "mnuPict", "mnuNotes",
                            "mnuRituals", "mnuNecromancy", "cmddelete(0)", "cmddelete(2)"})
        EXPECT_FALSE(enabled(off)) << off;
    for (const char* on : {"cmdAdd(0)", "cmdAdd(1)", "cmdRoll", "mnuNewDB", "mnuChngDB", "mnuMobile", "mnuCalc"})
        EXPECT_TRUE(enabled(on)) << on;
    set("cmbDice=2|cmbDiff=6");
    services.randomValues = {0.75, 0.95}; // faces 8 and 10
    click("cmdRoll");
    EXPECT_TRUE(services.lastMessage().startsWith("Rolls: ")) << services.lastMessage().toStdString();
    EXPECT_TRUE(services.lastMessage().contains("Successes: 2")) << services.lastMessage().toStdString();
}

} // namespace
