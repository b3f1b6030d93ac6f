#include "notes/NotesCommands.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "notes/frmMemo.h"
#include "notes/frmPict.h"
#include "store/CharacterTextStore.h"

#include <optional>

namespace notes {

namespace {

// The column as stored now; nothing when it cannot be read (the user has been told).
std::optional<QString> storedText(app::Session& session, qint64 charId, const QString& column) {
    std::optional<QString> text;
    app::guarded(session.services, [&] {
        text = store::notes::readCharacterText(*session.database, charId, column);
        if (!text)
            session.services.messageBox(QStringLiteral("This character is no longer in the database."),
                                        app::Buttons::OK, app::Icon::Exclamation);
    });
    return text;
}

void showMemo(app::Session& session, const MemoKind& kind, QWidget* owner) {
    const auto charId = session.shownCharacter();
    if (!charId)
        return;
    const auto text = storedText(session, *charId, kind.column);
    if (!text)
        return;
    // The stored name, for the question before typed text is dropped.
    const auto name = storedText(session, *charId, QStringLiteral("Name"));
    if (!name)
        return;
    frmMemo window(session, kind, *charId, *name, *text, owner);
    session.services.showModal(window);
}
} // namespace

void showHistory(app::Session& session, QWidget* owner) {
    showMemo(session, kHistory, owner);
}

void showNotes(app::Session& session, QWidget* owner) {
    showMemo(session, kNotes, owner);
}

void showPicture(app::Session& session, const ratings::BitmapStore& bitmaps, QWidget* owner) {
    const auto charId = session.shownCharacter();
    if (!charId)
        return;
    const auto path = storedText(session, *charId, QStringLiteral("picture"));
    if (!path)
        return;
    frmPict window(session, bitmaps, *charId, *path, owner);
    session.services.showModal(window);
}

} // namespace notes
