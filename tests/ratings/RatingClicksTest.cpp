#include "SheetRatingsFixture.h"

#include "ratings/RatingClicks.h"

using ratings::DotRow;
using RatingClicksTest = SheetRatingsTest;

namespace {

TEST_F(RatingClicksTest, DotUnderThePointerAtBoundariesRightEdgeAndVirtues) {
    open();
    edit();
    DotRow* att = ui().PBAtt[3];
    DotRow* virtue = ui().PBAdv[15];
    const int w = dotWidth(att);
    ASSERT_EQ(att->width(), 10 * w);
    ASSERT_EQ(dotWidth(virtue), w) << "the five visible virtue dots are as wide as any other";
    const struct {
        DotRow* row;
        int x;
        const char *tag, *picture;
    } cases[] = {{att, 0, "1", "CHECK01.bmp"},
                 {att, w - 1, "1", "CHECK01.bmp"},
                 {att, w, "2", "CHECK02.bmp"},
                 {att, 9 * w - 1, "9", "CHECK09.bmp"},
                 {att, 9 * w, "10", "CHECK10.bmp"},
                 {att, 10 * w - 1, "10", "CHECK10.bmp"},
                 {ui().PBAdv[0], 3 * w, " 4", "CHECK04.bmp"},
                 {virtue, 2 * w + 1, " 3", "CHECK03.bmp"},
                 {virtue, virtue->width() - 1, " 5", "CHECK05.bmp"}};
    for (const auto& c : cases) {
        c.row->setTag("0");
        press(c.row, c.x);
        EXPECT_EQ(c.row->Tag(), c.tag) << c.row->objectName().toStdString() << " x = " << c.x;
        EXPECT_EQ(c.row->pictureName(), c.picture);
    }
    ratings::PBAtt_MouseDown(*global, ui(), 3, 10 * w + 40); // right of the drawn dots
    EXPECT_EQ(att->Tag(), "10");
}

TEST_F(RatingClicksTest, FirstDotTogglesOnlyARowShowingOne) {
    open();
    edit();
    ratings::connectSheetRatings(*global, ui(), window.get()); // a second wiring must not run handlers twice
    for (DotRow* row : {ui().PBAtt[0], ui().PBAbil[29], ui().PBAdv[13], ui().PBAdv[16], ui().pbWill, ui().pbHum}) {
        for (const char* one : {"1", " 1"}) {
            row->setTag(one);
            press(row, 0);
            EXPECT_EQ(row->Tag(), "0") << row->objectName().toStdString() << " from '" << one << "'";
            EXPECT_EQ(row->pictureName(), "CHECK00.bmp");
            press(row, 0);
            EXPECT_EQ(row->Tag().trimmed(), "1");
        }
        row->setTag("3");
        press(row, 0);
        EXPECT_EQ(row->Tag().trimmed(), "1") << "3 goes to 1, not 0";
    }
}

TEST_F(RatingClicksTest, NothingChangesInBrowseModeOrWithoutACharacter) {
    open("Strength = 2, Humanity = 7, WillPower = 4");
    std::vector<DotRow*> rows(ui().PBAdv.begin(), ui().PBAdv.end());
    rows.insert(rows.end(), {ui().PBAtt[0], ui().PBAbil[0], ui().pbWill, ui().pbHum, ui().PBCurWill, ui().PBBP[1]});
    auto snapshot = [&] {
        QStringList tags;
        for (DotRow* row : rows)
            tags << row->Tag() + "|" + row->pictureName();
        return tags;
    };
    const QStringList before = snapshot();
    // Browse mode: current willpower and blood pool (the last two) still work.
    for (size_t i = 0; i + 2 < rows.size(); ++i)
        press(rows[i], dot(rows[i], 5));
    EXPECT_EQ(snapshot(), before) << "browse mode";

    edit();
    ui().lblChar_ID->clear();
    for (DotRow* row : rows)
        press(row, dot(row, 5));
    EXPECT_EQ(snapshot(), before) << "no character";
}

TEST_F(RatingClicksTest, GenerationBackgroundSetsGenerationMaximumAndPerTurnBothWays) {
    open("Generation = 13");
    edit();
    ui().cmbBackGrounds[1]->setEditText("Generation");
    DotRow* row = ui().PBAdv[8];
    const struct {
        int rating;
        QStringList labels;
    } table[] = {{1, {"12", "11", "1"}},  {3, {"10", "13", "1"}}, {4, {"9", "14", "2"}},  {5, {"8", "15", "3"}},
                 {6, {"7", "20", "4"}},   {7, {"6", "30", "6"}},  {8, {"5", "40", "8"}},  {9, {"4", "50", "10"}},
                 {10, {"3", "??", "??"}}, {4, {"9", "14", "2"}},  {1, {"12", "11", "1"}}, {1, {"13", "10", "1"}}};
    for (const auto& r : table) {
        press(row, dot(row, r.rating));
        EXPECT_EQ((QStringList{ui().lblGen->text(), ui().lblMaxBP->text(), ui().lblPTBP->text()}), r.labels)
            << "dot " << r.rating << ", Tag " << row->Tag().toStdString();
    }
    // Another background, a discipline named alike and a virtue leave the labels alone.
    ui().cmbBackGrounds[0]->setEditText("Allies");
    ui().cmbDisciplines[0]->setEditText("Generation");
    for (DotRow* other : {ui().PBAdv[7], ui().PBAdv[0], ui().PBAdv[14]})
        press(other, dot(other, 3));
    EXPECT_EQ(ui().lblGen->text(), "13");
}

TEST_F(RatingClicksTest, CurrentWillpowerIsStoredAtOnceAndADoubleClickCountsAsAPress) {
    open("Cur_WillPower = 2, WillPower = 6");
    DotRow* row = ui().PBCurWill;
    press(row, dot(row, 7));
    EXPECT_EQ(row->pictureName(), "BOX07.bmp");
    EXPECT_EQ(stored("Cur_WillPower").toInt(), 7) << "no comparison with permanent willpower";

    QTest::mousePress(row, Qt::LeftButton, {}, QPoint(1, 5));
    QTest::mouseRelease(row, Qt::LeftButton, {}, QPoint(1, 5));
    EXPECT_EQ(stored("Cur_WillPower").toInt(), 1);
    QTest::mouseDClick(row, Qt::LeftButton, {}, QPoint(1, 5)); // the fast second press
    EXPECT_EQ(row->Tag(), "0");
    EXPECT_EQ(stored("Cur_WillPower").toInt(), 0);
}

TEST_F(RatingClicksTest, BloodPoolFillsRowsBeforeEmptiesRowsAfterAndStoresTheTotal) {
    open("BloodPool = 47");
    const struct {
        int element, box;
        QStringList tags;
        int total;
    } cases[] = {{2, 3, {"10", "10", "3", "0", "0"}, 23},
                 {0, 5, {"5", "0", "0", "0", "0"}, 5},
                 {4, 10, {"10", "10", "10", "10", "10"}, 50},
                 {1, 1, {"10", "1", "0", "0", "0"}, 11},
                 {1, 1, {"10", "0", "0", "0", "0"}, 10}};
    for (const auto& c : cases) {
        press(ui().PBBP[size_t(c.element)], dot(ui().PBBP[0], c.box));
        QStringList tags, pictures, expected;
        for (size_t i = 0; i < 5; ++i) {
            tags << ui().PBBP[i]->Tag();
            pictures << ui().PBBP[i]->pictureName();
            expected << (c.tags[i] == "10" ? "BOX10.bmp" : "BOX0" + c.tags[i] + ".bmp");
        }
        EXPECT_EQ(tags, c.tags) << "element " << c.element << ", box " << c.box;
        EXPECT_EQ(pictures, expected);
        EXPECT_EQ(stored("BloodPool").toInt(), c.total);
    }
}

} // namespace
