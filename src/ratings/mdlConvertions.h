#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace app {
class mdlGlobal;
}

namespace ratings {

class DotRow;

// Puts a rating onto its row: the Tag and the picture together. The target row is passed by
// the caller (the sheet's PBAtt(i), the paths window's PBPath(i), ...).
namespace mdlConvertions {

enum class Family { Check, GCheck, Box };

// "CHECK03.bmp", "CHECK10.bmp", "GCHECK07.bmp", "BOX00.bmp"; values outside 0..10 name the
// nearest picture.
QString fileName(Family family, int value);

void Set_AttDots(app::mdlGlobal& global, DotRow& row, int16_t value);
void Set_AbilDots(app::mdlGlobal& global, DotRow& row, int16_t value);
void Set_AdvDots(app::mdlGlobal& global, DotRow& row, int16_t value);
void Set_PathDots(app::mdlGlobal& global, DotRow& row, int16_t value);
void Set_WillDots(app::mdlGlobal& global, DotRow& row, int16_t value);
void Set_HumDots(app::mdlGlobal& global, DotRow& row, int16_t value);
void Set_CurWillBoxes(app::mdlGlobal& global, DotRow& row, int16_t value);

// The blood pool over five rows of ten boxes, and its total read back from the Tags.
void Set_BloodPool(app::mdlGlobal& global, const std::array<DotRow*, 5>& rows, int16_t total);
int16_t Get_BloodPool(const std::array<DotRow*, 5>& rows);

} // namespace mdlConvertions
} // namespace ratings
