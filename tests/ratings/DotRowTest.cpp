#include "ratings/DotRow.h"
#include "ratings/BitmapStore.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using ratings::DotRow;

namespace {

struct DotRowTest : ::testing::Test {
    QTemporaryDir folder;
    ratings::BitmapStore bitmaps{folder.path()};

    // A bitmap whose left half is red and right half blue.
    void writeHalves(const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB888);
        image.fill(Qt::blue);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width() / 2; ++x)
                image.setPixelColor(x, y, Qt::red);
        ASSERT_TRUE(image.save(folder.filePath(name), "BMP"));
    }
};

TEST_F(DotRowTest, FilesFoundWithoutRegardToCaseTwinsPreferredMissingOnesShownInRed) {
    writeHalves("Check03.BMP", {160, 14});
    writeHalves("BOX05.bmp", {160, 14});
    writeHalves("BOX05@2x.bmp", {320, 28});
    EXPECT_EQ(bitmaps.locate("check03.bmp"), folder.filePath("Check03.BMP"));
    EXPECT_EQ(bitmaps.pixmap("CHECK03.bmp", 1.5).width(), 160); // no twin: the plain file serves
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 2.0).width(), 320);
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 2.0).devicePixelRatio(), 2.0);
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 1.0).width(), 160);

    DotRow row(bitmaps);
    row.setPicture("CHECK07.bmp");
    EXPECT_EQ(row.grab().toImage().pixelColor(0, 0), QColor(200, 30, 30)); // the placeholder's frame
}

TEST_F(DotRowTest, HalfWidthRowShowsLeftHalfAndCountsDoubleWidth) {
    writeHalves("CHECK02.bmp", {160, 14});
    DotRow row(bitmaps);
    row.setPicture("CHECK02.bmp");
    EXPECT_EQ(row.grab().toImage().pixelColor(row.width() - 5, 7), QColor(Qt::blue));
    row.setHalfWidth(true);
    EXPECT_EQ(row.tenDotWidth(), 2 * row.width());
    EXPECT_EQ(row.grab().toImage().pixelColor(row.width() - 2, 7), QColor(Qt::red));
}

TEST_F(DotRowTest, ClicksReportPositionAndButtonAndDoubleClicksComeAlone) {
    DotRow row(bitmaps);
    QSignalSpy pressed(&row, &DotRow::pressed);
    QSignalSpy doubled(&row, &DotRow::doubleClicked);
    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(35, 7));
    QTest::mouseClick(&row, Qt::RightButton, {}, QPoint(150, 2));
    QTest::mouseDClick(&row, Qt::LeftButton, {}, QPoint(20, 7));
    ASSERT_EQ(pressed.count(), 2);
    for (auto [i, x, button] : {std::tuple{0, 35, Qt::LeftButton}, {1, 150, Qt::RightButton}}) {
        EXPECT_EQ(pressed[i][0].toInt(), x);
        EXPECT_EQ(pressed[i][1].value<Qt::MouseButton>(), button);
    }
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled[0][0].toInt(), 20);
}

} // namespace
