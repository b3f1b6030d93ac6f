#include "MeritFixture.h"

#include "merits/MeritList.h"

#include <QLineEdit>

using merits::cmdAddMerit_Click;

namespace {

class AddMerit : public MeritFixture {
protected:
    // Types or picks the name, presses OK; records whether the dialog is still open.
    void addWithOk(const QString& name) {
        onModal([this, name](QDialog& dialog) {
            child<QComboBox>(dialog, "cmbMerit")->setEditText(name);
            QTest::mouseClick(child<QPushButton>(dialog, "cmdok"), Qt::LeftButton);
            stillOpen = dialog.isVisible();
        });
        cmdAddMerit_Click(global, key, list, nullptr);
    }
    QVariant lookupValue(const QString& column, const QString& name) {
        return temp.db().scalar(
            QStringLiteral("SELECT ") + column + QStringLiteral(" FROM MeritFlaw_LookUp WHERE MeritFlaw = ?"), {name});
    }
    QVariant linkPoints(qint64 meritId) {
        return temp.db().scalar(
            QStringLiteral("SELECT Points FROM MeritFlaw_Link WHERE Char_ID = ? AND MeritFlaw_ID = ?"), {ann, meritId});
    }

    bool stillOpen = false;
};

TEST_F(AddMerit, ListsTheLookupNamesInOrder) {
    addLookup(QStringLiteral("Iron Will"), 3);
    addLookup(QStringLiteral("Ambidextrous"), 1);
    QStringList items;
    onModal([&](QDialog& dialog) {
        auto* combo = child<QComboBox>(dialog, "cmbMerit");
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add Flaw/Merit"));
        EXPECT_TRUE(combo->currentText().isEmpty());
    });
    cmdAddMerit_Click(global, key, list, nullptr);
    EXPECT_EQ(items, QStringList({QStringLiteral("Ambidextrous"), QStringLiteral("Iron Will")}));
}

TEST_F(AddMerit, ExistingFixedPointEntry) {
    // Typed in another case, the name is still the listed entry: no new-name question.
    for (const QString& typed : {QStringLiteral("Iron Will"), QStringLiteral("iron will ")}) {
        SCOPED_TRACE(typed.toStdString());
        list.clear();
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_Link"));
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_LookUp"));
        const qint64 id = addLookup(QStringLiteral("Iron Will"), 3);
        addWithOk(typed);
        EXPECT_FALSE(stillOpen);
        EXPECT_TRUE(services.messages.empty());
        ASSERT_EQ(list.count(), 1);
        EXPECT_EQ(list.item(0)->text(), typed.trimmed() + QStringLiteral("  3"));
        EXPECT_EQ(list.item(0)->data(Qt::UserRole).toLongLong(), id);
        EXPECT_EQ(linkPoints(id).toInt(), 3);
        EXPECT_EQ(temp.scalar(QStringLiteral("SELECT count(*) FROM MeritFlaw_LookUp")).toInt(), 1);
    }
}

TEST_F(AddMerit, NewFixedPointName) {
    services.answers = {app::Answer::Yes, app::Answer::No};
    services.inputAnswers = {QStringLiteral("2 dots")};
    addWithOk(QStringLiteral("Ogre's Luck"));

    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[0].text,
              QStringLiteral("You have entered a new Merit/Flaw called: Ogre's Luck. Is this correct?"));
    EXPECT_EQ(services.messages[0].buttons, app::Buttons::YesNo);
    EXPECT_EQ(services.messages[1].text, QStringLiteral("Are the points of this Merit/Flaw variable?"));
    ASSERT_EQ(services.inputs.size(), 1u);
    EXPECT_EQ(services.inputs[0].prompt, QStringLiteral("Please enter the points for this merit:"));
    EXPECT_EQ(services.inputs[0].title, QStringLiteral("Duskledger"));
    EXPECT_EQ(services.inputs[0].preset, QStringLiteral("1"));

    EXPECT_EQ(lookupValue(QStringLiteral("Points"), QStringLiteral("Ogre's Luck")).toInt(), 2);
    EXPECT_EQ(lookupValue(QStringLiteral("pointflex"), QStringLiteral("Ogre's Luck")).toInt(), 0);
    EXPECT_EQ(lines(), QStringList({QStringLiteral("Ogre's Luck  2")}));
    const qint64 id = lookupValue(QStringLiteral("MeritFlaw_ID"), QStringLiteral("Ogre's Luck")).toLongLong();
    EXPECT_EQ(linkPoints(id).toInt(), 2);
}

TEST_F(AddMerit, NewVariablePointNameAsksAgainUntilTheLevelIsANumber) {
    services.answers = {app::Answer::Yes, app::Answer::Yes};
    services.inputAnswers = {QString(), QStringLiteral("lots"), QStringLiteral("40000"), QStringLiteral(" -1 ")};
    addWithOk(QStringLiteral("Debt"));

    EXPECT_EQ(lookupValue(QStringLiteral("pointflex"), QStringLiteral("Debt")).toInt(), 1);
    ASSERT_EQ(services.inputs.size(), 4u);
    for (const auto& input : services.inputs) {
        EXPECT_EQ(input.prompt, QStringLiteral("Enter Point Level for Debt:"));
        EXPECT_EQ(input.title, QStringLiteral("Variable Point Merit"));
        EXPECT_TRUE(input.preset.isEmpty());
    }
    EXPECT_EQ(services.messages.size(), 2u + 3u); // two questions, three refusals
    EXPECT_EQ(lines(), QStringList({QStringLiteral("Debt  -1")}));
    const qint64 id = lookupValue(QStringLiteral("MeritFlaw_ID"), QStringLiteral("Debt")).toLongLong();
    EXPECT_EQ(linkPoints(id).toInt(), -1);
}

TEST_F(AddMerit, RefusalsWriteNothingAndKeepTheDialogOpen) {
    const qint64 owned = addLookup(QStringLiteral("Iron Will"), 3);
    addLookup(QStringLiteral("Debt"), QVariant(), true);
    link(ann, owned, 3);

    struct Case {
        const char* name;
        QString typed;
        std::deque<app::Answer> answers;
        std::deque<std::optional<QString>> inputs;
        QString lastMessage;
    };
    const std::vector<Case> cases = {
        {"duplicate",
         QStringLiteral("Iron Will"),
         {},
         {},
         QStringLiteral("You already have Iron Will as a Merit/Flaw!")},
        {"variable level cancelled", QStringLiteral("Debt"), {}, {std::nullopt}, QString()},
        {"new name declined", QStringLiteral("Cursed"), {app::Answer::No}, {}, QStringLiteral("not a known")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services.messages.clear();
        services.answers = c.answers;
        services.inputAnswers = c.inputs;
        addWithOk(c.typed);
        EXPECT_TRUE(stillOpen);
        EXPECT_TRUE(list.count() == 0);
        EXPECT_TRUE(services.lastMessage().contains(c.lastMessage)) << services.lastMessage().toStdString();
        EXPECT_EQ(temp.scalar(QStringLiteral("SELECT count(*) FROM MeritFlaw_Link")).toInt(), 1);
        EXPECT_EQ(temp.scalar(QStringLiteral("SELECT count(*) FROM MeritFlaw_LookUp")).toInt(), 2);
    }
}

TEST_F(AddMerit, EmptyNameOrCancelClosesWithoutWriting) {
    addLookup(QStringLiteral("Iron Will"), 3);
    addWithOk(QStringLiteral("  "));
    EXPECT_FALSE(stillOpen);

    onModal([](QDialog& dialog) {
        child<QComboBox>(dialog, "cmbMerit")->setEditText(QStringLiteral("Iron Will"));
        QTest::mouseClick(child<QPushButton>(dialog, "cmdcancel"), Qt::LeftButton);
    });
    cmdAddMerit_Click(global, key, list, nullptr);

    onModal([](QDialog& dialog) {
        child<QComboBox>(dialog, "cmbMerit")->setEditText(QStringLiteral("Iron Will"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    cmdAddMerit_Click(global, key, list, nullptr);

    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(temp.scalar(QStringLiteral("SELECT count(*) FROM MeritFlaw_Link")).toInt(), 0);
}

TEST_F(AddMerit, NameCheckOnLeavingTheBoxAsksOnceAndOneClickOnOkAdds) {
    enum class Leave { Tab, ClickOk, Enter };
    for (Leave leave : {Leave::Tab, Leave::ClickOk, Leave::Enter}) {
        SCOPED_TRACE(int(leave));
        list.clear();
        services.messages.clear();
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_Link"));
        temp.exec(QStringLiteral("DELETE FROM MeritFlaw_LookUp"));
        services.answers = {app::Answer::Yes, app::Answer::No};
        services.inputAnswers = {QStringLiteral("4")};
        bool askedBeforeOk = false;
        onModal([&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbMerit");
            auto* ok = child<QPushButton>(dialog, "cmdok");
            combo->setFocus();
            QTest::keyClicks(combo->lineEdit(), QStringLiteral("Night Sight"));
            if (leave == Leave::Tab) {
                QTest::keyClick(combo, Qt::Key_Tab);
                askedBeforeOk = !services.messages.empty();
                QTest::mouseClick(ok, Qt::LeftButton);
            } else if (leave == Leave::ClickOk) {
                QTest::mouseClick(ok, Qt::LeftButton);
            } else {
                QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            }
            EXPECT_FALSE(dialog.isVisible());
        });
        cmdAddMerit_Click(global, key, list, nullptr);
        EXPECT_EQ(askedBeforeOk, leave == Leave::Tab);
        EXPECT_EQ(services.messages.size(), 2u);
        EXPECT_EQ(lines(), QStringList({QStringLiteral("Night Sight  4")}));
        EXPECT_EQ(temp.scalar(QStringLiteral("SELECT count(*) FROM MeritFlaw_LookUp")).toInt(), 1);
    }
}

TEST_F(AddMerit, NothingHappensWithoutACharacterOrOutsideEditMode) {
    addLookup(QStringLiteral("Iron Will"), 3);
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    cmdAddMerit_Click(global, QString(), list, nullptr);
    global.editMode = false;
    cmdAddMerit_Click(global, key, list, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u); // never shown
}

} // namespace
