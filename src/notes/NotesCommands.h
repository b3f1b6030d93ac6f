#pragma once

#include <QString>

class QWidget;

namespace app {
class mdlGlobal;
}

// The View menu's History, Notes and Picture windows. The main window passes the shown
// character's key (the text of lblChar_ID); with an empty key, nothing opens. Each window reads
// what is stored now and writes from OK in browse mode as well as in edit mode.
namespace notes {

void showHistory(app::mdlGlobal& global, const QString& key, QWidget* owner);
void showNotes(app::mdlGlobal& global, const QString& key, QWidget* owner);
void showPicture(app::mdlGlobal& global, const QString& key, QWidget* owner);

} // namespace notes
