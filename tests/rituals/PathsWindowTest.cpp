#include "RitualsFixture.h"

#include "ratings/DotRow.h"
#include "rituals/Rituals.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using ratings::DotRow;

namespace {

QString slot(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

QStringList gridRows(QTableWidget& grid) {
    QStringList result;
    for (int r = 0; r < grid.rowCount(); ++r) {
        auto text = [&](int c) { return grid.item(r, c) ? grid.item(r, c)->text() : QString(); };
        result << text(1) + QLatin1Char('|') + text(2);
    }
    return result;
}

} // namespace

using PathsWindowTest = RitualsTest;

TEST_F(PathsWindowTest, CharacterWithoutEitherFamilyShowsEmptySlotsAndOneEmptyRow) {
    for (const rituals::RitualFamily* family : {&thaumaturgy, &necromancy}) {
        SCOPED_TRACE(family->windowName.toStdString());
        auto window = open(*family, tobin, false);
        EXPECT_EQ(window->objectName(), family->windowName);
        EXPECT_EQ(window->windowTitle(), family->caption);
        EXPECT_EQ(global->PathKind, family->pathKind());
        for (int i = 0; i < rituals::frmRituals::kSlots; ++i) {
            auto* dots = child<DotRow>(*window, slot("PBPath", i));
            EXPECT_EQ(dots->Tag(), "0");
            EXPECT_EQ(dots->pictureName(), "GCHECK00.bmp");
            EXPECT_TRUE(dots->isHidden());
            EXPECT_TRUE(child<QComboBox>(*window, slot("cmbPath", i))->isHidden());
            EXPECT_EQ(child<QLabel>(*window, slot("lblPath", i))->text(), "");
        }
        auto* combo = child<QComboBox>(*window, slot("cmbPath", 9));
        const QStringList expected = family->thaNec == 1 ? QStringList{"", "Path of Embers", "Path of Tides"}
                                                         : QStringList{"", "Bone Road", "Path of Ash"};
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(items, expected);

        auto* grid = child<QTableWidget>(*window, "fgRituals");
        EXPECT_EQ(grid->columnCount(), 3);
        EXPECT_TRUE(grid->isColumnHidden(0));
        EXPECT_EQ(gridRows(*grid), QStringList{"|"});
        // The necromancy grid loses its heading texts when it loads.
        const QStringList headings = {grid->horizontalHeaderItem(1)->text(), grid->horizontalHeaderItem(2)->text()};
        EXPECT_EQ(headings, (family->blankHeadings ? QStringList{"", ""} : QStringList{"Level ", " Ritual"}));
        EXPECT_FALSE(child<QPushButton>(*window, "cmdAddRitual")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(*window, "cmdRemoveRitual")->isEnabled());
    }
}

TEST_F(PathsWindowTest, EachWindowShowsOnlyItsOwnFamily) {
    auto thaum = open(thaumaturgy, mira, false);
    EXPECT_EQ(child<QLabel>(*thaum, "lblPath(0)")->text(), "Path of Tides");
    EXPECT_EQ(child<DotRow>(*thaum, "PBPath(0)")->pictureName(), "GCHECK03.bmp");
    EXPECT_EQ(child<QLabel>(*thaum, "lblPath(1)")->text(), "Path of Embers");
    EXPECT_EQ(child<DotRow>(*thaum, "PBPath(1)")->Tag(), "1");
    EXPECT_FALSE(child<DotRow>(*thaum, "PBPath(1)")->isHidden());
    EXPECT_TRUE(child<DotRow>(*thaum, "PBPath(2)")->isHidden());
    // A Null level shows as nothing.
    EXPECT_EQ(gridRows(*child<QTableWidget>(*thaum, "fgRituals")), (QStringList{"1|Ward of Salt", "|Candle Sight"}));

    auto necro = open(necromancy, mira, true);
    EXPECT_EQ(child<QComboBox>(*necro, "cmbPath(0)")->currentText(), "Path of Ash");
    EXPECT_FALSE(child<QComboBox>(*necro, "cmbPath(0)")->isHidden());
    EXPECT_FALSE(child<DotRow>(*necro, "PBPath(5)")->isHidden()); // every row shows while editing
    EXPECT_EQ(child<DotRow>(*necro, "PBPath(0)")->Tag(), "2");
    EXPECT_EQ(gridRows(*child<QTableWidget>(*necro, "fgRituals")),
              (QStringList{"1|Call the Drowned", "2|Ward of Salt"}));
    EXPECT_TRUE(child<QPushButton>(*necro, "cmdRemoveRitual")->isEnabled());
}

TEST_F(PathsWindowTest, SaveRewritesOnlyTheWindowsFamily) {
    auto necro = open(necromancy, mira, true);
    child<QComboBox>(*necro, "cmbPath(3)")->setEditText("Bone Road");
    auto* dots = child<DotRow>(*necro, "PBPath(3)");
    QTest::mouseClick(dots, Qt::LeftButton, {}, QPoint(dots->tenDotWidth() / 2 - 1, 7)); // the fifth dot
    QSignalSpy finished(necro.get(), &QDialog::finished);
    QTest::mouseClick(child<QPushButton>(*necro, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(necro->result(), QDialog::Accepted);
    EXPECT_EQ(pathLinks(mira),
              (QStringList{"Path of Tides|3|1", "Path of Embers|1|1", "Path of Ash|2|2", "Bone Road|5|2"}));
    EXPECT_EQ(pathLinks(tobin), QStringList{});

    auto thaum = open(thaumaturgy, mira, true);
    child<QComboBox>(*thaum, "cmbPath(0)")->setEditText("");
    QTest::mouseClick(child<QPushButton>(*thaum, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(pathLinks(mira), (QStringList{"Path of Ash|2|2", "Bone Road|5|2", "Path of Embers|1|1"}));
}

TEST_F(PathsWindowTest, SamePathTwiceIsRefusedBeforeTheModeIsLookedAt) {
    const QStringList before = pathLinks(mira);
    auto thaum = open(thaumaturgy, mira, true);
    child<QComboBox>(*thaum, "cmbPath(7)")->setEditText("path of TIDES");
    QSignalSpy finished(thaum.get(), &QDialog::finished);
    QTest::mouseClick(child<QPushButton>(*thaum, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(services.lastMessage(), "You have selected the same Path Twice!");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(pathLinks(mira), before);

    // Stored twice already: browsing refuses OK the same way.
    temp.exec("INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (2, 2, 1), (2, 2, 4)");
    auto browsing = open(thaumaturgy, tobin, false);
    QTest::mouseClick(child<QPushButton>(*browsing, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(services.messages.size(), 2u);
}

TEST_F(PathsWindowTest, OkWhileBrowsingClosesWithoutWriting) {
    const QStringList before = rows("SELECT * FROM Path_Link UNION ALL SELECT Path_ID, Path, ThaNec FROM Path_LookUp");
    auto thaum = open(thaumaturgy, mira, false);
    child<QComboBox>(*thaum, "cmbPath(4)")->setEditText("Path of Storms");
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(0)"), Qt::LeftButton, {}, QPoint(140, 7));
    EXPECT_EQ(child<DotRow>(*thaum, "PBPath(0)")->Tag(), "3"); // dots ignore clicks while browsing
    QTest::mouseClick(child<QPushButton>(*thaum, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(thaum->result(), QDialog::Accepted);
    EXPECT_EQ(rows("SELECT * FROM Path_Link UNION ALL SELECT Path_ID, Path, ThaNec FROM Path_LookUp"), before);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(PathsWindowTest, TypedNamesBecomePathsOfTheWindowsFamily) {
    // A new name, one known only to necromancy, one with a quote; the middle one stays at 0.
    auto thaum = open(thaumaturgy, tobin, true);
    const QStringList typed = {"Path of Storms", "Path of Ash", "Mother's Path"};
    for (int i = 0; i < typed.size(); ++i)
        child<QComboBox>(*thaum, slot("cmbPath", i))->setEditText(typed[i]);
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(0)"), Qt::LeftButton, {}, QPoint(20, 7));
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(2)"), Qt::LeftButton, {}, QPoint(400, 7));
    QTest::mouseClick(child<QPushButton>(*thaum, "cmdOK"), Qt::LeftButton);
    EXPECT_EQ(pathLinks(tobin), (QStringList{"Path of Storms|2|1", "Path of Ash|0|1", "Mother's Path|10|1"}));
    EXPECT_EQ(rows("SELECT ThaNec FROM Path_LookUp WHERE Path = 'Path of Ash' ORDER BY ThaNec"),
              (QStringList{"1", "2"}));

    auto again = open(thaumaturgy, tobin, false);
    EXPECT_EQ(child<QLabel>(*again, "lblPath(1)")->text(), "Path of Ash");
    EXPECT_TRUE(child<DotRow>(*again, "PBPath(1)")->isHidden()); // a path at 0 keeps its name only
    EXPECT_EQ(child<DotRow>(*again, "PBPath(2)")->pictureName(), "GCHECK10.bmp");
    auto necro = open(necromancy, tobin, false);
    EXPECT_EQ(child<QLabel>(*necro, "lblPath(0)")->text(), "");
}

TEST_F(PathsWindowTest, DotClicksFollowTheDotUnderThePointer) {
    auto thaum = open(thaumaturgy, tobin, true);
    auto* dots = child<DotRow>(*thaum, "PBPath(6)");
    const int dot = dots->tenDotWidth() / 10;
    ASSERT_GT(dot, 1);
    struct Case {
        int before;
        int x;
        int expected;
    };
    // Right of the tenth dot (the last case) still gives 10.
    const Case cases[] = {
        {0, 0, 1},           {1, 0, 0},   {1, dot - 1, 0},       {0, dot - 1, 1},     {5, 3, 1},
        {0, dot, 2},         {1, dot, 2}, {0, 10 * dot - 1, 10}, {0, 9 * dot - 1, 9}, {4, 10 * dot + 3, 10},
        {10, 5 * dot + 1, 6}};
    for (const Case& c : cases) {
        dots->setTag(QString::number(c.before));
        QTest::mouseClick(dots, Qt::LeftButton, {}, QPoint(c.x, 7));
        EXPECT_EQ(dots->Tag(), QString::number(c.expected)) << c.before << " at " << c.x;
        EXPECT_EQ(dots->pictureName(), QStringLiteral("GCHECK%1.bmp").arg(c.expected, 2, 10, QLatin1Char('0')));
    }
    EXPECT_EQ(rituals::pathDotValue(150, 20, " 1"), 2);
    EXPECT_EQ(rituals::pathDotValue(150, 2, " 1"), 0);
}

TEST_F(PathsWindowTest, RemovalAsksAndDeletesExactlyOneLink) {
    temp.exec("INSERT INTO Ritual_Link (Char_ID, Ritual_ID) VALUES (2, 1), (1, 1)"); // Mira's ward linked twice
    auto thaum = open(thaumaturgy, mira, true);
    auto* grid = child<QTableWidget>(*thaum, "fgRituals");
    auto* remove = child<QPushButton>(*thaum, "cmdRemoveRitual");

    services.answers.push_back(app::Answer::No);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(services.lastMessage(),
              "You are about to remove the ritual: Ward of Salt from this character. Are you sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::YesNo);
    EXPECT_EQ(ritualLinks(mira).size(), 5);

    child<QComboBox>(*thaum, "cmbPath(5)")->setEditText("Path of Storms");
    services.answers.push_back(app::Answer::Yes);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(child<QComboBox>(*thaum, "cmbPath(5)")->currentText(), ""); // reloaded from the database
    // One thaumaturgy link of Mira's goes; the necromancy ward and Tobin's link stay.
    EXPECT_EQ(ritualLinks(mira),
              (QStringList{"Candle Sight|1", "Call the Drowned|2", "Ward of Salt|2", "Ward of Salt|1"}));
    EXPECT_EQ(ritualLinks(tobin), QStringList{"Ward of Salt|1"});
    EXPECT_EQ(gridRows(*grid), (QStringList{"|Candle Sight", "1|Ward of Salt"}));

    grid->setCurrentCell(1, 2);
    QTest::mouseClick(remove, Qt::LeftButton);
    grid->setCurrentCell(0, 2);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(gridRows(*grid), QStringList{"|"});
    const size_t asked = services.messages.size();
    QTest::mouseClick(remove, Qt::LeftButton); // the empty row: nothing to ask about
    EXPECT_EQ(services.messages.size(), asked);
}

TEST_F(PathsWindowTest, EntryPointsNeedAShownCharacter) {
    rituals::showThaumaturgy(*global, QString(), nullptr);
    EXPECT_TRUE(services.modalHandlers.empty());

    QString shown;
    services.modalHandlers.push_back([&](QDialog& dialog) {
        shown = dialog.objectName() + QLatin1Char('|') + dialog.windowTitle();
        return int(QDialog::Rejected);
    });
    rituals::showNecromancy(*global, QString::number(mira), nullptr);
    EXPECT_EQ(shown, "frmNecromancy|Necromantic Paths and Rituals");
    EXPECT_EQ(global->PathKind, "2");
}
