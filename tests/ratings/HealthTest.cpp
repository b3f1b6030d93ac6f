#include "SheetRatingsFixture.h"

#include <QSignalSpy>

using ratings::HealthBox;

namespace {

class HealthTest : public SheetRatingsTest {
protected:
    // The seven boxes' states as digits; with states given, shows those first.
    QString shown(const QString& states = {}) const {
        QString now;
        for (size_t i = 0; i < 7; ++i) {
            if (!states.isEmpty())
                ui().HealthBox[i]->setState(states[int(i)].digitValue());
            now += QString::number(ui().HealthBox[i]->state());
        }
        return now;
    }
    // The seven stored states of a character, "1111111" when untouched.
    QString health(qint64 id) {
        return session->database
            ->scalar("SELECT Health0||Health1||Health2||Health3||Health4||Health5||Health6 "
                     "FROM Health WHERE Char_ID = ?",
                     {id})
            .toString();
    }
};

TEST_F(HealthTest, ClicksCycleDoubleClickClearsLoadAndStoreTouchOnlyTheShownCharacter) {
    const qint64 other = temp.addCharacter(QStringLiteral("Other"));
    const QString orphan = QString::number(temp.addCharacter(QStringLiteral("Orphan")));
    temp.exec("DELETE FROM Health WHERE Char_ID = " + orphan);
    open();
    HealthBox& box = *ui().HealthBox[4];
    QSignalSpy changed(&box, &HealthBox::changed);
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

    // A switch shows the stored states (anything but 2 and 3 as empty); a click stores all seven of
    // the shown character at once, and nothing for a character without a Health row.
    box.setEnabled(true);
    session->database->Execute("UPDATE Health SET Health0 = 1, Health1 = 2, Health2 = 3, Health3 = NULL, "
                               "Health4 = 7, Health5 = 'x', Health6 = 0 WHERE Char_ID = ?",
                               {key});
    shown("3333333"); // what a previous character left
    window->sheet().switchTo(key);
    EXPECT_EQ(shown(), "1231111");
    QTest::mouseClick(ui().HealthBox[6], Qt::LeftButton);
    EXPECT_EQ(health(key), "1231112");
    EXPECT_EQ(health(other), "1111111");
    window->sheet().switchTo(orphan.toLongLong());
    EXPECT_EQ(shown(), "1111111");
    QTest::mouseClick(ui().HealthBox[0], Qt::LeftButton);
    EXPECT_EQ(session->database->scalar("SELECT count(*) FROM Health").toInt(), 2);
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
