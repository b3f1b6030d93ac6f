#include "MeritFixture.h"

#include "merits/MeritList.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace merits;

namespace {

class MeritList : public MeritFixture {
protected:
    int links(qint64 charId, qint64 meritId) {
        return temp.db()
            .scalar(QStringLiteral("SELECT count(*) FROM MeritFlaw_Link WHERE Char_ID = ? AND MeritFlaw_ID = ?"),
                    {charId, meritId})
            .toInt();
    }
};

TEST_F(MeritList, LoaderWritesNameBlankPointsInTheOrderTheMeritsWereTaken) {
    const qint64 zeal = addLookup(QStringLiteral("Zeal"), 3);
    const qint64 luck = addLookup(QStringLiteral("Ogre's Luck"), 1);
    link(ann, zeal, 3);
    link(bob, luck, 1);
    link(ann, luck, -1);
    link(ann, addLookup(QStringLiteral("Debt"), QVariant(), true), 10);
    list.addItem(QStringLiteral("left from the last character"));

    LoadMerits(global, key, list);
    EXPECT_EQ(lines(),
              QStringList({QStringLiteral("Zeal 3"), QStringLiteral("Ogre's Luck -1"), QStringLiteral("Debt 10")}));
    EXPECT_EQ(list.item(0)->data(Qt::UserRole).toLongLong(), zeal);
    EXPECT_EQ(list.item(1)->data(Qt::UserRole).toLongLong(), luck);
}

TEST_F(MeritList, RemovesExactlyTheSelectedLinesMeritOfThisCharacter) {
    // Loader and dialog lines with one- and two-character points; Bob shares every merit.
    const QStringList names = {QStringLiteral("Ogre's Luck"), QStringLiteral("Zeal"), QStringLiteral("Debt"),
                               QStringLiteral("Scar")};
    const int points[] = {1, 10, 1, 10};
    QList<qint64> ids;
    for (int i = 0; i < 4; ++i) {
        ids << addLookup(names[i], points[i]);
        link(bob, ids[i], points[i]);
        if (i < 2)
            link(ann, ids[i], points[i]);
    }
    LoadMerits(global, key, list);
    for (int i = 2; i < 4; ++i) {
        onModal([&, i](QDialog& dialog) {
            child<QComboBox>(dialog, "cmbMerit")->setEditText(names[i]);
            QTest::mouseClick(child<QPushButton>(dialog, "cmdok"), Qt::LeftButton);
        });
        cmdAddMerit_Click(global, key, list, nullptr);
    }
    ASSERT_EQ(lines(), QStringList({QStringLiteral("Ogre's Luck 1"), QStringLiteral("Zeal 10"),
                                    QStringLiteral("Debt  1"), QStringLiteral("Scar  10")}));

    for (int i = 3; i >= 0; --i) {
        SCOPED_TRACE(names[i].toStdString());
        list.item(i)->setSelected(true);
        cmdRemoveMerit_Click(global, key, list);
        EXPECT_EQ(services.lastMessage(), QStringLiteral("You are about to remove the ") + names[i] +
                                              QStringLiteral(" Merit/Flaw. Are you Sure?"));
        EXPECT_EQ(services.messages.back().buttons, app::Buttons::OKCancel);
        EXPECT_EQ(links(ann, ids[i]), 0);
        EXPECT_EQ(links(bob, ids[i]), 1);
        EXPECT_EQ(list.count(), i);
    }
}

TEST_F(MeritList, RemovalRefusedOrCancelledChangesNothing) {
    cmdRemoveMerit_Click(global, key, list); // empty list: not even a message
    EXPECT_TRUE(services.messages.empty());

    const qint64 zeal = addLookup(QStringLiteral("Zeal"), 3);
    link(ann, zeal, 3);
    LoadMerits(global, key, list);
    list.addItem(QStringLiteral("Nowhere 2")); // no merit behind it

    cmdRemoveMerit_Click(global, key, list);
    EXPECT_EQ(services.lastMessage(), QStringLiteral("You must select a Merit/Flaw to be removed!"));
    list.item(0)->setSelected(true);
    services.answers = {app::Answer::Cancel};
    cmdRemoveMerit_Click(global, key, list);
    list.item(1)->setSelected(true);
    cmdRemoveMerit_Click(global, key, list);
    EXPECT_TRUE(services.lastMessage().endsWith(QStringLiteral("Nothing was changed.")));

    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(links(ann, zeal), 1);
}

TEST_F(MeritList, DescriptionIsEditableAndWrittenOnlyInEditMode) {
    const qint64 zeal = addLookup(QStringLiteral("Zeal"), 10);
    link(ann, zeal, 10);
    LoadMerits(global, key, list);
    // Without a selected line nothing opens.
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    lstMerit_DblClick(global, key, list, nullptr);
    ASSERT_EQ(services.modalHandlers.size(), 1u);
    services.modalHandlers.clear();
    list.item(0)->setSelected(true);

    const struct {
        bool editMode;
        const char* button;
        QString stored; // afterwards
    } cases[] = {
        {false, "cmdOk", QString()},
        {true, "cmdexit", QString()},
        {true, "cmdOk", QStringLiteral("Burns bright.")},
        {false, "cmdOk", QStringLiteral("Burns bright.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + (c.editMode ? " edit" : " browse"));
        global.editMode = c.editMode;
        const QString before = temp.scalar(QStringLiteral("SELECT Description FROM MeritFlaw_LookUp")).toString();
        onModal([&](QDialog& dialog) {
            EXPECT_EQ(child<QLabel>(dialog, "lblMerit")->text(), QStringLiteral("Zeal"));
            auto* text = child<QPlainTextEdit>(dialog, "rtxtMerit");
            EXPECT_EQ(text->toPlainText(), before);
            EXPECT_EQ(text->isReadOnly(), !c.editMode);
            text->selectAll();
            QTest::keyClicks(text, QStringLiteral("Burns bright."));
            QTest::mouseClick(child<QPushButton>(dialog, c.button), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible());
        });
        lstMerit_DblClick(global, key, list, nullptr);
        EXPECT_EQ(temp.scalar(QStringLiteral("SELECT Description FROM MeritFlaw_LookUp")).toString(), c.stored);
    }
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
