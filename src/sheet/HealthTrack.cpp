#include "sheet/HealthTrack.h"

#include "app/Session.h"
#include "ratings/HealthBox.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetControls.h"
#include "store/CharacterStore.h"

namespace sheet {

void storeHealth(CharacterSheet& sheet) {
    const std::optional<model::CharacterKey> key = sheet.session().shownCharacter();
    if (!key)
        return;
    std::array<int, model::catalogue::kHealthCount> states{};
    for (size_t i = 0; i < states.size(); ++i)
        states[i] = sheet.ui().HealthBox[i]->state();
    if (store::CharacterStore(*sheet.session().database).setHealth(*key, states))
        sheet.character().health = states;
}

} // namespace sheet
