#include "merits/MeritList.h"

#include "app/Guard.h"
#include "app/mdlGlobal.h"
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

void LoadMerits(app::mdlGlobal& global, const QString& key, QListWidget& lstMerit) {
    const auto charId = global.shownCharacter(key);
    if (!charId)
        return;
    const auto lines = store::merits::characterMerits(*global.database, *charId);
    lstMerit.clear();
    for (const store::merits::MeritLine& line : lines)
        lstMerit.addItem(lineItem(line.text, line.meritId));
}

void cmdAddMerit_Click(app::mdlGlobal& global, const QString& key, QListWidget& lstMerit, QWidget* owner) {
    const auto charId = global.shownCharacter(key);
    if (!charId || !global.editMode)
        return;
    frmAddMerit dialog(global, *charId, owner);
    global.services.showModal(dialog);
    if (const auto& added = dialog.added())
        lstMerit.addItem(lineItem(added->line, added->meritId));
}

void cmdRemoveMerit_Click(app::mdlGlobal& global, const QString& key, QListWidget& lstMerit) {
    const auto charId = global.shownCharacter(key);
    if (!charId || !global.editMode || lstMerit.count() == 0)
        return;
    app::Services& services = global.services;
    QListWidgetItem* item = firstSelected(lstMerit);
    if (!item) {
        services.messageBox(QStringLiteral("You must select a Merit/Flaw to be removed!"));
        return;
    }
    app::guarded(services, [&] {
        db::Database& database = *global.database;
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
    });
}

void lstMerit_DblClick(app::mdlGlobal& global, const QString& key, QListWidget& lstMerit, QWidget* owner) {
    if (!global.shownCharacter(key))
        return;
    const QListWidgetItem* item = firstSelected(lstMerit);
    if (!item)
        return;
    std::optional<store::merits::MeritLookup> lookup;
    std::optional<QString> text;
    const bool read = app::guarded(global.services, [&] {
        lookup = lookupOfLine(*global.database, *item);
        if (lookup)
            text = store::merits::description(*global.database, lookup->id);
    });
    if (!read)
        return;
    if (!lookup || !text) {
        reportUnknownLine(global.services, *item);
        return;
    }
    frmMeritFlawDesc window(global, lookup->id, lookup->name, *text, owner);
    global.services.showModal(window);
}

} // namespace merits
