#include "NotesFixture.h"

#include "notes/NotesCommands.h"
#include "notes/PictureView.h"
#include "notes/frmPict.h"

#include <QFile>
#include <QLabel>

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
    static notes::PictureView* pict(QDialog& dialog) { return dialog.findChild<notes::PictureView*>("pict"); }
    static QSize shown(QDialog& dialog) { return pict(dialog)->pixmap().size(); }
    static QString note(QDialog& dialog) {
        auto* label = dialog.findChild<QLabel*>("lblNote");
        return label->isHidden() ? QString() : label->text();
    }
    void load(QDialog& dialog, const QString& answer) {
        services.fileAnswers.push_back(answer);
        click(dialog, "cmdLoadPic");
    }
    QString saved(const char* name, int width, int height) {
        EXPECT_TRUE(picture(width, height).save(temp.file(name)));
        return temp.file(name);
    }
};

// Stored or chosen, a file that cannot be shown gives the placeholder and says why.
TEST_F(Pict, PlaceholderWithoutAPictureOrForAFileThatCannotBeShown) {
    QFile broken(temp.file("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();
    const std::pair<QVariant, QString> cases[] = {
        {QVariant(), ""}, {"", ""}, {broken.fileName(), "cannot be read"}, {temp.file("gone.bmp"), "was not found"}};
    for (const auto& [path, why] : cases) {
        SCOPED_TRACE(path.toString().toStdString());
        store("Picture", path);
        open([&](QDialog& dialog) {
            EXPECT_EQ(shown(dialog), QSize(30, 20));
            EXPECT_EQ(note(dialog).isEmpty(), why.isEmpty());
            EXPECT_TRUE(note(dialog).contains(why));
        });
        if (!why.isEmpty())
            open([&](QDialog& dialog) {
                load(dialog, path.toString());
                EXPECT_EQ(shown(dialog), QSize(30, 20));
                EXPECT_TRUE(note(dialog).contains(why));
            });
        EXPECT_EQ(stored("Picture"), path);
    }
}

TEST_F(Pict, ChosenFileIsShownAtOnceAndStoredOnlyByOk) {
    const QString first = saved("first.png", 40, 10), second = saved("second.jpg", 16, 16);
    store("Picture", first);
    open([&](QDialog& dialog) {
        EXPECT_EQ(shown(dialog), QSize(40, 10));
        load(dialog, second);
        EXPECT_EQ(shown(dialog), QSize(16, 16));
    });
    EXPECT_EQ(stored("Picture"), first);
    EXPECT_EQ(services.fileDialogs.at(0).title, "Duskledger");
    EXPECT_TRUE(services.fileDialogs[0].filter.startsWith("Graphic Files (*.bmp, *.gif, *.jpg)|*.gif;*.bmp;*.jpg"));
    // A cancelled file dialog keeps the shown picture; OK without a choice keeps the path.
    open(
        [&](QDialog& dialog) {
            load(dialog, "");
            EXPECT_EQ(shown(dialog), QSize(40, 10));
        },
        "cmdOK");
    EXPECT_EQ(stored("Picture"), first);
    open([&](QDialog& dialog) { load(dialog, second); }, "cmdOK");
    EXPECT_EQ(stored("Picture"), second);
    open([&](QDialog& dialog) { EXPECT_EQ(shown(dialog), QSize(16, 16)); });
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(Pict, ResizingKeepsTheMinimumTheButtonCornerAndTheAspectRatio) {
    store("Picture", saved("wide.png", 40, 10));
    open([&](QDialog& dialog) {
        const auto cornerGaps = [&] {
            QList<QPoint> gaps;
            for (const char* name : {"cmdOK", "cmdExit"})
                gaps << QPoint(dialog.width(), dialog.height()) -
                            dialog.findChild<QPushButton*>(name)->geometry().bottomRight();
            return gaps;
        };
        const QList<QPoint> gaps = cornerGaps();
        const QSize designPict = pict(dialog)->size();

        dialog.resize(50, 40);
        EXPECT_EQ(dialog.size(), dialog.minimumSize().expandedTo(notes::frmPict::kMinimumSize));
        QTest::qWait(0);
        EXPECT_TRUE(dialog.rect().contains(dialog.findChild<QPushButton*>("cmdExit")->geometry()));

        dialog.resize(900, 700);
        QTest::qWait(0);
        EXPECT_EQ(cornerGaps(), gaps);
        EXPECT_TRUE(pict(dialog)->width() > designPict.width() && pict(dialog)->height() > designPict.height());
        const QRect drawn = pict(dialog)->pictureRect();
        EXPECT_NEAR(double(drawn.width()) / drawn.height(), 4.0, 0.05);
        EXPECT_TRUE(pict(dialog)->contentsRect().contains(drawn));
    });
}
