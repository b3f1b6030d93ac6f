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

// The grid's rows as "level|ritual".
QStringList gridRows(QTableWidget& grid) {
    QStringList result;
    for (int r = 0; r < grid.rowCount(); ++r)
        result << (grid.item(r, 1) ? grid.item(r, 1)->text() : "") + '|' +
                      (grid.item(r, 2) ? grid.item(r, 2)->text() : "");
    return result;
}

// The path slots as "name tag": the name from the box while editing, from the label while
// browsing; "-" for hidden dots. Each row's picture must match its tag.
QStringList pathSlots(QWidget& window) {
    QStringList result;
    for (int i = 0; i < rituals::frmRituals::kSlots; ++i) {
        auto* combo = window.findChild<QComboBox*>(slot("cmbPath", i));
        auto* dots = window.findChild<DotRow*>(slot("PBPath", i));
        EXPECT_EQ(dots->pictureName(), QStringLiteral("GCHECK%1.bmp").arg(dots->Tag().toInt(), 2, 10, QChar('0')));
        result << (combo->isHidden() ? window.findChild<QLabel*>(slot("lblPath", i))->text()
                                     : '[' + combo->currentText() + ']') +
                      ' ' + (dots->isHidden() ? "-" : dots->Tag());
    }
    return result;
}

} // namespace

using PathsWindowTest = RitualsTest;

TEST_F(PathsWindowTest, CharacterWithoutEitherFamilyShowsEmptySlotsAndOneEmptyRow) {
    for (const rituals::RitualFamily* family : {&thaumaturgy, &necromancy}) {
        SCOPED_TRACE(family->windowName.toStdString());
        auto window = open(*family, tobin, false);
        EXPECT_EQ(pathSlots(*window), QStringList(10, " -"));
        EXPECT_EQ(items(*child<QComboBox>(*window, "cmbPath(9)")),
                  family->thaNec == 1 ? "|Path of Embers|Path of Tides" : "|Bone Road|Path of Ash");
        auto* grid = child<QTableWidget>(*window, "fgRituals");
        EXPECT_TRUE(grid->columnCount() == 3 && grid->isColumnHidden(0));
        EXPECT_EQ(gridRows(*grid), QStringList{"|"});
        // The necromancy grid loses its heading texts when it loads.
        EXPECT_EQ(grid->horizontalHeaderItem(1)->text() + '|' + grid->horizontalHeaderItem(2)->text(),
                  family->blankHeadings ? "|" : "Level | Ritual");
        EXPECT_FALSE(child<QPushButton>(*window, "cmdAddRitual")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(*window, "cmdRemoveRitual")->isEnabled());
    }
}

TEST_F(PathsWindowTest, EachWindowShowsOnlyItsOwnFamily) {
    auto thaum = open(thaumaturgy, mira, false);
    EXPECT_EQ(pathSlots(*thaum), QStringList({"Path of Tides 3", "Path of Embers 1"}) + QStringList(8, " -"));
    // A Null level shows as nothing.
    EXPECT_EQ(gridRows(*child<QTableWidget>(*thaum, "fgRituals")), (QStringList{"1|Ward of Salt", "|Candle Sight"}));

    auto necro = open(necromancy, mira, true);
    EXPECT_EQ(pathSlots(*necro), QStringList{"[Path of Ash] 2"} + QStringList(9, "[] 0")); // every row while editing
    EXPECT_EQ(gridRows(*child<QTableWidget>(*necro, "fgRituals")),
              (QStringList{"1|Call the Drowned", "2|Ward of Salt"}));
    EXPECT_TRUE(child<QPushButton>(*necro, "cmdRemoveRitual")->isEnabled());
}

// OK rewrites the window's family only: a blanked slot goes; typed names (new, known only to the
// other family, with a quote) become paths of this family; a path at 0 keeps its name only.
TEST_F(PathsWindowTest, SaveRewritesOnlyTheWindowsFamily) {
    auto thaum = open(thaumaturgy, mira, true);
    child<QComboBox>(*thaum, "cmbPath(0)")->setEditText("");
    const QStringList typed = {"Path of Storms", "Path of Ash", "Mother's Path"};
    for (int i = 0; i < typed.size(); ++i)
        child<QComboBox>(*thaum, slot("cmbPath", i + 3))->setEditText(typed[i]);
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(3)"), Qt::LeftButton, {}, QPoint(20, 7));
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(5)"), Qt::LeftButton, {}, QPoint(400, 7));
    QSignalSpy finished(thaum.get(), &QDialog::finished);
    click(*thaum, "cmdOK");
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(thaum->result(), QDialog::Accepted);
    EXPECT_EQ(pathLinks(mira), (QStringList{"Path of Ash|2|2", "Path of Embers|1|1", "Path of Storms|2|1",
                                            "Path of Ash|0|1", "Mother's Path|10|1"}));
    EXPECT_EQ(rows("SELECT ThaNec FROM Path_LookUp WHERE Path = 'Path of Ash' ORDER BY ThaNec"),
              (QStringList{"1", "2"}));

    EXPECT_EQ(pathSlots(*open(thaumaturgy, mira, false)), // a path at 0 keeps its name only
              QStringList({"Path of Embers 1", "Path of Storms 2", "Path of Ash -", "Mother's Path 10"}) +
                  QStringList(6, " -"));
    auto necro = open(necromancy, mira, false);
    EXPECT_EQ(pathSlots(*necro), QStringList{"Path of Ash 2"} + QStringList(9, " -"));
    necro = open(necromancy, tobin, true);
    child<QComboBox>(*necro, "cmbPath(0)")->setEditText("Bone Road");
    click(*necro, "cmdOK");
    EXPECT_EQ(pathLinks(tobin), QStringList{"Bone Road|0|2"});
}

// OK while browsing closes without writing; the same path twice is refused, in either mode.
TEST_F(PathsWindowTest, OkWritesNothingWhileBrowsingOrForTheSamePathTwice) {
    const QString everything = "SELECT * FROM Path_Link UNION ALL SELECT Path_ID, Path, ThaNec FROM Path_LookUp";
    const QStringList before = rows(everything);
    auto browsing = open(thaumaturgy, mira, false);
    child<QComboBox>(*browsing, "cmbPath(4)")->setEditText("Path of Storms");
    QTest::mouseClick(child<DotRow>(*browsing, "PBPath(0)"), Qt::LeftButton, {}, QPoint(140, 7));
    EXPECT_EQ(child<DotRow>(*browsing, "PBPath(0)")->Tag(), "3"); // dots ignore clicks while browsing
    click(*browsing, "cmdOK");
    EXPECT_EQ(browsing->result(), QDialog::Accepted);
    EXPECT_TRUE(services.messages.empty());

    auto editing = open(thaumaturgy, mira, true);
    child<QComboBox>(*editing, "cmbPath(7)")->setEditText("path of TIDES");
    QSignalSpy finished(editing.get(), &QDialog::finished);
    click(*editing, "cmdOK");
    EXPECT_EQ(services.lastMessage(), "You have selected the same Path Twice!");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(rows(everything), before);

    // Stored twice already: browsing refuses OK the same way.
    temp.exec("INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (2, 2, 1), (2, 2, 4)");
    click(*open(thaumaturgy, tobin, false), "cmdOK");
    EXPECT_EQ(services.messages.size(), 2u);
}

// The dot under the pointer, 10 right of the tenth, and 0 for the first dot of a row showing 1.
TEST_F(PathsWindowTest, DotClicksFollowTheDotUnderThePointer) {
    auto thaum = open(thaumaturgy, tobin, true);
    auto* dots = child<DotRow>(*thaum, "PBPath(6)");
    const int dot = dots->tenDotWidth() / 10;
    ASSERT_GT(dot, 1);
    const struct {
        int before, x, expected;
    } cases[] = {{0, 0, 1},
                 {1, dot - 1, 0},
                 {5, 3, 1},
                 {1, dot, 2},
                 {0, 9 * dot - 1, 9},
                 {0, 10 * dot - 1, 10},
                 {4, 10 * dot + 3, 10}};
    for (const auto& c : cases) {
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
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(child<QComboBox>(*thaum, "cmbPath(5)")->currentText(), ""); // reloaded from the database
    // One thaumaturgy link of Mira's goes; the necromancy ward and Tobin's link stay.
    EXPECT_EQ(ritualLinks(mira),
              (QStringList{"Candle Sight|1", "Call the Drowned|2", "Ward of Salt|2", "Ward of Salt|1"}));
    EXPECT_EQ(ritualLinks(tobin), QStringList{"Ward of Salt|1"});
    EXPECT_EQ(gridRows(*grid), (QStringList{"|Candle Sight", "1|Ward of Salt"}));

    for (int row : {1, 0}) {
        grid->setCurrentCell(row, 2);
        QTest::mouseClick(remove, Qt::LeftButton);
    }
    EXPECT_EQ(gridRows(*grid), QStringList{"|"});
    const size_t asked = services.messages.size();
    QTest::mouseClick(remove, Qt::LeftButton); // the empty row: nothing to ask about
    EXPECT_EQ(services.messages.size(), asked);
}

TEST_F(PathsWindowTest, EntryPointsNeedAShownCharacter) {
    QString shown;
    const auto record = [&](QDialog& dialog) {
        shown += dialog.objectName() + '|' + dialog.windowTitle() + '|' + global->PathKind + '\n';
        return int(QDialog::Rejected);
    };
    services.modalHandlers = {record, record, record};
    rituals::showThaumaturgy(*global, QString(), nullptr); // no character shown: nothing opens
    rituals::showThaumaturgy(*global, QString::number(mira), nullptr);
    rituals::showNecromancy(*global, QString::number(mira), nullptr);
    EXPECT_EQ(shown, "frmRituals|Thaumaturgy Paths and Rituals|1\nfrmNecromancy|Necromantic Paths and Rituals|2\n");
}
