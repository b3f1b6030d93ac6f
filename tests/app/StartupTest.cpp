#include "app/Startup.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/TerminationSignals.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "db/DbError.h"
#include "sheet/frmMain.h"
#include "store/Schema.h"
#include "support/DiskTrouble.h"
#include "support/FileBytes.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct StartupTest : ::testing::Test {
    TempDatabase temp;
    ScriptedServices services;
    app::Settings settings{temp.folder()};

    void SetUp() override {
        temp.addCharacter("Mira");
        temp.release();
        services.folder = temp.folder();
    }
};

// Valid settings ask nothing; empty, stale or missing ones ask until a file is chosen, which is written
// back; Cancel ends the program.
TEST_F(StartupTest, SettingsNameTheFileOrTheUserIsAskedUntilAFileIsChosen) {
    const QString path = temp.file("my chronicle, book 2.mdb");
    ASSERT_TRUE(settings.writeDatabasePath(path));
    EXPECT_EQ(fileBytes(settings.filePath()), path.toUtf8() + "\r\n");
    EXPECT_EQ(settings.readDatabasePath(), path);
    ASSERT_TRUE(writeFile(settings.filePath(), temp.path().toUtf8() + "\r\n"));
    EXPECT_EQ(app::Startup(services, settings).locateDatabase(), temp.path());
    EXPECT_TRUE(services.fileDialogs.empty() && services.messages.empty());

    for (const QByteArray& content : {QByteArray(), temp.file("deleted.mdb").toUtf8() + "\r\n"}) {
        ScriptedServices local;
        ASSERT_TRUE(writeFile(settings.filePath(), content));
        local.fileAnswers = {"", temp.path()}; // first cancelled, then chosen
        local.answers = {app::Answer::OK};
        ASSERT_EQ(app::Startup(local, settings).locateDatabase(), temp.path());
        ASSERT_EQ(local.fileDialogs.size(), 2u);
        ASSERT_EQ(local.messages.size(), 1u);
        EXPECT_EQ(local.messages[0].buttons, app::Buttons::OKCancel);
        EXPECT_EQ(fileBytes(settings.filePath()), temp.path().toUtf8() + "\r\n");
    }
    QFile::remove(settings.filePath());
    services.answers = {app::Answer::Cancel};
    EXPECT_FALSE(app::Startup(services, settings).locateDatabase());
    EXPECT_FALSE(QFile::exists(settings.filePath()));

    // A pipe in the settings file's place names nothing, at once: a plain open would wait for a writer.
    ASSERT_EQ(::mkfifo(QFile::encodeName(settings.filePath()).constData(), 0600), 0);
    auto read = std::async(std::launch::async, [&] { return settings.readDatabasePath(); });
    if (read.wait_for(std::chrono::seconds(2)) == std::future_status::timeout) {
        ADD_FAILURE() << "reading a pipe as the settings file blocked";
        ::close(::open(QFile::encodeName(settings.filePath()).constData(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_EQ(read.get(), QString());

    // A chosen path with a line break would come back cut short at the next start: refused, asked again.
    const QString broken = temp.file("two\nlines.mdb");
    ASSERT_TRUE(QFile::copy(temp.path(), broken));
    ScriptedServices local;
    local.fileAnswers = {broken, temp.path()};
    EXPECT_EQ(app::Startup(local, settings).locateDatabase(true), temp.path());
    ASSERT_EQ(local.messages.size(), 1u);
    EXPECT_TRUE(local.messages[0].text.contains("line break") && local.messages[0].title == "Duskledger");
    EXPECT_EQ(settings.readDatabasePath(), temp.path());
}

TEST(CommandLine, FileHelpVersionAndWrongArguments) {
    using Kind = app::StartCommand::Kind;
    const std::tuple<QStringList, Kind, QString> cases[] = {
        {{"duskledger"}, Kind::Run, ""},
        {{"duskledger", "a.mdb"}, Kind::Run, "a.mdb"},
        {{"duskledger", "--", "-odd.mdb"}, Kind::Run, "-odd.mdb"},
        {{"duskledger", "a.mdb", "--version"}, Kind::Version, ""},
        {{"duskledger", "-h"}, Kind::Help, ""},
        {{"duskledger", "--frobnicate"}, Kind::Wrong, ""},
        {{"duskledger", "a.mdb", "b.mdb"}, Kind::Wrong, ""},
    };
    for (const auto& [arguments, kind, file] : cases) {
        const app::StartCommand command = app::readStartCommand(arguments);
        EXPECT_EQ(command.kind, kind) << arguments.join(' ').toStdString();
        EXPECT_EQ(command.file, file) << arguments.join(' ').toStdString();
    }
}

// A file named on the command line is opened and written to the settings; a missing one is
// reported and the settings' file used instead.
TEST_F(StartupTest, FileOnTheCommandLineIsOpenedAndRemembered) {
    TempDatabase other;
    other.release();
    ASSERT_TRUE(settings.writeDatabasePath(temp.path()));
    EXPECT_EQ(app::Startup(services, settings).useGiven(other.path()), other.path());
    EXPECT_EQ(settings.readDatabasePath(), other.path());
    EXPECT_EQ(settings.recentDatabases().value(0), other.path());
    EXPECT_EQ(app::Startup(services, settings).useGiven(temp.file("nowhere.mdb")), other.path());
    EXPECT_TRUE(services.lastMessage().contains("does not exist"));
}

// A program folder the user may not write to (an installed program) keeps the settings in the
// user's configuration folder, and a first start offers the starter chronicle, copied into the
// user's data folder.
TEST_F(StartupTest, ReadOnlyProgramFolderKeepsSettingsInTheUsersFolders) {
    QTemporaryDir program, home;
    const QString starter = QDir(program.path()).filePath("Duskledger.mdb");
    ASSERT_TRUE(QFile::copy(temp.path(), starter));
    // As installed: readable by all, writable by none but the owner. The other user keeps the
    // group, so the group's bits count too.
    const auto all = [](bool folder) {
        return QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther |
               (folder ? QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther : QFile::Permissions());
    };
    QFile::setPermissions(starter, all(false));
    QFile::setPermissions(program.path(), all(true));
    QFile::setPermissions(home.path(), QFileDevice::Permissions(0x7777));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    ScriptedServices local;
    local.folder = program.path();
    local.answers = {app::Answer::Yes, app::Answer::Cancel}; // a failed offer ends at the locate dialog
    std::optional<QString> opened;
    QString settingsFile;
    {
        AsOtherUser nobody;
        const app::Settings installed(program.path());
        settingsFile = installed.filePath();
        opened = app::Startup(local, installed).locateDatabase();
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(settingsFile.startsWith(home.filePath("config/")));
    ASSERT_TRUE(opened) << local.lastMessage().toStdString();
    EXPECT_TRUE(opened->startsWith(home.filePath("data/")));
    EXPECT_EQ(fileBytes(*opened), fileBytes(temp.path()));
    EXPECT_EQ(fileBytes(settingsFile), opened->toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists(QDir(program.path()).filePath("DSKLDG.ini")));
    EXPECT_TRUE(local.fileDialogs.empty());
}

// A file that cannot be opened is reported and another asked for; the one opened is held until shut-down.
TEST_F(StartupTest, UnopenableFileIsReportedAndTheNextIsHeldUntilShutDown) {
    const QString bad = temp.file("notes.mdb");
    ASSERT_TRUE(writeFile(bad, "just some notes\n"));
    ASSERT_TRUE(writeFile(settings.filePath(), bad.toUtf8() + "\r\n"));
    services.fileAnswers = {temp.path()};
    app::Session session(services);
    app::Startup startup(services, settings);
    frmMain main(session);
    ASSERT_TRUE(startup.loadMainWindow(bad, [&](const QString& file) { main.Form_Load(file); }));
    ASSERT_GE(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].text.contains(bad)) << services.messages[0].text.toStdString();
    EXPECT_EQ(session.path(), temp.path());
    EXPECT_EQ(fileBytes(settings.filePath()), temp.path().toUtf8() + "\r\n");
    EXPECT_EQ(main.sheet().character().name, "Mira");
    EXPECT_THROW(store::openChronicle(temp.path(), true), db::DbError);
    main.shutDown();
    EXPECT_FALSE(session.database);
    EXPECT_NO_THROW(store::openChronicle(temp.path(), true));
}

// A termination signal ends the program as Exit does, without the question: the pending edit is saved,
// the file closed and no log left beside it.
TEST_F(StartupTest, EndWithoutQuestionsSavesThePendingEdit) {
    app::Session session(services);
    frmMain main(session);
    main.Form_Load(temp.path());
    main.sheet().enterEditMode();
    main.ui().txtHaven->setText("Mill");
    ASSERT_TRUE(main.endWithoutQuestions());
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(session.isOpen() || QFile::exists(temp.path() + "-wal"));
    EXPECT_EQ(store::openChronicle(temp.path(), true)->scalar("SELECT Haven FROM Char_Info"), "Mill");
}

// Each signal leaves every event loop, an open dialog's too, before the end is asked for; an end that
// failed (a save that could not be made) keeps the program running until the next signal.
TEST(Termination, SignalsEndTheLoopOnceOpenDialogsHaveReturned) {
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(number);
        int ends = 0;
        bool dialogOpen = false;
        QTimer::singleShot(0, [&] {
            QDialog dialog;
            QTimer::singleShot(0, [&] { std::raise(number); });
            dialogOpen = true;
            EXPECT_EQ(dialog.exec(), QDialog::Rejected);
            dialogOpen = false;
        });
        const int code = app::runUntilEnded([&] {
            EXPECT_FALSE(dialogOpen);
            if (++ends > 1)
                return true;
            QTimer::singleShot(0, [&] { std::raise(number); });
            return false;
        });
        EXPECT_EQ(code, 0);
        EXPECT_EQ(ends, 2);
    }
}

// cmake --install into a temporary prefix: the files stand where desktops look for them. The installed
// program, given a file, finds its bitmaps in share/duskledger and opens the file; sent SIGTERM, it ends
// at once and normally, and the file it leaves is whole with no log beside it.
TEST_F(StartupTest, TheInstalledProgramStartsAndEndsCleanlyOnSigterm) {
    QTemporaryDir prefix;
    QProcess install;
    install.start("cmake", {"--install", DUSKLEDGER_BUILD_FOLDER, "--prefix", prefix.path()});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QDir tree(prefix.path());
    for (const char* file : {"bin/duskledger", "share/duskledger/Duskledger.mdb", "share/duskledger/CHECK03.bmp",
                             "share/duskledger/BOXX@2x.bmp", "share/applications/duskledger.desktop",
                             "share/icons/hicolor/scalable/apps/duskledger.svg",
                             "share/icons/hicolor/48x48/apps/duskledger.png",
                             "share/icons/hicolor/256x256/apps/duskledger.png",
                             "share/metainfo/duskledger.metainfo.xml"})
        EXPECT_TRUE(QFileInfo(tree.filePath(file)).isFile()) << file;

    QProcess running;
    running.setProgram(tree.filePath("bin/duskledger"));
    running.setArguments({temp.path()});
    running.start();
    ASSERT_TRUE(running.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(temp.path() + "-wal"); }, 10000)); // the file is open
    running.terminate(); // SIGTERM
    ASSERT_TRUE(running.waitForFinished(5000));
    EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(running.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(temp.path() + "-wal"));
    EXPECT_EQ(store::openChronicle(temp.path(), true)->scalar("SELECT Name FROM Char_Info"), "Mira");
    const QByteArray said = running.readAllStandardError();
    EXPECT_FALSE(said.contains("missing")) << said.toStdString();
    // The prefix is the user's own, so the settings stand beside the program, naming the file.
    EXPECT_EQ(fileBytes(tree.filePath("bin/DSKLDG.ini")), temp.path().toUtf8() + "\r\n");
}

TEST(Splash, HandsOverOnceOnTimerKeyOrClick) {
    for (int trigger = 0; trigger < 3; ++trigger) {
        app::frmSplash splash;
        QSignalSpy spy(&splash, &app::frmSplash::handOverRequested);
        splash.startTimer();
        if (trigger == 0)
            QTest::keyClick(&splash, Qt::Key_Space);
        else if (trigger == 1)
            QTest::mouseClick(splash.findChild<QWidget*>("Frame1"), Qt::LeftButton);
        else
            splash.handOver(); // what the timer calls
        EXPECT_FALSE(splash.timer().isActive());
        splash.handOver(); // the timer or a second key must not hand over again
        QTest::keyClick(&splash, Qt::Key_Return);
        EXPECT_EQ(spy.count(), 1);
    }
}

TEST(About, OneModelessInstance) {
    ScriptedServices services;
    app::Session session(services);
    frmMain main(session);
    QAction* about = main.findChild<QAction*>("mnuAbout");
    about->trigger();
    about->trigger();
    const auto windows = main.findChildren<app::frmAbout*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_FALSE(windows.front()->isModal());
}

} // namespace
