#pragma once

#include <QString>

namespace app {
class Services;
}

namespace sheet {

// The roll button: rolls the pool and shows the verdict, or refuses a dice count out of range.
void cmdRoll_Click(app::Services& services, const QString& diceText, const QString& difficultyText, bool specialized);

} // namespace sheet
