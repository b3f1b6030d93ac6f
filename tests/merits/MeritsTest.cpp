#include "store/Schema.h"
#include "app/Session.h"
#include "store/MeritStore.h"
#include "merits/MeritCommands.h"
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

// Two characters, Ann (shown, edit mode) and Bob, on a fresh database.
class Merits : public ::testing::Test {
protected:
    Merits() : session(services) {
        session.database = store::openChronicle(temp.path(), false);
        session.shownKey = ann;
        session.editMode = true;
    }
    qint64 addLookup(const QString& name, const QVariant& points, bool pointflex = false) {
        temp.db().Execute("INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points, pointflex) VALUES (?, ?, ?)",
                          {name, points, int(pointflex)});
        return count("SELECT max(MeritFlaw_ID) FROM MeritFlaw_LookUp");
    }
    void link(qint64 charId, qint64 meritId, int points) {
        temp.db().Execute("INSERT INTO MeritFlaw_Link VALUES (?, ?, ?)", {charId, meritId, points});
    }
    int count(const QString& sql) { return temp.db().scalar(sql).toInt(); }
    QStringList lines() const { return listEntries(&list); }
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

// Ann already has Scar; Will (3 points) and Oath (variable points) are listed. A new name is asked
// about once, when the box loses the focus or on OK.
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
        QString added;       // Ann's new links: name, pointflex, points
        int lookups;
    } cases[] = {
        {"Will", "cmdok", {}, {}, "Will  3", false, 0, "", "Will 0 3", 3},
        {" will ", "Return", {}, {}, "will  3", false, 0, "", "Will 0 3", 3}, // the listed entry
        {"Ogre's", "Tab", {Yes, No}, {"2 dots"}, "Ogre's  2", false, 2, "Are the points", "Ogre's 0 2", 4},
        {"Ogre's", "cmdok", {Yes, No}, {"2 dots"}, "Ogre's  2", false, 2, "Are the points", "Ogre's 0 2", 4},
        {"Ogre's", "Return", {Yes, No}, {"2 dots"}, "Ogre's  2", false, 2, "Are the points", "Ogre's 0 2", 4},
        // A variable level is asked again until it is a 16-bit number.
        {"Debt", "cmdok", {Yes, Yes}, {"", "a", "40000", " -1 "}, "Debt  -1", false, 5, "Please enter", "Debt 1 -1", 4},
        {"Scar", "cmdok", {}, {}, "", true, 1, "You already have Scar as a Merit/Flaw!", "", 3},
        {"Oath", "cmdok", {}, {}, "", true, 0, "", "", 3}, // the variable level cancelled
        {"Cursed", "Tab", {No}, {}, "", true, 2, "Cursed is not a known Merit/Flaw", "", 3},
        {"  ", "cmdok", {}, {}, "", false, 0, "", "", 3},
        {"Will", "cmdcancel", {}, {}, "", false, 0, "", "", 3},
        {"Will", "Esc", {}, {}, "", false, 0, "", "", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + " " + c.leave);
        const QString leave = c.leave;
        list.clear();
        temp.exec("DELETE FROM MeritFlaw_Link");
        temp.exec("DELETE FROM MeritFlaw_LookUp");
        link(ann, addLookup("Scar", 1), 1);
        addLookup("Will", 3);
        addLookup("Oath", QVariant(), true);
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
        });
        cmdAddMerit_Click(session, list, nullptr);
        EXPECT_EQ(lines(), c.line.isEmpty() ? QStringList() : QStringList{c.line});
        EXPECT_EQ(services.messages.size(), c.messages);
        EXPECT_EQ(services.lastMessage().left(c.lastMessage.size()), c.lastMessage);
        if (!c.answers.empty()) {
            EXPECT_EQ(services.messages[0].text,
                      "You have entered a new Merit/Flaw called: " + c.typed + ". Is this correct?");
        }
        EXPECT_EQ(temp.scalar("SELECT group_concat(l.MeritFlaw || ' ' || l.pointflex || ' ' || k.Points, ', ') FROM "
                              "MeritFlaw_Link k JOIN MeritFlaw_LookUp l USING (MeritFlaw_ID) WHERE k.rowid > 1")
                      .toString(),
                  c.added);
        EXPECT_EQ(count("SELECT count(*) FROM MeritFlaw_LookUp"), c.lookups);
        if (!c.line.isEmpty()) {
            EXPECT_EQ(list.item(0)->data(Qt::UserRole), count("SELECT max(MeritFlaw_ID) FROM MeritFlaw_Link"));
        }
    }
    QStringList prompts;
    for (const auto& input : services.inputs)
        prompts << input.prompt + '|' + input.title + '|' + input.preset;
    EXPECT_TRUE(prompts.contains("Please enter the points for this merit:|Duskledger|1"));
    EXPECT_TRUE(prompts.contains("Enter Point Level for Debt:|Variable Point Merit|"));

    // Without a character shown, or while browsing, nothing opens.
    services.modalHandlers = {[](QDialog&) { return int(QDialog::Rejected); }};
    session.shownKey.reset();
    cmdAddMerit_Click(session, list, nullptr);
    session.shownKey = ann;
    session.editMode = false;
    cmdAddMerit_Click(session, list, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
    EXPECT_TRUE(services.messages.empty() && list.count() == 0);
}

// Lines are "name points" in the order the merits were taken; the description of the selected
// line can be changed in edit mode only; removal asks and deletes only that line's link of this
// character.
TEST_F(Merits, ListLoadsDescribesAndRemovesMerits) {
    cmdRemoveMerit_Click(session, list); // empty list: not even a message
    const qint64 zeal = addLookup("Zeal", 3), luck = addLookup("Ogre's Luck", 1);
    link(ann, zeal, 3);
    link(bob, luck, 1);
    link(ann, luck, -1);
    const qint64 debt = addLookup("Debt", QVariant(), true);
    link(ann, debt, 10);
    list.addItem("left from the last character");
    showMerits(list, store::merits::characterMerits(*session.database, ann));
    EXPECT_EQ(lines(), QStringList({"Zeal 3", "Ogre's Luck -1", "Debt 10"}));
    EXPECT_EQ(list.item(0)->data(Qt::UserRole).toLongLong(), zeal);
    EXPECT_EQ(list.item(1)->data(Qt::UserRole).toLongLong(), luck);
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    lstMerit_DblClick(session, list, nullptr); // no line selected: nothing opens
    ASSERT_EQ(services.modalHandlers.size(), 1u);
    services.modalHandlers.clear();
    list.item(0)->setSelected(true);
    const auto descriptions = [&] {
        return temp.scalar("SELECT group_concat(Description) FROM MeritFlaw_LookUp").toString();
    };
    const struct {
        bool editMode;
        const char* button;
        QString stored; // afterwards
    } cases[] = {{false, "cmdOk", ""}, {true, "cmdexit", ""}, {true, "cmdOk", "Bright."}, {false, "cmdOk", "Bright."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.editMode ? " edit" : " browse"));
        session.editMode = c.editMode;
        const QString before = descriptions();
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
        EXPECT_EQ(descriptions(), c.stored);
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
    EXPECT_TRUE(remove(3).endsWith("Nothing was changed."));
    EXPECT_EQ(remove(1, {Cancel}), "You are about to remove the Ogre's Luck Merit/Flaw. Are you Sure?");
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(remove(1), "You are about to remove the Ogre's Luck Merit/Flaw. Are you Sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::OKCancel);
    EXPECT_EQ(lines(), QStringList({"Zeal 3", "Debt 10", "Nowhere 2"}));
    EXPECT_EQ(temp.scalar("SELECT group_concat(Char_ID || ':' || MeritFlaw_ID) FROM MeritFlaw_Link").toString(),
              QStringLiteral("%1:%2,%3:%4,%1:%5").arg(ann).arg(zeal).arg(bob).arg(luck).arg(debt));
}
