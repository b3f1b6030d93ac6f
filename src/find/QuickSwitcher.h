#pragma once

#include "model/Character.h"
#include "store/RosterSearch.h"

#include <QFrame>
#include <QHash>
#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QListWidget;

namespace sheet {
class Roster;
}

namespace find {

// Ctrl+K: a small popup over the sheet with a field and the best matches of what is typed there
// among the roster's characters (by name, player, clan or concept; names that start with the
// text first). Up and Down move through the matches, Return or a double-click chooses one, Esc
// closes.
class QuickSwitcher : public QFrame {
    Q_OBJECT
public:
    // The player, clan and concept of a character, to tell namesakes apart.
    using Describe = std::function<QString(model::CharacterKey)>;
    static constexpr int kMostMatches = 20;

    QuickSwitcher(sheet::Roster& roster, Describe describe, QWidget* parent);

    // Opens empty over the top of that window.
    void popUp(QWidget* over);

Q_SIGNALS:
    void chosen(model::CharacterKey key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showMatches(const QString& typed);
    void choose();

    sheet::Roster& m_roster;
    Describe m_describe;
    // The last search and the candidates it left: typing on looks only among those.
    std::optional<store::roster::Search> m_searched;
    std::vector<const store::roster::Entry*> m_candidates;
    QHash<model::CharacterKey, QString> m_details; // read once per popup
    QLineEdit* m_typed;
    QListWidget* m_matches;
};

} // namespace find
