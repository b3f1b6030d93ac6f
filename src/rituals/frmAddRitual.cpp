#include "rituals/frmAddRitual.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "app/TypedCombo.h"
#include "notes/StoredText.h"
#include "store/PathRitualStore.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace rituals {

namespace {
bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0; // as the database compares names
}
} // namespace

frmAddRitual::frmAddRitual(app::Session& session, const RitualFamily& family, qint64 key, QWidget* parent)
    : QDialog(parent), m_session(session), m_family(family), m_key(key) {
    setObjectName(QStringLiteral("frmAddRitual"));
    setWindowTitle(family.addCaption);

    auto* Label1 = new QLabel(QStringLiteral("Rituals:"));
    Label1->setObjectName(QStringLiteral("Label1"));
    cmbRitual = new QComboBox;
    cmbRitual->setObjectName(QStringLiteral("cmbRitual"));
    app::keepTypedText(*cmbRitual);
    cmbRitual->setMinimumWidth(260);

    auto* Label3 = new QLabel(QStringLiteral("Ritual Level:"));
    Label3->setObjectName(QStringLiteral("Label3"));
    lblLevel = new QLabel;
    lblLevel->setObjectName(QStringLiteral("lblLevel"));
    lblLevel->setMinimumWidth(120);
    lblLevel->setTextFormat(Qt::PlainText);
    txtLevel = new QLineEdit;
    txtLevel->setObjectName(QStringLiteral("txtLevel"));
    txtLevel->setFixedWidth(60);
    txtLevel->setVisible(false);
    lblLevel->setMinimumHeight(txtLevel->sizeHint().height()); // no jump when the box replaces it

    lblLongText = notes::longTextNotice();
    txtRitualDesc = new QPlainTextEdit;
    txtRitualDesc->setObjectName(QStringLiteral("txtRitualDesc"));
    txtRitualDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtRitualDesc->setTabChangesFocus(true);
    txtRitualDesc->setMinimumSize(380, 180);

    cmdok = new QPushButton(QStringLiteral("&Ok"));
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdok->setDefault(true);
    cmdcancel = new QPushButton(QStringLiteral("&Cancel"));
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    cmdcancel->setAutoDefault(false);

    connect(cmbRitual, &QComboBox::activated, this, &frmAddRitual::showPicked);
    connect(txtRitualDesc, &QPlainTextEdit::textChanged, this, &frmAddRitual::onDescriptionEdited);
    connect(cmdok, &QPushButton::clicked, this, &frmAddRitual::onOk);
    connect(cmdcancel, &QPushButton::clicked, this, &QDialog::reject);
    cmbRitual->installEventFilter(this); // the combo box, not its line edit, holds the focus

    // The level box of a new ritual takes the place of the picked ritual's level.
    auto* level = new QGridLayout;
    level->setContentsMargins(0, 0, 0, 0);
    level->addWidget(lblLevel, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    level->addWidget(txtLevel, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    level->setColumnStretch(1, 1);

    auto* form = new QGridLayout;
    form->addWidget(Label1, 0, 0);
    form->addWidget(cmbRitual, 0, 1);
    form->addWidget(Label3, 1, 0);
    form->addLayout(level, 1, 1);
    form->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdok);
    buttons->addWidget(cmdcancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblLongText);
    layout->addWidget(txtRitualDesc, 1);
    layout->addLayout(buttons);
}

void frmAddRitual::load() {
    cmbRitual->clear();
    cmbRitual->setEditText(QString());
    txtLevel->clear();
    txtLevel->setVisible(false);
    lblLevel->setVisible(true);
    cmbRitual->addItems(store::rituals::ritualNames(*m_session.database, m_family.thaNec));
    cmbRitual->setCurrentIndex(-1);
    cmbRitual->setEditText(QString());
}

bool frmAddRitual::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmbRitual && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Opening the list, another window taking over (a message box, the dialog closing) and
        // leaving by Cancel ask nothing: only moving on within the dialog does.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            QApplication::focusWidget() != cmdcancel)
            checkNewName();
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddRitual::setDescription(const QString& text, DescriptionSource source, const QString& owner) {
    m_settingDescription = true;
    notes::showStoredText(*txtRitualDesc, *lblLongText, text, true);
    m_settingDescription = false;
    m_source = source;
    m_owner = owner;
}

void frmAddRitual::onDescriptionEdited() {
    if (m_settingDescription)
        return;
    m_source = DescriptionSource::Entered;
    m_owner = cmbRitual->currentText();
}

std::optional<QString> frmAddRitual::descriptionFor(const QString& name) const {
    // A loaded description unchanged stays as stored. Text typed before any name was given
    // belongs to the name given afterwards.
    if (m_source != DescriptionSource::Entered || (!m_owner.isEmpty() && !sameName(m_owner, name)))
        return std::nullopt;
    return txtRitualDesc->toPlainText();
}

void frmAddRitual::showPicked() {
    const QString name = cmbRitual->currentText();
    if (name.isEmpty())
        return;
    app::guarded(m_session.services, [&] {
        const auto ritual = store::rituals::findRitual(*m_session.database, m_family.thaNec, name);
        if (!ritual)
            return;
        lblLevel->setText(ritual->level);
        setDescription(ritual->description, DescriptionSource::Loaded, ritual->name);
        // A listed ritual keeps its stored level: show it, not the box of a new one.
        txtLevel->setVisible(false);
        lblLevel->setVisible(true);
    });
}

void frmAddRitual::checkNewName() {
    const QString name = cmbRitual->currentText();
    if (name.isEmpty() || m_asking)
        return;
    for (int i = 0; i < cmbRitual->count(); ++i)
        if (sameName(cmbRitual->itemText(i), name))
            return;
    m_asking = true;
    const app::Answer answer = m_session.services.messageBox(QStringLiteral("You have entered a new Ritual called: ") +
                                                                 name + QStringLiteral(". Is this correct?"),
                                                             app::Buttons::YesNo, app::Icon::Question);
    if (answer == app::Answer::Yes) {
        m_session.services.messageBox(QStringLiteral("Please fill out the level and description."), app::Buttons::OK,
                                      app::Icon::Information);
        // A description shown for another ritual would not be stored with this one.
        if (!descriptionFor(name))
            setDescription(QString(), DescriptionSource::None, QString());
        lblLevel->setVisible(false);
        txtLevel->setVisible(true);
    }
    m_asking = false;
}

void frmAddRitual::onOk() {
    const QString name = cmbRitual->currentText();
    if (name.isEmpty()) {
        reject();
        return;
    }
    const std::optional<QString> description = descriptionFor(name);
    store::rituals::AddOutcome outcome = store::rituals::AddOutcome::Added;
    const bool done = app::guarded(m_session.services, [&] {
        const bool known = store::rituals::findRitual(*m_session.database, m_family.thaNec, name).has_value();
        if (!known)
            lblLevel->setText(txtLevel->text());
        outcome =
            store::rituals::addRitual(*m_session.database, m_key, m_family.thaNec, name, txtLevel->text(), description);
    });
    if (!done)
        return;
    if (outcome == store::rituals::AddOutcome::AlreadyHas) {
        m_session.services.messageBox(QStringLiteral("This character already has ") + name +
                                          QStringLiteral(" as a ritual!"),
                                      app::Buttons::OK, app::Icon::Exclamation);
        return;
    }
    accept();
}

} // namespace rituals
