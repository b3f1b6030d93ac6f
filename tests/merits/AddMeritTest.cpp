#include "MeritFixture.h"

#include <QLineEdit>

using merits::cmdAddMerit_Click;
using enum app::Answer;

class AddMerit : public MeritFixture {
protected:
    // Types the name and presses OK; notes whether the dialog stayed open.
    void addWithOk(const QString& name) {
        onModal([this, name](QDialog& dialog) {
            child<QComboBox>(dialog, "cmbMerit")->setEditText(name);
            QTest::mouseClick(child<QPushButton>(dialog, "cmdok"), Qt::LeftButton);
            stillOpen = dialog.isVisible();
        });
        cmdAddMerit_Click(global, key, list, nullptr);
    }
    bool stillOpen = false;
};

// Ann already has Scar; Iron Will (3 points) and Oath (variable points) are listed.
TEST_F(AddMerit, ListedOrNewNamesAreAddedRefusalsKeepTheDialogOpen) {
    const struct {
        QString typed;
        std::deque<app::Answer> answers;
        std::deque<std::optional<QString>> inputs;
        QString line; // none: refused
        size_t messages;
        QString lastMessage;
        QString stored; // Ann's merits afterwards: name, pointflex, points
        int lookups;
    } cases[] = {
        {"Iron Will", {}, {}, "Iron Will  3", 0, "", "Scar 0 1, Iron Will 0 3", 3},
        {" iron will ", {}, {}, "iron will  3", 0, "", "Scar 0 1, Iron Will 0 3", 3}, // the listed entry
        {"Ogre's Luck", {Yes, No}, {"2 dots"}, "Ogre's Luck  2", 2, "Are the points", "Scar 0 1, Ogre's Luck 0 2", 4},
        // A variable level is asked again until it is a 16-bit number.
        {"Debt", {Yes, Yes}, {"", "lots", "40000", " -1 "}, "Debt  -1", 5, "Please enter", "Scar 0 1, Debt 1 -1", 4},
        {"Scar", {}, {}, "", 1, "You already have Scar as a Merit/Flaw!", "Scar 0 1", 3},
        {"Oath", {}, {}, "", 0, "", "Scar 0 1", 3}, // the variable level cancelled
        {"Cursed", {No}, {}, "", 2, "Cursed is not a known Merit/Flaw", "Scar 0 1", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        list.clear();
        temp.exec("DELETE FROM MeritFlaw_Link");
        temp.exec("DELETE FROM MeritFlaw_LookUp");
        link(ann, addLookup("Scar", 1), 1);
        addLookup("Iron Will", 3);
        addLookup("Oath", QVariant(), true);
        services.messages.clear();
        services.answers = c.answers;
        services.inputAnswers = c.inputs;
        addWithOk(c.typed);

        EXPECT_EQ(stillOpen, c.line.isEmpty());
        EXPECT_EQ(lines(), c.line.isEmpty() ? QStringList() : QStringList{c.line});
        EXPECT_EQ(services.messages.size(), c.messages);
        EXPECT_EQ(services.lastMessage().left(c.lastMessage.size()), c.lastMessage);
        EXPECT_EQ(temp.scalar("SELECT group_concat(l.MeritFlaw || ' ' || l.pointflex || ' ' || k.Points, ', ') "
                              "FROM MeritFlaw_Link k JOIN MeritFlaw_LookUp l ON l.MeritFlaw_ID = k.MeritFlaw_ID")
                      .toString(),
                  c.stored);
        EXPECT_EQ(count("SELECT count(*) FROM MeritFlaw_LookUp"), c.lookups);
        if (!c.line.isEmpty()) {
            EXPECT_EQ(list.item(0)->data(Qt::UserRole), count("SELECT max(MeritFlaw_ID) FROM MeritFlaw_Link"));
        }
    }
    EXPECT_TRUE(std::any_of(services.inputs.begin(), services.inputs.end(), [](const auto& input) {
        return input.prompt == "Enter Point Level for Debt:" && input.title == "Variable Point Merit";
    }));
}

TEST_F(AddMerit, NothingIsWrittenForAnEmptyNameCancelEscapeNoCharacterOrBrowsing) {
    addLookup("Iron Will", 3);
    addWithOk("  ");
    EXPECT_FALSE(stillOpen);
    for (const bool escape : {false, true}) {
        onModal([escape](QDialog& dialog) {
            child<QComboBox>(dialog, "cmbMerit")->setEditText("Iron Will");
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(child<QPushButton>(dialog, "cmdcancel"), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
        });
        cmdAddMerit_Click(global, key, list, nullptr);
    }
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    cmdAddMerit_Click(global, QString(), list, nullptr); // no character shown
    global.editMode = false;
    cmdAddMerit_Click(global, key, list, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u) << "nothing opens";
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM MeritFlaw_Link"), 0);
}

// The new-name question comes when the box loses the focus, once, and one click on OK then adds.
TEST_F(AddMerit, LeavingTheBoxAsksOnceAndOneClickOnOkAdds) {
    enum class Leave { Tab, ClickOk, Enter };
    for (Leave leave : {Leave::Tab, Leave::ClickOk, Leave::Enter}) {
        SCOPED_TRACE(int(leave));
        list.clear();
        services.messages.clear();
        temp.exec("DELETE FROM MeritFlaw_LookUp");
        services.answers = {app::Answer::Yes, app::Answer::No};
        services.inputAnswers = {"4"};
        bool askedBeforeOk = false;
        onModal([&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbMerit");
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), "Night Sight");
            if (leave == Leave::Tab) {
                QTest::keyClick(combo, Qt::Key_Tab);
                askedBeforeOk = !services.messages.empty();
            }
            if (leave == Leave::Enter)
                QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            else
                QTest::mouseClick(child<QPushButton>(dialog, "cmdok"), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
        });
        cmdAddMerit_Click(global, key, list, nullptr);
        EXPECT_EQ(askedBeforeOk, leave == Leave::Tab);
        ASSERT_EQ(services.messages.size(), 2u);
        EXPECT_EQ(services.messages[0].text, "You have entered a new Merit/Flaw called: Night Sight. Is this correct?");
        EXPECT_EQ(lines(), QStringList{"Night Sight  4"});
        EXPECT_EQ(count("SELECT count(*) FROM MeritFlaw_LookUp"), 1);
        const auto& input = services.inputs.back();
        EXPECT_TRUE(input.prompt == "Please enter the points for this merit:" && input.title == "Duskledger" &&
                    input.preset == "1");
    }
}
