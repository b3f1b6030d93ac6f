#include "rituals/RitualCommands.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "rituals/RitualFamily.h"
#include "rituals/frmRituals.h"

namespace rituals {

namespace {
void showPaths(app::Session& session, const ratings::BitmapStore& bitmaps, const RitualFamily& family, QWidget* owner) {
    const auto id = session.shownCharacter();
    if (!id)
        return;
    app::guarded(session.services, [&] {
        frmRituals window(session, bitmaps, family, *id, owner);
        window.load();
        session.services.showModal(window);
    });
}
} // namespace

void showThaumaturgy(app::Session& session, const ratings::BitmapStore& bitmaps, QWidget* owner) {
    showPaths(session, bitmaps, RitualFamily::thaumaturgy(), owner);
}

void showNecromancy(app::Session& session, const ratings::BitmapStore& bitmaps, QWidget* owner) {
    showPaths(session, bitmaps, RitualFamily::necromancy(), owner);
}

} // namespace rituals
