#include "merits/frmMeritFlawDesc.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "notes/StoredText.h"
#include "notes/TitleBlock.h"
#include "store/MeritStore.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace merits {

frmMeritFlawDesc::frmMeritFlawDesc(app::Session& session, qint64 meritId, const QString& name,
                                   const QString& description, QWidget* parent)
    : QDialog(parent), m_session(session), m_meritId(meritId), m_name(name) {
    setObjectName(QStringLiteral("frmMeritFlawDesc"));
    setWindowTitle(app::kTitle);

    auto* lblMerit = new QLabel(name);
    lblMerit->setObjectName(QStringLiteral("lblMerit"));
    QFont nameFont(QStringLiteral("Gaeilge 1"));
    nameFont.setPointSizeF(14.25);
    lblMerit->setFont(nameFont);
    lblMerit->setWordWrap(true);
    lblMerit->setTextFormat(Qt::PlainText); // a name is shown as typed, never read as markup

    auto* notice = notes::longTextNotice();
    m_rtxtMerit = new QPlainTextEdit;
    m_rtxtMerit->setObjectName(QStringLiteral("rtxtMerit"));
    m_rtxtMerit->setTabChangesFocus(true);
    // Browse mode shows the text without letting it change; it can still be scrolled and copied.
    m_shown = notes::showStoredText(*m_rtxtMerit, *notice, description, session.editMode);

    auto* cmdOk = new QPushButton(QStringLiteral("&Ok"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setDefault(true);
    auto* cmdexit = new QPushButton(QStringLiteral("E&xit"));
    cmdexit->setObjectName(QStringLiteral("cmdexit"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdexit, QDialogButtonBox::RejectRole);
    connect(cmdOk, &QPushButton::clicked, this, &frmMeritFlawDesc::cmdOk_Click);
    connect(cmdexit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notes::titleLabel(QStringLiteral("Caldrenne Merit Description")));
    layout->addWidget(notes::titleLine());
    layout->addWidget(lblMerit);
    layout->addWidget(notice);
    layout->addWidget(m_rtxtMerit, 1);
    layout->addWidget(buttons);
    resize(480, 400);
}

void frmMeritFlawDesc::reject() {
    if (notes::editedText(*m_rtxtMerit, m_shown) &&
        !app::mayDiscard(m_session.services, QStringLiteral("the description of ") + m_name))
        return;
    QDialog::reject();
}

void frmMeritFlawDesc::cmdOk_Click() {
    const std::optional<QString> text = notes::editedText(*m_rtxtMerit, m_shown);
    if (!m_session.editMode || !text) {
        accept();
        return;
    }
    const bool written = app::guarded(m_session.services, [&] {
        if (!store::merits::writeDescription(*m_session.database, m_meritId, *text))
            m_session.services.messageBox(
                QStringLiteral("This Merit/Flaw is no longer in the database; the description was not saved."),
                app::Buttons::OK, app::Icon::Exclamation);
    });
    // After an engine failure the window stays open, so the typed text is not lost.
    if (written)
        accept();
}

} // namespace merits
