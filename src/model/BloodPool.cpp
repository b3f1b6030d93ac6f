#include "model/BloodPool.h"

#include <algorithm>

namespace model {

std::array<int, kBloodPoolRows> bloodPoolRows(int total) {
    std::array<int, kBloodPoolRows> rows{};
    int remaining = total;
    for (int i = 0; i < kBloodPoolRows; ++i) {
        int here = std::clamp(remaining, 0, kBoxesPerRow);
        if (i == 0 && remaining < 0)
            here = remaining;
        if (i == kBloodPoolRows - 1 && remaining > kBoxesPerRow)
            here = remaining;
        rows[size_t(i)] = here;
        remaining -= here;
    }
    return rows;
}

int bloodPoolAfterClick(int index, int value) {
    return std::clamp(index, 0, kBloodPoolRows) * kBoxesPerRow + value;
}

} // namespace model
