#include "sheet/SheetFixture.h"
#include "store/Journal.h"
#include "store/Schema.h"
#include "store/Snapshots.h"

#include <QDialog>
#include <QTreeWidget>

namespace {

class ChangeHistoryTest : public SheetTest {
protected:
    qint64 mira = 0;
    void SetUp() override { mira = character("Mira", "Ann", "Strength = 3, ExperienceGiven = 2"); }
    static QStringList lines(QTreeWidget* tree) {
        QStringList all;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            int depth = 0;
            for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
                ++depth;
            all << QString(depth, QLatin1Char('-')) + (*it)->text(0).section(QStringLiteral("  "), -1);
        }
        return all;
    }
};

// A file made before the journal opens as before and gets the table, after a snapshot of it as it
// was.
TEST_F(ChangeHistoryTest, OlderFileGetsTheJournalAfterASnapshot) {
    temp.exec("DROP TABLE ChangeJournal");
    open();
    EXPECT_TRUE(store::journal::present(*session->database));
    const auto snapshots = store::snapshots::list(temp.path());
    ASSERT_EQ(snapshots.size(), 1u);
    auto copy = store::openChronicle(snapshots.front().path, false);
    EXPECT_FALSE(store::journal::present(*copy));
    EXPECT_EQ(values("txtChar"), "Mira");
}

// Undo saves the edits of edit mode first and takes them back; redo makes them again; a health
// click is taken back on its own. What each batch holds and takes back is the journal store's test.
TEST_F(ChangeHistoryTest, UndoAndRedoFromTheMenu) {
    open();
    menu("mnuEdit");
    set("PBAtt(0)=4");
    menu("mnuUndo");
    EXPECT_FALSE(session->editMode);
    EXPECT_EQ(values("PBAtt(0)"), "3");
    menu("mnuRedo");
    EXPECT_EQ(values("PBAtt(0)"), "4");

    QTest::mouseClick(ui().HealthBox[0], Qt::LeftButton);
    ASSERT_NE(health(), "1111111");
    menu("mnuUndo");
    EXPECT_EQ(health(), "1111111");
    EXPECT_EQ(values("PBAtt(0)"), "4");
    EXPECT_TRUE(services.messages.empty());
}

// The window lists the shown character's batches by day with their entries, filters by kind, adds
// up the experience, and refuses to revert a change whose field changed later.
TEST_F(ChangeHistoryTest, WindowListsFiltersAndRevertsOrRefuses) {
    open();
    for (const QString strength : {"4", "5"}) {
        menu("mnuEdit");
        set("PBAtt(0)=" + strength);
        click("cmdAddExperience");
        menu("mnuBrowse");
    }
    services.modalHandlers.push_back([&](QDialog& window) {
        auto* tree = window.findChild<QTreeWidget*>("tvwChanges");
        EXPECT_EQ(lines(tree), (QStringList{QLocale().toString(QDate::currentDate(), QLocale::LongFormat), "-Save",
                                            "--Strength: 4 → 5", "--Experience given: 3 → 4", "-Save",
                                            "--Strength: 3 → 4", "--Experience given: 2 → 3"}));
        EXPECT_EQ(window.findChild<QLabel*>("lblExperience")->text(), "Experience given 2, spent 0, left 2");
        auto* kind = window.findChild<QComboBox*>("cmbKind");
        kind->setCurrentText("Experience");
        EXPECT_EQ(lines(tree).filter("Strength").size(), 0);

        kind->setCurrentIndex(0);
        tree->setCurrentItem(tree->topLevelItem(0)->child(1)); // the older save
        QTest::mouseClick(window.findChild<QPushButton*>("cmdRevert"), Qt::LeftButton);
        EXPECT_EQ(services.lastMessage(),
                  "The change was not reverted: Strength was changed later; take back the later change first.");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0)); // the newer one
        QTest::mouseClick(window.findChild<QPushButton*>("cmdRevert"), Qt::LeftButton);
        EXPECT_EQ(lines(tree).at(1), "-Revert");
        return int(QDialog::Accepted);
    });
    menu("mnuChangeHistory");
    EXPECT_EQ(values("PBAtt(0)"), "4");
}

} // namespace
