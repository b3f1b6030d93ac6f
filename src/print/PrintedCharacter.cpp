#include "print/PrintedCharacter.h"

#include "store/CharacterStore.h"
#include "store/CharacterTextStore.h"

namespace print {

std::optional<PrintedCharacter> loadPrinted(db::Database& database, model::CharacterKey key) {
    std::optional<model::Character> character = store::CharacterStore(database).load(key);
    if (!character)
        return std::nullopt;
    PrintedCharacter printed;
    printed.character = std::move(*character);
    for (int family = 0; family < 2; ++family) {
        printed.paths[size_t(family)] = store::rituals::characterPaths(database, key, family + 1);
        printed.rituals[size_t(family)] = store::rituals::characterRituals(database, key, family + 1);
    }
    const auto text = [&](const char* column) {
        return store::notes::readCharacterText(database, key, QLatin1String(column)).value_or(QString());
    };
    printed.history = text("History");
    printed.notes = text("Notes");
    printed.picture = text("Picture");
    return printed;
}

} // namespace print
