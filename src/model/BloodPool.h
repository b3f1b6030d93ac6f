#pragma once

#include <array>

namespace model {

// The blood pool is shown as five rows of ten boxes.
inline constexpr int kBloodPoolRows = 5;
inline constexpr int kBoxesPerRow = 10;

// How a total spreads over the rows: full rows first. A total out of range keeps its value, the
// first row carrying what is below 0 and the last what is above fifty, so the rows add up to
// what was stored.
std::array<int, kBloodPoolRows> bloodPoolRows(int total);

// The total after a click on row `index` that leaves `value` boxes there: the rows before it
// fill, the rows after it empty.
int bloodPoolAfterClick(int index, int value);

} // namespace model
