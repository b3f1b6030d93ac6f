#pragma once

#include "model/Character.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QTreeWidget;

namespace app {
class Session;
}

namespace changelog {

// View > Change History: the shown character's batches newest first, grouped by day, each with its
// entries; a filter by kind of field; the experience given and spent as the entries add it up;
// Revert of a chosen batch and, in its menu, the restore of a deleted character. A long history
// lists its newest changes first, the rest on asking, so the window opens at once.
class frmChangeHistory : public QDialog {
public:
    struct Hooks {
        // Settles the sheet's edits before the journal changes a character; false stops.
        std::function<bool()> settleEdits;
        // Shows a character the journal changed or brought back.
        std::function<void(model::CharacterKey)> showChanged;
    };

    frmChangeHistory(app::Session& session, model::CharacterKey key, Hooks hooks, QWidget* parent);

    void refill();
    // Reverts the batch chosen in the list; a message says why when it cannot.
    void revertChosen();
    // Asks which deleted character to bring back and brings it back.
    void restoreDeleted();

private:
    app::Session& m_session;
    model::CharacterKey m_key;
    Hooks m_hooks;
    QComboBox* m_kind;
    QTreeWidget* m_tree;
    QLabel* m_experience;
    // How many of the newest entries are listed (whole batches); 0 for all.
    qint64 m_newest = kFirstListed;
    static constexpr qint64 kFirstListed = 2000;
};

} // namespace changelog
