#include "CommandFixture.h"

#include <QDialog>
#include <QFileInfo>

namespace {

const QStringList kCharacterCommands = {"mnuEdit",  "mnuBrowse",  "mnuFileExport", "mnuHist",      "mnuPict",
                                        "mnuNotes", "mnuRituals", "mnuNecromancy", "cmddelete(0)", "cmddelete(2)"};

class WiringTest : public CommandTest {
protected:
    qint64 key = 0;
    QStringList opened; // object names of the modal windows shown

    void openOnMira() {
        key = character("Mira", "Ann");
        const qint64 allies = lookup("MeritFlaw_LookUp", "MeritFlaw", "Allies");
        temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link (Char_ID, MeritFlaw_ID, Points) VALUES (%1, %2, 3)")
                      .arg(key)
                      .arg(allies));
        open();
    }
    // The next modal window is recorded and closed at once.
    void expectWindow() {
        services.modalHandlers.push_back([this](QDialog& dialog) {
            opened << dialog.objectName();
            return int(QDialog::Rejected);
        });
    }
};

TEST_F(WiringTest, ViewAndFileCommandsReachTheirWindows) {
    openOnMira();
    for (const QString& name : kCharacterCommands)
        EXPECT_TRUE(enabled(name)) << name.toStdString();
    const std::pair<const char*, const char*> windows[] = {{"mnuHist", "frmHistory"},
                                                           {"mnuNotes", "frmNotes"},
                                                           {"mnuPict", "frmPict"},
                                                           {"mnuRituals", "frmRituals"},
                                                           {"mnuNecromancy", "frmNecromancy"}};
    for (auto [command, window] : windows) {
        opened.clear();
        expectWindow();
        menu(command);
        EXPECT_EQ(opened, QStringList{window}) << command;
    }

    const QString page = temp.file("mira.html");
    services.fileAnswers = {page};
    menu("mnuFileExport");
    EXPECT_TRUE(QFileInfo::exists(page));
    EXPECT_EQ(services.lastMessage(), "Character has been exported to HTML!");
}

TEST_F(WiringTest, MeritListCarriesKeysAndItsButtonsWorkInEditMode) {
    openOnMira();
    ASSERT_EQ(items("lstMerit"), QStringList{"Allies 3"});
    EXPECT_TRUE(ui().lstMerit->item(0)->data(Qt::UserRole).isValid());

    menu("mnuEdit");
    expectWindow();
    click("cmdAddMerit");
    EXPECT_EQ(opened, QStringList{"frmAddMerit"});

    opened.clear();
    ui().SSTab1->setCurrentIndex(0);
    window->show();
    QApplication::processEvents();
    const QPoint at = ui().lstMerit->visualItemRect(ui().lstMerit->item(0)).center();
    expectWindow();
    QTest::mouseClick(ui().lstMerit->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(ui().lstMerit->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(opened, QStringList{"frmMeritFlawDesc"});

    services.answers = {app::Answer::OK};
    click("cmdRemoveMerit");
    EXPECT_TRUE(items("lstMerit").isEmpty());
    EXPECT_EQ(rows("MeritFlaw_Link", key), 0);
}

TEST_F(WiringTest, RatingsExperienceAndSpecialtiesAreConnected) {
    openOnMira();
    menu("mnuEdit");
    auto* strength = get<ratings::DotRow>("PBAtt(0)");
    QTest::mouseClick(strength, Qt::LeftButton, {}, QPoint(strength->tenDotWidth() * 3 / 10 - 2, 5));
    EXPECT_EQ(strength->Tag(), "3");
    click("cmdAddExperience");
    EXPECT_EQ(text("lblExpGiven"), "1");
    services.inputAnswers = {QStringLiteral("Wrestling")};
    QTest::mouseClick(get<QLabel>("lblAttributes(0)"), Qt::LeftButton);
    EXPECT_EQ(get<QLabel>("lblAttributes(0)")->toolTip(), "Wrestling");
    menu("mnuBrowse");
    EXPECT_EQ(column(key, "Strength").toInt(), 3);
    EXPECT_EQ(column(key, "Strength_Spec"), "Wrestling");
}

TEST_F(WiringTest, DiceRollWorksWithOrWithoutACharacter) {
    open();
    for (const QString& name : kCharacterCommands)
        EXPECT_FALSE(enabled(name)) << name.toStdString();
    ui().cmbDice->setEditText("2");
    ui().cmbDiff->setEditText("6");
    services.randomValues = {0.75, 0.95}; // faces 8 and 10
    click("cmdRoll");
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.lastMessage().startsWith("Rolls: ")) << services.lastMessage().toStdString();
    EXPECT_TRUE(services.lastMessage().contains("Successes: 2")) << services.lastMessage().toStdString();
}

} // namespace
