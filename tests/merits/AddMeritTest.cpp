#include "MeritFixture.h"

#include "db/Sql.h"
#include "merits/MeritList.h"

#include <QLineEdit>

using merits::cmdAddMerit_Click;

namespace {

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

TEST_F(AddMerit, ListedOrNewNamesWriteTheLinkAndAppendADialogLine) {
    struct Case {
        QString typed;
        std::deque<app::Answer> answers;
        std::deque<std::optional<QString>> inputs;
        QString line;
        int pointflex;
        size_t messages;
    };
    const Case cases[] = {
        {QStringLiteral("Iron Will"), {}, {}, QStringLiteral("Iron Will  3"), 0, 0},
        {QStringLiteral(" iron will "), {}, {}, QStringLiteral("iron will  3"), 0, 0}, // the listed entry
        {QStringLiteral("Ogre's Luck"),
         {app::Answer::Yes, app::Answer::No},
         {QStringLiteral("2 dots")},
         QStringLiteral("Ogre's Luck  2"),
         0,
         2},
        // A variable level is asked again until it is a 16-bit number.
        {QStringLiteral("Debt"),
         {app::Answer::Yes, app::Answer::Yes},
         {QString(), QStringLiteral("lots"), QStringLiteral("40000"), QStringLiteral(" -1 ")},
         QStringLiteral("Debt  -1"),
         1,
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        list.clear();
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_Link"));
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_LookUp"));
        addLookup(QStringLiteral("Iron Will"), 3);
        services.messages.clear();
        services.inputs.clear();
        services.answers = c.answers;
        services.inputAnswers = c.inputs;
        addWithOk(c.typed);

        EXPECT_FALSE(stillOpen);
        EXPECT_EQ(services.messages.size(), c.messages);
        ASSERT_EQ(lines(), QStringList{c.line});
        const QString name = c.typed.trimmed();
        const auto row = temp.db().OpenRecordset(QStringLiteral("SELECT * FROM MeritFlaw_LookUp WHERE MeritFlaw = ") +
                                                 db::sqlText(name));
        ASSERT_FALSE(row->atEOF());
        EXPECT_EQ(row->Fields(QStringLiteral("pointflex")).toInt(), c.pointflex);
        const qint64 id = row->Fields(QStringLiteral("MeritFlaw_ID")).toLongLong();
        EXPECT_EQ(list.item(0)->data(Qt::UserRole).toLongLong(), id);
        EXPECT_EQ(
            temp.db()
                .scalar(QStringLiteral("SELECT Points FROM MeritFlaw_Link WHERE Char_ID = ? AND MeritFlaw_ID = ?"),
                        {ann, id})
                .toString(),
            c.line.section(QLatin1Char(' '), -1));
    }
    // The prompts of the last two cases.
    EXPECT_EQ(services.messages[0].text,
              QStringLiteral("You have entered a new Merit/Flaw called: Debt. Is this correct?"));
    EXPECT_EQ(services.messages[1].text, QStringLiteral("Are the points of this Merit/Flaw variable?"));
    EXPECT_EQ(services.inputs[0].prompt, QStringLiteral("Enter Point Level for Debt:"));
    EXPECT_EQ(services.inputs[0].title, QStringLiteral("Variable Point Merit"));
}

TEST_F(AddMerit, RefusalsWriteNothingAndKeepTheDialogOpen) {
    const qint64 owned = addLookup(QStringLiteral("Iron Will"), 3);
    addLookup(QStringLiteral("Debt"), QVariant(), true);
    link(ann, owned, 3);
    struct Case {
        QString typed;
        std::deque<app::Answer> answers;
        QString lastMessage;
    };
    const Case cases[] = {
        {QStringLiteral("Iron Will"), {}, QStringLiteral("You already have Iron Will as a Merit/Flaw!")},
        {QStringLiteral("Debt"), {}, QString()}, // the variable level cancelled
        {QStringLiteral("Cursed"), {app::Answer::No}, QStringLiteral("Cursed is not a known Merit/Flaw")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        services.answers = c.answers;
        addWithOk(c.typed);
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(services.lastMessage().startsWith(c.lastMessage)) << services.lastMessage().toStdString();
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(count("MeritFlaw_Link"), 1);
        EXPECT_EQ(count("MeritFlaw_LookUp"), 2);
    }
}

TEST_F(AddMerit, EmptyNameCancelAndEscapeCloseWithoutWriting) {
    addLookup(QStringLiteral("Iron Will"), 3);
    addWithOk(QStringLiteral("  "));
    EXPECT_FALSE(stillOpen);
    for (const bool escape : {false, true}) {
        onModal([escape](QDialog& dialog) {
            child<QComboBox>(dialog, "cmbMerit")->setEditText(QStringLiteral("Iron Will"));
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(child<QPushButton>(dialog, "cmdcancel"), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
        });
        cmdAddMerit_Click(global, key, list, nullptr);
    }
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(count("MeritFlaw_Link"), 0);
}

TEST_F(AddMerit, LeavingTheBoxAsksOnceAndOneClickOnOkAdds) {
    enum class Leave { Tab, ClickOk, Enter };
    for (Leave leave : {Leave::Tab, Leave::ClickOk, Leave::Enter}) {
        SCOPED_TRACE(int(leave));
        list.clear();
        services.messages.clear();
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_LookUp"));
        services.answers = {app::Answer::Yes, app::Answer::No};
        services.inputAnswers = {QStringLiteral("4")};
        bool askedBeforeOk = false;
        onModal([&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbMerit");
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), QStringLiteral("Night Sight"));
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
        EXPECT_EQ(services.messages.size(), 2u);
        EXPECT_EQ(lines(), QStringList{QStringLiteral("Night Sight  4")});
        EXPECT_EQ(count("MeritFlaw_LookUp"), 1);
        EXPECT_EQ(services.inputs.back().prompt, QStringLiteral("Please enter the points for this merit:"));
        EXPECT_EQ(services.inputs.back().title, QStringLiteral("Duskledger"));
        EXPECT_EQ(services.inputs.back().preset, QStringLiteral("1"));
    }
}

TEST_F(AddMerit, NothingOpensWithoutACharacterOrOutsideEditMode) {
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    cmdAddMerit_Click(global, QString(), list, nullptr);
    global.editMode = false;
    cmdAddMerit_Click(global, key, list, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}

} // namespace
