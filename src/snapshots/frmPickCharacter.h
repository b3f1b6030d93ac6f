#pragma once

#include "model/Character.h"

#include <QDialog>
#include <optional>

class QListView;

namespace sheet {
class RosterFilter;
class RosterModel;
} // namespace sheet

namespace snapshots {

// Picks one character of a snapshot: every character and NPC of it in one list, found as the
// roster's filter finds them. Throws db::DbError when the snapshot cannot be read.
class frmPickCharacter : public QDialog {
public:
    frmPickCharacter(const QString& snapshotPath, QWidget* parent);
    ~frmPickCharacter() override;

    std::optional<model::CharacterKey> picked() const;
    QString pickedName() const;

private:
    std::unique_ptr<sheet::RosterModel> m_characters;
    std::unique_ptr<sheet::RosterFilter> m_shown;
    QListView* m_list;
};

} // namespace snapshots
