#include "sheet/SheetFixture.h"
#include "snapshots/frmPickCharacter.h"
#include "store/Schema.h"
#include "store/Snapshots.h"

#include <QTreeWidget>

namespace {

class SnapshotsTest : public SheetTest {
protected:
    std::vector<store::snapshots::Snapshot> snapshots() { return store::snapshots::list(temp.path()); }
    // Lets the background snapshot of the opened file finish.
    void settle() {
        for (int i = 0; i < 1000 && snapshots().empty(); ++i)
            QTest::qWait(5);
    }
    QString snapshotName(const store::snapshots::Snapshot& s, qint64 key) {
        auto file = store::openChronicle(s.path, false);
        return file->scalar(QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = %1").arg(key)).toString();
    }
    // Runs Tools > Snapshots with `act` clicking in the window; `then` handles a window it opens.
    void inSnapshotsWindow(const std::function<void(QDialog&)>& act,
                           const std::function<int(QDialog&)>& then = {}) {
        services.modalHandlers.push_back([act](QDialog& window) {
            act(window);
            return int(QDialog::Accepted);
        });
        if (then)
            services.modalHandlers.push_back(then);
        menu("mnuSnapshots");
    }
};

// One is taken when the file opens, and one just before a character is deleted, which still
// holds that character; a Tools command keeps one before it lets the file go.
TEST_F(SnapshotsTest, TakenOnOpenBeforeDeleteAndBeforeTools) {
    const qint64 mira = character("Mira");
    character("Nox", "NPC");
    open();
    settle();
    ASSERT_EQ(snapshots().size(), 1u);
    services.answers.push_back(app::Answer::Yes);
    click("cmddelete(0)");
    ASSERT_EQ(snapshots().size(), 2u);
    EXPECT_EQ(snapshotName(snapshots().front(), mira), "Mira");

    services.fileAnswers.push_back(temp.file("copy.mdb"));
    menu("mnuMobile");
    EXPECT_EQ(snapshots().size(), 3u);
    EXPECT_EQ(services.messages.size(), 1u) << services.lastMessage().toStdString(); // the delete question
}

// Where no snapshot can be made the user hears it once, and the work goes on.
TEST_F(SnapshotsTest, FailureIsToldOnceAndWorkGoesOn) {
    const qint64 mira = character("Mira");
    character("Ada");
    writeFile(temp.path() + " snapshots", "a file where the folder would go");
    open();
    QTest::qWait(20); // the snapshot on opening fails in the background
    services.answers.push_back(app::Answer::Yes);
    click("cmddelete(0)");
    EXPECT_EQ(column(mira, "Name"), QVariant()); // deleted all the same
    ASSERT_EQ(services.messages.size(), 2u);      // the snapshot's, once; the delete question
    EXPECT_TRUE(services.messages[0].text.startsWith("The snapshot could not be taken."));
}

// A deleted character comes back under its key from the window's list of snapshots; the whole
// file goes back to a snapshot after a question naming its time, the state before kept too.
TEST_F(SnapshotsTest, RestoreACharacterAndTheWholeFile) {
    const qint64 mira = character("Mira", "Ann", "Haven = 'Bell tower'");
    open();
    settle();
    services.answers.push_back(app::Answer::Yes);
    click("cmddelete(0)");

    inSnapshotsWindow(
        [](QDialog& window) {
            auto* list = window.findChild<QTreeWidget*>("lstSnapshots");
            list->setCurrentItem(list->topLevelItem(0)); // taken before the delete
            window.findChild<QPushButton*>("cmdRestoreCharacter")->click();
        },
        [](QDialog& picker) {
            QTest::keyClicks(picker.findChild<QLineEdit*>("txtFind"), "mir");
            return static_cast<snapshots::frmPickCharacter&>(picker).picked() ? int(QDialog::Accepted)
                                                                              : int(QDialog::Rejected);
        });
    EXPECT_EQ(values("lblChar"), "Mira");
    EXPECT_EQ(items("lstChar"), QStringList{"Mira"});

    session->database->Execute("UPDATE Char_Info SET Haven = 'Cellar'");
    const size_t before = snapshots().size();
    services.answers.push_back(app::Answer::Yes);
    inSnapshotsWindow([](QDialog& window) {
        auto* list = window.findChild<QTreeWidget*>("lstSnapshots");
        list->setCurrentItem(list->topLevelItem(list->topLevelItemCount() - 1)); // the first, on opening
        window.findChild<QPushButton*>("cmdRestoreFile")->click();
    });
    ASSERT_GE(services.messages.size(), 2u);
    const QString question = services.messages.back().text;
    EXPECT_TRUE(question.startsWith("Put the snapshot of ")) << question.toStdString();
    EXPECT_TRUE(question.contains(QLocale().toString(snapshots().back().taken, "d MMMM yyyy, HH:mm:ss")));
    EXPECT_EQ(snapshots().size(), before + 1);
    EXPECT_EQ(snapshotName(snapshots().front(), mira), "Mira");
    EXPECT_EQ(column(mira, "Haven"), "Bell tower"); // as it was when the file was opened
    EXPECT_TRUE(session->isOpen());
}

} // namespace
