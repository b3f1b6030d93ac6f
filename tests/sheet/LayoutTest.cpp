#include "SheetFixture.h"
#include "sheet/LookupLists.h"

#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>

namespace {

// Editable combos keep a typed name off their lists.
TEST_F(SheetTest, EditableCombosNeverGrow) {
    open();
    for (const char* name : {"cmbDice", "cmbNature", "cmbDisciplines(3)", "cmbHumanity"}) {
        auto* combo = get<QComboBox>(name);
        ASSERT_TRUE(combo->isEditable()) << name;
        const int before = combo->count();
        combo->setVisible(true);
        combo->lineEdit()->setText("Typed Name");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo->count(), before) << name;
    }
}

// Hidden rows keep their place; the whole sheet fits a 1600 x 900 screen under its title bar. On a
// 1366 x 768 screen, and 1920 x 1080 at scaling 2 (960 x 540 in the window's own pixels, fonts
// alike), each less a title bar, the sheet scrolls up and down only, the side panel stays whole
// and in view, and nothing reaches past the window's right edge. The size the window had when the
// program ended is the size it comes back with.
TEST_F(SheetTest, RowsKeepTheirPlaceTheSheetFitsOrScrollsUpAndDownAndTheSizeIsKept) {
    character("Mira");
    open();
    window->show();
    window->resize(1600, 900 - 40);
    QApplication::processEvents();
    auto top = [&](const QString& name) { return get<QWidget>(name)->mapTo(window.get(), QPoint(0, 0)); };
    const QPoint background = top("lblBack(0)"), virtue = top("PBAdv(14)");
    menu("mnuEdit"); // unrated rows shown, editors over their labels
    QApplication::processEvents();
    EXPECT_EQ(top("lblBack(0)"), background);
    EXPECT_EQ(top("PBAdv(14)"), virtue);
    // PBAdv(7) is the first background, not the last discipline.
    EXPECT_NEAR(top("PBAdv(7)").y(), background.y(), 12);
    EXPECT_GT(top("PBAdv(7)").x(), background.x());
    EXPECT_LT(top("PBAdv(6)").x(), background.x());
    EXPECT_EQ(top("txtChar").x(), top("lblChar").x());
    EXPECT_NEAR(get<QWidget>("cmbDisciplines(2)")->geometry().center().y(),
                get<QWidget>("lblDisc(2)")->geometry().center().y(), 2);
    // The size the window asks for fits the screen and shows the whole sheet, in either mode.
    for (const char* mode : {"mnuEdit", "mnuBrowse"}) {
        SCOPED_TRACE(mode);
        EXPECT_LE(window->sizeHint().width(), 1600);
        EXPECT_LE(window->sizeHint().height(), 900 - 40);
        window->resize(window->sizeHint());
        QApplication::processEvents();
        EXPECT_FALSE(get<QScrollArea>("sheetScroll")->verticalScrollBar()->isVisible());
        menu(mode);
    }
    for (const QSize screen : {QSize(1366, 768 - 40), QSize(960, 540 - 30)}) {
        window->resize(screen);
        QApplication::processEvents();
        SCOPED_TRACE(screen.width());
        EXPECT_LE(window->minimumSizeHint().width(), screen.width());
        EXPECT_EQ(window->width(), screen.width());
        auto* scroll = get<QScrollArea>("sheetScroll");
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        EXPECT_LE(scroll->widget()->minimumSizeHint().width(), scroll->viewport()->width());
        EXPECT_GT(scroll->widget()->height(), scroll->viewport()->height()); // the rest is below
        EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
        QWidget* side = get<QWidget>("sideColumn");
        EXPECT_FALSE(scroll->isAncestorOf(side));
        for (const char* name : {"sideColumn", "cmdRoll", "lstChar", "cmddelete(0)", "txtFind"}) {
            QWidget* widget = get<QWidget>(name);
            const QRect shown(widget->mapTo(window.get(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(widget->isVisible()) << name;
            EXPECT_TRUE(window->rect().contains(shown)) << name;
        }
    }
    window->shutDown();
    window.reset();
    open();
    EXPECT_EQ(window->size(), QSize(960, 540 - 30));
}

TEST_F(SheetTest, LookupListsBeginBlankFollowTheSortColumnAndRefillWithoutDuplicates) {
    character("Mira");
    temp.exec("INSERT INTO DemeanorNature (DemNat) VALUES ('Loner'), ('architect'), ('Bravo')");
    temp.exec("INSERT INTO Discipline_LookUp (Discipline) VALUES ('Whisperlore'), ('Bloodsong')");
    open();
    // The starter rows are named "Unknown"; text compares ignore case.
    const QStringList natures = {"", "architect", "Bravo", "Loner", "Unknown"};
    EXPECT_EQ(items("cmbNature"), natures);
    EXPECT_EQ(items("cmbDemeanor"), natures);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(items(indexed("cmbDisciplines", k)), (QStringList{"", "Bloodsong", "Whisperlore"}));
        EXPECT_EQ(items(indexed("cmbBackGrounds", k)), QStringList{""}); // empty table: the blank entry only
    }
    session->database->Execute("INSERT INTO Clan (Clan) VALUES ('Corvane')");
    for (int twice = 0; twice < 2; ++twice)
        sheet::fillLookupLists(ui(), sheet::readLookupLists(*session->database));
    EXPECT_EQ(items("cmbClan"), (QStringList{"", "Corvane", "Unknown"}));
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
