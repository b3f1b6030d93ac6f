#include "app/Session.h"
#include "notes/NotesCommands.h"
#include "notes/PictureView.h"
#include "notes/frmPict.h"
#include "ratings/BitmapStore.h"
#include "store/Schema.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
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
    // Queues a handler for the next modal window, shown so that its layout is real: drive() works
    // it, then the button must close it.
    void onModal(const char* button, const std::function<void(QDialog&)>& drive) {
        services.modalHandlers.push_back([drive, button](QDialog& dialog) {
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            drive(dialog);
            QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
            EXPECT_FALSE(dialog.isVisible()) << button;
            return dialog.result();
        });
    }
    static notes::PictureView* pict(QDialog& dialog) { return dialog.findChild<notes::PictureView*>("pict"); }

    TempDatabase temp;
    ScriptedServices services;
    app::Session session;
    qint64 ann = temp.addCharacter("Ann");
    QString nopic = savePicture("nopic.bmp", 30, 20);
    ratings::BitmapStore bitmaps{temp.folder()};
};

// History and notes show their own column and write it by OK, in browse mode too; Exit writes
// nothing. Without a character shown none of the three windows opens.
TEST_F(Notes, MemoWindowsShowAndWriteTheirOwnColumnByOkOnly) {
    temp.exec("UPDATE Char_Info SET History = 'h', Notes = 'n'");
    const struct {
        void (*show)(app::Session&, QWidget*);
        const char *name, *textBox, *title, *column;
    } windows[] = {
        {notes::showHistory, "frmHistory", "txtHistory", "Caldrenne History", "History"},
        {notes::showNotes, "frmNotes", "txtNotes", "Caldrenne Notes", "Notes"},
    };
    for (const auto& w : windows) {
        for (const char* button : {"cmdExit", "cmdOK"}) {
            SCOPED_TRACE(std::string(w.name) + ' ' + button);
            const QString before = stored(w.column).toString();
            onModal(button, [&](QDialog& dialog) {
                EXPECT_EQ(dialog.objectName() + '|' + dialog.windowTitle(), w.name + QString("|Duskledger"));
                EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(), w.title);
                auto* box = dialog.findChild<QPlainTextEdit*>(w.textBox);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->toPlainText(), before);
                EXPECT_FALSE(box->isReadOnly());
                box->setPlainText(w.name);
            });
            w.show(session, nullptr);
            EXPECT_EQ(stored(w.column).toString(), QString(button) == "cmdOK" ? w.name : before);
        }
    }
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    session.shownKey.reset();
    notes::showHistory(session, nullptr);
    notes::showNotes(session, nullptr);
    notes::showPicture(session, bitmaps, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
    EXPECT_TRUE(services.messages.empty());
}

// Stored or chosen, a file that cannot be shown gives the placeholder and says why; a chosen file
// is shown at once and stored only by OK; a cancelled file dialog keeps the shown picture; OK
// without a choice leaves the stored path alone, even a Null one.
TEST_F(Notes, PictureShowsTheStoredOrChosenFileOrThePlaceholderAndStoresOnlyByOk) {
    const QString first = savePicture("first.png", 40, 10), second = savePicture("second.jpg", 16, 16);
    const QString broken = temp.file("broken.jpg"), gone = temp.file("gone.bmp");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
    file.close();
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
        {broken, {}, "cmdExit", {30, 20}, "cannot be read", broken},
        {gone, {}, "cmdExit", {30, 20}, "was not found", gone},
        {first, broken, "cmdExit", {30, 20}, "cannot be read", first},
        {first, second, "cmdExit", {16, 16}, "", first},
        {first, "", "cmdOK", {40, 10}, "", first},
        {first, second, "cmdOK", {16, 16}, "", second},
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
    EXPECT_EQ(services.fileDialogs.at(0).title, "Duskledger");
    EXPECT_TRUE(services.fileDialogs[0].filter.startsWith("Graphic Files (*.bmp, *.gif, *.jpg)|*.gif;*.bmp;*.jpg"));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Notes, PictureResizingKeepsTheMinimumTheButtonCornerAndTheAspectRatio) {
    temp.db().Execute("UPDATE Char_Info SET Picture = ?", {savePicture("wide.png", 40, 10)});
    onModal("cmdExit", [&](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>("cmdOK");
        const auto cornerGap = [&] { return QPoint(dialog.width(), dialog.height()) - ok->geometry().bottomRight(); };
        const QPoint gap = cornerGap();
        const QSize designPict = pict(dialog)->size();
        dialog.resize(50, 40);
        EXPECT_EQ(dialog.size(), dialog.minimumSize().expandedTo(notes::frmPict::kMinimumSize));
        QTest::qWait(0);
        EXPECT_TRUE(dialog.rect().contains(dialog.findChild<QPushButton*>("cmdExit")->geometry()));
        dialog.resize(900, 700);
        QTest::qWait(0);
        EXPECT_EQ(cornerGap(), gap);
        EXPECT_TRUE(pict(dialog)->width() > designPict.width() && pict(dialog)->height() > designPict.height());
        const QRect drawn = pict(dialog)->pictureRect();
        EXPECT_NEAR(double(drawn.width()) / drawn.height(), 4.0, 0.05);
        EXPECT_TRUE(pict(dialog)->contentsRect().contains(drawn));
    });
    notes::showPicture(session, bitmaps, nullptr);
}
