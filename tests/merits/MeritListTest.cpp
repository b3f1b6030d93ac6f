#include "MeritFixture.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace merits;

using MeritList = MeritFixture;

TEST_F(MeritList, LoaderWritesNameBlankPointsInTheOrderTheMeritsWereTaken) {
    const qint64 zeal = addLookup("Zeal", 3), luck = addLookup("Ogre's Luck", 1);
    link(ann, zeal, 3);
    link(bob, luck, 1);
    link(ann, luck, -1);
    link(ann, addLookup("Debt", QVariant(), true), 10);
    list.addItem("left from the last character");
    LoadMerits(global, key, list);
    EXPECT_EQ(lines(), QStringList({"Zeal 3", "Ogre's Luck -1", "Debt 10"}));
    EXPECT_EQ(list.item(0)->data(Qt::UserRole).toLongLong(), zeal);
    EXPECT_EQ(list.item(1)->data(Qt::UserRole).toLongLong(), luck);
}

TEST_F(MeritList, RemovalAsksAndDeletesOnlyTheSelectedLinesLinkOfThisCharacter) {
    cmdRemoveMerit_Click(global, key, list); // empty list: not even a message
    EXPECT_TRUE(services.messages.empty());
    for (const char* name : {"Ogre's Luck", "Zeal", "Scar"}) {
        const qint64 id = addLookup(name, 1);
        link(bob, id, 1);
        link(ann, id, 10);
    }
    LoadMerits(global, key, list);
    list.addItem("Nowhere 2"); // no merit behind it
    const auto remove = [&](int row, std::deque<app::Answer> answers = {}) {
        list.clearSelection();
        if (row >= 0)
            list.item(row)->setSelected(true);
        services.answers = answers;
        cmdRemoveMerit_Click(global, key, list);
        return services.lastMessage();
    };
    EXPECT_EQ(remove(-1), "You must select a Merit/Flaw to be removed!");
    EXPECT_TRUE(remove(3).endsWith("Nothing was changed."));
    EXPECT_EQ(remove(1, {app::Answer::Cancel}), "You are about to remove the Zeal Merit/Flaw. Are you Sure?");
    EXPECT_EQ(list.count(), 4);
    EXPECT_EQ(remove(1), "You are about to remove the Zeal Merit/Flaw. Are you Sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::OKCancel);
    EXPECT_EQ(lines(), QStringList({"Ogre's Luck 10", "Scar 10", "Nowhere 2"}));
    EXPECT_EQ(temp.scalar("SELECT group_concat(Char_ID || ':' || MeritFlaw_ID) FROM MeritFlaw_Link").toString(),
              QStringLiteral("%1:1,%2:1,%1:2,%1:3,%2:3").arg(bob).arg(ann));
}

TEST_F(MeritList, DescriptionIsEditableAndWrittenOnlyInEditMode) {
    link(ann, addLookup("Zeal", 10), 10);
    LoadMerits(global, key, list);
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    lstMerit_DblClick(global, key, list, nullptr); // no line selected: nothing opens
    ASSERT_EQ(services.modalHandlers.size(), 1u);
    services.modalHandlers.clear();
    list.item(0)->setSelected(true);
    const struct {
        bool editMode;
        const char* button;
        QString stored; // afterwards
    } cases[] = {{false, "cmdOk", ""}, {true, "cmdexit", ""}, {true, "cmdOk", "Bright."}, {false, "cmdOk", "Bright."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.editMode ? " edit" : " browse"));
        global.editMode = c.editMode;
        const QString before = temp.scalar("SELECT Description FROM MeritFlaw_LookUp").toString();
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
        lstMerit_DblClick(global, key, list, nullptr);
        EXPECT_EQ(temp.scalar("SELECT Description FROM MeritFlaw_LookUp").toString(), c.stored);
    }
    EXPECT_TRUE(services.messages.empty());
}
