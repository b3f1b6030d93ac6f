#include "NotesFixture.h"

#include "notes/NotesCommands.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace {

using Memo = NotesFixture;

struct Window {
    void (*show)(app::mdlGlobal&, const QString&, QWidget*);
    const char* name;
    const char* textBox;
    const char* title;
    QString column;
    QString otherColumn;
};

const Window kWindows[] = {
    {notes::showHistory, "frmHistory", "txtHistory", "Caldrenne History", QStringLiteral("History"),
     QStringLiteral("Notes")},
    {notes::showNotes, "frmNotes", "txtNotes", "Caldrenne Notes", QStringLiteral("Notes"), QStringLiteral("History")},
};

TEST_F(Memo, OkWritesOnlyItsOwnColumnInBrowseModeAndExitWritesNothing) {
    for (const Window& w : kWindows) {
        SCOPED_TRACE(w.name);
        store(w.column, QVariant()); // Null opens as an empty box
        store(w.otherColumn, QStringLiteral("untouched"));
        struct Step {
            const char* button;
            QString typed;
            QString expected;
        };
        const Step steps[] = {
            {"cmdExit", QStringLiteral("lost"), QString()},
            {"cmdOK", QStringLiteral("Born in the\nlower town."), QStringLiteral("Born in the\nlower town.")},
            {"cmdExit", QStringLiteral("lost"), QStringLiteral("Born in the\nlower town.")},
            {"cmdOK", QString(), QString()},
        };
        for (const Step& step : steps) {
            const QString before = stored(w.column).toString();
            onModal([&](QDialog& dialog) {
                EXPECT_EQ(dialog.objectName(), QString::fromLatin1(w.name));
                EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Duskledger"));
                EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString::fromLatin1(w.title));
                auto* text = dialog.findChild<QPlainTextEdit*>(QString::fromLatin1(w.textBox));
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(text->toPlainText(), before);
                EXPECT_FALSE(text->isReadOnly());
                text->setPlainText(step.typed);
                click(dialog, step.button);
                EXPECT_FALSE(dialog.isVisible());
            });
            w.show(*global, key, nullptr);
            EXPECT_EQ(stored(w.column).toString(), step.expected);
            EXPECT_EQ(stored(w.otherColumn).toString(), QStringLiteral("untouched"));
        }
        EXPECT_FALSE(stored(w.column).isNull()); // OK on an empty box stores an empty text
        EXPECT_TRUE(services.modalHandlers.empty());
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Memo, NothingOpensWithoutACharacter) {
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    for (const Window& w : kWindows)
        w.show(*global, QString(), nullptr);
    notes::showPicture(*global, QString(), nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}

} // namespace
