#pragma once

#include "model/Character.h"

#include <QString>
#include <vector>

class QListWidget;
class QWidget;

namespace app {
class Session;
}

// The merit list of the main window: loading, adding, removing and opening descriptions, for the
// session's shown character; with none shown every procedure does nothing.
//
// Each line carries its merit's MeritFlaw_ID as item data (Qt::UserRole): the visible text
// cannot always be cut back into the name.
namespace merits {

// Fills the list with the merits' "name points" lines, each carrying its merit's key.
void showMerits(QListWidget& lstMerit, const std::vector<model::Merit>& merits);
// Edit mode only: shows frmAddMerit and appends the added line ("name  points").
void cmdAddMerit_Click(app::Session& session, QListWidget& lstMerit, QWidget* owner);
// Edit mode only: removes the selected line and the character's link row, after asking.
void cmdRemoveMerit_Click(app::Session& session, QListWidget& lstMerit);
// Shows the description of the selected line; it can be changed in edit mode.
void lstMerit_DblClick(app::Session& session, QListWidget& lstMerit, QWidget* owner);

} // namespace merits
