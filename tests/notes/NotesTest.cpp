#include "app/Session.h"
#include "app/TerminationSignals.h"
#include "notes/NotesCommands.h"
#include "notes/PictureView.h"
#include "notes/frmPict.h"
#include "ratings/BitmapStore.h"
#include "store/Schema.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

// Ann, shown in browse mode; the program folder holds a 30 x 20 nopic.bmp. What a text column
// stores is tested with the store.
class Notes : public ::testing::Test {
protected:
    Notes() : session(services) {
        session.database = store::openChronicle(temp.path(), false);
        session.shownKey = ann;
    }
    // A width x height picture in the folder, of the type its name says; returns its path.
    QString savePicture(const char* name, int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        EXPECT_TRUE(image.save(temp.file(name)));
        return temp.file(name);
    }
    QVariant stored(const QString& column) { return temp.scalar("SELECT " + column + " FROM Char_Info"); }
    // The next modal window is shown so that its layout is real; drive() works it, then the
    // button must close it.
    void onModal(const char* button, const std::function<void(QDialog&)>& drive) {
        services.onActiveModal([drive, button](QDialog& dialog) {
            drive(dialog);
            QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible()) << button;
        });
    }
    // Leaves the window by a button, Escape in the text box or closing the window.
    static void leave(QDialog& dialog, QWidget& box, const QString& how) {
        if (how == "Escape")
            QTest::keyClick(&box, Qt::Key_Escape);
        else if (how == "close")
            dialog.close();
        else
            QTest::mouseClick(dialog.findChild<QPushButton*>(how), Qt::LeftButton);
    }
    static notes::PictureView* pict(QDialog& dialog) { return dialog.findChild<notes::PictureView*>("pict"); }

    TempDatabase temp;
    ScriptedServices services;
    app::Session session;
    qint64 ann = temp.addCharacter("Ann");
    QString nopic = savePicture("nopic.bmp", 30, 20);
    ratings::BitmapStore bitmaps{temp.folder()};
};

// History and notes show their own column and write only it by OK, in browse mode too. Exit,
// Escape and closing the window write nothing, and first ask when the text differs from the one
// shown: No keeps the window and the text. Without a character shown none of the three windows opens.
TEST_F(Notes, MemoWindows) {
    temp.exec("UPDATE Char_Info SET History = 'h', Notes = 'n'");
    const struct {
        void (*show)(app::Session&, QWidget*);
        const char *textBox, *typed, *leave, *after; // History|Notes
        QString question;                            // asked on leaving; empty: nothing asked
    } cases[] = {
        {notes::showHistory, "txtHistory", "typed", "cmdExit", "h|n", "Discard the changes to the history of Ann?"},
        {notes::showHistory, "txtHistory", "typed", "cmdOK", "typed|n", ""},
        {notes::showNotes, "txtNotes", "typed", "Escape", "typed|n", "Discard the changes to the notes of Ann?"},
        {notes::showNotes, "txtNotes", "n", "close", "typed|n", ""}, // typed back as shown
        {notes::showNotes, "txtNotes", "typed", "cmdOK", "typed|typed", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.textBox) + ' ' + c.leave);
        services.messages.clear();
        services.onActiveModal([&](QDialog& dialog) {
            auto* box = dialog.findChild<QPlainTextEdit*>(c.textBox);
            EXPECT_FALSE(box->isReadOnly());
            box->selectAll();
            QTest::keyClicks(box, c.typed);
            if (!c.question.isEmpty()) {
                services.answers = {app::Answer::No};
                leave(dialog, *box, c.leave);
                EXPECT_TRUE(dialog.isVisible());
                EXPECT_EQ(box->toPlainText(), c.typed);
                services.answers = {app::Answer::Yes};
            }
            leave(dialog, *box, c.leave);
            EXPECT_FALSE(dialog.isVisible());
        });
        c.show(session, nullptr);
        EXPECT_EQ(stored("History || '|' || Notes").toString(), c.after);
        // The discard question, asked twice (answered No, then Yes), or nothing asked.
        ASSERT_EQ(services.messages.size(), c.question.isEmpty() ? 0u : 2u);
        for (const auto& m : services.messages)
            EXPECT_TRUE(m.text == c.question && m.buttons == app::Buttons::YesNo && m.defaultButton == app::Answer::No)
                << m.text.toStdString();
    }
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    session.shownKey.reset();
    notes::showHistory(session, nullptr);
    notes::showNotes(session, nullptr);
    notes::showPicture(session, bitmaps, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}

// A signal that ends the program while a note is open stores what was typed, as OK would.
TEST_F(Notes, ASignalKeepsTheTypedText) {
    services.modalHandlers.push_back([](QDialog& dialog) {
        dialog.show();
        auto* box = dialog.findChild<QPlainTextEdit*>("txtNotes");
        QTest::keyClicks(box, "typed before shut-down");
        std::raise(SIGTERM);
        return dialog.exec(); // the signal ends this loop, as it does in the program
    });
    QTimer::singleShot(0, [&] { notes::showNotes(session, nullptr); });
    EXPECT_EQ(app::runUntilEnded([] { return true; }), 0);
    EXPECT_EQ(stored("Notes").toString(), "typed before shut-down");
    EXPECT_TRUE(services.messages.empty());
}

// OK writes back only a changed text, so line breaks and no-break spaces stay as stored. A text too
// long to lay out opens at once, read-only under a notice, and stays as stored too.
TEST_F(Notes, StoredTextsOpenQuicklyAndStayAsStored) {
    const struct {
        const char* text; // SQL
        bool whole;
    } cases[] = {
        {"'first' || char(13, 10) || 'second' || char(160) || 'end'", true},
        {"replace(hex(zeroblob(6500000)), '00', 'wrd ')", false}, // one line of 26 million characters
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        temp.exec(QStringLiteral("UPDATE Char_Info SET History = %1").arg(c.text));
        const QVariant before = stored("History");
        QElapsedTimer opening;
        onModal("cmdOK", [&](QDialog& dialog) {
            EXPECT_LT(opening.elapsed(), 5000);
            EXPECT_EQ(dialog.findChild<QPlainTextEdit*>("txtHistory")->isReadOnly(), !c.whole);
            const auto* notice = dialog.findChild<QLabel*>("lblLongText");
            EXPECT_EQ(notice && notice->isVisible(), !c.whole);
        });
        opening.start();
        notes::showHistory(session, nullptr);
        EXPECT_TRUE(stored("History") == before);
    }
}

// A file that cannot be shown gives the placeholder and says why; a chosen file is shown at once
// and stored only by OK; a cancelled file dialog keeps the shown picture. Resizing keeps the
// minimum size and the picture's aspect ratio.
TEST_F(Notes, PictureWindow) {
    const QString wide = savePicture("wide.png", 40, 10), square = savePicture("square.jpg", 16, 16);
    const QVariant null;
    const struct {
        QVariant before;
        std::optional<QString> chosen; // the file dialog's answer ("": cancelled); none: not asked
        const char* button;
        QSize shown;
        QString note; // a part of it; "": none shown
        QVariant after;
    } cases[] = {
        {null, {}, "cmdOK", {30, 20}, "", null},
        {wide, temp.file("gone.bmp"), "cmdExit", {30, 20}, "was not found", wide},
        {wide, square, "cmdExit", {16, 16}, "", wide},
        {wide, "", "cmdOK", {40, 10}, "", wide},
        {wide, square, "cmdOK", {16, 16}, "", square},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before.toString().toStdString() + " chosen " + c.chosen.value_or("nothing").toStdString());
        temp.db().Execute("UPDATE Char_Info SET Picture = ?", {c.before});
        onModal(c.button, [&](QDialog& dialog) {
            if (c.chosen) {
                services.fileAnswers.push_back(*c.chosen);
                QTest::mouseClick(dialog.findChild<QPushButton*>("cmdLoadPic"), Qt::LeftButton);
            }
            EXPECT_EQ(pict(dialog)->pixmap().size(), c.shown);
            auto* label = dialog.findChild<QLabel*>("lblNote");
            const QString note = label->isHidden() ? QString() : label->text();
            EXPECT_TRUE(note.isEmpty() == c.note.isEmpty() && note.contains(c.note)) << note.toStdString();
        });
        notes::showPicture(session, bitmaps, nullptr);
        EXPECT_EQ(stored("Picture"), c.after);
    }

    temp.db().Execute("UPDATE Char_Info SET Picture = ?", {wide});
    onModal("cmdExit", [&](QDialog& dialog) {
        dialog.resize(50, 40);
        EXPECT_EQ(dialog.size(), dialog.minimumSize().expandedTo(notes::frmPict::kMinimumSize));
        dialog.resize(900, 700);
        QTest::qWait(0);
        const QRect drawn = pict(dialog)->pictureRect();
        EXPECT_NEAR(double(drawn.width()) / drawn.height(), 4.0, 0.05);
        EXPECT_TRUE(pict(dialog)->contentsRect().contains(drawn));
    });
    notes::showPicture(session, bitmaps, nullptr);
}
