#include "SheetRatingsFixture.h"

#include "sheet/RatingClicks.h"
#include "sheet/SheetBinding.h"

using ratings::DotRow;
using ratings::Family;
using RatingClicksTest = SheetRatingsTest;
using PicturesTest = SheetRatingsTest;

namespace {

TEST_F(PicturesTest, PicturesFollowValuesTagsKeepThemBloodPoolSpreadsAndSumsBack) {
    open();
    DotRow& row = *ui().PBAtt[0];
    const std::tuple<Family, int, const char*> cases[] = {{Family::Check, 3, "CHECK03.bmp"},
                                                          {Family::Check, 11, "CHECK10.bmp"},
                                                          {Family::Check, -2, "CHECK00.bmp"},
                                                          {Family::GCheck, 7, "GCHECK07.bmp"},
                                                          {Family::Box, 300, "BOX10.bmp"}};
    for (const auto& [family, value, picture] : cases) {
        row.setFamily(family);
        row.setValue(value);
        EXPECT_EQ(row.pictureName(), picture) << value;
        EXPECT_EQ(row.Tag(), QString::number(value));
    }
    // Out of range: the nearest pictures, and the total still reads back as stored.
    const std::pair<int16_t, const char*> pools[] = {
        {0, "0 0 0 0 0"}, {23, "10 10 3 0 0"}, {50, "10 10 10 10 10"}, {57, "10 10 10 10 17"}, {-4, "-4 0 0 0 0"}};
    for (auto [total, rows] : pools) {
        sheet::binding::showBloodPool(ui(), total);
        EXPECT_EQ(pool(), rows) << total;
        EXPECT_EQ(sheet::binding::read(ui(), {}).bloodPool, total);
    }
}

// Only while editing a shown character does a press show the dot under the pointer; the first dot
// of a row showing one clears it.
TEST_F(RatingClicksTest, EditingPressShowsTheDotUnderThePointerFirstDotTogglesAOne) {
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
    for (size_t i = 0; i + 2 < rows.size(); ++i) // current willpower and blood pool (the last two) work
        press(rows[i], dot(rows[i], 5));
    EXPECT_EQ(snapshot(), before) << "browse mode";

    edit();
    DotRow* att = ui().PBAtt[3];
    DotRow* adv = ui().PBAdv[0];
    DotRow* virtue = ui().PBAdv[15];
    const int w = dot(att, 2);
    const int end = virtue->width() - 1;
    ASSERT_EQ(att->width(), 10 * w);
    ASSERT_EQ(dot(virtue, 2), w) << "the five visible virtue dots are as wide as any other";
    std::vector<std::tuple<DotRow*, const char*, int, QString>> cases;
    for (auto [x, tag] : {std::pair{0, "1"}, {w - 1, "1"}, {w, "2"}, {9 * w - 1, "9"}, {10 * w - 1, "10"}})
        cases.push_back({att, "0", x, tag});
    cases.insert(cases.end(), {{adv, "0", 3 * w, " 4"}, {virtue, "0", 2 * w + 1, " 3"}, {virtue, "0", end, " 5"}});
    for (DotRow* row : {ui().PBAtt[0], ui().PBAbil[29], ui().PBAdv[13], ui().PBAdv[16], ui().pbWill, ui().pbHum}) {
        const QString one = row->objectName().startsWith("PBAdv") ? " 1" : "1";
        cases.insert(cases.end(), {{row, "1", 0, "0"}, {row, " 1", 0, "0"}, {row, "0", 0, one}, {row, "3", 0, one}});
    }
    for (const auto& [row, from, x, tag] : cases) {
        SCOPED_TRACE(row->objectName().toStdString() + " from '" + from + "' x = " + std::to_string(x));
        row->setValue(QString(from).toInt(), QString(from).startsWith(' '));
        press(row, x);
        EXPECT_EQ(row->Tag(), tag);
        EXPECT_EQ(row->pictureName(), QStringLiteral("CHECK%1.bmp").arg(tag.toInt(), 2, 10, QChar('0')));
    }
    sheet::PBAtt_MouseDown(window->sheet(), 3, 10 * w + 40); // right of the drawn dots
    EXPECT_EQ(att->Tag(), "10");

    window->sheet().showNone();
    const QStringList shown = snapshot();
    for (DotRow* row : rows)
        press(row, dot(row, 5));
    EXPECT_EQ(snapshot(), shown) << "no character";
}

TEST_F(RatingClicksTest, GenerationBackgroundSetsGenerationMaximumAndPerTurnBothWays) {
    open("Generation = 13");
    edit();
    ui().cmbBackGrounds[1]->setEditText("Generation");
    DotRow* row = ui().PBAdv[8];
    const std::pair<int, const char*> table[] = {{1, "12 11 1"},  {3, "10 13 1"}, {4, "9 14 2"},  {5, "8 15 3"},
                                                 {6, "7 20 4"},   {7, "6 30 6"},  {8, "5 40 8"},  {9, "4 50 10"},
                                                 {10, "3 ?? ??"}, {4, "9 14 2"},  {1, "12 11 1"}, {1, "13 10 1"}};
    const auto labels = [&] { return ui().lblGen->text() + ' ' + ui().lblMaxBP->text() + ' ' + ui().lblPTBP->text(); };
    for (auto [rating, expected] : table) {
        press(row, dot(row, rating));
        EXPECT_EQ(labels(), expected) << "dot " << rating << ", Tag " << row->Tag().toStdString();
    }
    // Another background, a discipline named alike and a virtue leave the labels alone.
    ui().cmbBackGrounds[0]->setEditText("Allies");
    ui().cmbDisciplines[0]->setEditText("Generation");
    for (DotRow* other : {ui().PBAdv[7], ui().PBAdv[0], ui().PBAdv[14]})
        press(other, dot(other, 3));
    EXPECT_EQ(labels(), "13 10 1");
}

// Current willpower and blood pool change in browse mode too and are stored at once.
TEST_F(RatingClicksTest, CurrentWillpowerAndBloodPoolAreStoredAtOnce) {
    open("Cur_WillPower = 2, WillPower = 6, BloodPool = 47");
    DotRow* will = ui().PBCurWill;
    press(will, dot(will, 7));
    EXPECT_EQ(will->pictureName(), "BOX07.bmp");
    EXPECT_EQ(stored("Cur_WillPower").toInt(), 7) << "no comparison with permanent willpower";
    press(will, 1);
    EXPECT_EQ(stored("Cur_WillPower").toInt(), 1);
    QTest::mouseDClick(will, Qt::LeftButton, {}, QPoint(1, 5)); // the fast second press
    EXPECT_EQ(will->Tag(), "0");
    EXPECT_EQ(stored("Cur_WillPower").toInt(), 0);

    // Rows before the pressed one fill, rows after it empty.
    const std::tuple<size_t, int, const char*, int> cases[] = {{2, 3, "10 10 3 0 0", 23},
                                                               {0, 5, "5 0 0 0 0", 5},
                                                               {4, 10, "10 10 10 10 10", 50},
                                                               {1, 1, "10 1 0 0 0", 11},
                                                               {1, 1, "10 0 0 0 0", 10}};
    for (auto [element, box, rows, total] : cases) {
        press(ui().PBBP[element], dot(ui().PBBP[0], box));
        EXPECT_EQ(pool(), rows) << "element " << element << ", box " << box;
        EXPECT_EQ(stored("BloodPool").toInt(), total);
    }
}

} // namespace
