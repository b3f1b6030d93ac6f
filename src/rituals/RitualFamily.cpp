#include "rituals/RitualFamily.h"

namespace rituals {

const RitualFamily& RitualFamily::thaumaturgy() {
    static const RitualFamily family{1, QStringLiteral("frmRituals"), QStringLiteral("Thaumaturgy Paths and Rituals"),
                                     QStringLiteral("Thaumaturgy paths"),
                                     QStringLiteral("Add Thaumaturgy Ritual"), false};
    return family;
}

const RitualFamily& RitualFamily::necromancy() {
    static const RitualFamily family{2, QStringLiteral("frmNecromancy"),
                                     QStringLiteral("Necromantic Paths and Rituals"),
                                     QStringLiteral("Necromantic paths"),
                                     QStringLiteral("Add Necromantic Ritual"), true};
    return family;
}

} // namespace rituals
