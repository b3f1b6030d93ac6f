#include "SheetFixture.h"
#include "sheet/Roster.h"

#include <QFont>
#include <QListView>

namespace {

class FindTest : public SheetTest {
protected:
    qint64 emile = 0, bob = 0, cat = 0, dora = 0;

    void SetUp() override {
        emile = character(QStringLiteral("Émile Durand"), QStringLiteral("Zoë"));
        bob = character("Bob", "Zoe");
        cat = character("Cat Grey", "NPC", "Chronicle = 'Zoe nights'");
        dora = character("Dora", "Ann");
        open();
    }
    qint64 shown() const { return session->shownKey.value_or(0); }
    void find(const QString& typed) {
        ui().txtFind->clear();
        QTest::keyClicks(ui().txtFind, typed);
    }
    QStringList tabs() { return {ui().SSTab1->tabText(0), ui().SSTab1->tabText(1)}; }
    // The names shown bold in either list.
    QStringList bold() {
        QStringList names;
        for (const QListView* list : {ui().lstChar, ui().lstNPC})
            for (int row = 0; row < list->model()->rowCount(); ++row)
                if (const QModelIndex entry = list->model()->index(row, 0);
                    entry.data(Qt::FontRole).value<QFont>().bold())
                    names << entry.data().toString();
        return names;
    }
    QLineEdit* switcherField() { return get<QLineEdit>("txtSwitch"); }
    QStringList matches() { return items("lstMatches"); }
};

// Each typed word is found in some field of the character, whatever the case and accents; the
// tabs count what they list; Return switches to the first match of the tab in front; Esc clears.
TEST_F(FindTest, FilterNarrowsBothListsAndReturnSwitches) {
    find("zoe");
    EXPECT_EQ(items("lstChar"), (QStringList{"Émile Durand", "Bob"}));
    EXPECT_EQ(tabs(), (QStringList{"Characters (2)", "NPCs (1)"})); // Cat Grey by its chronicle
    // Case and accents are the roster store's test (SearchFindsEachFieldWithoutRegardToCaseAndAccents).
    find("durand bob");
    EXPECT_EQ(tabs(), (QStringList{"Characters (0)", "NPCs (0)"}));

    // Return in edit mode switches as any switch does, saving first (ModesTest), and shows the
    // match in browse mode.
    menu("mnuEdit");
    find("bob");
    QTest::keyClick(ui().txtFind, Qt::Key_Return);
    EXPECT_EQ(shown(), bob);
    EXPECT_FALSE(session->editMode);
    ui().SSTab1->setCurrentIndex(1);
    find("grey");
    QTest::keyClick(ui().txtFind, Qt::Key_Return);
    EXPECT_EQ(shown(), cat);

    // Ctrl+F takes the focus; Esc clears the field, gives the focus back and lists everyone again.
    ASSERT_TRUE(shownActive());
    ui().lstNPC->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(ui().txtFind->hasFocus());
    QTest::keyClick(ui().txtFind, Qt::Key_Escape);
    EXPECT_TRUE(ui().txtFind->text().isEmpty());
    EXPECT_TRUE(ui().lstNPC->hasFocus());
    EXPECT_EQ(items("lstChar"), (QStringList{"Émile Durand", "Bob", "Dora"}));
    EXPECT_EQ(tabs(), (QStringList{"Characters (3)", "NPCs (1)"}));
    EXPECT_TRUE(services.messages.empty()) << services.lastMessage().toStdString();
}

// The shown character is bold in its list after a switch, a rename, an add and a delete, and its
// list is scrolled to it.
TEST_F(FindTest, ShownCharacterIsMarkedAndScrolledTo) {
    EXPECT_EQ(bold(), QStringList{"Émile Durand"});
    window->sheet().switchTo(cat);
    EXPECT_EQ(bold(), QStringList{"Cat Grey"});
    EXPECT_EQ(ui().SSTab1->currentIndex(), 1);
    menu("mnuEdit");
    set("txtChar=Cat Black");
    menu("mnuBrowse");
    EXPECT_EQ(bold(), QStringList{"Cat Black"});
    click("cmdAdd(0)");
    EXPECT_EQ(bold(), QStringList{"New Char"});
    services.answers.push_back(app::Answer::Yes);
    click("cmddelete(0)");
    EXPECT_EQ(bold(), QStringList{"Dora"}); // the last of its list

    for (int n = 0; n < 300; ++n)
        session->database->Execute(QStringLiteral("INSERT INTO Char_Info (Name, player) VALUES ('Extra %1', 'Ann')").arg(n));
    window->show();
    const qint64 last = stored("SELECT max(Char_ID) FROM Char_Info").toLongLong();
    window->sheet().switchTo(last);
    QApplication::processEvents();
    const QModelIndex entry = ui().roster->shownCharacters()->indexOf(last);
    EXPECT_TRUE(ui().lstChar->viewport()->rect().contains(ui().lstChar->visualRect(entry)));
}

// Ctrl+K: names that start with the text first, then the others found by name, player, clan or
// concept; the arrows choose, Return switches as any switch does, and a failed save stays put.
TEST_F(FindTest, QuickSwitcherRanksAndSwitchesSavingFirst) {
    session->database->Execute("INSERT INTO Char_Info (Name, player) VALUES ('Adora', 'Ann')");
    window->sheet().refreshRoster();
    menu("mnuSwitch");
    EXPECT_TRUE(get<QWidget>("frmSwitcher")->isVisible());
    QTest::keyClicks(switcherField(), "dor");
    // The ranking is the roster store's test (SwitcherRanksNameStartsFirst): Dora, then Adora.
    ASSERT_EQ(matches().size(), 2);
    EXPECT_TRUE(matches()[0].contains("Ann")); // the player tells namesakes apart
    QTest::keyClick(switcherField(), Qt::Key_Down);
    QTest::keyClick(switcherField(), Qt::Key_Return);
    EXPECT_FALSE(get<QWidget>("frmSwitcher")->isVisible());
    EXPECT_EQ(values("lblChar"), "Adora");

    menu("mnuEdit");
    set("txtHaven=Cellar");
    session->database->Execute("CREATE TRIGGER frozen BEFORE UPDATE ON Char_Info BEGIN SELECT RAISE(ABORT, 'frozen'); END");
    menu("mnuSwitch");
    QTest::keyClicks(switcherField(), "zoe");
    QTest::keyClick(switcherField(), Qt::Key_Return);
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(values("lblChar|txtHaven"), "Adora|Cellar");
    EXPECT_TRUE(session->editMode);
    QTest::keyClick(get<QWidget>("frmSwitcher"), Qt::Key_Escape);
}

// Back and forward go through the characters shown, past deleted ones; after going back, showing
// another character drops the way forward.
TEST_F(FindTest, BackAndForwardSkipDeletedCharacters) {
    for (qint64 key : {bob, cat, dora})
        window->sheet().switchTo(key);
    session->database->Execute(QStringLiteral("DELETE FROM Char_Info WHERE Char_ID = %1").arg(cat));
    window->sheet().refreshRoster();
    // Cat is passed over both ways; at the first character shown there is no way back.
    const std::pair<const char*, qint64> steps[] = {
        {"mnuBack", bob}, {"mnuBack", emile}, {"mnuForward", bob}, {"mnuForward", dora}};
    for (auto [command, then] : steps) {
        menu(command);
        EXPECT_EQ(shown(), then) << command;
        EXPECT_EQ(enabled("mnuBack"), then != emile) << command;
    }

    menu("mnuBack"); // in edit mode too, saving first as any switch does
    menu("mnuEdit");
    menu("mnuBack");
    EXPECT_EQ(shown(), emile);
    window->sheet().switchTo(dora);
    EXPECT_FALSE(enabled("mnuForward")) << "the way forward dropped";
    menu("mnuBack");
    EXPECT_EQ(shown(), emile);
    EXPECT_TRUE(services.messages.empty()) << services.lastMessage().toStdString();
}

} // namespace
