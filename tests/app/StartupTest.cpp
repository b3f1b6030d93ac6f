#include "app/Settings.h"
#include "app/Startup.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "app/mdlGlobal.h"
#include "db/DbError.h"
#include "sheet/frmMain.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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

TEST_F(StartupTest, SettingsRoundTripKeepsCommasAndBlanks) {
    const QString path = temp.file("my chronicle, part 2.mdb");
    ASSERT_TRUE(settings.writeDatabasePath(path));
    EXPECT_EQ(readFile(settings.filePath()), path.toUtf8() + "\r\n");
    EXPECT_EQ(settings.readDatabasePath(), path);
    writeFile(settings.filePath(), "");
    EXPECT_EQ(settings.readDatabasePath(), "");
}

TEST_F(StartupTest, ValidSettingsAskNothingAndStayUntouched) {
    writeFile(settings.filePath(), temp.path().toUtf8() + "\r\n");
    app::mdlGlobal global(services);
    app::Startup startup(global, settings);
    ASSERT_TRUE(startup.locateDatabase());
    EXPECT_EQ(global.databasePath, temp.path());
    EXPECT_TRUE(services.fileDialogs.empty());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(StartupTest, MissingOrStaleSettingsAskUntilAFileIsChosenAndWriteItBack) {
    for (const QByteArray& content : {QByteArray(), temp.file("deleted.mdb").toUtf8() + "\r\n"}) {
        ScriptedServices local;
        if (!content.isEmpty())
            writeFile(settings.filePath(), content);
        local.fileAnswers = {"", temp.path()}; // first cancelled, then chosen
        local.answers = {app::Answer::OK};
        app::mdlGlobal global(local);
        app::Startup startup(global, settings);
        ASSERT_TRUE(startup.locateDatabase());
        ASSERT_EQ(local.fileDialogs.size(), 2u);
        EXPECT_EQ(local.fileDialogs[0].title, "Open Zeth Database");
        EXPECT_TRUE(local.fileDialogs[0].filter.startsWith("MS:Access (*.mdb)|*.mdb"));
        ASSERT_EQ(local.messages.size(), 1u);
        EXPECT_EQ(local.messages[0].text, "You must locate the Zeth database to run this program!");
        EXPECT_EQ(local.messages[0].buttons, app::Buttons::OKCancel);
        EXPECT_EQ(local.messages[0].title, "Duskledger");
        EXPECT_EQ(readFile(settings.filePath()), temp.path().toUtf8() + "\r\n");
    }
}

TEST_F(StartupTest, CancelEndsTheProgram) {
    services.answers = {app::Answer::Cancel};
    app::mdlGlobal global(services);
    app::Startup startup(global, settings);
    EXPECT_FALSE(startup.locateDatabase());
    EXPECT_FALSE(QFile::exists(settings.filePath()));
}

TEST_F(StartupTest, UnopenableFilesAreReportedAndAnotherIsAskedFor) {
    const QString text = temp.file("notes.mdb");
    writeFile(text, "just some notes\n");
    const QString truncated = temp.file("truncated.mdb");
    writeFile(truncated, readFile(temp.path()).left(1500));
    for (const QString& bad : {text, truncated}) {
        ScriptedServices local;
        local.folder = temp.folder();
        writeFile(settings.filePath(), bad.toUtf8() + "\r\n");
        local.fileAnswers = {temp.path()};
        app::mdlGlobal global(local);
        app::Startup startup(global, settings);
        frmMain main(global);
        ASSERT_TRUE(startup.locateDatabase());
        ASSERT_TRUE(startup.loadMainWindow([&] { main.Form_Load(); }));
        ASSERT_GE(local.messages.size(), 1u);
        EXPECT_TRUE(local.messages[0].text.contains(bad)) << local.messages[0].text.toStdString();
        EXPECT_EQ(global.databasePath, temp.path());
        EXPECT_EQ(main.currentKey(), "1");
        main.shutDown();
    }
}

TEST_F(StartupTest, SecondProgramIsRefusedAtOnceWhileTheFirstGoesOn) {
    app::mdlGlobal first(services);
    first.databasePath = temp.path();
    frmMain main(first);
    main.Form_Load();
    QElapsedTimer timer;
    timer.start();
    try {
        db::Database::open(temp.path(), true);
        FAIL() << "second open succeeded";
    } catch (const db::DbError& e) {
        EXPECT_TRUE(e.message().contains("in use by another program"));
        EXPECT_TRUE(e.message().contains(temp.path()));
    }
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(first.characterRecordset->Fields("Name").toString(), "Mira");

    main.shutDown(); // releases the file
    EXPECT_FALSE(first.database);
    EXPECT_FALSE(first.characterRecordset);
    EXPECT_FALSE(first.workspace);
    EXPECT_NO_THROW(db::Database::open(temp.path(), true));
}

TEST_F(StartupTest, DatabaseWithoutCharactersOpensAnEmptySheet) {
    TempDatabase empty;
    empty.release();
    app::mdlGlobal global(services);
    global.databasePath = empty.path();
    frmMain main(global);
    ASSERT_NO_THROW(main.Form_Load());
    EXPECT_EQ(main.currentKey(), "");
    EXPECT_FALSE(global.justLoaded);
    EXPECT_FALSE(global.editMode);
}

TEST(Splash, HandsOverOnceOnTimerKeyOrClick) {
    for (int trigger = 0; trigger < 3; ++trigger) {
        app::frmSplash splash;
        EXPECT_EQ(splash.findChild<QLabel*>("lblProductName")->text(), "Duskledger");
        EXPECT_EQ(splash.findChild<QLabel*>("lblVersion")->text(), app::ProgramInfo::versionLine());
        QSignalSpy spy(&splash, &app::frmSplash::handOverRequested);
        splash.startTimer();
        EXPECT_EQ(splash.timer().interval(), 1500);
        if (trigger == 0)
            QTest::keyClick(&splash, Qt::Key_Space);
        else if (trigger == 1)
            QTest::mouseClick(splash.findChild<QWidget*>("Frame1"), Qt::LeftButton);
        else
            splash.handOver();
        EXPECT_FALSE(splash.timer().isActive());
        splash.handOver(); // the timer or a second key must not hand over again
        QTest::keyClick(&splash, Qt::Key_Return);
        EXPECT_EQ(spy.count(), 1);
    }
}

TEST(About, OneModelessInstanceWithTitleAndVersion) {
    ScriptedServices services;
    app::mdlGlobal global(services);
    frmMain main(global);
    QAction* about = main.findChild<QAction*>("mnuAbout");
    about->trigger();
    about->trigger();
    const auto windows = main.findChildren<app::frmAbout*>();
    ASSERT_EQ(windows.size(), 1);
    app::frmAbout* window = windows.front();
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), "About Duskledger");
    EXPECT_EQ(window->findChild<QLabel*>("lblTitle")->text(), "Duskledger");
    EXPECT_EQ(window->findChild<QLabel*>("lblVersion")->text(),
              QString("Version %1.%2.%3").arg(app::ProgramInfo::major()).arg(app::ProgramInfo::minor()).arg(app::ProgramInfo::revision()));
    EXPECT_EQ(app::ProgramInfo::versionLine(), "Version 0.9.1");
}

} // namespace
