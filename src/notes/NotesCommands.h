#pragma once

#include <QString>

class QWidget;

namespace app {
class Session;
}

namespace ratings {
class BitmapStore;
}

// The View menu's History, Notes and Picture windows, for the session's shown character; with
// none shown, nothing opens. Each window reads what is stored now and writes from OK in browse mode as well as in edit
// mode.
namespace notes {

void showHistory(app::Session& session, QWidget* owner);
void showNotes(app::Session& session, QWidget* owner);
void showPicture(app::Session& session, const ratings::BitmapStore& bitmaps, QWidget* owner);

} // namespace notes
