#include "rituals/frmRitualDesc.h"

#include "app/Guard.h"
#include "app/Services.h"
#include "app/Session.h"
#include "notes/StoredText.h"
#include "store/PathRitualStore.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rituals {

namespace {
// The window's display faces; the platform's serif face stands in where they are not installed.
QFont displayFont(const QFont& base, const QString& face, qreal points, bool bold) {
    QFont font = base;
    font.setFamilies({face, QStringLiteral("serif")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
} // namespace

frmRitualDesc::frmRitualDesc(app::Session& session, const RitualFamily& family, const QString& ritual, QWidget* parent)
    : QDialog(parent), m_session(session), m_family(family), m_ritual(ritual) {
    setObjectName(QStringLiteral("frmRitualDesc"));
    setWindowTitle(app::kTitle);

    auto* Label1 = new QLabel(QStringLiteral("Caldrenne Ritual Description"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(displayFont(font(), QStringLiteral("Abaddon"), 18, true));
    Label1->setAlignment(Qt::AlignCenter);
    auto* Line1 = new QFrame;
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    lblRitual = new QLabel;
    lblRitual->setObjectName(QStringLiteral("lblRitual"));
    lblRitual->setFont(displayFont(font(), QStringLiteral("Gaeilge 1"), 14.25, false));
    lblRitual->setWordWrap(true);
    lblRitual->setTextFormat(Qt::PlainText);

    lblLongText = notes::longTextNotice();
    txtRitualDesc = new QPlainTextEdit;
    txtRitualDesc->setObjectName(QStringLiteral("txtRitualDesc"));
    txtRitualDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtRitualDesc->setTabChangesFocus(true);
    txtRitualDesc->setMinimumSize(420, 220);

    cmdOK = new QPushButton(QStringLiteral("&Ok"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdexit = new QPushButton(QStringLiteral("E&xit"));
    cmdexit->setObjectName(QStringLiteral("cmdexit"));
    cmdexit->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmRitualDesc::onOK);
    // Esc closes a dialog as if Exit were pressed: nothing is written (reject asks first).
    connect(cmdexit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdexit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Line1);
    layout->addWidget(lblRitual);
    layout->addWidget(lblLongText);
    layout->addWidget(txtRitualDesc, 1);
    layout->addLayout(buttons);
}

bool frmRitualDesc::load() {
    const auto ritual = store::rituals::findRitual(*m_session.database, m_family.thaNec, m_ritual);
    if (!ritual)
        return false;
    // Read-only rather than disabled while browsing, so a long description can still be scrolled.
    m_shown = notes::showStoredText(*txtRitualDesc, *lblLongText, ritual->description, m_session.editMode);
    lblRitual->setText(m_ritual);
    return true;
}

void frmRitualDesc::reject() {
    if (notes::editedText(*txtRitualDesc, m_shown) &&
        !app::mayDiscard(m_session.services, QStringLiteral("the description of ") + m_ritual))
        return;
    QDialog::reject();
}

void frmRitualDesc::onOK() {
    const std::optional<QString> text = notes::editedText(*txtRitualDesc, m_shown);
    if (m_session.editMode && text) {
        const bool written = app::guarded(m_session.services, [&] {
            store::rituals::setRitualDescription(*m_session.database, m_family.thaNec, m_ritual, *text);
        });
        if (!written)
            return;
    }
    accept();
}

} // namespace rituals
