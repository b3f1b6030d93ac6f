#include "snapshots/frmSnapshots.h"

#include "app/Guard.h"
#include "app/Services.h"
#include "app/Session.h"
#include "db/DbError.h"
#include "snapshots/SnapshotKeeper.h"
#include "snapshots/frmPickCharacter.h"
#include "store/CharacterRestore.h"
#include "store/CharacterStore.h"
#include "store/Snapshots.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace snapshots {

using app::Answer;
using app::Buttons;
using app::Icon;

namespace {
const QString kTimeFormat = QStringLiteral("d MMMM yyyy, HH:mm:ss");
}

QString shownTime(const QString& snapshotPath) {
    const std::optional<QDateTime> taken = store::snapshots::takenAt(snapshotPath);
    return taken ? QLocale().toString(*taken, kTimeFormat) : QFileInfo(snapshotPath).completeBaseName();
}

frmSnapshots::frmSnapshots(app::Session& session, SnapshotKeeper& keeper, Hooks hooks, QWidget* parent)
    : QDialog(parent), m_session(session), m_keeper(keeper), m_hooks(std::move(hooks)), m_list(new QTreeWidget) {
    setObjectName(QStringLiteral("frmSnapshots"));
    setWindowTitle(QStringLiteral("Snapshots"));
    m_list->setObjectName(QStringLiteral("lstSnapshots"));
    m_list->setHeaderLabels({QStringLiteral("Taken"), QStringLiteral("Size"), QStringLiteral("Characters")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumWidth(fontMetrics().averageCharWidth() * 62);

    const auto button = [this](const char* name, const QString& caption, void (frmSnapshots::*act)()) {
        auto* b = new QPushButton(caption);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, [this, act] { app::guarded(m_session.services, [&] { (this->*act)(); }); });
        return b;
    };
    auto* restoreFile = button("cmdRestoreFile", QStringLiteral("Restore this &File..."), &frmSnapshots::restoreFile);
    auto* restoreCharacter =
        button("cmdRestoreCharacter", QStringLiteral("Restore a &Character..."), &frmSnapshots::restoreCharacter);
    auto* take = button("cmdTakeSnapshot", QStringLiteral("&Take a Snapshot Now"), &frmSnapshots::takeNow);
    auto* folder = new QPushButton(QStringLiteral("&Open Folder"));
    folder->setObjectName(QStringLiteral("cmdOpenFolder"));
    connect(folder, &QPushButton::clicked, this, [this] {
        const QString where = store::snapshots::folderFor(m_session.path());
        if (!QDir(where).exists() || !m_session.services.openFolder(where))
            m_session.services.messageBox(QStringLiteral("The snapshots are kept in the folder \"%1\".")
                                              .arg(QDir::toNativeSeparators(where)),
                                          Buttons::OK, Icon::Information);
    });
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    m_needChoice = {restoreFile, restoreCharacter};

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {restoreFile, restoreCharacter, take, folder})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(fontMetrics().averageCharWidth() * 90, fontMetrics().height() * 24);

    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] {
        for (QPushButton* b : m_needChoice)
            b->setEnabled(m_list->currentItem() != nullptr);
    });
    refill();
}

void frmSnapshots::refill() {
    m_list->clear();
    const QLocale locale;
    for (const store::snapshots::Snapshot& snapshot : store::snapshots::list(m_session.path())) {
        const std::optional<qint64> characters = store::snapshots::characterCount(snapshot.path);
        auto* item = new QTreeWidgetItem(
            {locale.toString(snapshot.taken, kTimeFormat),
             locale.formattedDataSize(snapshot.bytes),
             characters ? locale.toString(*characters) : QStringLiteral("cannot be read")});
        item->setData(0, Qt::UserRole, snapshot.path);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        m_list->addTopLevelItem(item);
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    for (QPushButton* b : m_needChoice)
        b->setEnabled(m_list->currentItem() != nullptr);
}

std::optional<QString> frmSnapshots::chosen() {
    if (const QTreeWidgetItem* item = m_list->currentItem())
        return item->data(0, Qt::UserRole).toString();
    return std::nullopt;
}

void frmSnapshots::takeNow() {
    if (!m_session.isOpen())
        return;
    if (m_keeper.takeNow().isEmpty())
        m_session.services.messageBox(QStringLiteral("No snapshot was taken."), Buttons::OK, Icon::Exclamation);
    refill();
}

void frmSnapshots::restoreFile() {
    const std::optional<QString> snapshot = chosen();
    if (!snapshot || !m_session.isOpen())
        return;
    const QString file = m_session.path();
    const QString when = shownTime(*snapshot);
    if (m_session.services.messageBox(
            QStringLiteral("Put the snapshot of %1 in place of \"%2\"?\n\nThe chronicle as it is now is kept as a "
                           "snapshot first.")
                .arg(when, QDir::toNativeSeparators(file)),
            Buttons::YesNo, Icon::Question, app::kTitle, Answer::No) != Answer::Yes)
        return;
    if (!m_hooks.settleEdits())
        return;
    if (m_keeper.takeNow().isEmpty()) {
        m_session.services.messageBox(QStringLiteral("The chronicle as it is now could not be kept as a snapshot, "
                                                     "so the snapshot of %1 was not put in place.")
                                          .arg(when),
                                      Buttons::OK, Icon::Critical);
        return;
    }
    app::WaitCursor wait(m_session.services);
    m_session.close();
    try {
        store::snapshots::putInPlace(*snapshot, file);
    } catch (const db::DbError& e) {
        m_session.services.messageBox(e.message(), Buttons::OK, Icon::Critical);
    }
    m_hooks.reload(file); // the restored file, or the file as it was when the snapshot could not be put in place
    refill();
}

void frmSnapshots::restoreCharacter() {
    const std::optional<QString> snapshot = chosen();
    if (!snapshot || !m_session.isOpen())
        return;
    frmPickCharacter picker(*snapshot, this);
    if (m_session.services.showModal(picker) != QDialog::Accepted || !picker.picked())
        return;
    const model::CharacterKey key = *picker.picked();
    const QString name = picker.pickedName();
    store::RestoreAs as = store::RestoreAs::SameKey;
    if (const std::optional<model::Character> now = store::CharacterStore(*m_session.database).load(key)) {
        switch (m_session.services.messageBox(
            QStringLiteral("%1 is still in the chronicle (as %2). Replace it with the one of the snapshot of %3?\n\n"
                           "Yes replaces it; No brings the snapshot's back as a new character.")
                .arg(name, now->name, shownTime(*snapshot)),
            Buttons::YesNoCancel, Icon::Question)) {
        case Answer::Yes:
            break;
        case Answer::No:
            as = store::RestoreAs::NewCharacter;
            break;
        default:
            return;
        }
    }
    if (!m_hooks.settleEdits())
        return;
    m_keeper.takeNow(); // the character it replaces, or the file before it grew, can come back the same way
    const store::RestoreResult restored = store::restoreCharacter(*m_session.database, *snapshot, key, as);
    m_hooks.showRestored(restored.key);
    refill();
}

} // namespace snapshots
