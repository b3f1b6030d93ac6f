#include "HardeningFixture.h"

#include "ratings/HealthBox.h"

#include "support/DiskTrouble.h"

#include <cstdio>

namespace {

// A health click, written at once and so refused at once, and the save each end in a message; the box shows
// the mark stored.
void expectClickAndSaveRefused(Program& program, int storedHealth) {
    QTest::mouseClick(program.ui().HealthBox[0], Qt::LeftButton);
    EXPECT_EQ(program.services.messages.size(), 1u) << program.shown().toStdString();
    EXPECT_EQ(program.ui().HealthBox[0]->state(), storedHealth) << "the box shows a mark that was not stored";
    EXPECT_FALSE(program.sheet().leaveEditMode());
    EXPECT_EQ(program.services.messages.size(), 2u) << program.shown().toStdString();
}

} // namespace

// The file is taken away under the open program: a health click and the save each end in a message, the
// close in nothing worse; nothing is written to whatever now stands at the path, and the moved file holds no half.
TEST(FileTrouble, FileDeletedMovedOrReplacedWhileOpen) {
    enum Way { Deleted, Moved, Replaced };
    for (const Way way : {Deleted, Moved, Replaced}) {
        SCOPED_TRACE(way);
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Aldric"));
        const int storedHealth = temp.scalar(QStringLiteral("SELECT Health0 FROM Health")).toInt();
        temp.release();
        const QString path = temp.path(), moved = path + QStringLiteral(".moved"),
                      copy = path + QStringLiteral(".copy");
        QFile::copy(path, copy);
        const QByteArray copyBytes = fileBytes(copy);

        Program program;
        program.open(path);
        program.sheet().enterEditMode();
        program.ui().txtHaven->setText(QStringLiteral("A new haven"));
        program.ui().cmbClan->setEditText(QStringLiteral("A new clan"));
        if (way == Deleted)
            QFile::remove(path);
        else if (way == Moved)
            QFile::rename(path, moved);
        else // in one step, as a program saving by rename does
            std::rename(copy.toLocal8Bit().constData(), path.toLocal8Bit().constData());

        expectClickAndSaveRefused(program, storedHealth);
        program.services.answers.assign(1, app::Answer::No); // "Save the changes ...?"
        program.window->close();
        program.window.reset();
        program.session.reset();

        EXPECT_EQ(QFile::exists(path), way == Replaced);
        EXPECT_TRUE(way != Replaced || fileBytes(path) == copyBytes);
        if (way == Moved) {
            auto database = store::openChronicle(moved, false);
            EXPECT_EQ(integrity(*database), QStringLiteral("ok"));
            EXPECT_EQ(rowTexts(*database, QStringLiteral("SELECT Haven, (SELECT count(*) FROM Clan WHERE Clan = "
                                                         "'A new clan'), (SELECT Health0 FROM Health) FROM Char_Info")),
                      QStringList{QStringLiteral("Mill|0|1")});
        }
    }
}

// The disk fills up in the middle of a save, on a real filesystem where the engine's writes fail part-way (a page
// limit refusing in advance is the store's own test): a health click and the save are refused with a message
// naming the full disk, the box shows what is stored, the sheet keeps its edits in edit mode, and the file, read
// again once there is room, is sound and exactly as before.
TEST(FileTrouble, RealFullDiskDuringSaveChangesNothing) {
    const SmallDisk disk(QStringLiteral("1m"));
    if (!disk.mounted())
        GTEST_SKIP() << "no small filesystem to fill (mounting a tmpfs needs root)";
    const QString path = disk.file(QStringLiteral("chronicle.mdb"));
    QStringList before;
    int storedHealth = 0;
    {
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Aldric"));
        fullCharacter(temp, QStringLiteral("Brisa"));
        before = dumpTables(temp.db());
        storedHealth = temp.scalar(QStringLiteral("SELECT Health0 FROM Health")).toInt();
        temp.release();
        ASSERT_TRUE(QFile::copy(temp.path(), path));
    }
    {
        Program program;
        program.open(path);
        program.sheet().enterEditMode();
        const QString haven = QStringLiteral("room ").repeated(6000);
        program.ui().txtHaven->setText(haven);
        program.ui().cmbClan->setEditText(QStringLiteral("House of the full disk"));
        disk.fill();

        expectClickAndSaveRefused(program, storedHealth);
        EXPECT_TRUE(program.shown().contains(QLatin1String("full"))) << program.shown().toStdString();
        EXPECT_TRUE(program.session->editMode && program.ui().txtHaven->text() == haven);
        QFile::remove(disk.file(QStringLiteral("filler")));
        program.services.answers.assign(1, app::Answer::No); // "Save the changes ...?"
        program.window->close();
    }
    auto database = store::openChronicle(path, false);
    EXPECT_EQ(integrity(*database), QStringLiteral("ok"));
    EXPECT_EQ(dumpTables(*database), before);
}
