#include "ratings/DotRow.h"
#include "ratings/BitmapStore.h"

#include <QImage>
#include <QPainter>
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
        QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), Qt::red);
        ASSERT_TRUE(image.save(folder.filePath(name), "BMP"));
    }
};

TEST_F(DotRowTest, BitmapsFoundInAnyCaseTwinsPreferredMissingOnesRedHalfRowsLeftHalfPressesReported) {
    writeHalves("Check03.BMP", {160, 14});
    writeHalves("BOX05.bmp", {160, 14});
    writeHalves("BOX05@2x.bmp", {320, 28});
    EXPECT_EQ(bitmaps.locate("check03.bmp"), folder.filePath("Check03.BMP"));
    EXPECT_EQ(bitmaps.pixmap("CHECK03.bmp", 1.5).width(), 160); // no twin: the plain file serves
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 2.0).width(), 320);
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 2.0).devicePixelRatio(), 2.0);
    EXPECT_EQ(bitmaps.pixmap("box05.bmp", 1.0).width(), 160);

    DotRow row(bitmaps);
    // The picture follows the value within the family's range; the Tag keeps the value itself.
    const std::tuple<ratings::Family, int, const char*> pictures[] = {{ratings::Family::Check, 11, "CHECK10.bmp"},
                                                                      {ratings::Family::Check, -2, "CHECK00.bmp"},
                                                                      {ratings::Family::GCheck, 7, "GCHECK07.bmp"},
                                                                      {ratings::Family::Box, 300, "BOX10.bmp"}};
    for (const auto& [family, value, picture] : pictures) {
        row.setFamily(family);
        row.setValue(value);
        EXPECT_EQ(row.pictureName(), picture);
        EXPECT_EQ(row.Tag(), QString::number(value));
    }
    row.setFamily(ratings::Family::Check);
    row.setValue(7);
    EXPECT_EQ(row.grab().toImage().pixelColor(0, 0), QColor(200, 30, 30)); // the placeholder's frame
    row.setValue(3);
    EXPECT_EQ(row.grab().toImage().pixelColor(row.width() - 5, 7), QColor(Qt::blue));
    row.setHalfWidth(true); // the virtue rows: ten dots count double width
    EXPECT_EQ(row.tenDotWidth(), 2 * row.width());
    EXPECT_EQ(row.grab().toImage().pixelColor(row.width() - 2, 7), QColor(Qt::red));

    // A press of any button reports where it fell.
    QSignalSpy pressed(&row, &DotRow::pressed);
    QTest::mouseClick(&row, Qt::RightButton, {}, QPoint(150, 2));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), 150);
    EXPECT_EQ(pressed[0][1].value<Qt::MouseButton>(), Qt::RightButton);
}

} // namespace
