#include "sheet/SheetFixture.h"

#include "sheet/ModeStatus.h"
#include "sheet/SheetStyle.h"

#include <QAccessible>
#include <QFileInfo>
#include <QStatusBar>
#include <QTime>

using ratings::DotRow;

namespace {

// Ratings and health boxes wait in the Tab order region by region, column by column.
TEST_F(SheetTest, TabReachesEveryRatingAndHealthBoxInSheetOrder) {
    character("Mirela");
    open();
    menu("mnuEdit"); // every discipline and background row shows
    ASSERT_TRUE(shownActive());
    QStringList wanted;
    for (QWidget* row : ui().PBAtt)
        wanted << row->objectName();
    for (QWidget* row : ui().PBAbil)
        wanted << row->objectName();
    for (QWidget* row : ui().PBAdv) // the disciplines, then backgrounds and virtues
        wanted << row->objectName();
    for (QWidget* row : {ui().pbHum, ui().pbWill, ui().PBCurWill})
        wanted << row->objectName();
    for (QWidget* row : ui().PBBP)
        wanted << row->objectName();
    for (QWidget* box : ui().HealthBox)
        wanted << box->objectName();

    ui().txtChar->setFocus();
    QStringList reached;
    for (int step = 0; step < 400 && reached.size() < wanted.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        if (qobject_cast<DotRow*>(focus) || qobject_cast<ratings::HealthBox*>(focus))
            reached << focus->objectName();
    }
    EXPECT_EQ(reached, wanted);
}

// Keys go through the click's flow: in browse mode only the rows written at once change, the
// others point at edit mode; in edit mode the rows take the keys. What the writes and the save
// store is the character store's test. The status bar tells the mode, the file and the last save.
TEST_F(SheetTest, KeysSetRatingsAsClicksDoAndTheStatusBarTellsTheMode) {
    character("Mirela", "Ann", "Strength = 2, Generation = 13, Cur_WillPower = 2, BloodPool = 3");
    open();
    const auto status = [&](const char* name) { return get<QLabel>(name)->text(); };
    EXPECT_EQ(status("lblMode"), "Browse");
    EXPECT_EQ(status("lblFile"), QFileInfo(temp.path()).fileName());
    EXPECT_EQ(status("lblSaved"), "");

    QTest::keyClick(ui().PBAtt[0], Qt::Key_4);
    EXPECT_EQ(values("PBAtt(0)"), "2");
    EXPECT_EQ(window->statusBar()->currentMessage(), "Press Ctrl+E to edit ratings");
    window->statusBar()->clearMessage();
    press(ui().pbWill, dot(ui().pbWill, 3));
    EXPECT_EQ(window->statusBar()->currentMessage(), "Press Ctrl+E to edit ratings") << "a click says so too";

    const QTime started = QTime::currentTime();
    QTest::keyClick(ui().PBCurWill, Qt::Key_Right);
    QTest::keyClick(ui().PBBP[1], Qt::Key_4);
    QTest::keyClick(ui().HealthBox[2], Qt::Key_Space);
    QTest::keyClick(ui().HealthBox[3], Qt::Key_Space);
    QTest::keyClick(ui().HealthBox[3], Qt::Key_Space);
    EXPECT_EQ(values("PBCurWill|PBBP(1)"), "3|4");
    EXPECT_EQ(health(), "1123111");
    EXPECT_TRUE(status("lblSaved") == sheet::ModeStatus::savedText(started) ||
                status("lblSaved") == sheet::ModeStatus::savedText(QTime::currentTime()))
        << status("lblSaved").toStdString();

    menu("mnuEdit");
    EXPECT_EQ(status("lblMode"), "Edit \u2014 changes are saved when you leave edit mode");
    DotRow* strength = ui().PBAtt[0];
    DotRow* courage = ui().PBAdv[16];
    const std::tuple<DotRow*, Qt::Key, const char*> keys[] = {
        {strength, Qt::Key_4, "4"},     {strength, Qt::Key_Right, "5"},     {strength, Qt::Key_Minus, "4"},
        {strength, Qt::Key_0, "10"},    {strength, Qt::Key_Plus, "10"},     {strength, Qt::Key_Delete, "0"},
        {strength, Qt::Key_Left, "0"},  {strength, Qt::Key_Backspace, "0"}, {strength, Qt::Key_3, "3"},
        {courage, Qt::Key_0, "0"},      {courage, Qt::Key_7, "0"},          {courage, Qt::Key_5, " 5"},
        {courage, Qt::Key_Right, " 5"}, {courage, Qt::Key_Left, " 4"},
    };
    for (const auto& [row, pressed, tag] : keys) {
        QTest::keyClick(row, pressed);
        EXPECT_EQ(row->Tag(), tag) << row->objectName().toStdString() << " key " << pressed;
    }
    services.inputAnswers = {QString("Grip")};
    QTest::keyClick(strength, Qt::Key_Return);
    EXPECT_EQ(ui().lblAttributes[0]->toolTip(), "Grip") << "Enter asks for the specialty as a caption click";
    ui().cmbBackGrounds[1]->setEditText("Generation");
    QTest::keyClick(ui().PBAdv[8], Qt::Key_4);
    EXPECT_EQ(values("lblGen|lblMaxBP|lblPTBP"), "9|14|2") << "as a click on the fourth dot";
    menu("mnuBrowse");
    EXPECT_EQ(status("lblMode"), "Browse");
    EXPECT_EQ(values("PBAtt(0)|PBAdv(16)|lblGen"), "3| 4|9");
}

// Screen readers hear names in words and each rating's value.
TEST_F(SheetTest, ControlsHaveSpokenNamesAndRatingsReportTheirValues) {
    character("Mirela", "Ann", "Strength = 4, Courage = 3");
    open();
    const std::pair<QWidget*, const char*> named[] = {
        {ui().PBAtt[0], "Strength"},
        {ui().lblAttributes[0], "Strength specialty"},
        {ui().PBAdv[0], "Discipline slot 1 rating"},
        {ui().cmbDisciplines[0], "Discipline slot 1"},
        {ui().PBAdv[16], "Courage"},
        {ui().PBBP[1], "Blood pool, row 2"},
        {ui().HealthBox[0], "Health: Bruised"},
        {ui().txtChar, "Character"},
    };
    for (const auto& [widget, name] : named) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(spoken, nullptr);
        EXPECT_EQ(spoken->text(QAccessible::Name), name) << widget->objectName().toStdString();
    }
    EXPECT_EQ(ui().Label1[0]->buddy(), ui().txtChar);
    ui().cmbConscience->setCurrentText("Conviction");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui().PBAdv[14])->text(QAccessible::Name), "Conviction");

    QAccessibleInterface* strength = QAccessible::queryAccessibleInterface(ui().PBAtt[0]);
    EXPECT_EQ(strength->role(), QAccessible::Slider);
    EXPECT_EQ(strength->text(QAccessible::Value), "4 of 10");
    ASSERT_NE(strength->valueInterface(), nullptr);
    EXPECT_EQ(strength->valueInterface()->currentValue().toInt(), 4);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui().PBAdv[16])->text(QAccessible::Value), "3 of 5");
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(ui().HealthBox[0]);
    EXPECT_EQ(box->role(), QAccessible::CheckBox);
    EXPECT_EQ(box->text(QAccessible::Value), "Empty");

    // The change events themselves reach only an active screen reader (checked over AT-SPI);
    // what they announce is what the interfaces read afterwards.
    menu("mnuEdit");
    QTest::keyClick(ui().PBAtt[0], Qt::Key_2);
    QTest::keyClick(ui().HealthBox[0], Qt::Key_Space);
    EXPECT_EQ(strength->text(QAccessible::Value), "2 of 10");
    EXPECT_EQ(box->text(QAccessible::Value), "Ticked");
}

// A dark desktop gets the dark sheet: its text reads on its page, and so do the dots.
TEST_F(SheetTest, DarkPaletteGivesAReadableSheet) {
    const QPalette before = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    character("Mirela", "Ann", "Strength = 4");
    open();
    QWidget* page = get<QWidget>("sheetPage");
    page->ensurePolished();
    const QColor background = page->palette().color(QPalette::Window);
    for (QWidget* text : {static_cast<QWidget*>(ui().lblAttributes[0]), static_cast<QWidget*>(ui().lblChar)}) {
        text->ensurePolished();
        EXPECT_GE(sheet::contrastRatio(text->palette().color(QPalette::WindowText), background), 4.5)
            << text->objectName().toStdString();
    }
    DotRow* strength = ui().PBAtt[0];
    const QImage drawn = strength->grab().toImage();
    const QPoint firstDot(strength->tenDotWidth() / 20, strength->height() / 2);
    EXPECT_GE(sheet::contrastRatio(drawn.pixelColor(firstDot), background), 4.5);
    window.reset();
    QApplication::setPalette(before);
}

} // namespace
