#include "app/mdlGlobal.h"
#include "ratings/DotRow.h"
#include "ratings/mdlConvertions.h"
#include "support/ScriptedServices.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace ratings;
namespace conv = ratings::mdlConvertions;

namespace {

struct ConvertionsTest : ::testing::Test {
    ScriptedServices services;
    app::mdlGlobal global{services};
    DotRow row{global.bitmaps};
    std::array<std::unique_ptr<DotRow>, 5> pool;
    std::array<DotRow*, 5> PBBP{};

    void SetUp() override {
        for (size_t i = 0; i < pool.size(); ++i) {
            pool[i] = std::make_unique<DotRow>(global.bitmaps);
            PBBP[i] = pool[i].get();
        }
    }
    QStringList poolTags() const {
        QStringList tags;
        for (const DotRow* r : PBBP)
            tags << r->Tag();
        return tags;
    }
    QStringList poolPictures() const {
        QStringList pictures;
        for (const DotRow* r : PBBP)
            pictures << r->pictureName();
        return pictures;
    }
};

using SetDots = std::function<void(app::mdlGlobal&, DotRow&, int16_t)>;

TEST_F(ConvertionsTest, PictureFollowsValueAndTagKeepsStoredValue) {
    const struct {
        SetDots set;
        int16_t value;
        const char* picture;
    } cases[] = {
        {conv::Set_AttDots, 0, "CHECK00.bmp"},      {conv::Set_AbilDots, 3, "CHECK03.bmp"},
        {conv::Set_AdvDots, 9, "CHECK09.bmp"},      {conv::Set_WillDots, 10, "CHECK10.bmp"},
        {conv::Set_HumDots, 11, "CHECK10.bmp"},     {conv::Set_AttDots, -2, "CHECK00.bmp"},
        {conv::Set_PathDots, 7, "GCHECK07.bmp"},    {conv::Set_PathDots, 10, "GCHECK10.bmp"},
        {conv::Set_CurWillBoxes, 0, "BOX00.bmp"},   {conv::Set_CurWillBoxes, 10, "BOX10.bmp"},
        {conv::Set_CurWillBoxes, 300, "BOX10.bmp"},
    };
    for (const auto& c : cases) {
        c.set(global, row, c.value);
        EXPECT_EQ(row.pictureName(), c.picture) << c.value;
        EXPECT_EQ(global.PicFile, c.picture);
        EXPECT_EQ(row.Tag(), QString::number(c.value));
    }
}

TEST_F(ConvertionsTest, BloodPoolSpreadsOverFiveRowsAndSumsBack) {
    const struct {
        int16_t total;
        QStringList tags;
        QStringList pictures;
    } cases[] = {
        {0, {"0", "0", "0", "0", "0"}, {"BOX00.bmp", "BOX00.bmp", "BOX00.bmp", "BOX00.bmp", "BOX00.bmp"}},
        {10, {"10", "0", "0", "0", "0"}, {"BOX10.bmp", "BOX00.bmp", "BOX00.bmp", "BOX00.bmp", "BOX00.bmp"}},
        {23, {"10", "10", "3", "0", "0"}, {"BOX10.bmp", "BOX10.bmp", "BOX03.bmp", "BOX00.bmp", "BOX00.bmp"}},
        {37, {"10", "10", "10", "7", "0"}, {"BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX07.bmp", "BOX00.bmp"}},
        {49, {"10", "10", "10", "10", "9"}, {"BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX09.bmp"}},
        {50, {"10", "10", "10", "10", "10"}, {"BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX10.bmp"}},
        // Out of range: the nearest pictures, and the total still reads back as stored.
        {57, {"10", "10", "10", "10", "17"}, {"BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX10.bmp", "BOX10.bmp"}},
        {-4, {"-4", "0", "0", "0", "0"}, {"BOX00.bmp", "BOX00.bmp", "BOX00.bmp", "BOX00.bmp", "BOX00.bmp"}},
    };
    for (const auto& c : cases) {
        conv::Set_BloodPool(global, PBBP, c.total);
        EXPECT_EQ(poolTags(), c.tags) << c.total;
        EXPECT_EQ(poolPictures(), c.pictures) << c.total;
        EXPECT_EQ(conv::Get_BloodPool(PBBP), c.total);
    }
}

TEST_F(ConvertionsTest, BloodPoolTotalReadsTagsWithLeadingBlanks) {
    const QStringList tags = {"10", " 3", "", "0", "2.5"};
    for (size_t i = 0; i < PBBP.size(); ++i)
        PBBP[i]->setTag(tags[int(i)]);
    EXPECT_EQ(conv::Get_BloodPool(PBBP), 16); // 15.5 rounds half to even
}

} // namespace
