#include "HardeningFixture.h"

#include "app/Settings.h"
#include "app/Startup.h"
#include "ratings/HealthBox.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlModes.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString storedHaven(const QString& path) {
    auto database = db::Database::open(path, false);
    return database->scalar(QStringLiteral("SELECT Haven FROM Char_Info")).toString();
}

} // namespace

// Marked read-only: refused at start-up with a message that says so, and not touched.
TEST(FileTrouble, ReadOnlyFileRefusedAndLeftAlone) {
    TempDatabase temp;
    fullCharacter(temp, QStringLiteral("Aldric"));
    temp.release();
    QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray before = fileBytes(temp.path());
    Program program;
    program.services.answers.assign(4, app::Answer::Cancel);
    app::Startup startup(*program.global, app::Settings(temp.folder()));
    EXPECT_FALSE(startup.loadMainWindow([&] { program.open(temp.path()); }));
    EXPECT_TRUE(program.shown().contains(QLatin1String("read-only"))) << program.shown().toStdString();
    EXPECT_EQ(fileBytes(temp.path()), before);
    QFile::setPermissions(temp.path(), QFile::ReadOwner | QFile::WriteOwner);
}

// The file is taken away under the open program. The save, a health click and the close each end in a message
// (or nothing); nothing is written to whatever now stands at the path, and the original
// file, where it still exists, holds no half of the save.
TEST(FileTrouble, FileDeletedMovedOrReplacedWhileOpen) {
    struct Case {
        const char* name;
        std::function<void(const QString& path, const QString& other)> act;
    };
    const Case cases[] = {
        {"deleted", [](const QString& path, const QString&) { QFile::remove(path); }},
        {"moved", [](const QString& path, const QString&) { QFile::rename(path, path + QStringLiteral(".moved")); }},
        {"replaced",
         [](const QString& path, const QString& other) {
             std::rename(other.toLocal8Bit().constData(), path.toLocal8Bit().constData());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Aldric"));
        TempDatabase replacement;
        fullCharacter(replacement, QStringLiteral("Someone else"));
        replacement.release();
        const QByteArray replacementBytes = fileBytes(replacement.path());
        temp.release();

        Program program;
        program.open(temp.path());
        const sheet::SheetControls& ui = program.ui();
        sheet::mdlEditMode::EnterEditMode(*program.global, ui);
        ui.txtHaven->setText(QStringLiteral("A new haven"));
        ui.cmbClan->setEditText(QStringLiteral("A new clan"));
        c.act(temp.path(), replacement.path());

        EXPECT_FALSE(sheet::leaveEditMode(*program.global, ui));
        EXPECT_TRUE(program.global->editMode);
        EXPECT_EQ(program.services.messages.size(), 1u) << program.shown().toStdString();
        QTest::mouseClick(ui.HealthBox[0], Qt::LeftButton); // written at once, so refused at once
        EXPECT_EQ(program.services.messages.size(), 2u) << program.shown().toStdString();
        program.services.answers.assign(1, app::Answer::No); // "Save the changes ...?"
        program.window->close();
        program.window.reset();
        program.global.reset();

        if (QString(c.name) == QLatin1String("replaced")) {
            EXPECT_EQ(fileBytes(temp.path()), replacementBytes);
        }
        if (QString(c.name) == QLatin1String("deleted")) {
            EXPECT_FALSE(QFile::exists(temp.path()));
        }
        if (QString(c.name) == QLatin1String("moved")) {
            const QString moved = temp.path() + QStringLiteral(".moved");
            EXPECT_EQ(storedHaven(moved), QStringLiteral("Mill"));
            auto database = db::Database::open(moved, false);
            EXPECT_EQ(integrity(*database), QStringLiteral("ok"));
            EXPECT_EQ(database->scalar(QStringLiteral("SELECT count(*) FROM Clan WHERE Clan = 'A new clan'")).toInt(),
                      0);
        }
    }
}

// The disk fills up in the middle of a save (SQLite's page limit on the connection): the save is
// refused with a message, the file is exactly as before and sound, the sheet keeps the edits, and
// the same save goes through once there is room again.
TEST(FileTrouble, FullDiskDuringSaveChangesNothing) {
    TempDatabase temp;
    fullCharacter(temp, QStringLiteral("Aldric"));
    fullCharacter(temp, QStringLiteral("Brisa"));
    temp.release();
    Program program;
    program.open(temp.path());
    const sheet::SheetControls& ui = program.ui();
    db::Database& database = program.database();
    sheet::mdlEditMode::EnterEditMode(*program.global, ui);
    // A line edit holds at most 32767 characters; this still needs pages the file lacks.
    const QString haven = QStringLiteral("room ").repeated(6000);
    ui.txtHaven->setText(haven);
    ui.cmbClan->setEditText(QStringLiteral("House of the full disk"));
    ui.cmbDisciplines[1]->setEditText(QStringLiteral("Gift of the full disk"));

    const QString before = dumpTables(database);
    database.Execute(QStringLiteral("PRAGMA max_page_count = ") +
                     database.scalar(QStringLiteral("PRAGMA page_count")).toString());
    EXPECT_FALSE(sheet::leaveEditMode(*program.global, ui));
    EXPECT_TRUE(program.shown().contains(QLatin1String("full"))) << program.shown().toStdString();
    EXPECT_TRUE(program.global->editMode);
    EXPECT_TRUE(ui.txtHaven->text() == haven);
    EXPECT_EQ(dumpTables(database), before);
    EXPECT_EQ(integrity(database), QStringLiteral("ok"));
    EXPECT_EQ(ui.cmbClan->findText(QStringLiteral("House of the full disk")), -1);

    database.Execute(QStringLiteral("PRAGMA max_page_count = 1073741823"));
    program.services.messages.clear();
    EXPECT_TRUE(sheet::leaveEditMode(*program.global, ui)) << program.shown().toStdString();
    EXPECT_EQ(
        database.scalar(QStringLiteral("SELECT Haven FROM Char_Info WHERE Char_ID = ") + program.window->currentKey())
            .toString(),
        haven);
    EXPECT_EQ(integrity(database), QStringLiteral("ok"));
}
