#include "CommandFixture.h"

#include "app/Settings.h"
#include "db/DbError.h"

namespace {

class SaveQuestionTest : public CommandTest {
protected:
    qint64 key = 0;

    // Mira on the sheet in edit mode, her name changed but not saved.
    void editing() {
        window.reset();
        global.reset();
        services.messages.clear();
        temp.exec("DELETE FROM Char_Info");
        key = character("Mira", "Ann");
        open();
        menu("mnuEdit");
        type("txtChar", "Changed");
    }
    QString storedName() {
        return temp.scalar(QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = %1").arg(key)).toString();
    }
    void expectQuestion() {
        ASSERT_FALSE(services.messages.empty());
        EXPECT_EQ(services.messages.front().text, "Save the changes to Mira?");
        EXPECT_EQ(services.messages.front().buttons, app::Buttons::YesNoCancel);
        EXPECT_EQ(services.messages.front().title, "Duskledger");
    }
};

TEST_F(SaveQuestionTest, CloseAndExitAskInEditModeAndFollowTheAnswer) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"window closed", [this] { window->close(); }},
        {"File, Exit", [this] { menu("mnuExit"); }},
    };
    for (const auto& [way, close] : ways) {
        for (app::Answer answer : {app::Answer::Yes, app::Answer::No, app::Answer::Cancel}) {
            SCOPED_TRACE(QStringLiteral("%1, answer %2").arg(way).arg(int(answer)).toStdString());
            editing();
            services.answers = {answer};
            close();
            expectQuestion();
            EXPECT_EQ(services.messages.size(), 1u);
            if (answer == app::Answer::Cancel) {
                EXPECT_TRUE(global->isConnected());
                EXPECT_TRUE(global->editMode);
                EXPECT_EQ(ui().txtChar->text(), "Changed");
                EXPECT_FALSE(hidden("txtChar"));
                EXPECT_EQ(column(key, "Name"), "Mira");
                continue;
            }
            EXPECT_FALSE(global->isConnected());
            EXPECT_FALSE(global->editMode);
            EXPECT_EQ(storedName(), answer == app::Answer::Yes ? "Changed" : "Mira");
            temp.release();
        }
    }

    // In browse mode nothing is asked.
    editing();
    menu("mnuBrowse");
    services.messages.clear();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(services.messages.empty());
    EXPECT_FALSE(global->isConnected());
}

TEST_F(SaveQuestionTest, ToolsCommandAsksAfterTheFileIsChosenAndBeforeTheDatabaseGoes) {
    TempDatabase other;
    const qint64 oren = other.addCharacter("Oren");
    other.release();
    const app::Settings settings(temp.folder());
    for (app::Answer answer : {app::Answer::Yes, app::Answer::No, app::Answer::Cancel}) {
        SCOPED_TRACE(int(answer));
        settings.writeDatabasePath(temp.path());
        editing();
        services.fileDialogs.clear();
        services.fileAnswers = {other.path()};
        services.answers = {answer};
        menu("mnuChngDB");
        ASSERT_EQ(services.fileDialogs.size(), 1u);
        expectQuestion();
        if (answer == app::Answer::Cancel) {
            EXPECT_EQ(global->database->path(), temp.path());
            EXPECT_EQ(settings.readDatabasePath(), temp.path());
            EXPECT_TRUE(global->editMode);
            EXPECT_EQ(ui().txtChar->text(), "Changed");
            EXPECT_EQ(column(key, "Name"), "Mira");
            continue;
        }
        EXPECT_EQ(global->database->path(), other.path());
        EXPECT_EQ(settings.readDatabasePath(), other.path());
        EXPECT_EQ(window->currentKey(), QString::number(oren));
        EXPECT_EQ(text("lblChar"), "Oren");
        EXPECT_FALSE(global->editMode);
        EXPECT_TRUE(hidden("txtChar"));
        EXPECT_EQ(storedName(), answer == app::Answer::Yes ? "Changed" : "Mira");
        temp.release();
    }
}

TEST_F(SaveQuestionTest, FileThatCannotBeOpenedLeavesConnectionAndSheetAsTheyWere) {
    editing();
    menu("mnuBrowse");
    global->databasePath = temp.file("missing.mdb");
    EXPECT_THROW(window->Form_Load(), db::DbError);
    global->databasePath = temp.path();
    EXPECT_TRUE(global->isConnected());
    EXPECT_EQ(global->database->path(), temp.path());
    EXPECT_EQ(global->characterRecordset->Fields("Name"), "Changed");
    EXPECT_EQ(window->currentKey(), QString::number(key));
    EXPECT_EQ(text("lblChar"), "Changed");
    EXPECT_EQ(items("lstChar"), QStringList{"Changed"});
    EXPECT_TRUE(enabled("mnuEdit"));

    // Through the menu the user is told and can go on editing.
    services.fileAnswers = {temp.file("missing.mdb")};
    menu("mnuChngDB");
    EXPECT_TRUE(services.lastMessage().contains("The current Database will continue being used."));
    menu("mnuEdit");
    EXPECT_TRUE(global->editMode);
}

TEST_F(SaveQuestionTest, NewDatabaseThenAddNewCharacter) {
    editing();
    const QString fresh = temp.file("fresh.mdb");
    services.fileAnswers = {fresh};
    services.answers = {app::Answer::No};
    menu("mnuNewDB");
    EXPECT_EQ(global->database->path(), fresh);
    EXPECT_EQ(window->currentKey(), "");
    EXPECT_TRUE(items("lstChar").isEmpty());
    EXPECT_FALSE(enabled("mnuEdit"));
    click("cmdAdd(0)");
    EXPECT_EQ(text("lblChar"), "New Char");
    EXPECT_TRUE(global->editMode);
    EXPECT_EQ(global->database->scalar("SELECT count(*) FROM Health").toInt(), 1);
}

} // namespace
