#pragma once

#include <QString>

class QWidget;

namespace app {
class mdlGlobal;
}

// The paths and rituals windows as the main window opens them (View, Thaumaturgy / Necromancy).
namespace rituals {

// Shows the character's thaumaturgy (frmRituals) or necromancy (frmNecromancy) window modally
// over owner. key is the shown character's Char_ID as text; with no character shown (an empty
// key) or no open database nothing happens. A database failure is reported in a message box.
void showThaumaturgy(app::mdlGlobal& global, const QString& key, QWidget* owner);
void showNecromancy(app::mdlGlobal& global, const QString& key, QWidget* owner);

} // namespace rituals
