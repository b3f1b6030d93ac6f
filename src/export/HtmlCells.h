#pragma once

#include <QString>
#include <cstdint>

// The text-building pieces of the exported page: rows of image cells for ratings and health.
namespace exporter {

// `value` filled dot cells, then one empty cell for each index from value to last. A row thus
// has last + 1 cells for 0 <= value <= last + 1; a larger value gives only filled cells, a
// negative one last - value + 1 empty cells. The cells are left open; the caller closes the row.
QString Html_DotCells(int16_t value, int16_t last);
// The same rule with box images: current willpower.
QString Html_BoxCells(int16_t value, int16_t last);
// One health level: 1 empty box, 2 ticked, 3 crossed; any other state an empty text.
QString Html_HealthCell(int16_t value);

} // namespace exporter
