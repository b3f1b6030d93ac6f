#pragma once

#include <QString>

namespace ratings {

// The bitmap families of the rating rows: dots, the paths windows' dots, and boxes.
enum class Family { Check, GCheck, Box };

// "CHECK03.bmp", "CHECK10.bmp", "GCHECK07.bmp", "BOX00.bmp"; values outside 0..10 name the
// nearest picture.
QString pictureName(Family family, int value);

} // namespace ratings
