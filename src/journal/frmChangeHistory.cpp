#include "journal/frmChangeHistory.h"

#include "app/Guard.h"
#include "app/Services.h"
#include "app/Session.h"
#include "store/Journal.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace changelog {

namespace journal = store::journal;

frmChangeHistory::frmChangeHistory(app::Session& session, model::CharacterKey key, Hooks hooks, QWidget* parent)
    : QDialog(parent), m_session(session), m_key(key), m_hooks(std::move(hooks)), m_kind(new QComboBox),
      m_tree(new QTreeWidget), m_experience(new QLabel) {
    setObjectName(QStringLiteral("frmChangeHistory"));
    setWindowTitle(QStringLiteral("Change History"));

    auto* menus = new QMenuBar;
    QMenu* menu = menus->addMenu(QStringLiteral("&Character"));
    QAction* restore = menu->addAction(QStringLiteral("&Restore deleted character..."));
    restore->setObjectName(QStringLiteral("mnuRestoreDeleted"));
    connect(restore, &QAction::triggered, this, [this] { app::guarded(m_session.services, [&] { restoreDeleted(); }); });

    m_kind->setObjectName(QStringLiteral("cmbKind"));
    m_kind->addItem(QStringLiteral("All changes"), -1);
    for (int kind = 0; kind <= int(journal::Kind::Character); ++kind)
        m_kind->addItem(journal::kindName(journal::Kind(kind)), kind);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this] { refill(); });
    connect(m_tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (item->data(0, Qt::UserRole).toLongLong() == -1) {
            m_newest = 0;
            app::guarded(m_session.services, [&] { refill(); });
        }
    });

    m_tree->setObjectName(QStringLiteral("tvwChanges"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_experience->setObjectName(QStringLiteral("lblExperience"));

    auto* revert = new QPushButton(QStringLiteral("&Revert"));
    revert->setObjectName(QStringLiteral("cmdRevert"));
    connect(revert, &QPushButton::clicked, this, [this] { app::guarded(m_session.services, [&] { revertChosen(); }); });
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(QStringLiteral("Show:")));
    filter->addWidget(m_kind, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_experience, 1);
    buttons->addWidget(revert);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addLayout(filter);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 30);
    refill();
}

void frmChangeHistory::refill() {
    // Ten thousand entries are listed in well under a tenth of a second only without a repaint or
    // a relayout per item.
    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    const int kind = m_kind->currentData().toInt();
    const std::vector<journal::Entry> entries = journal::entries(*m_session.database, m_key, m_newest);
    QTreeWidgetItem* day = nullptr;
    QTreeWidgetItem* batch = nullptr;
    QDate dayShown;
    qint64 batchShown = 0;
    const QLocale locale;
    QList<QTreeWidgetItem*> days;
    for (const journal::Entry& e : entries) {
        if (kind >= 0 && int(e.change.kind) != kind)
            continue;
        if (!batch || e.batch != batchShown) {
            const QDateTime at = e.at.toLocalTime();
            if (!day || at.date() != dayShown) {
                dayShown = at.date();
                day = new QTreeWidgetItem({locale.toString(dayShown, QLocale::LongFormat)});
                days << day;
            }
            batchShown = e.batch;
            batch = new QTreeWidgetItem(day);
            batch->setText(0, at.time().toString(QStringLiteral("HH:mm  ")) + e.action);
            batch->setData(0, Qt::UserRole, e.batch);
        }
        (new QTreeWidgetItem(batch))->setText(0, e.text());
    }
    if (!entries.empty() && journal::hasOlder(*m_session.database, m_key, entries.back().batch)) {
        auto* more = new QTreeWidgetItem({QStringLiteral("Show older changes...")});
        more->setData(0, Qt::UserRole, -1);
        days << more;
    }
    m_tree->addTopLevelItems(days);
    m_tree->expandAll();
    m_tree->setUpdatesEnabled(true);
    // Experience adds up over the whole journal, whatever the list and the filter show.
    const auto [given, spent] = journal::experienceLog(*m_session.database, m_key);
    m_experience->setText(QStringLiteral("Experience given %1, spent %2, left %3")
                              .arg(locale.toString(given), locale.toString(spent), locale.toString(given - spent)));
}

void frmChangeHistory::revertChosen() {
    const QTreeWidgetItem* chosen = m_tree->currentItem();
    // An entry stands for its batch.
    if (chosen && chosen->parent() && chosen->parent()->parent())
        chosen = chosen->parent();
    const qint64 batch = chosen ? chosen->data(0, Qt::UserRole).toLongLong() : 0;
    if (batch <= 0) {
        m_session.services.messageBox(QStringLiteral("Choose a change to revert first."), app::Buttons::OK,
                                      app::Icon::Information);
        return;
    }
    if (!m_hooks.settleEdits())
        return;
    const QString refused = journal::revert(*m_session.database, batch);
    if (!refused.isEmpty()) {
        m_session.services.messageBox(QStringLiteral("The change was not reverted: ") + refused, app::Buttons::OK,
                                      app::Icon::Exclamation);
        return;
    }
    m_hooks.showChanged(m_key);
    refill();
}

void frmChangeHistory::restoreDeleted() {
    const auto deleted = journal::deletedCharacters(*m_session.database);
    if (deleted.empty()) {
        m_session.services.messageBox(QStringLiteral("The change history holds no deleted character."),
                                      app::Buttons::OK, app::Icon::Information);
        return;
    }
    QDialog ask(this);
    ask.setObjectName(QStringLiteral("frmRestoreDeleted"));
    ask.setWindowTitle(QStringLiteral("Restore Deleted Character"));
    auto* list = new QListWidget;
    list->setObjectName(QStringLiteral("lstDeleted"));
    for (const auto& [key, name] : deleted) {
        auto* item = new QListWidgetItem(name, list);
        item->setData(Qt::UserRole, key);
    }
    list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    auto* layout = new QVBoxLayout(&ask);
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (m_session.services.showModal(ask) != QDialog::Accepted || !list->currentItem())
        return;
    if (!m_hooks.settleEdits())
        return;
    const model::CharacterKey key = list->currentItem()->data(Qt::UserRole).toLongLong();
    const QString failed = journal::restoreDeleted(*m_session.database, key);
    if (!failed.isEmpty()) {
        m_session.services.messageBox(QStringLiteral("The character could not be brought back: ") + failed,
                                      app::Buttons::OK, app::Icon::Exclamation);
        return;
    }
    m_hooks.showChanged(key);
    refill();
}

} // namespace changelog
