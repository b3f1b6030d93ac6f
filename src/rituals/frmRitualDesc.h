#pragma once

#include "rituals/RitualFamily.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace app {
class Session;
}

namespace rituals {

// The description of one ritual of a family; editable, and written back by OK when changed, in
// edit mode only; Exit, Escape and closing the window ask before a changed text is dropped.
// The description belongs to the ritual, so a change shows for every character who has it.
class frmRitualDesc : public QDialog {
    Q_OBJECT
public:
    frmRitualDesc(app::Session& session, const RitualFamily& family, const QString& ritual, QWidget* parent = nullptr);

    // Reads the description; false when the family has no ritual of that name (then the window is
    // not to be shown). Throws db::DbError.
    bool load();

    // The program is ending on a signal: typed text is stored as Ok stores it.
    Q_INVOKABLE void endWithoutQuestions() { onOK(); }

    void reject() override;

private:
    void onOK();

    app::Session& m_session;
    const RitualFamily& m_family;
    QString m_ritual;
    QString m_shown; // the description as the box showed it on loading

    QLabel* lblRitual = nullptr;
    QLabel* lblLongText = nullptr;
    QPlainTextEdit* txtRitualDesc = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdexit = nullptr;
};

} // namespace rituals
