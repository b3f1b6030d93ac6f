#include "SheetFixture.h"

#include "ratings/HealthBox.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

TEST_F(SheetTest, EveryControlArrayIsBuiltWithItsNamesAndCaptions) {
    open();
    const std::pair<const char*, int> arrays[] = {{"PBAtt", 9},         {"lblAttributes", 9},  {"PBAbil", 30},
                                                  {"lblAbilities", 30}, {"PBAdv", 17},         {"lblDisc", 7},
                                                  {"lblBack", 7},       {"cmbDisciplines", 7}, {"cmbBackGrounds", 7},
                                                  {"HealthBox", 7},     {"PBBP", 5},           {"Label1", 9}};
    for (auto [array, count] : arrays) {
        for (int i = 0; i < count; ++i)
            EXPECT_NE(window->findChild<QWidget*>(indexed(array, i)), nullptr) << array << i;
        EXPECT_EQ(window->findChild<QWidget*>(indexed(array, count)), nullptr) << array;
    }
    const std::pair<const char*, const char*> captions[] = {
        {"lblAttributes(0)", "Strength:"}, {"lblAttributes(5)", "Appearance:"}, {"lblAttributes(8)", "Wits:"},
        {"lblAbilities(0)", "Alertness:"}, {"lblAbilities(10)", "Animal Ken:"}, {"lblAbilities(23)", "Investigation:"},
        {"lblAbilities(29)", "Science:"},  {"Label1(0)", "Character:"},         {"Label1(6)", "Generation:"},
        {"Label1(8)", "Concept:"},         {"lblCourage", "Courage:"}};
    for (auto [name, caption] : captions)
        EXPECT_EQ(text(name), caption) << name;

    // The element index tells the tab: cmdAdd 0 and 1, cmddelete 0 and 2 only.
    EXPECT_EQ(get<QPushButton>("cmdAdd(0)")->text(), "Add New Character");
    EXPECT_EQ(get<QPushButton>("cmdAdd(1)")->text(), "Add New Character");
    EXPECT_EQ(get<QPushButton>("cmddelete(0)")->text(), "  Delete Character");
    EXPECT_EQ(get<QPushButton>("cmddelete(2)")->text(), "  Delete Character");
    EXPECT_EQ(window->findChild<QPushButton*>("cmddelete(1)"), nullptr);
    auto* tabs = get<QTabWidget>("SSTab1");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Characters");
    EXPECT_EQ(tabs->tabText(1), "NPCs");
    EXPECT_TRUE(tabs->widget(0)->isAncestorOf(get<QWidget>("lstChar")));
    EXPECT_TRUE(tabs->widget(0)->isAncestorOf(get<QWidget>("cmddelete(0)")));
    EXPECT_TRUE(tabs->widget(1)->isAncestorOf(get<QWidget>("cmdAdd(1)")));
    EXPECT_TRUE(tabs->widget(1)->isAncestorOf(get<QWidget>("cmddelete(2)")));

    EXPECT_EQ(items("List1"), QStringList{"Initiative\t Dex + Wits + 1d"});
    EXPECT_EQ(get<QPushButton>("cmdRoll")->text(), "Roll Dice");
    EXPECT_FALSE(get<QCheckBox>("chkSpec")->isChecked());
    EXPECT_TRUE(hidden("lblChar_ID"));
}

TEST_F(SheetTest, DiceCombosStartBlankAndEditableCombosNeverGrowTheirLists) {
    character("Mira", "Ann");
    open();
    QStringList dice, diff;
    for (int n = 1; n <= 20; ++n)
        dice << QString::number(n);
    diff = dice.mid(0, 10);
    for (auto [name, expected] : {std::pair{"cmbDice", dice}, std::pair{"cmbDiff", diff}}) {
        auto* combo = get<QComboBox>(name);
        EXPECT_EQ(items(name), expected);
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->currentText(), "");
    }
    for (const char* name : {"cmbDice", "cmbNature", "cmbClan", "cmbDisciplines(3)", "cmbHumanity"}) {
        auto* combo = get<QComboBox>(name);
        ASSERT_TRUE(combo->isEditable()) << name;
        const int before = combo->count();
        combo->setVisible(true);
        combo->lineEdit()->setText("Typed Name");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo->count(), before) << name;
    }
    EXPECT_EQ(items("cmbConscience"), (QStringList{"Conscience", "Conviction"}));
    EXPECT_EQ(items("cmbSelfControl"), (QStringList{"Self-Control", "Instinct"}));
}

TEST_F(SheetTest, AdvantageRowsSitBesideTheirNames) {
    character("Mira", "Ann");
    open();
    window->ui().setEditControlsVisible(true);
    for (ratings::DotRow* row : window->ui().PBAdv)
        row->setVisible(true); // as edit mode shows them
    window->show();
    QApplication::processEvents();
    auto top = [&](const QString& name) { return get<QWidget>(name)->mapTo(window.get(), QPoint(0, 0)); };
    // PBAdv(7) is the first background, not the last discipline.
    EXPECT_EQ(get<QWidget>("PBAdv(7)")->parentWidget(), get<QWidget>("lblBack(0)")->parentWidget());
    EXPECT_NEAR(top("PBAdv(7)").y(), top("lblBack(0)").y(), 12);
    EXPECT_GT(top("PBAdv(7)").x(), top("lblBack(0)").x());
    EXPECT_LT(top("PBAdv(6)").x(), top("lblBack(0)").x());
    EXPECT_GT(top("PBAdv(6)").y(), top("PBAdv(0)").y());
    for (int v = 14; v <= 16; ++v)
        EXPECT_TRUE(get<ratings::DotRow>(indexed("PBAdv", v))->isHalfWidth());
    EXPECT_FALSE(get<ratings::DotRow>("PBAdv(13)")->isHalfWidth());
    // The edit controls lie over their labels.
    for (auto [editor, label] :
         {std::pair{"txtChar", "lblChar"}, std::pair{"cmbClan", "lblClan"},
          std::pair{"cmbDisciplines(2)", "lblDisc(2)"}, std::pair{"cmbHumanity", "lblHumanity"}}) {
        const QRect e = get<QWidget>(editor)->geometry();
        const QRect l = get<QWidget>(label)->geometry();
        EXPECT_EQ(e.x(), l.x()) << editor;
        EXPECT_NEAR(e.center().y(), l.center().y(), 2) << editor;
    }
    // Health levels top to bottom.
    EXPECT_LT(top("HealthBox(0)").y(), top("HealthBox(6)").y());
    window->close();
}

TEST_F(SheetTest, EditControlsShowOverTheLabelsOnlyWhenAsked) {
    character("Mira", "Ann");
    open();
    const QStringList editors = {"txtChar",          "txtPlayer",      "txtChronicle", "txtHaven",
                                 "cmbNature",        "cmbDemeanor",    "cmbClan",      "cmbConcept",
                                 "cmbConscience",    "cmbSelfControl", "cmbHumanity",  "cmbDisciplines(0)",
                                 "cmbBackGrounds(6)"};
    for (const QString& name : editors)
        EXPECT_TRUE(hidden(name)) << name.toStdString();
    EXPECT_FALSE(hidden("lblChar"));
    window->ui().setEditControlsVisible(true);
    for (const QString& name : editors)
        EXPECT_FALSE(hidden(name)) << name.toStdString();
    window->ui().setEditControlsVisible(false);
    EXPECT_TRUE(hidden("cmbClan"));
}

} // namespace
