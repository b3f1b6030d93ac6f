#include "app/Session.h"
#include "merits/MeritCommands.h"
#include "store/MeritStore.h"
#include "store/Schema.h"
#include "support/ListEntries.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace merits;
using enum app::Answer;

namespace {
// Through the window, as a user's click comes: a popup open over the dialog would take it first.
void userClick(QWidget* widget) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, widget->rect().center()));
}
} // namespace

// Ann (shown, edit mode) has Scar and Zeal at -1, Bob has Zeal; Will (3 points) and Oath (variable
// points) are listed too. What the store makes of a link is tested with the store.
class Merits : public ::testing::Test {
protected:
    Merits() : session(services) {
        temp.exec("INSERT INTO MeritFlaw_LookUp (MeritFlaw_ID, MeritFlaw, Points, pointflex) VALUES "
                  "(1, 'Scar', 1, 0), (2, 'Zeal', 1, 0), (3, 'Will', 3, 0), (4, 'Oath', NULL, 1)");
        temp.exec("INSERT INTO MeritFlaw_Link VALUES (1, 1, 1), (2, 2, 1), (1, 2, -1)");
        session.database = store::openChronicle(temp.path(), false);
        session.shownKey = ann;
        session.editMode = true;
    }
    QString query(const QString& sql) { return temp.scalar(sql).toString(); }

    TempDatabase temp;
    ScriptedServices services;
    app::Session session;
    QListWidget list;
    qint64 ann = temp.addCharacter("Ann");
    qint64 bob = temp.addCharacter("Bob");
};

// The dialog keeps what was typed and asks about a new name once, when the box loses the focus or
// on OK; one click on OK, or one Return, adds; refusals keep it open.
TEST_F(Merits, AddDialog) {
    const struct {
        QString typed;
        const char* leave; // a button, or the key "Esc", "Tab" (then OK), "Return"
        std::deque<app::Answer> answers;
        std::deque<std::optional<QString>> inputs;
        QString line; // none: nothing added
        bool open;    // the dialog stays open
        size_t messages;
        QString lastMessage; // its start
    } cases[] = {
        {"Will", "cmdok", {}, {}, "Will  3", false, 0, ""},
        {"Wil", "cmdok", {Yes, No}, {"2"}, "Wil  2", false, 2, "Are the points"}, // not the listed Will
        {" will ", "Return", {}, {}, "will  3", false, 0, ""},                    // the listed entry
        {"Ogre's", "Tab", {Yes, No}, {"2 dots"}, "Ogre's  2", false, 2, "Are the points"},
        // A variable level is asked again until it is a 16-bit number.
        {"Debt", "cmdok", {Yes, Yes}, {"", "a", "40000", " -1 "}, "Debt  -1", false, 5, "Please enter"},
        {"Scar", "cmdok", {}, {}, "", true, 1, "You already have Scar"},
        {"Oath", "cmdok", {}, {}, "", true, 0, ""}, // the variable level cancelled
        {"Cursed", "Tab", {No}, {}, "", true, 2, "Cursed is not a known Merit/Flaw"},
        {"Will", "cmdcancel", {}, {}, "", false, 0, ""},
        {"Will", "Esc", {}, {}, "", false, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " " + c.leave);
        const QString leave = c.leave;
        list.clear();
        temp.exec("DELETE FROM MeritFlaw_Link WHERE rowid > 3");
        services.messages.clear();
        services.answers = c.answers;
        services.inputAnswers = c.inputs;
        services.onActiveModal([&](QDialog& dialog) {
            auto* combo = dialog.findChild<QComboBox*>("cmbMerit");
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), c.typed);
            if (leave == "Tab") {
                QTest::keyClick(combo, Qt::Key_Tab);
                EXPECT_FALSE(services.messages.empty()) << "asked on leaving the box";
            }
            if (leave == "Esc" || leave == "Return")
                QTest::keyClick(dialog.windowHandle(), leave == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
            else
                userClick(dialog.findChild<QPushButton*>(leave == "Tab" ? "cmdok" : leave));
            EXPECT_EQ(dialog.isVisible(), c.open);
            EXPECT_EQ(combo->currentText(), c.typed);
        });
        cmdAddMerit_Click(session, list, nullptr);
        EXPECT_EQ(listEntries(&list), c.line.isEmpty() ? QStringList() : QStringList{c.line});
        EXPECT_EQ(services.messages.size(), c.messages);
        EXPECT_EQ(services.lastMessage().left(c.lastMessage.size()), c.lastMessage);
        // The line carries the merit just linked to Ann.
        EXPECT_EQ(list.count() ? list.item(0)->data(Qt::UserRole).toString() : "",
                  query("SELECT MeritFlaw_ID FROM MeritFlaw_Link WHERE rowid > 3 AND Char_ID = 1"));
    }
}

// The list shows the store's lines with their keys; the selected line's description changes in
// edit mode only, and leaving it otherwise asks before typed text is dropped; removal asks, then
// takes that line (which link goes is the store's test).
TEST_F(Merits, ListDescribesAndRemoves) {
    list.addItem("left from the last character");
    showMerits(list, store::merits::characterMerits(*session.database, ann));
    EXPECT_EQ(listEntries(&list), QStringList({"Scar 1", "Zeal -1"}));
    list.item(1)->setSelected(true);
    for (bool edit : {false, true}) {
        session.editMode = edit;
        services.onActiveModal([&](QDialog& dialog) {
            auto* text = dialog.findChild<QPlainTextEdit*>("rtxtMerit");
            EXPECT_EQ(text->isReadOnly(), !edit);
            text->selectAll();
            QTest::keyClicks(text, "Bright.");
            // Escape asks before typed text is dropped, and No keeps it; browsing, nothing was typed.
            services.answers = {No};
            QTest::keyClick(text, Qt::Key_Escape);
            EXPECT_EQ(dialog.isVisible(), edit);
            if (edit) {
                EXPECT_EQ(text->toPlainText(), "Bright.");
                QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
            }
            services.answers.clear();
        });
        lstMerit_DblClick(session, list, nullptr);
        EXPECT_EQ(query("SELECT Description FROM MeritFlaw_LookUp WHERE MeritFlaw_ID = 2"), edit ? "Bright." : "");
    }
    // A Yes lets the text go as Escape does while browsing; the notes' windows answer both ways.
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Discard the changes to the description of Zeal?");

    services.answers = {Cancel, OK};
    list.setCurrentRow(0);
    cmdRemoveMerit_Click(session, list);
    EXPECT_EQ(list.count(), 2);
    cmdRemoveMerit_Click(session, list);
    EXPECT_EQ(services.lastMessage(), "You are about to remove the Scar Merit/Flaw. Are you Sure?");
    EXPECT_EQ(listEntries(&list), QStringList({"Zeal -1"}));
    // The next line is not picked for the user.
    cmdRemoveMerit_Click(session, list);
    EXPECT_EQ(services.lastMessage(), "You must select a Merit/Flaw to be removed!");
    EXPECT_EQ(list.count(), 1);
}
