#include "merits/MeritCommands.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "merits/frmAddMerit.h"
#include "merits/frmMeritFlawDesc.h"
#include "store/MeritStore.h"

#include <QListWidget>
#include <optional>

namespace merits {

namespace {

QListWidgetItem* firstSelected(const QListWidget& list) {
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected())
            return list.item(row);
    }
    return nullptr;
}

QListWidgetItem* lineItem(const QString& text, qint64 meritId) {
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, meritId);
    return item;
}

// The lookup row behind a line: by its key, or by its text for a line without one.
std::optional<store::merits::MeritLookup> lookupOfLine(db::Database& database, const QListWidgetItem& item) {
    const QVariant meritId = item.data(Qt::UserRole);
    if (meritId.isValid())
        return store::merits::findLookup(database, meritId.toLongLong());
    return store::merits::findLookup(database, store::merits::nameFromLine(item.text()));
}

void reportUnknownLine(app::Services& services, const QListWidgetItem& item) {
    services.messageBox(QStringLiteral("No Merit/Flaw of this character matches the line \"") + item.text() +
                            QStringLiteral("\". Nothing was changed."),
                        app::Buttons::OK, app::Icon::Exclamation);
}
} // namespace

void showMerits(QListWidget& lstMerit, const std::vector<model::Merit>& merits) {
    lstMerit.clear();
    for (const model::Merit& merit : merits)
        lstMerit.addItem(lineItem(merit.text, merit.meritId));
}

void cmdAddMerit_Click(app::Session& session, QListWidget& lstMerit, QWidget* owner) {
    const auto charId = session.shownCharacter();
    if (!charId || !session.editMode)
        return;
    frmAddMerit dialog(session, *charId, owner);
    session.services.showModal(dialog);
    if (const auto& added = dialog.added())
        lstMerit.addItem(lineItem(added->line, added->meritId));
}

void cmdRemoveMerit_Click(app::Session& session, QListWidget& lstMerit) {
    const auto charId = session.shownCharacter();
    if (!charId || !session.editMode || lstMerit.count() == 0)
        return;
    app::Services& services = session.services;
    QListWidgetItem* item = firstSelected(lstMerit);
    if (!item) {
        services.messageBox(QStringLiteral("You must select a Merit/Flaw to be removed!"));
        return;
    }
    app::guarded(services, [&] {
        db::Database& database = *session.database;
        const auto lookup = lookupOfLine(database, *item);
        if (!lookup) {
            reportUnknownLine(services, *item);
            return;
        }
        if (services.messageBox(QStringLiteral("You are about to remove the ") + lookup->name +
                                    QStringLiteral(" Merit/Flaw. Are you Sure?"),
                                app::Buttons::OKCancel, app::Icon::Question) != app::Answer::OK)
            return;
        if (!store::merits::removeLink(database, *charId, lookup->id)) {
            reportUnknownLine(services, *item);
            return;
        }
        delete lstMerit.takeItem(lstMerit.row(item));
        // The list would move the selection on to the next line, and a second press would then
        // offer to remove a merit nobody picked.
        lstMerit.setCurrentItem(nullptr);
        lstMerit.clearSelection();
    });
}

void lstMerit_DblClick(app::Session& session, QListWidget& lstMerit, QWidget* owner) {
    if (!session.shownCharacter())
        return;
    const QListWidgetItem* item = firstSelected(lstMerit);
    if (!item)
        return;
    std::optional<store::merits::MeritLookup> lookup;
    std::optional<QString> text;
    const bool read = app::guarded(session.services, [&] {
        lookup = lookupOfLine(*session.database, *item);
        if (lookup)
            text = store::merits::description(*session.database, lookup->id);
    });
    if (!read)
        return;
    if (!lookup || !text) {
        reportUnknownLine(session.services, *item);
        return;
    }
    frmMeritFlawDesc window(session, lookup->id, lookup->name, *text, owner);
    session.services.showModal(window);
}

} // namespace merits
