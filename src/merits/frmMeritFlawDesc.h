#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace app {
class Session;
}

namespace merits {

// The description of one merit or flaw. It belongs to the lookup row, so a change shows for
// every character who has the entry; it can be changed only in edit mode, and OK writes it only
// when it was changed. Exit, Escape and closing the window ask before a changed text is dropped.
class frmMeritFlawDesc : public QDialog {
    Q_OBJECT
public:
    frmMeritFlawDesc(app::Session& session, qint64 meritId, const QString& name, const QString& description,
                     QWidget* parent = nullptr);

    // The program is ending on a signal: typed text is stored as Ok stores it.
    Q_INVOKABLE void endWithoutQuestions() { cmdOk_Click(); }

    void reject() override;

private:
    void cmdOk_Click();

    app::Session& m_session;
    qint64 m_meritId;
    QString m_name;
    QPlainTextEdit* m_rtxtMerit = nullptr;
    QString m_shown; // the text as the box showed it on opening
};

} // namespace merits
