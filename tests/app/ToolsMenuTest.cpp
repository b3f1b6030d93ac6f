#include "app/ToolsMenu.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "store/Schema.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QFile>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

// A stand-in for the main window's loading: reads the new file whole before it takes its place.
struct ToolsMenuTest : ::testing::Test {
    TempDatabase first;
    TempDatabase second;
    ScriptedServices services;
    app::Session session{services};
    app::Settings settings{first.folder()};
    int reloads = 0;
    int settles = 0;
    bool settleAnswer = true;
    bool failAfterOpen = false;
    app::ToolsMenu tools{session,
                         settings,
                         {[this](const QString& path) {
                              ++reloads;
                              auto opened = store::openChronicle(path, true);
                              if (failAfterOpen && path != first.path())
                                  throw db::DbError("the sheet could not be loaded");
                              session.adopt(std::move(opened));
                          },
                          [this] {
                              ++settles;
                              return settleAnswer;
                          }}};

    void SetUp() override {
        first.addCharacter("Mira");
        second.addCharacter("Oren");
        first.release();
        second.release();
        session.adopt(store::openChronicle(first.path(), true));
        settings.writeDatabasePath(first.path());
    }
    QString shownName() { return session.database->scalar("SELECT Name FROM Char_Info").toString(); }
};

TEST_F(ToolsMenuTest, ChangeDatabaseCancelledSameFileAndNewFile) {
    tools.mnuChngDB_Click(); // cancelled
    EXPECT_EQ(services.lastMessage(), "The current Database will continue being used.");
    settings.writeDatabasePath({});
    services.fileAnswers = {first.path()}; // the file in use: settings rewritten, nothing reopened
    tools.mnuChngDB_Click();
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(settings.readDatabasePath(), first.path());

    services.fileAnswers = {second.path()};
    tools.mnuChngDB_Click();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(settles, 1);
    EXPECT_EQ(shownName(), "Oren");
    EXPECT_EQ(settings.readDatabasePath(), second.path());
    EXPECT_NO_THROW(store::openChronicle(first.path(), true)); // the old file was let go
}

TEST_F(ToolsMenuTest, SettleEditsCancelAbandonsBeforeAnythingCloses) {
    settleAnswer = false;
    services.fileAnswers = {second.path(), first.file("copy.mdb"), first.file("new.mdb")};
    tools.mnuChngDB_Click();
    tools.mnuMobile_Click();
    tools.mnuNewDB_Click();
    EXPECT_EQ(settles, 3);
    EXPECT_EQ(reloads, 0);
    EXPECT_FALSE(QFile::exists(first.file("copy.mdb")) || QFile::exists(first.file("new.mdb")));
    EXPECT_EQ(shownName(), "Mira");
}

// Mobilize copies the chronicle, New starts an empty one; each refuses an existing file and the file in
// use, and then goes on in the new file, named with ".mdb" when typed without an extension.
TEST_F(ToolsMenuTest, MobilizeAndNewDatabaseGoOnInTheNewFile) {
    const std::tuple<void (app::ToolsMenu::*)(), const char*, const char*> commands[] = {
        {&app::ToolsMenu::mnuMobile_Click, "travel copy", "Mira"}, {&app::ToolsMenu::mnuNewDB_Click, "new", ""}};
    for (const auto& [command, name, shownAfter] : commands) {
        const int reloadsBefore = reloads;
        const QString made = first.file(name + QString(".mdb"));
        services.fileAnswers = {second.path(), session.path(), first.file(name)};
        for (int i = 0; i < 3; ++i)
            (tools.*command)();
        EXPECT_TRUE(services.messages.at(services.messages.size() - 2).text.contains("already exists"));
        EXPECT_EQ(reloads, reloadsBefore + 1);
        EXPECT_EQ(session.path(), made);
        EXPECT_EQ(settings.readDatabasePath(), made);
        EXPECT_EQ(shownName(), shownAfter);
    }
    tools.mnuMobile_Click();
    EXPECT_EQ(services.lastMessage(), "No Database selected, mobilization not complete.");
}

// A file that cannot be opened, a sheet that fails to load after the open, and a path the one-line settings
// file cannot keep (refused by each command that would record it): one message, and the current file stays.
TEST_F(ToolsMenuTest, FailedOrRefusedChangeKeepsTheCurrentFile) {
    failAfterOpen = true;
    const QString broken = first.file("two\nlines.mdb");
    store::createDatabase(broken);
    const std::tuple<void (app::ToolsMenu::*)(), QString, QString> cases[] = {
        {&app::ToolsMenu::mnuChngDB_Click, first.file("missing.mdb"), first.file("missing.mdb")},
        {&app::ToolsMenu::mnuChngDB_Click, second.path(), "the sheet could not be loaded"},
        {&app::ToolsMenu::mnuChngDB_Click, broken, "line break"},
        {&app::ToolsMenu::mnuMobile_Click, first.file("copy\n.mdb"), "line break"},
        {&app::ToolsMenu::mnuNewDB_Click, first.file("new\r.mdb"), "line break"}};
    for (const auto& [command, path, message] : cases) {
        SCOPED_TRACE(path.toStdString());
        services.messages.clear();
        services.fileAnswers = {path};
        (tools.*command)();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_TRUE(services.lastMessage().contains(message)) << services.lastMessage().toStdString();
        EXPECT_EQ(session.path(), first.path());
        EXPECT_EQ(settings.readDatabasePath(), first.path());
        EXPECT_EQ(shownName(), "Mira");
    }
    EXPECT_FALSE(QFile::exists(first.file("copy\n.mdb")) || QFile::exists(first.file("new\r.mdb")));
}

// Every file opened goes first on the list, five at most; an entry opens its file, and one whose
// file is gone is reported and dropped.
TEST_F(ToolsMenuTest, RecentDatabasesListTheLastFiveAndOpenThem) {
    QMenu tools;
    this->tools.addRecentMenu(&tools);
    auto* recent = tools.findChild<QMenu*>("mnuRecent");
    ASSERT_NE(recent, nullptr);
    const auto entries = [&] {
        Q_EMIT recent->aboutToShow();
        QStringList shown;
        for (QAction* item : recent->actions())
            shown << item->data().toString();
        return shown;
    };
    services.fileAnswers = {second.path()};
    this->tools.mnuChngDB_Click();
    EXPECT_EQ(entries(), (QStringList{second.path(), first.path()}));
    for (int i = 0; i < 6; ++i)
        settings.rememberDatabase(first.file(QStringLiteral("gone %1.mdb").arg(i)));
    EXPECT_EQ(entries().size(), 5);
    settings.rememberDatabase(first.path());
    entries();
    recent->actions().value(0)->trigger();
    EXPECT_EQ(shownName(), "Mira");
    EXPECT_EQ(settings.readDatabasePath(), first.path());
    const QString gone = entries().value(1);
    recent->actions().value(1)->trigger();
    EXPECT_EQ(shownName(), "Mira");
    EXPECT_TRUE(services.lastMessage().contains("no longer there"));
    EXPECT_FALSE(entries().contains(gone));
}

TEST_F(ToolsMenuTest, CalculatorIsTheFirstOneFound) {
    tools.mnuCalc_Click();
    EXPECT_EQ(services.lastMessage(), "The Calculator is not available.");
    services.availablePrograms = {"xcalc", "galculator"};
    tools.mnuCalc_Click();
    EXPECT_EQ(services.startedPrograms, QStringList{"/usr/bin/galculator"});
    services.startSucceeds = false; // found but will not start
    tools.mnuCalc_Click();
    EXPECT_TRUE(services.messages.size() == 2 && services.lastMessage() == "The Calculator is not available.");
}

} // namespace
