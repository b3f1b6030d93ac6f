#include "notes/NotesCommands.h"

#include "app/Guard.h"
#include "app/mdlGlobal.h"
#include "notes/frmMemo.h"
#include "notes/frmPict.h"
#include "store/CharacterTextStore.h"

#include <optional>

namespace notes {

namespace {

// The column as stored now; nothing when it cannot be read (the user has been told).
std::optional<QString> storedText(app::mdlGlobal& global, qint64 charId, const QString& column) {
    std::optional<QString> text;
    app::guarded(global.services, [&] {
        text = store::notes::readCharacterText(*global.database, charId, column);
        if (!text)
            global.services.messageBox(QStringLiteral("This character is no longer in the database."), app::Buttons::OK,
                                       app::Icon::Exclamation);
    });
    return text;
}

void showMemo(app::mdlGlobal& global, const MemoKind& kind, const QString& key, QWidget* owner) {
    const auto charId = global.shownCharacter(key);
    if (!charId)
        return;
    const auto text = storedText(global, *charId, kind.column);
    if (!text)
        return;
    frmMemo window(global, kind, *charId, *text, owner);
    global.services.showModal(window);
}
} // namespace

void showHistory(app::mdlGlobal& global, const QString& key, QWidget* owner) {
    showMemo(global, kHistory, key, owner);
}

void showNotes(app::mdlGlobal& global, const QString& key, QWidget* owner) {
    showMemo(global, kNotes, key, owner);
}

void showPicture(app::mdlGlobal& global, const QString& key, QWidget* owner) {
    const auto charId = global.shownCharacter(key);
    if (!charId)
        return;
    const auto path = storedText(global, *charId, QStringLiteral("picture"));
    if (!path)
        return;
    frmPict window(global, *charId, *path, owner);
    global.services.showModal(window);
}

} // namespace notes
