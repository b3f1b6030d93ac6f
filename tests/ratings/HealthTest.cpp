#include "sheet/SheetFixture.h"

#include <QSignalSpy>

using ratings::HealthBox;

namespace {

TEST_F(SheetTest, HealthClicksCycleDoubleClickClearsAndTheShownCharacterIsStoredAtOnce) {
    const qint64 key = character("Mirela");
    character("Other");
    open();
    HealthBox& box = *ui().HealthBox[4];
    QSignalSpy changed(&box, &HealthBox::stateRequested);
    for (const auto& [state, picture] : {std::pair{2, "BOXCHECK.bmp"}, {3, "BOXX.bmp"}, {1, "BOX.bmp"}}) {
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(box.state(), state);
        EXPECT_EQ(box.pictureName(), picture);
    }
    QTest::mouseClick(&box, Qt::LeftButton);
    QTest::mouseDClick(&box, Qt::LeftButton); // the second press of a real double-click
    EXPECT_EQ(box.state(), 1);
    EXPECT_EQ(changed.count(), 5);
    box.setState(7); // not a state: shows empty
    EXPECT_EQ(box.pictureName(), "BOX.bmp");
    QTest::mouseClick(&box, Qt::RightButton);
    box.setEnabled(false);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(box.state(), 1);
    EXPECT_EQ(changed.count(), 5);

    // In browse mode too, a click stores all seven boxes of the shown character.
    box.setEnabled(true);
    for (int box : {0, 0, 6})
        QTest::mouseClick(ui().HealthBox[size_t(box)], Qt::LeftButton);
    const QString sql = "SELECT group_concat(Health0||Health1||Health2||Health3||Health4||Health5||Health6) FROM "
                        "Health WHERE Char_ID ";
    EXPECT_EQ(stored(sql + "= " + QString::number(key)), "3111112");
    EXPECT_EQ(stored(sql + "<> " + QString::number(key)), "1111111");
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
