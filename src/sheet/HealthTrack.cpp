#include "sheet/HealthTrack.h"

#include "app/Session.h"
#include "ratings/HealthBox.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetControls.h"
#include "store/CharacterStore.h"

namespace sheet {

void storeHealth(CharacterSheet& sheet, int box, int state) {
    const std::optional<model::CharacterKey> key = sheet.session().shownCharacter();
    std::array<int, model::catalogue::kHealthCount>& shown = sheet.character().health;
    if (!key || box < 0 || size_t(box) >= shown.size())
        return;
    std::array<int, model::catalogue::kHealthCount> states = shown;
    states[size_t(box)] = state;
    if (sheet.stored(QStringLiteral("The health track"),
                     store::CharacterStore(*sheet.session().database).setHealth(*key, states)))
        shown = states;
    for (size_t i = 0; i < shown.size(); ++i)
        sheet.ui().HealthBox[i]->setState(shown[i]);
}

} // namespace sheet
