#include "HardeningFixture.h"

#include "ratings/HealthBox.h"

#include "support/DiskTrouble.h"

#include <cstdio>
#include <optional>

// The file is taken away under the open program, or the disk fills up in the middle of a save on a real
// filesystem where the engine's writes fail part-way (a page limit refusing in advance is the store's own test).
// A health click, written at once and so refused at once, and the save each end in a message (naming the full
// disk); the box shows the mark stored, the sheet keeps its edits in edit mode, and the close ends in nothing
// worse. Nothing is written to whatever now stands at the path; the moved file, and the file on the full disk
// read again once there is room, are sound and exactly as before.
TEST(FileTrouble, FileTakenAwayOrDiskFullWhileOpen) {
    enum Way { Deleted, Moved, Replaced, Full }; // the full disk last: without root it skips
    for (const Way way : {Deleted, Moved, Replaced, Full}) {
        SCOPED_TRACE(way);
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Aldric"));
        fullCharacter(temp, QStringLiteral("Brisa"));
        const QStringList before = dumpTables(temp.db());
        const int storedHealth = temp.scalar(QStringLiteral("SELECT Health0 FROM Health")).toInt();
        temp.release();
        std::optional<SmallDisk> disk;
        if (way == Full && !disk.emplace(QStringLiteral("1m")).mounted())
            GTEST_SKIP() << "no small filesystem to fill (mounting a tmpfs needs root)";
        const QString path = disk ? disk->file(QStringLiteral("chronicle.mdb")) : temp.path(),
                      moved = path + QStringLiteral(".moved"), copy = temp.file(QStringLiteral("copy.mdb"));
        ASSERT_TRUE(QFile::copy(temp.path(), copy) && (!disk || QFile::copy(temp.path(), path)));
        const QByteArray copyBytes = fileBytes(copy);

        Program program;
        program.open(path);
        program.sheet().enterEditMode();
        const QString haven = QStringLiteral("room ").repeated(6000);
        program.ui().txtHaven->setText(haven);
        program.ui().cmbClan->setEditText(QStringLiteral("A new clan"));
        if (way == Deleted)
            QFile::remove(path);
        else if (way == Moved)
            QFile::rename(path, moved);
        else if (way == Replaced) // in one step, as a program saving by rename does
            std::rename(copy.toLocal8Bit().constData(), path.toLocal8Bit().constData());
        else
            disk->fill();

        QTest::mouseClick(program.ui().HealthBox[0], Qt::LeftButton);
        EXPECT_EQ(program.services.messages.size(), 1u) << program.shown().toStdString();
        EXPECT_EQ(program.ui().HealthBox[0]->state(), storedHealth) << "the box shows a mark that was not stored";
        EXPECT_FALSE(program.sheet().leaveEditMode());
        EXPECT_EQ(program.services.messages.size(), 2u) << program.shown().toStdString();
        EXPECT_TRUE(way != Full || program.shown().contains(QLatin1String("full"))) << program.shown().toStdString();
        EXPECT_TRUE(program.session->editMode && program.ui().txtHaven->text() == haven);
        if (disk)
            QFile::remove(disk->file(QStringLiteral("filler")));
        program.services.answers.assign(1, app::Answer::No); // "Save the changes ...?"
        program.window->close();
        program.window.reset();
        program.session.reset();

        EXPECT_EQ(QFile::exists(path), way == Replaced || way == Full);
        EXPECT_TRUE(way != Replaced || fileBytes(path) == copyBytes);
        if (way == Moved || way == Full) {
            auto database = store::openChronicle(way == Moved ? moved : path, false);
            EXPECT_EQ(integrity(*database), QStringLiteral("ok"));
            EXPECT_EQ(dumpTables(*database), before);
        }
    }
}
