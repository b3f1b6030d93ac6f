#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace app {
class Session;
}

namespace notes {

// What tells the history window from the notes window.
struct MemoKind {
    QString windowName;  // the window's objectName
    QString title;       // the title label
    QString textBoxName; // the text box's objectName
    QString column;      // the Char_Info column, as the write query spells it
};

inline const MemoKind kHistory{QStringLiteral("frmHistory"), QStringLiteral("Caldrenne History"),
                               QStringLiteral("txtHistory"), QStringLiteral("history")};
inline const MemoKind kNotes{QStringLiteral("frmNotes"), QStringLiteral("Caldrenne Notes"), QStringLiteral("txtNotes"),
                             QStringLiteral("Notes")};

// A free-text column of the character in a large text box. OK writes a changed text in either
// mode; Exit (or Escape) leaves it as stored.
class frmMemo : public QDialog {
    Q_OBJECT
public:
    frmMemo(app::Session& session, const MemoKind& kind, qint64 charId, const QString& text, QWidget* parent = nullptr);

    // The program is ending on a signal: typed text is stored as Ok stores it.
    Q_INVOKABLE void endWithoutQuestions() { cmdOK_Click(); }

private:
    void cmdOK_Click();

    app::Session& m_session;
    MemoKind m_kind;
    qint64 m_charId;
    QPlainTextEdit* m_text = nullptr;
};

} // namespace notes
