#include "HardeningFixture.h"

#include "ratings/HealthBox.h"

#include <cstdio>

// The file is taken away under the open program: the save and a health click each end in a message, the
// close in nothing worse; nothing is written to whatever now stands at the path, and the moved file holds no half.
TEST(FileTrouble, FileDeletedMovedOrReplacedWhileOpen) {
    enum Way { Deleted, Moved, Replaced };
    for (const Way way : {Deleted, Moved, Replaced}) {
        SCOPED_TRACE(way);
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Aldric"));
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

        EXPECT_FALSE(program.sheet().leaveEditMode());
        EXPECT_EQ(program.services.messages.size(), 1u) << program.shown().toStdString();
        QTest::mouseClick(program.ui().HealthBox[0], Qt::LeftButton); // written at once, so refused at once
        EXPECT_EQ(program.services.messages.size(), 2u) << program.shown().toStdString();
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

// The disk fills up in the middle of a save (SQLite's page limit on the connection): the save is
// refused with a message, the file is exactly as before and sound, and the sheet keeps the edits.
TEST(FileTrouble, FullDiskDuringSaveChangesNothing) {
    TempDatabase temp;
    fullCharacter(temp, QStringLiteral("Aldric"));
    fullCharacter(temp, QStringLiteral("Brisa"));
    temp.release();
    Program program;
    program.open(temp.path());
    db::Database& database = program.database();
    program.sheet().enterEditMode();
    // A line edit holds at most 32767 characters; this still needs pages the file lacks.
    const QString haven = QStringLiteral("room ").repeated(6000);
    program.ui().txtHaven->setText(haven);
    program.ui().cmbClan->setEditText(QStringLiteral("House of the full disk"));
    program.ui().cmbDisciplines[1]->setEditText(QStringLiteral("Gift of the full disk"));

    const QStringList before = dumpTables(database);
    database.Execute(QStringLiteral("PRAGMA max_page_count = ") +
                     database.scalar(QStringLiteral("PRAGMA page_count")).toString());
    EXPECT_FALSE(program.sheet().leaveEditMode());
    EXPECT_TRUE(program.shown().contains(QLatin1String("full"))) << program.shown().toStdString();
    EXPECT_TRUE(program.session->editMode && program.ui().txtHaven->text() == haven);
    EXPECT_EQ(dumpTables(database), before);
    EXPECT_EQ(integrity(database), QStringLiteral("ok"));
}
