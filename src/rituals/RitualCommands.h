#pragma once

#include <QString>

class QWidget;

namespace app {
class Session;
}

namespace ratings {
class BitmapStore;
}

// The paths and rituals windows as the main window opens them (View, Thaumaturgy / Necromancy).
namespace rituals {

// Shows the character's thaumaturgy (frmRituals) or necromancy (frmNecromancy) window modally
// over owner. With no character shown nothing happens. A database failure is reported in a
// message box.
void showThaumaturgy(app::Session& session, const ratings::BitmapStore& bitmaps, QWidget* owner);
void showNecromancy(app::Session& session, const ratings::BitmapStore& bitmaps, QWidget* owner);

} // namespace rituals
