#include "app/Session.h"
#include "merits/MeritCommands.h"
#include "store/MeritStore.h"
#include "store/Schema.h"
#include "support/ListEntries.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace merits;
using enum app::Answer;

template <typename T> T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

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
    // Queues a handler for the next modal window: shown and active, so focus moves as with a user.
    void onModal(const std::function<void(QDialog&)>& drive) {
        services.modalHandlers.push_back([drive](QDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            drive(dialog);
            return dialog.result();
        });
    }

    TempDatabase temp;
    ScriptedServices services;
    app::Session session;
    QListWidget list;
    qint64 ann = temp.addCharacter("Ann");
    qint64 bob = temp.addCharacter("Bob");
};

// The dialog keeps what was typed and asks about a new name once, when the box loses the focus or
// on OK; refusals keep it open. Without a character shown, or while browsing, nothing opens.
TEST_F(Merits, AddTakesListedOrNewNamesRefusalsKeepTheDialogOpen) {
    const struct {
        QString typed;
        const char* leave; // a button, or the key "Esc", "Tab" (then OK), "Return"
        std::deque<app::Answer> answers;
        std::deque<std::optional<QString>> inputs;
        QString line; // none: nothing added
        bool open;    // the dialog stays open
        size_t messages;
        QString lastMessage; // its start
        QString added;       // the new link: name pointflex points
    } cases[] = {
        {"Will", "cmdok", {}, {}, "Will  3", false, 0, "", "Will 0 3"},
        {" will ", "Return", {}, {}, "will  3", false, 0, "", "Will 0 3"}, // the listed entry
        {"Ogre's", "Tab", {Yes, No}, {"2 dots"}, "Ogre's  2", false, 2, "Are the points", "Ogre's 0 2"},
        {"Ogre's", "cmdok", {Yes, No}, {"2 dots"}, "Ogre's  2", false, 2, "Are the points", "Ogre's 0 2"},
        // A variable level is asked again until it is a 16-bit number.
        {"Debt", "cmdok", {Yes, Yes}, {"", "a", "40000", " -1 "}, "Debt  -1", false, 5, "Please enter", "Debt 1 -1"},
        {"Scar", "cmdok", {}, {}, "", true, 1, "You already have Scar as a Merit/Flaw!", ""},
        {"Oath", "cmdok", {}, {}, "", true, 0, "", ""}, // the variable level cancelled
        {"Cursed", "Tab", {No}, {}, "", true, 2, "Cursed is not a known Merit/Flaw", ""},
        {"  ", "cmdok", {}, {}, "", false, 0, "", ""},
        {"Will", "cmdcancel", {}, {}, "", false, 0, "", ""},
        {"Will", "Esc", {}, {}, "", false, 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " " + c.leave);
        const QString leave = c.leave;
        list.clear();
        temp.exec("DELETE FROM MeritFlaw_Link WHERE rowid > 3");
        temp.exec("DELETE FROM MeritFlaw_LookUp WHERE MeritFlaw_ID > 4");
        services.messages.clear();
        services.answers = c.answers;
        services.inputAnswers = c.inputs;
        onModal([&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbMerit");
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), c.typed);
            if (leave == "Tab") {
                QTest::keyClick(combo, Qt::Key_Tab);
                EXPECT_FALSE(services.messages.empty()) << "asked on leaving the box";
            }
            if (leave == "Esc" || leave == "Return")
                QTest::keyClick(combo->lineEdit(), leave == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
            else
                QTest::mouseClick(child<QPushButton>(dialog, leave == "Tab" ? "cmdok" : c.leave), Qt::LeftButton);
            EXPECT_EQ(dialog.isVisible(), c.open);
            EXPECT_EQ(combo->currentText(), c.typed);
        });
        cmdAddMerit_Click(session, list, nullptr);
        EXPECT_EQ(listEntries(&list), c.line.isEmpty() ? QStringList() : QStringList{c.line});
        EXPECT_EQ(services.messages.size(), c.messages);
        EXPECT_EQ(services.lastMessage().left(c.lastMessage.size()), c.lastMessage);
        if (!c.answers.empty())
            EXPECT_EQ(services.messages[0].text,
                      "You have entered a new Merit/Flaw called: " + c.typed + ". Is this correct?");
        EXPECT_EQ(query("SELECT count(*) FROM MeritFlaw_LookUp WHERE MeritFlaw_ID > 4 AND MeritFlaw_ID NOT IN "
                        "(SELECT MeritFlaw_ID FROM MeritFlaw_Link)"),
                  "0"); // nothing refused or cancelled leaves a new entry behind
        EXPECT_EQ(query("SELECT group_concat(l.MeritFlaw || ' ' || l.pointflex || ' ' || k.Points) FROM "
                        "MeritFlaw_Link k JOIN MeritFlaw_LookUp l USING (MeritFlaw_ID) WHERE k.rowid > 3"),
                  c.added);
        if (!c.line.isEmpty())
            EXPECT_EQ(list.item(0)->data(Qt::UserRole).toString(),
                      query("SELECT MeritFlaw_ID FROM MeritFlaw_Link WHERE rowid > 3"));
    }
    QStringList prompts;
    for (const auto& input : services.inputs)
        prompts << input.prompt + '|' + input.title + '|' + input.preset;
    EXPECT_TRUE(prompts.contains("Please enter the points for this merit:|Duskledger|1"));
    EXPECT_TRUE(prompts.contains("Enter Point Level for Debt:|Variable Point Merit|"));

    services.modalHandlers = {[](QDialog&) { return int(QDialog::Rejected); }};
    session.shownKey.reset();
    cmdAddMerit_Click(session, list, nullptr);
    session.shownKey = ann;
    session.editMode = false;
    cmdAddMerit_Click(session, list, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
    EXPECT_TRUE(services.messages.empty() && list.count() == 0);
}

// The list shows the store's lines with their keys; the selected line's description changes in
// edit mode only; removal asks, then takes that line and its merit's link of this character.
TEST_F(Merits, ListDescribesAndRemovesMerits) {
    cmdRemoveMerit_Click(session, list); // empty list: not even a message
    list.addItem("left from the last character");
    showMerits(list, store::merits::characterMerits(*session.database, ann));
    EXPECT_EQ(listEntries(&list), QStringList({"Scar 1", "Zeal -1"}));
    EXPECT_EQ(list.item(1)->data(Qt::UserRole).toLongLong(), 2);
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    lstMerit_DblClick(session, list, nullptr); // no line selected: nothing opens
    ASSERT_EQ(services.modalHandlers.size(), 1u);
    services.modalHandlers.clear();
    list.item(1)->setSelected(true);
    const struct {
        bool editMode;
        const char* button;
        QString stored; // afterwards
    } cases[] = {{true, "cmdexit", ""}, {true, "cmdOk", "Bright."}, {false, "cmdOk", "Bright."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.editMode ? " edit" : " browse"));
        session.editMode = c.editMode;
        const QString before = query("SELECT Description FROM MeritFlaw_LookUp WHERE MeritFlaw_ID = 2");
        onModal([&](QDialog& dialog) {
            EXPECT_EQ(child<QLabel>(dialog, "lblMerit")->text(), "Zeal");
            auto* text = child<QPlainTextEdit>(dialog, "rtxtMerit");
            EXPECT_EQ(text->toPlainText(), before);
            EXPECT_EQ(text->isReadOnly(), !c.editMode);
            text->selectAll();
            QTest::keyClicks(text, "Bright.");
            QTest::mouseClick(child<QPushButton>(dialog, c.button), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
        });
        lstMerit_DblClick(session, list, nullptr);
        EXPECT_EQ(query("SELECT Description FROM MeritFlaw_LookUp WHERE MeritFlaw_ID = 2"), c.stored);
    }
    EXPECT_TRUE(services.messages.empty());

    session.editMode = true;
    list.addItem("Nowhere 2"); // no merit behind it
    const auto remove = [&](int row, std::deque<app::Answer> answers = {}) {
        list.clearSelection();
        if (row >= 0)
            list.item(row)->setSelected(true);
        services.answers = answers;
        cmdRemoveMerit_Click(session, list);
        return services.lastMessage();
    };
    EXPECT_EQ(remove(-1), "You must select a Merit/Flaw to be removed!");
    EXPECT_TRUE(remove(2).endsWith("Nothing was changed."));
    EXPECT_EQ(remove(1, {Cancel}), "You are about to remove the Zeal Merit/Flaw. Are you Sure?");
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(remove(1), "You are about to remove the Zeal Merit/Flaw. Are you Sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::OKCancel);
    EXPECT_EQ(listEntries(&list), QStringList({"Scar 1", "Nowhere 2"}));
    EXPECT_EQ(query("SELECT group_concat(Char_ID || ':' || MeritFlaw_ID) FROM MeritFlaw_Link"), "1:1,2:2");
}
