#include "journal/JournalCommands.h"

#include "app/Services.h"
#include "app/Session.h"
#include "db/DbError.h"
#include "sheet/CharacterSheet.h"
#include "store/CharacterStore.h"
#include "store/Journal.h"

#include <QDate>
#include <QLocale>

namespace changelog {

namespace {

void takeBack(sheet::CharacterSheet& sheet, bool redo) {
    app::Session& session = sheet.session();
    const std::optional<model::CharacterKey> key = session.shownCharacter();
    if (!key || !sheet.leaveEditMode())
        return;
    db::Database& database = *session.database;
    const qint64 batch = redo ? store::journal::redoable(database, *key) : store::journal::undoable(database, *key);
    if (!batch)
        return;
    const QString failed = store::journal::takeBack(database, batch, redo ? QStringLiteral("Redo") : QStringLiteral("Undo"));
    if (!failed.isEmpty()) {
        session.services.messageBox((redo ? QStringLiteral("The change could not be made again: ")
                                          : QStringLiteral("The change could not be taken back: ")) +
                                        failed,
                                    app::Buttons::OK, app::Icon::Exclamation);
        return;
    }
    showAfterChange(sheet, *key);
}

} // namespace

void undo(sheet::CharacterSheet& sheet) {
    takeBack(sheet, false);
}

void redo(sheet::CharacterSheet& sheet) {
    takeBack(sheet, true);
}

void showAfterChange(sheet::CharacterSheet& sheet, long long key) {
    store::CharacterStore characters(*sheet.session().database);
    if (characters.exists(key)) {
        sheet.showRestored(key);
        return;
    }
    const std::optional<model::CharacterKey> first = characters.first();
    if (!first || !sheet.switchTo(*first))
        sheet.showNone();
}

bool addJournalIfMissing(app::Session& session, const std::function<void()>& takeSnapshot) {
    if (!session.isOpen() || store::journal::present(*session.database))
        return false;
    takeSnapshot();
    try {
        store::journal::create(*session.database);
    } catch (const db::DbError&) {
        // A file that cannot be written (read-only) is refused at its first write, which tells why.
    }
    return true;
}

void trimHistory(app::Session& session, const std::function<void()>& takeSnapshot) {
    if (!session.isOpen())
        return;
    app::Services& services = session.services;
    const std::optional<QString> answer = services.inputBox(
        QStringLiteral("Drop the change history older than this date (year-month-day):"), app::kTitle,
        QDate::currentDate().addYears(-1).toString(Qt::ISODate));
    if (!answer)
        return;
    const QDate date = QDate::fromString(answer->trimmed(), Qt::ISODate);
    if (!date.isValid()) {
        services.messageBox(QStringLiteral("\"%1\" is not a date; write it as year-month-day, e.g. 2024-03-01.")
                                .arg(*answer),
                            app::Buttons::OK, app::Icon::Exclamation);
        return;
    }
    if (services.messageBox(QStringLiteral("The change history before %1 will be dropped; those changes can no longer "
                                           "be taken back. Go on?")
                                .arg(QLocale().toString(date, QLocale::LongFormat)),
                            app::Buttons::YesNo, app::Icon::Question, app::kTitle, app::Answer::No) != app::Answer::Yes)
        return;
    takeSnapshot();
    try {
        const qint64 dropped = store::journal::trim(*session.database, date.startOfDay());
        services.messageBox(QStringLiteral("%1 entries of the change history were dropped.").arg(dropped));
    } catch (const db::DbError& e) {
        services.messageBox(QStringLiteral("The change history could not be trimmed: ") + e.message(),
                            app::Buttons::OK, app::Icon::Exclamation);
    }
}

} // namespace changelog
