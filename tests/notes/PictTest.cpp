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
    void open(const std::function<void(QDialog&)>& check, const char* button = "cmdExit") {
        onModal([&](QDialog& dialog) {
            check(dialog);
            click(dialog, button);
        });
        notes::showPicture(*global, key, nullptr);
    }
    static notes::PictureView* pict(QDialog& dialog) {
        return dialog.findChild<notes::PictureView*>(QStringLiteral("pict"));
    }
    static QString note(QDialog& dialog) {
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblNote"));
        return label->isHidden() ? QString() : label->text();
    }
    void loadPicture(QDialog& dialog, const QString& answer) {
        services.fileAnswers.push_back(answer);
        click(dialog, "cmdLoadPic");
    }
    QString savedPicture(const char* name, int width, int height) {
        const QString path = temp.file(QString::fromLatin1(name));
        EXPECT_TRUE(picture(width, height).save(path));
        return path;
    }
    QVariant storedPicture() { return stored(QStringLiteral("Picture")); }
};

TEST_F(Pict, PlaceholderWithoutAPictureOrForAFileThatCannotBeShown) {
    const QString broken = temp.file(QStringLiteral("broken.jpg"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
    file.close();
    const QString missing = temp.file(QStringLiteral("gone.bmp"));
    const struct {
        QVariant path;
        QString note;
    } cases[] = {{QVariant(), QString()},
                 {QString(), QString()},
                 {broken, QStringLiteral("cannot be read")},
                 {missing, QStringLiteral("was not found")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toString().toStdString());
        // Stored ...
        store(QStringLiteral("Picture"), c.path);
        open([&](QDialog& dialog) {
            EXPECT_EQ(pict(dialog)->pixmap().size(), QSize(30, 20));
            EXPECT_EQ(note(dialog).isEmpty(), c.note.isEmpty());
            EXPECT_TRUE(note(dialog).contains(c.note));
        });
        // ... or chosen.
        if (!c.note.isEmpty())
            open([&](QDialog& dialog) {
                loadPicture(dialog, c.path.toString());
                EXPECT_EQ(pict(dialog)->pixmap().size(), QSize(30, 20));
                EXPECT_TRUE(note(dialog).contains(c.note));
            });
        EXPECT_EQ(storedPicture(), c.path);
    }
}

TEST_F(Pict, ChosenFileIsShownAtOnceAndStoredOnlyByOk) {
    const QString first = savedPicture("first.png", 40, 10);
    const QString second = savedPicture("second.jpg", 16, 16);
    store(QStringLiteral("Picture"), first);
    open([&](QDialog& dialog) {
        EXPECT_EQ(pict(dialog)->pixmap().size(), QSize(40, 10));
        loadPicture(dialog, second);
        EXPECT_EQ(pict(dialog)->pixmap().size(), QSize(16, 16));
    });
    EXPECT_EQ(storedPicture().toString(), first);
    EXPECT_EQ(services.fileDialogs.at(0).title, QStringLiteral("Duskledger"));
    EXPECT_TRUE(services.fileDialogs[0].filter.startsWith(
        QStringLiteral("Graphic Files (*.bmp, *.gif, *.jpg)|*.gif;*.bmp;*.jpg")));

    // A cancelled file dialog keeps the shown picture; OK without a choice keeps the path.
    open(
        [&](QDialog& dialog) {
            loadPicture(dialog, QString());
            EXPECT_EQ(pict(dialog)->pixmap().size(), QSize(40, 10));
        },
        "cmdOK");
    EXPECT_EQ(storedPicture().toString(), first);

    open([&](QDialog& dialog) { loadPicture(dialog, second); }, "cmdOK");
    EXPECT_EQ(storedPicture().toString(), second);
    open([&](QDialog& dialog) { EXPECT_EQ(pict(dialog)->pixmap().size(), QSize(16, 16)); });
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Pict, ResizingKeepsTheMinimumTheButtonCornerAndTheAspectRatio) {
    store(QStringLiteral("Picture"), savedPicture("wide.png", 40, 10));
    open([&](QDialog& dialog) {
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        auto* exit = dialog.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        const auto cornerGap = [&](QWidget* w) {
            return QPoint(dialog.width(), dialog.height()) - w->geometry().bottomRight();
        };
        EXPECT_EQ(dialog.size(), notes::frmPict::kDesignSize);
        const QPoint okGap = cornerGap(ok);
        const QPoint exitGap = cornerGap(exit);
        const QSize designPict = pict(dialog)->size();

        dialog.resize(50, 40);
        EXPECT_EQ(dialog.size(), dialog.minimumSize());
        EXPECT_EQ(dialog.minimumSize(), dialog.minimumSize().expandedTo(notes::frmPict::kMinimumSize));
        QTest::qWait(0);
        EXPECT_TRUE(dialog.rect().contains(exit->geometry()));

        dialog.resize(900, 700);
        QTest::qWait(0);
        EXPECT_EQ(cornerGap(ok), okGap);
        EXPECT_EQ(cornerGap(exit), exitGap);
        EXPECT_GT(pict(dialog)->width(), designPict.width());
        EXPECT_GT(pict(dialog)->height(), designPict.height());
        const QRect drawn = pict(dialog)->pictureRect();
        EXPECT_NEAR(double(drawn.width()) / drawn.height(), 4.0, 0.05);
        EXPECT_TRUE(pict(dialog)->contentsRect().contains(drawn));
    });
}

} // namespace
