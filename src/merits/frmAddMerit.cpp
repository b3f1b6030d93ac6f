#include "merits/frmAddMerit.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "app/TypedCombo.h"
#include "model/Numbers.h"
#include "store/MeritStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace merits {

frmAddMerit::frmAddMerit(app::Session& session, qint64 charId, QWidget* parent)
    : QDialog(parent), m_session(session), m_charId(charId) {
    setObjectName(QStringLiteral("frmAddMerit"));
    setWindowTitle(QStringLiteral("Add Flaw/Merit"));

    auto* label = new QLabel(QStringLiteral("Flaws/Merits:"));
    label->setObjectName(QStringLiteral("Label1"));
    m_cmbMerit = new QComboBox;
    m_cmbMerit->setObjectName(QStringLiteral("cmbMerit"));
    app::keepTypedText(*m_cmbMerit);
    m_cmbMerit->setMaxVisibleItems(15);
    m_cmbMerit->installEventFilter(this);
    label->setBuddy(m_cmbMerit);

    m_cmdok = new QPushButton(QStringLiteral("&Ok"));
    m_cmdok->setObjectName(QStringLiteral("cmdok"));
    m_cmdok->setDefault(true);
    m_cmdcancel = new QPushButton(QStringLiteral("&Cancel"));
    m_cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(m_cmdok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cmdcancel, QDialogButtonBox::RejectRole);
    connect(m_cmdok, &QPushButton::clicked, this, &frmAddMerit::cmdok_Click);
    connect(m_cmdcancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_cmbMerit);
    layout->addSpacing(12);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    app::guarded(m_session.services, [&] { m_cmbMerit->addItems(store::merits::lookupNames(*m_session.database)); });
    m_cmbMerit->setCurrentIndex(-1);
    m_cmbMerit->setEditText(QString());
}

QString frmAddMerit::typedName() const {
    return m_cmbMerit->currentText().trimmed();
}

bool frmAddMerit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cmbMerit && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const QWidget* next = QApplication::focusWidget();
        // Leaving for Cancel needs no question. A click on OK asks from OK's own handler, once
        // the click is complete: a message box shown in the middle of the click would swallow it.
        const bool toButtonByMouse = reason == Qt::MouseFocusReason && next == m_cmdok;
        const bool passing = reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason;
        if (!passing && !toButtonByMouse && next != m_cmdcancel)
            checkNewName();
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddMerit::checkNewName() {
    const QString name = typedName();
    if (name.isEmpty() || m_checkedName == name)
        return;
    m_checkedName = name;
    app::Services& services = m_session.services;
    app::guarded(services, [&] {
        // The lookup table compares names without regard to case, so "allies" is the listed Allies.
        if (store::merits::findLookup(*m_session.database, name))
            return;
        if (services.messageBox(QStringLiteral("You have entered a new Merit/Flaw called: ") + name +
                                    QStringLiteral(". Is this correct?"),
                                app::Buttons::YesNo, app::Icon::Question) != app::Answer::Yes)
            return;
        const bool variable = services.messageBox(QStringLiteral("Are the points of this Merit/Flaw variable?"),
                                                  app::Buttons::YesNo, app::Icon::Question) == app::Answer::Yes;
        double points = 0;
        if (!variable) {
            const auto answer = services.inputBox(QStringLiteral("Please enter the points for this merit:"),
                                                  app::kTitle, QStringLiteral("1"));
            points = numbers::leadingNumber(answer.value_or(QString()));
        }
        store::merits::addLookup(*m_session.database, name, variable, points);
    });
}

std::optional<int> frmAddMerit::askPointLevel(const QString& name) {
    app::Services& services = m_session.services;
    for (;;) {
        const auto answer = services.inputBox(QStringLiteral("Enter Point Level for ") + name + QLatin1Char(':'),
                                              QStringLiteral("Variable Point Merit"));
        if (!answer)
            return std::nullopt;
        bool isNumber = false;
        const double value = answer->trimmed().toDouble(&isNumber);
        if (isNumber) {
            if (const auto points = numbers::toInt16(value))
                return *points;
        }
        services.messageBox(QStringLiteral("Please enter the point level as a number from -32768 to 32767."),
                            app::Buttons::OK, app::Icon::Exclamation);
    }
}

void frmAddMerit::cmdok_Click() {
    const QString name = typedName();
    if (name.isEmpty()) {
        reject();
        return;
    }
    checkNewName();
    app::Services& services = m_session.services;
    app::guarded(services, [&] {
        db::Database& database = *m_session.database;
        const auto lookup = store::merits::findLookup(database, name);
        if (!lookup) {
            services.messageBox(name + QStringLiteral(" is not a known Merit/Flaw. Pick one from the list, or "
                                                      "confirm it as a new Merit/Flaw."),
                                app::Buttons::OK, app::Icon::Exclamation);
            // The next OK offers to enter it again.
            m_checkedName.reset();
            return;
        }
        if (store::merits::characterHas(database, m_charId, lookup->id)) {
            services.messageBox(QStringLiteral("You already have ") + name + QStringLiteral(" as a Merit/Flaw!"));
            return;
        }
        int points = 0;
        if (lookup->pointflex) {
            const auto level = askPointLevel(name);
            if (!level)
                return;
            points = *level;
        } else {
            points = numbers::toInt16Clamped(lookup->points.toDouble());
        }
        store::merits::addLink(database, m_charId, lookup->id, points);
        m_added = Added{store::merits::dialogLine(name, points), lookup->id};
        accept();
    });
}

} // namespace merits
