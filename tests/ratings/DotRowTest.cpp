#include "ratings/DotRow.h"
#include "ratings/BitmapStore.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using ratings::BitmapStore;
using ratings::DotRow;

namespace {

struct DotRowTest : ::testing::Test {
    QTemporaryDir folder;
    BitmapStore bitmaps{folder.path()};

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

TEST_F(DotRowTest, FilesAreFoundWithoutRegardToCase) {
    writeHalves("Check03.BMP", {160, 14});
    EXPECT_EQ(bitmaps.locate("CHECK03.bmp"), folder.filePath("Check03.BMP"));
    EXPECT_EQ(bitmaps.locate("check03.bmp"), folder.filePath("Check03.BMP"));
    EXPECT_EQ(bitmaps.pixmap("CHECK03.bmp").size(), QSize(160, 14));
    EXPECT_TRUE(bitmaps.locate("CHECK04.bmp").isEmpty());
}

TEST_F(DotRowTest, MissingFileGivesAVisiblePlaceholder) {
    const QPixmap missing = bitmaps.pixmap("BOXX.bmp");
    ASSERT_FALSE(missing.isNull());
    EXPECT_EQ(missing.toImage().pixelColor(0, 0), QColor(200, 30, 30)); // the red frame

    DotRow row(bitmaps);
    row.setPicture("CHECK07.bmp");
    const QImage shown = row.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(200, 30, 30));
}

TEST_F(DotRowTest, HighResolutionTwinIsPreferredOnHighDpiScreens) {
    writeHalves("BOX05.bmp", {160, 14});
    writeHalves("BOX05@2x.bmp", {320, 28});
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 2.0).width(), 320);
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 2.0).devicePixelRatio(), 2.0);
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 1.0).width(), 160);
    writeHalves("BOX06.bmp", {160, 14}); // no twin: the plain file serves
    EXPECT_EQ(bitmaps.pixmap("BOX06.bmp", 1.5).width(), 160);
}

TEST_F(DotRowTest, HalfWidthRowShowsLeftHalfAndCountsDoubleWidth) {
    writeHalves("CHECK02.bmp", {160, 14});
    DotRow row(bitmaps);
    row.setPicture("CHECK02.bmp");
    EXPECT_EQ(row.tenDotWidth(), row.width());
    const QImage full = row.grab().toImage();
    EXPECT_EQ(full.pixelColor(5, 7), QColor(Qt::red));
    EXPECT_EQ(full.pixelColor(row.width() - 5, 7), QColor(Qt::blue));

    row.setHalfWidth(true);
    EXPECT_EQ(row.tenDotWidth(), 2 * row.width());
    const QImage half = row.grab().toImage();
    EXPECT_EQ(half.pixelColor(5, 7), QColor(Qt::red));
    EXPECT_EQ(half.pixelColor(row.width() - 2, 7), QColor(Qt::red));
}

TEST_F(DotRowTest, ClicksReportPositionButtonAndDoubleClicks) {
    DotRow row(bitmaps);
    row.setObjectName("PBAtt(3)");
    EXPECT_EQ(row.accessibleName(), "PBAtt(3)");
    row.setTag(" 3");
    EXPECT_EQ(row.Tag(), " 3");

    QSignalSpy pressed(&row, &DotRow::pressed);
    QSignalSpy doubled(&row, &DotRow::doubleClicked);
    QTest::mouseClick(&row, Qt::LeftButton, {}, QPoint(35, 7));
    QTest::mouseClick(&row, Qt::RightButton, {}, QPoint(150, 2));
    ASSERT_EQ(pressed.count(), 2);
    EXPECT_EQ(pressed[0][0].toInt(), 35);
    EXPECT_EQ(pressed[0][1].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(pressed[1][0].toInt(), 150);
    EXPECT_EQ(pressed[1][1].value<Qt::MouseButton>(), Qt::RightButton);

    // The second press of a double-click arrives as the double-click alone.
    QTest::mouseDClick(&row, Qt::LeftButton, {}, QPoint(20, 7));
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled[0][0].toInt(), 20);
    EXPECT_EQ(pressed.count(), 2);
}

} // namespace
