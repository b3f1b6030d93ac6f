#include "app/mdlGlobal.h"
#include "ratings/HealthBox.h"
#include "ratings/HealthTrack.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using ratings::HealthBox;

namespace {

struct HealthTest : ::testing::Test {
    ScriptedServices services;
    TempDatabase temp;
    app::mdlGlobal global{services};
    std::vector<std::unique_ptr<HealthBox>> owned;
    ratings::HealthBoxes boxes{};
    QString key;

    void SetUp() override {
        key = QString::number(temp.addCharacter(QStringLiteral("Mira")));
        global.database = db::Database::open(temp.path(), false);
        for (int i = 0; i < ratings::kHealthLevels; ++i) {
            owned.push_back(std::make_unique<HealthBox>(global.bitmaps));
            owned.back()->setObjectName(QStringLiteral("HealthBox(%1)").arg(i));
            boxes[i] = owned.back().get();
        }
    }

    QList<int> stored(const QString& id) {
        QList<int> states;
        for (int i = 0; i < ratings::kHealthLevels; ++i)
            states
                << temp.scalar(QStringLiteral("SELECT Health%1 FROM Health WHERE Char_ID = %2").arg(i).arg(id)).toInt();
        return states;
    }
    QList<int> shown() const {
        QList<int> states;
        for (const HealthBox* box : boxes)
            states << box->state();
        return states;
    }
    void setShown(const QList<int>& states) {
        for (int i = 0; i < ratings::kHealthLevels; ++i)
            boxes[i]->setState(states[i]);
    }
};

TEST_F(HealthTest, ClicksCycleEmptyTickedCrossedAndDoubleClickClears) {
    HealthBox& box = *boxes[4];
    QSignalSpy changed(&box, &HealthBox::changed);
    const QList<std::pair<int, QString>> cycle = {{2, "BOXCHECK.bmp"}, {3, "BOXX.bmp"}, {1, "BOX.bmp"}};
    for (const auto& [state, picture] : cycle) {
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(box.state(), state);
        EXPECT_EQ(box.pictureName(), picture);
    }
    EXPECT_EQ(changed.count(), 3);

    // A real double-click: press, release, then the second press arrives as a double-click.
    for (int start : {1, 2, 3}) {
        box.setState(start);
        changed.clear();
        QTest::mouseClick(&box, Qt::LeftButton);
        QTest::mouseDClick(&box, Qt::LeftButton);
        EXPECT_EQ(box.state(), 1) << "from state " << start;
        EXPECT_EQ(changed.count(), 2);
    }

    box.setState(7); // not a state: shows empty
    EXPECT_EQ(box.pictureName(), "BOX.bmp");
    changed.clear();
    QTest::mouseClick(&box, Qt::RightButton);
    EXPECT_EQ(box.state(), 1);
    box.setEnabled(false);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(box.state(), 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(HealthTest, LoadShowsStoredStatesAndEmptyForAnythingElse) {
    temp.exec("UPDATE Health SET Health0 = 1, Health1 = 2, Health2 = 3, Health3 = NULL, Health4 = 7, "
              "Health5 = 'x', Health6 = 0 WHERE Char_ID = " +
              key);
    setShown({3, 3, 3, 3, 3, 3, 3}); // what a previous character left
    ratings::loadHealth(global, key, boxes);
    EXPECT_EQ(shown(), QList<int>({1, 2, 3, 1, 1, 1, 1}));
}

TEST_F(HealthTest, LoadWithoutRowOrCharacterShowsEmptyBoxes) {
    const QString orphan = QString::number(temp.addCharacter(QStringLiteral("Orphan")));
    temp.exec("DELETE FROM Health WHERE Char_ID = " + orphan);
    for (const QString& id : {orphan, QString(), QStringLiteral("999"), QStringLiteral("1 OR 1=1")}) {
        setShown({2, 3, 2, 3, 2, 3, 2});
        ratings::loadHealth(global, id, boxes);
        EXPECT_EQ(shown(), QList<int>({1, 1, 1, 1, 1, 1, 1})) << id.toStdString();
    }
}

TEST_F(HealthTest, StoreWritesAllSevenStatesOfTheCharacterOnly) {
    const QString other = QString::number(temp.addCharacter(QStringLiteral("Other")));
    setShown({1, 2, 3, 1, 3, 2, 1});
    ratings::storeHealth(global, key, boxes);
    EXPECT_EQ(stored(key), QList<int>({1, 2, 3, 1, 3, 2, 1}));
    EXPECT_EQ(stored(other), QList<int>({1, 1, 1, 1, 1, 1, 1}));

    // Wired as the sheet wires it: every click stores at once.
    QObject::connect(boxes[4], &HealthBox::changed, [&] { ratings::storeHealth(global, key, boxes); });
    QTest::mouseClick(boxes[4], Qt::LeftButton);
    EXPECT_EQ(stored(key), QList<int>({1, 2, 3, 1, 1, 2, 1}));
    QTest::mouseClick(boxes[4], Qt::LeftButton);
    QTest::mouseDClick(boxes[4], Qt::LeftButton);
    EXPECT_EQ(stored(key), QList<int>({1, 2, 3, 1, 1, 2, 1}));
}

TEST_F(HealthTest, StoreWithoutCharacterWritesNothing) {
    const QString orphan = QString::number(temp.addCharacter(QStringLiteral("Orphan")));
    temp.exec("DELETE FROM Health WHERE Char_ID = " + orphan);
    const int rows = temp.scalar("SELECT count(*) FROM Health").toInt();
    setShown({3, 3, 3, 3, 3, 3, 3});
    for (const QString& id : {orphan, QString(), QStringLiteral("abc")})
        EXPECT_NO_THROW(ratings::storeHealth(global, id, boxes));
    EXPECT_EQ(temp.scalar("SELECT count(*) FROM Health WHERE Health0 = 3").toInt(), 0);
    EXPECT_EQ(temp.scalar("SELECT count(*) FROM Health").toInt(), rows);

    global.database.reset();
    EXPECT_NO_THROW(ratings::storeHealth(global, key, boxes));
    EXPECT_NO_THROW(ratings::loadHealth(global, key, boxes));
}

} // namespace
