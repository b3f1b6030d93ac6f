#include "SheetFixture.h"

#include "app/Settings.h"
#include "db/DbError.h"

namespace {

class SaveQuestionTest : public SheetTest {
protected:
    qint64 key = 0;

    // Mira on the sheet in edit mode, her name changed but not saved.
    void editing() {
        window.reset();
        session.reset();
        services.messages.clear();
        temp.exec("DELETE FROM Char_Info");
        key = character("Mira", "Ann");
        open();
        menu("mnuEdit");
        type("txtChar", "Changed");
    }
};

// Window close, File Exit and a Tools command ask in edit mode; Yes saves, No drops the edits,
// Cancel keeps the sheet as it is.
TEST_F(SaveQuestionTest, ThreeAnswersForCloseExitAndATool) {
    TempDatabase other;
    const qint64 oren = other.addCharacter("Oren");
    other.release();
    const app::Settings settings(temp.folder());
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"window closed", [this] { window->close(); }},
        {"File, Exit", [this] { menu("mnuExit"); }},
        {"Change Database",
         [&] {
             services.fileAnswers = {other.path()};
             menu("mnuChngDB");
         }},
    };
    for (const auto& [way, act] : ways) {
        const bool tool = QLatin1String(way) == "Change Database";
        for (app::Answer answer : {app::Answer::Yes, app::Answer::No, app::Answer::Cancel}) {
            SCOPED_TRACE(QStringLiteral("%1, answer %2").arg(way).arg(int(answer)).toStdString());
            settings.writeDatabasePath(temp.path());
            editing();
            services.answers = {answer};
            act();
            ASSERT_EQ(services.messages.size(), 1u);
            EXPECT_EQ(services.messages[0].text, "Save the changes to Mira?");
            EXPECT_EQ(services.messages[0].buttons, app::Buttons::YesNoCancel);
            if (answer == app::Answer::Cancel) {
                EXPECT_EQ(session->database->path(), temp.path());
                EXPECT_EQ(settings.readDatabasePath(), temp.path());
                EXPECT_TRUE(session->editMode);
                EXPECT_EQ(ui().txtChar->text(), "Changed");
                EXPECT_EQ(column(key, "Name"), "Mira");
                continue;
            }
            if (tool) {
                EXPECT_EQ(settings.readDatabasePath(), other.path());
                EXPECT_EQ(ui().lblChar_ID->text(), QString::number(oren));
                EXPECT_TRUE(hidden("txtChar"));
            } else {
                EXPECT_FALSE(session->isOpen());
            }
            EXPECT_FALSE(session->editMode);
            window.reset();
            session.reset();
            EXPECT_EQ(temp.scalar(QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = %1").arg(key)),
                      answer == app::Answer::Yes ? "Changed" : "Mira");
        }
    }

    editing(); // in browse mode nothing is asked
    menu("mnuBrowse");
    services.messages.clear();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(SaveQuestionTest, FileThatCannotBeOpenedChangesNothingANewOneShowsAnEmptySheet) {
    editing();
    menu("mnuBrowse");
    EXPECT_THROW(window->Form_Load(temp.file("missing.mdb")), db::DbError);
    EXPECT_EQ(session->database->path(), temp.path());
    EXPECT_EQ(window->sheet().character().name, "Changed");
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_EQ(items("lstChar"), QStringList{"Changed"});
    EXPECT_TRUE(enabled("mnuEdit"));

    services.fileAnswers = {temp.file("fresh.mdb")};
    menu("mnuNewDB");
    EXPECT_EQ(session->database->path(), temp.file("fresh.mdb"));
    EXPECT_EQ(ui().lblChar_ID->text(), "");
    EXPECT_TRUE(items("lstChar").isEmpty());
    EXPECT_FALSE(enabled("mnuEdit"));
}

} // namespace
