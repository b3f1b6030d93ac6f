#include "NotesFixture.h"

#include "notes/NotesCommands.h"

#include <QLabel>
#include <QPlainTextEdit>

using Memo = NotesFixture;

// OK writes the window's own column, in browse mode too (an empty box as an empty text, not
// Null); Exit writes nothing; without a character nothing opens.
TEST_F(Memo, OkWritesOnlyItsOwnColumnInBrowseModeAndExitWritesNothing) {
    const struct {
        void (*show)(app::mdlGlobal&, const QString&, QWidget*);
        const char *name, *textBox, *title, *column, *otherColumn;
    } windows[] = {
        {notes::showHistory, "frmHistory", "txtHistory", "Caldrenne History", "History", "Notes"},
        {notes::showNotes, "frmNotes", "txtNotes", "Caldrenne Notes", "Notes", "History"},
    };
    const QString text = "Born in the\nlower town.";
    const std::tuple<const char*, QString, QString> steps[] = {// button, typed, stored afterwards
                                                               {"cmdExit", "lost", ""},
                                                               {"cmdOK", text, text},
                                                               {"cmdExit", "lost", text},
                                                               {"cmdOK", "", ""}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.name);
        store(w.column, QVariant()); // Null opens as an empty box
        store(w.otherColumn, "untouched");
        for (const auto& [button, typed, expected] : steps) {
            const QString before = stored(w.column).toString();
            onModal([&](QDialog& dialog) {
                EXPECT_EQ(dialog.objectName(), w.name);
                EXPECT_EQ(dialog.windowTitle(), "Duskledger");
                EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), w.title);
                auto* box = dialog.findChild<QPlainTextEdit*>(w.textBox);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->toPlainText(), before);
                EXPECT_FALSE(box->isReadOnly());
                box->setPlainText(typed);
                click(dialog, button);
                EXPECT_FALSE(dialog.isVisible());
            });
            w.show(*global, key, nullptr);
            EXPECT_EQ(stored(w.column).toString(), expected);
            EXPECT_EQ(stored(w.otherColumn).toString(), "untouched");
        }
        EXPECT_FALSE(stored(w.column).isNull());
    }
    EXPECT_TRUE(services.messages.empty());
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    for (auto show : {notes::showHistory, notes::showNotes, notes::showPicture})
        show(*global, QString(), nullptr); // no character shown: nothing opens
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}
