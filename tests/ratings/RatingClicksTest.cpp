#include "sheet/SheetFixture.h"

#include "sheet/RatingClicks.h"

#include <QSignalSpy>

using ratings::DotRow;

namespace {

std::vector<DotRow*> everyRow(const sheet::SheetControls& ui) {
    std::vector<DotRow*> rows(ui.PBAdv.begin(), ui.PBAdv.end());
    rows.insert(rows.end(), {ui.PBAtt[0], ui.PBAbil[0], ui.pbWill, ui.pbHum, ui.PBCurWill, ui.PBBP[1]});
    return rows;
}

QStringList tags(const std::vector<DotRow*>& rows) {
    QStringList result;
    for (const DotRow* row : rows)
        result << row->Tag() + "|" + row->pictureName();
    return result;
}

// In browse mode only current willpower and the blood pool change. That they are written at once
// shows in ImmediateWritesShowWhatIsStored; what the writes store, in the character store's tests.
TEST_F(SheetTest, BrowsePressesChangeOnlyCurrentWillpowerAndBloodPool) {
    character("Mirela", "Ann", "Strength = 2, Cur_WillPower = 2, WillPower = 6, BloodPool = 47");
    open();
    std::vector<DotRow*> rows = everyRow(ui());
    rows.resize(rows.size() - 2);
    const QStringList before = tags(rows);
    for (DotRow* row : rows)
        press(row, dot(row, 5));
    EXPECT_EQ(tags(rows), before);

    DotRow* will = ui().PBCurWill;
    press(will, dot(will, 7));
    EXPECT_EQ(will->pictureName(), "BOX07.bmp") << "no comparison with permanent willpower";
    press(will, 1);
    QTest::mouseDClick(will, Qt::LeftButton, {}, QPoint(1, 5)); // the fast second press
    EXPECT_EQ(will->Tag(), "0");
    // Rows before the pressed one fill, rows after it empty.
    const std::tuple<size_t, int, const char*> pools[] = {{2, 3, "10|10|3|0|0"},
                                                          {0, 5, "5|0|0|0|0"},
                                                          {4, 10, "10|10|10|10|10"},
                                                          {1, 1, "10|1|0|0|0"},
                                                          {1, 1, "10|0|0|0|0"}};
    for (auto [element, box, shown] : pools) {
        press(ui().PBBP[element], dot(ui().PBBP[0], box));
        EXPECT_EQ(values("PBBP(0)|PBBP(1)|PBBP(2)|PBBP(3)|PBBP(4)"), shown) << "element " << element << ", box " << box;
    }
}

// While editing a shown character a press shows the dot under the pointer; the first dot of a row
// showing one clears it. A background named "Generation" sets the generation and what follows.
TEST_F(SheetTest, EditingPressShowsTheDotUnderThePointerAndAGenerationBackgroundSetsTheGeneration) {
    character("Mirela", "Ann", "Generation = 13");
    open();
    menu("mnuEdit");
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
        EXPECT_EQ(row->value(), tag.toInt());
        EXPECT_EQ(row->pictureName(), QStringLiteral("CHECK%1.bmp").arg(tag.toInt(), 2, 10, QChar('0')));
    }
    sheet::PBAtt_MouseDown(window->sheet(), 3, 10 * w + 40); // right of the drawn dots
    EXPECT_EQ(att->Tag(), "10");

    ui().cmbBackGrounds[1]->setEditText("Generation");
    DotRow* row = ui().PBAdv[8];
    // One table gives every dot's figures: its first and last rows, one between and a second press of dot 1.
    const std::pair<int, const char*> generations[] = {
        {1, "12|11|1"}, {4, "9|14|2"}, {10, "3|??|??"}, {1, "12|11|1"}, {1, "13|10|1"}};
    for (auto [rating, shown] : generations) {
        press(row, dot(row, rating));
        EXPECT_EQ(values("lblGen|lblMaxBP|lblPTBP"), shown) << "dot " << rating << ", Tag " << row->Tag().toStdString();
    }
    // Another background, a discipline named alike and a virtue leave them alone.
    ui().cmbBackGrounds[0]->setEditText("Allies");
    ui().cmbDisciplines[0]->setEditText("Generation");
    for (DotRow* other : {ui().PBAdv[7], ui().PBAdv[0], ui().PBAdv[14]})
        press(other, dot(other, 3));
    EXPECT_EQ(values("lblGen|lblMaxBP|lblPTBP"), "13|10|1");

    window->sheet().showNone(); // no character: nothing changes
    const std::vector<DotRow*> rows = everyRow(ui());
    const QStringList before = tags(rows);
    for (DotRow* r : rows)
        press(r, dot(r, 5));
    EXPECT_EQ(tags(rows), before);
}

// A box cycles on clicks and a double-click clears it, in browse mode too. That the click is
// stored for the shown character shows in ChangeHistoryTest.UndoAndRedoFromTheMenu; the Health row
// a character lacks is made by the store (AddAndTheImmediateWrites).
TEST_F(SheetTest, HealthClicksCycleAndADoubleClickClears) {
    character("Mirela");
    open();
    ratings::HealthBox& box = *ui().HealthBox[4];
    QSignalSpy changed(&box, &ratings::HealthBox::stateRequested);
    for (const auto& [state, picture] : {std::pair{2, "BOXCHECK.bmp"}, {3, "BOXX.bmp"}, {1, "BOX.bmp"}}) {
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(box.state(), state);
        EXPECT_EQ(box.pictureName(), picture);
    }
    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::mouseDClick(&box, Qt::LeftButton); // the second press of a real double-click
    EXPECT_EQ(box.state(), 1);
    EXPECT_EQ(changed.count(), 5);
    box.setState(7); // not a state: shows empty
    EXPECT_EQ(box.pictureName(), "BOX.bmp");
    QTest::mouseClick(&box, Qt::RightButton);
    box.setEnabled(false);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(box.state(), 1);
    EXPECT_EQ(changed.count(), 5);

    box.setEnabled(true);
    for (int box : {0, 0, 6})
        QTest::mouseClick(ui().HealthBox[size_t(box)], Qt::LeftButton);
    EXPECT_EQ(health(), "3111112");
    EXPECT_TRUE(services.messages.empty());
}

// The rows, boxes and tooltips written at once keep showing what the file holds when a write is
// refused, and the sheet says why, naming the character as the sheet shows it. That a refused
// write leaves the file as it was is the store's to test.
TEST_F(SheetTest, ImmediateWritesShowWhatIsStored) {
    character("Mira", "Ann", "Cur_WillPower = 2, BloodPool = 7, Strength_Spec = 'Grip'");
    open();
    menu("mnuEdit");
    set("txtChar=Mirela");
    const auto shown = [&] {
        return health() + ' ' + values("PBCurWill|PBBP(0)") + '|' + ui().lblAttributes[0]->toolTip();
    };
    const std::pair<const char*, std::function<void()>> writes[] = {
        {"The health track", [&] { QTest::mouseClick(ui().HealthBox[1], Qt::LeftButton); }},
        {"The current willpower", [&] { press(ui().PBCurWill, dot(ui().PBCurWill, 6)); }},
        {"The blood pool", [&] { press(ui().PBBP[0], dot(ui().PBBP[0], 3)); }},
        {"The Strength specialty",
         [&] {
             services.inputAnswers = {QString("Lift")};
             QTest::mouseClick(ui().lblAttributes[0], Qt::LeftButton);
         }},
    };
    // A character gone is refused by the store with its own reason (AddAndTheImmediateWrites); the
    // sheet words it the same way.
    for (const char* table : {"Char_Info", "Health"})
        session->database->Execute(QStringLiteral("CREATE TRIGGER locked_%1 BEFORE UPDATE ON %1 BEGIN "
                                                  "SELECT RAISE(ABORT, 'locked'); END")
                                       .arg(table));
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        const QString before = shown();
        services.messages.clear();
        write();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.lastMessage(),
                  QStringLiteral("%1 of Mirela could not be stored.\n\nlocked").arg(what));
        EXPECT_EQ(shown(), before);
    }
}

} // namespace
