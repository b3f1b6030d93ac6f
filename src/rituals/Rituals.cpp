#include "rituals/Rituals.h"

#include "app/Guard.h"
#include "app/mdlGlobal.h"
#include "rituals/RitualFamily.h"
#include "rituals/frmRituals.h"

namespace rituals {

namespace {
void showPaths(app::mdlGlobal& global, const RitualFamily& family, const QString& key, QWidget* owner) {
    const auto id = global.shownCharacter(key);
    if (!id)
        return;
    app::guarded(global.services, [&] {
        frmRituals window(global, family, *id, owner);
        window.load();
        global.services.showModal(window);
    });
}
} // namespace

void showThaumaturgy(app::mdlGlobal& global, const QString& key, QWidget* owner) {
    showPaths(global, RitualFamily::thaumaturgy(), key, owner);
}

void showNecromancy(app::mdlGlobal& global, const QString& key, QWidget* owner) {
    showPaths(global, RitualFamily::necromancy(), key, owner);
}

} // namespace rituals
