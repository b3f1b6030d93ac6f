#pragma once

#include <QObject>
#include <QString>
#include <QTime>

class QLabel;
class QStatusBar;

namespace app {
class Session;
}

namespace sheet {

class CharacterSheet;

// The window's status bar: the sheet's mode, the open file's name and the time of the last save,
// side by side on the right; passing hints ("Press Ctrl+E to edit ratings") on the left.
class ModeStatus : public QObject {
    Q_OBJECT
public:
    // Fills the bar and asks the sheet to report its mode, its saves and its hints.
    ModeStatus(QStatusBar& bar, CharacterSheet& sheet);

    static QString modeText(bool editMode);
    static QString savedText(const QTime& at);

    // Shows the session's mode and file as they are now.
    void showMode();
    void showSaved(const QTime& at);
    void showHint(const QString& text);

private:
    QStatusBar& m_bar;
    const app::Session& m_session;
    QLabel* m_mode;
    QLabel* m_file;
    QLabel* m_saved;
};

} // namespace sheet
