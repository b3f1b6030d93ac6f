#pragma once

#include <QString>
#include <array>

namespace app {
class mdlGlobal;
}

namespace ratings {

class HealthBox;

// The seven health boxes against the character's Health row. The key is the caption of
// lblChar_ID; an empty or non-numeric key means no character is shown.
inline constexpr int kHealthLevels = 7;
using HealthBoxes = std::array<HealthBox*, kHealthLevels>;

// Sets HealthBox(0..6) from Health0..Health6 of the character. A stored value other than 1, 2 or 3
// (Null included), a missing Health row, no character and no open database all show empty boxes,
// so nothing of a previous character stays on the sheet. Throws db::DbError on an engine failure.
void loadHealth(app::mdlGlobal& global, const QString& key, const HealthBoxes& boxes);

// Writes the seven states into Health0..Health6 of the character's Health row at once, in browse
// and edit mode alike. Without a character, a Health row or an open database nothing is written
// and nothing fails. Throws db::DbError on an engine failure: call it inside app::guarded.
void storeHealth(app::mdlGlobal& global, const QString& key, const HealthBoxes& boxes);

} // namespace ratings
