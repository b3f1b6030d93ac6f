#include "notes/frmMemo.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "notes/StoredText.h"
#include "notes/TitleBlock.h"
#include "store/CharacterTextStore.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace notes {

frmMemo::frmMemo(app::Session& session, const MemoKind& kind, qint64 charId, const QString& characterName,
                 const QString& text, QWidget* parent)
    : QDialog(parent), m_session(session), m_kind(kind), m_charId(charId), m_characterName(characterName) {
    setObjectName(kind.windowName);
    setWindowTitle(app::kTitle);

    auto* notice = longTextNotice();
    m_text = new QPlainTextEdit;
    m_text->setObjectName(kind.textBoxName);
    m_text->setTabChangesFocus(true);
    m_shown = showStoredText(*m_text, *notice, text, true);

    auto* cmdOK = new QPushButton(QStringLiteral("&Ok"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto* cmdExit = new QPushButton(QStringLiteral("E&xit"));
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdExit, QDialogButtonBox::RejectRole);
    connect(cmdOK, &QPushButton::clicked, this, &frmMemo::cmdOK_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(kind.title));
    layout->addWidget(titleLine());
    layout->addWidget(notice);
    layout->addWidget(m_text, 1);
    layout->addWidget(buttons);
    resize(560, 480);
    m_text->setFocus();
}

void frmMemo::reject() {
    if (editedText(*m_text, m_shown) &&
        !app::mayDiscard(m_session.services, QStringLiteral("the %1 of %2").arg(m_kind.textName, m_characterName)))
        return;
    QDialog::reject();
}

void frmMemo::cmdOK_Click() {
    const std::optional<QString> text = editedText(*m_text, m_shown);
    if (!text) {
        accept();
        return;
    }
    bool written = false;
    app::guarded(m_session.services, [&] {
        written = store::notes::writeCharacterText(*m_session.database, m_charId, m_kind.column, *text);
        if (!written)
            m_session.services.messageBox(QStringLiteral("This character is no longer in the database; the text "
                                                         "was not saved."),
                                          app::Buttons::OK, app::Icon::Exclamation);
    });
    // Otherwise the window stays open, so the typed text can still be copied.
    if (written)
        accept();
}

} // namespace notes
