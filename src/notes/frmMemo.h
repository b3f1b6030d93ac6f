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
    QString textName;    // what the text is called in a question: "the history of Ann"
};

inline const MemoKind kHistory{QStringLiteral("frmHistory"), QStringLiteral("Caldrenne History"),
                               QStringLiteral("txtHistory"), QStringLiteral("history"), QStringLiteral("history")};
inline const MemoKind kNotes{QStringLiteral("frmNotes"), QStringLiteral("Caldrenne Notes"), QStringLiteral("txtNotes"),
                             QStringLiteral("Notes"), QStringLiteral("notes")};

// A free-text column of the character in a large text box. OK writes a changed text in either
// mode; Exit (or Escape, or closing the window) leaves it as stored, asking first when text was typed.
class frmMemo : public QDialog {
    Q_OBJECT
public:
    frmMemo(app::Session& session, const MemoKind& kind, qint64 charId, const QString& characterName,
            const QString& text, QWidget* parent = nullptr);

    // The program is ending on a signal: typed text is stored as Ok stores it.
    Q_INVOKABLE void endWithoutQuestions() { cmdOK_Click(); }

    void reject() override;

private:
    void cmdOK_Click();

    app::Session& m_session;
    MemoKind m_kind;
    qint64 m_charId;
    QString m_characterName;
    QPlainTextEdit* m_text = nullptr;
    QString m_shown; // the text as the box showed it on opening
};

} // namespace notes
