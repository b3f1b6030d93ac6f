#include "SheetFixture.h"

#include "db/DbError.h"

namespace {

// Closing the window (File, Exit is the same close) and a Tools command ask in edit mode; Yes
// saves, No drops the edits, Cancel keeps the sheet as it is. In browse mode nothing is asked.
// What Change Database writes to the settings is the Tools menu's own test.
TEST_F(SheetTest, SaveQuestionThreeAnswersForCloseAndATool) {
    TempDatabase other;
    const qint64 oren = other.addCharacter("Oren");
    other.release();
    const qint64 key = character("Mira");
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"window closed", [this] { window->close(); }},
        {"Change Database",
         [&] {
             services.fileAnswers = {other.path()};
             menu("mnuChngDB");
         }},
    };
    const QString name = QStringLiteral("SELECT Name FROM Char_Info WHERE Char_ID = %1").arg(key);
    for (const auto& [way, act] : ways) {
        for (app::Answer answer : {app::Answer::Yes, app::Answer::No, app::Answer::Cancel}) {
            SCOPED_TRACE(QStringLiteral("%1, answer %2").arg(way).arg(int(answer)).toStdString());
            temp.exec("UPDATE Char_Info SET Name = 'Mira'");
            services.messages.clear();
            open();
            menu("mnuEdit");
            set("txtChar=Changed");
            services.answers = {answer};
            act();
            ASSERT_EQ(services.messages.size(), 1u);
            EXPECT_EQ(services.messages[0].text, "Save the changes to Changed?"); // the name as typed
            EXPECT_EQ(services.messages[0].buttons, app::Buttons::YesNoCancel);
            if (answer == app::Answer::Cancel) {
                EXPECT_EQ(session->database->path(), temp.path());
                EXPECT_TRUE(session->editMode);
                EXPECT_EQ(ui().txtChar->text(), "Changed");
            } else if (QLatin1String(way) == "Change Database") {
                EXPECT_EQ(ui().lblChar_ID->text(), QString::number(oren));
                EXPECT_TRUE(hidden("txtChar"));
            } else {
                EXPECT_FALSE(session->isOpen());
            }
            window.reset();
            session.reset();
            EXPECT_EQ(temp.scalar(name), answer == app::Answer::Yes ? "Changed" : "Mira");
        }
    }

    // A file that cannot be opened leaves the sheet on the character it showed (that the file
    // stays open is ToolsMenuTest.FailedOrRefusedChangeKeepsTheCurrentFile's).
    open();
    EXPECT_THROW(window->Form_Load(temp.file("missing.mdb")), db::DbError);
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_EQ(items("lstChar"), QStringList{"Mira"});
    EXPECT_TRUE(enabled("mnuEdit"));
    menu("mnuEdit");
    menu("mnuBrowse");
    services.messages.clear();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
