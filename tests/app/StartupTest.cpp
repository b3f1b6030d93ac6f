#include "app/Startup.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "db/DbError.h"
#include "sheet/frmMain.h"
#include "store/Schema.h"
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

// Valid settings ask nothing; empty, stale or missing ones ask until a file is chosen, which is written
// back; Cancel ends the program.
TEST_F(StartupTest, SettingsNameTheFileOrTheUserIsAskedUntilAFileIsChosen) {
    const QString path = temp.file("my chronicle, book 2.mdb");
    ASSERT_TRUE(settings.writeDatabasePath(path));
    EXPECT_EQ(readFile(settings.filePath()), path.toUtf8() + "\r\n");
    EXPECT_EQ(settings.readDatabasePath(), path);
    writeFile(settings.filePath(), temp.path().toUtf8() + "\r\n");
    EXPECT_EQ(app::Startup(services, settings).locateDatabase(), temp.path());
    EXPECT_TRUE(services.fileDialogs.empty() && services.messages.empty());

    for (const QByteArray& content : {QByteArray(), temp.file("deleted.mdb").toUtf8() + "\r\n"}) {
        ScriptedServices local;
        writeFile(settings.filePath(), content);
        local.fileAnswers = {"", temp.path()}; // first cancelled, then chosen
        local.answers = {app::Answer::OK};
        ASSERT_EQ(app::Startup(local, settings).locateDatabase(), temp.path());
        ASSERT_EQ(local.fileDialogs.size(), 2u);
        EXPECT_EQ(local.fileDialogs[0].title, "Open Zeth Database");
        EXPECT_TRUE(local.fileDialogs[0].filter.startsWith("MS:Access (*.mdb)|*.mdb"));
        ASSERT_EQ(local.messages.size(), 1u);
        EXPECT_EQ(local.messages[0].text, "You must locate the Zeth database to run this program!");
        EXPECT_EQ(local.messages[0].buttons, app::Buttons::OKCancel);
        EXPECT_EQ(readFile(settings.filePath()), temp.path().toUtf8() + "\r\n");
    }
    QFile::remove(settings.filePath());
    services.answers = {app::Answer::Cancel};
    EXPECT_FALSE(app::Startup(services, settings).locateDatabase());
    EXPECT_FALSE(QFile::exists(settings.filePath()));
}

// A file that cannot be opened is reported and another asked for; the one opened is held until shut-down.
TEST_F(StartupTest, UnopenableFileIsReportedAndTheNextIsHeldUntilShutDown) {
    const QString bad = temp.file("notes.mdb");
    writeFile(bad, "just some notes\n");
    writeFile(settings.filePath(), bad.toUtf8() + "\r\n");
    services.fileAnswers = {temp.path()};
    app::Session session(services);
    app::Startup startup(services, settings);
    frmMain main(session);
    ASSERT_TRUE(startup.loadMainWindow(bad, [&](const QString& file) { main.Form_Load(file); }));
    ASSERT_GE(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].text.contains(bad)) << services.messages[0].text.toStdString();
    EXPECT_EQ(session.path(), temp.path());
    EXPECT_EQ(readFile(settings.filePath()), temp.path().toUtf8() + "\r\n");
    EXPECT_EQ(main.sheet().character().name, "Mira");
    EXPECT_THROW(store::openChronicle(temp.path(), true), db::DbError);
    main.shutDown();
    EXPECT_FALSE(session.database);
    EXPECT_NO_THROW(store::openChronicle(temp.path(), true));
}

TEST(Splash, HandsOverOnceOnTimerKeyOrClick) {
    for (int trigger = 0; trigger < 3; ++trigger) {
        app::frmSplash splash;
        EXPECT_EQ(splash.findChild<QLabel*>("lblVersion")->text(), "Version 0.9.1");
        QSignalSpy spy(&splash, &app::frmSplash::handOverRequested);
        splash.startTimer();
        EXPECT_EQ(splash.timer().interval(), 1500);
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

TEST(About, OneModelessInstanceWithTitleAndVersion) {
    ScriptedServices services;
    app::Session session(services);
    frmMain main(session);
    QAction* about = main.findChild<QAction*>("mnuAbout");
    about->trigger();
    about->trigger();
    const auto windows = main.findChildren<app::frmAbout*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_FALSE(windows.front()->isModal());
    EXPECT_EQ(windows.front()->windowTitle(), "About Duskledger");
    EXPECT_EQ(windows.front()->findChild<QLabel*>("lblVersion")->text(), app::ProgramInfo::versionLine());
}

} // namespace
