#include "NotesFixture.h"

#include "notes/NotesCommands.h"
#include "notes/PictureView.h"
#include "notes/frmPict.h"

#include <QFile>
#include <QLabel>

namespace {

class Pict : public NotesFixture {
protected:
    // Opens the window, hands it to the check, leaves it with the button.
    void open(const std::function<void(QDialog&)>& check, const char* button) {
        onModal([&](QDialog& dialog) {
            check(dialog);
            click(dialog, button);
            EXPECT_FALSE(dialog.isVisible());
        });
        notes::showPicture(*global, key, nullptr);
    }
    static QSize shownSize(QDialog& dialog) {
        return dialog.findChild<notes::PictureView*>(QStringLiteral("pict"))->pixmap().size();
    }
    static QLabel* note(QDialog& dialog) { return dialog.findChild<QLabel*>(QStringLiteral("lblNote")); }
    void loadPicture(QDialog& dialog, const QString& answer) {
        services.fileAnswers.push_back(answer);
        click(dialog, "cmdLoadPic");
    }

    QString savedPicture(const char* name, int width, int height) {
        const QString path = temp.file(QString::fromLatin1(name));
        EXPECT_TRUE(picture(width, height).save(path));
        return path;
    }
};

TEST_F(Pict, WithoutAPictureShowsThePlaceholder) {
    for (const QVariant& path : {QVariant(), QVariant(QString())}) {
        store(QStringLiteral("Picture"), path);
        open(
            [&](QDialog& dialog) {
                EXPECT_EQ(shownSize(dialog), QSize(30, 20));
                EXPECT_TRUE(note(dialog)->isHidden());
            },
            "cmdOK");
        EXPECT_EQ(stored(QStringLiteral("Picture")), path);
    }
}

TEST_F(Pict, ChosenFileIsShownAtOnceAndStoredOnlyByOk) {
    const QString first = savedPicture("first.png", 40, 10);
    const QString second = savedPicture("second.jpg", 16, 16);
    store(QStringLiteral("Picture"), first);

    // Exit after choosing: the stored path stays.
    open(
        [&](QDialog& dialog) {
            EXPECT_EQ(shownSize(dialog), QSize(40, 10));
            loadPicture(dialog, second);
            EXPECT_EQ(shownSize(dialog), QSize(16, 16));
        },
        "cmdExit");
    EXPECT_EQ(stored(QStringLiteral("Picture")).toString(), first);
    ASSERT_EQ(services.fileDialogs.size(), 1u);
    EXPECT_EQ(services.fileDialogs[0].title, QStringLiteral("Duskledger"));
    EXPECT_TRUE(services.fileDialogs[0].filter.startsWith(
        QStringLiteral("Graphic Files (*.bmp, *.gif, *.jpg)|*.gif;*.bmp;*.jpg")));

    // OK without a choice (the file dialog cancelled) keeps both the shown picture and the path.
    open(
        [&](QDialog& dialog) {
            loadPicture(dialog, QString());
            EXPECT_EQ(shownSize(dialog), QSize(40, 10));
        },
        "cmdOK");
    EXPECT_EQ(stored(QStringLiteral("Picture")).toString(), first);

    // OK after choosing stores the full path, and the next opening reads it afresh.
    open([&](QDialog& dialog) { loadPicture(dialog, second); }, "cmdOK");
    EXPECT_EQ(stored(QStringLiteral("Picture")).toString(), second);
    open([&](QDialog& dialog) { EXPECT_EQ(shownSize(dialog), QSize(16, 16)); }, "cmdExit");
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Pict, UnreadableOrMissingFileShowsThePlaceholderWithANote) {
    const QString broken = temp.file(QStringLiteral("broken.jpg"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    const QString missing = temp.file(QStringLiteral("gone.bmp"));

    for (const auto& [path, words] : {std::pair{broken, "cannot be read"}, std::pair{missing, "was not found"}}) {
        SCOPED_TRACE(words);
        // Stored ...
        store(QStringLiteral("Picture"), path);
        open(
            [&](QDialog& dialog) {
                EXPECT_EQ(shownSize(dialog), QSize(30, 20));
                EXPECT_FALSE(note(dialog)->isHidden());
                EXPECT_TRUE(note(dialog)->text().contains(QString::fromLatin1(words)));
            },
            "cmdExit");
        // ... or chosen.
        store(QStringLiteral("Picture"), QVariant());
        open(
            [&](QDialog& dialog) {
                loadPicture(dialog, path);
                EXPECT_EQ(shownSize(dialog), QSize(30, 20));
                EXPECT_TRUE(note(dialog)->text().contains(QString::fromLatin1(words)));
            },
            "cmdExit");
    }
}

TEST_F(Pict, ResizingKeepsTheMinimumTheButtonCornerAndTheAspectRatio) {
    store(QStringLiteral("Picture"), savedPicture("wide.png", 40, 10));
    open(
        [&](QDialog& dialog) {
            auto* pict = dialog.findChild<notes::PictureView*>(QStringLiteral("pict"));
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
            auto* exit = dialog.findChild<QPushButton*>(QStringLiteral("cmdExit"));
            const auto cornerGap = [&](QWidget* w) {
                return QPoint(dialog.width(), dialog.height()) - w->geometry().bottomRight();
            };
            EXPECT_EQ(dialog.size(), notes::frmPict::kDesignSize);
            const QPoint okGap = cornerGap(ok);
            const QPoint exitGap = cornerGap(exit);
            const QSize designPict = pict->size();

            dialog.resize(50, 40);
            QTest::qWait(0);
            EXPECT_GE(dialog.width(), notes::frmPict::kMinimumSize.width());
            EXPECT_GE(dialog.height(), notes::frmPict::kMinimumSize.height());
            EXPECT_EQ(dialog.size(), dialog.minimumSize());
            EXPECT_TRUE(dialog.rect().contains(exit->geometry())); // still reachable

            dialog.resize(900, 700);
            QTest::qWait(0);
            EXPECT_EQ(cornerGap(ok), okGap);
            EXPECT_EQ(cornerGap(exit), exitGap);
            EXPECT_GT(pict->width(), designPict.width());
            EXPECT_GT(pict->height(), designPict.height());
            const QRect drawn = pict->pictureRect();
            EXPECT_NEAR(double(drawn.width()) / drawn.height(), 4.0, 0.05);
            EXPECT_TRUE(pict->contentsRect().contains(drawn));
        },
        "cmdExit");
}

} // namespace
