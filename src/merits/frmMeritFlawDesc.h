#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace app {
class Session;
}

namespace merits {

// The description of one merit or flaw. It belongs to the lookup row, so a change shows for
// every character who has the entry; it can be changed only in edit mode, and OK writes it only
// when it was changed.
class frmMeritFlawDesc : public QDialog {
    Q_OBJECT
public:
    frmMeritFlawDesc(app::Session& session, qint64 meritId, const QString& name, const QString& description,
                     QWidget* parent = nullptr);

    // The program is ending on a signal: typed text is stored as Ok stores it.
    Q_INVOKABLE void endWithoutQuestions() { cmdOk_Click(); }

private:
    void cmdOk_Click();

    app::Session& m_session;
    qint64 m_meritId;
    QPlainTextEdit* m_rtxtMerit = nullptr;
};

} // namespace merits
