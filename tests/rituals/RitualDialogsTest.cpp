#include "RitualsFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <functional>

namespace {

void pick(QComboBox& combo, const QString& name) {
    const int index = combo.findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    combo.setCurrentIndex(index);
    Q_EMIT combo.activated(index);
}

// The combo box losing the focus, as when the user tabs on to the description.
void leave(QComboBox& combo) {
    QWidget* dialog = combo.window();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    combo.setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(combo.hasFocus());
    dialog->findChild<QPlainTextEdit*>("txtRitualDesc")->setFocus(Qt::TabFocusReason);
}

// An item view counts a double-click only on the cell the button went down on first.
void doubleClick(QTableWidget& grid, int row) {
    const QPoint at = grid.visualRect(grid.model()->index(row, 2)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
}

} // namespace

struct RitualDialogsTest : RitualsTest {
    // Opens the add dialog from the family's window for the character and lets drive() work it.
    std::unique_ptr<rituals::frmRituals> addThrough(const rituals::RitualFamily& family, qint64 key,
                                                    const std::function<void(QDialog&)>& drive) {
        auto window = open(family, key, true);
        services.modalHandlers.push_back([&](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), "frmAddRitual");
            EXPECT_EQ(dialog.windowTitle(), family.addCaption);
            drive(dialog);
            return dialog.result();
        });
        click(*window, "cmdAddRitual");
        EXPECT_TRUE(services.modalHandlers.empty());
        return window;
    }

    QString description(int id) {
        return rows(QStringLiteral("SELECT Description FROM Ritual_Lookup WHERE Ritual_ID = %1").arg(id)).value(0);
    }
};

TEST_F(RitualDialogsTest, PickedRitualShowsItsDetailsAndIsLinked) {
    auto window = addThrough(necromancy, tobin, [&](QDialog& dialog) {
        auto* combo = child<QComboBox>(dialog, "cmbRitual");
        EXPECT_EQ(items(*combo), "Call the Drowned|Ward of Salt"); // its family only, by level
        pick(*combo, "Ward of Salt");
        EXPECT_EQ(child<QLabel>(dialog, "lblLevel")->text(), "2");
        EXPECT_EQ(child<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), "Keeps the living out.");
        child<QPlainTextEdit>(dialog, "txtRitualDesc")->setPlainText("Keeps the living out, mostly.");
        click(dialog, "cmdok");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_EQ(ritualLinks(tobin), QStringList{"Ward of Salt|2"});
    EXPECT_EQ(description(5), "Keeps the living out, mostly.");
    EXPECT_EQ(description(1), "Keeps spirits out."); // the other family's ward is untouched
    EXPECT_EQ(child<QTableWidget>(*window, "fgRituals")->item(0, 2)->text(), "Ward of Salt");
}

TEST_F(RitualDialogsTest, NewNamesAreStoredInTheDialogsFamily) {
    const struct {
        const char *name, *level, *text;
        app::Answer answer;
        QStringList stored; // Level|ThaNec|Description
    } cases[] = {
        {"Salt Circle", "4", "Drawn at dusk.", app::Answer::Yes, {"4|1|Drawn at dusk."}},
        {"Salt Circle, Lesser", "", "", app::Answer::No, {"0|1|"}},
        {"Call the Drowned", "2", "", app::Answer::Yes, {"2|1|", "1|2|Wet."}}, // known to necromancy only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        services.messages.clear();
        addThrough(thaumaturgy, tobin, [&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbRitual");
            pick(*combo, "Binding Knot"); // a description is showing when the new name is typed
            combo->setEditText(c.name);
            services.answers.push_back(c.answer);
            leave(*combo);
            ASSERT_GE(services.messages.size(), 1u);
            EXPECT_EQ(services.messages[0].text,
                      QStringLiteral("You have entered a new Ritual called: %1. Is this correct?").arg(c.name));
            auto* level = child<QLineEdit>(dialog, "txtLevel");
            EXPECT_EQ(level->isHidden(), c.answer == app::Answer::No);
            if (c.answer == app::Answer::Yes) {
                EXPECT_EQ(services.lastMessage(), "Please fill out the level and description.");
                EXPECT_EQ(child<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), "");
            }
            level->setText(c.level);
            if (*c.text)
                child<QPlainTextEdit>(dialog, "txtRitualDesc")->setPlainText(c.text);
            click(dialog, "cmdok");
        });
        const QString name = c.name;
        EXPECT_EQ(
            rows("SELECT Level, ThaNec, Description FROM Ritual_Lookup WHERE Ritual = '" + name + "' ORDER BY ThaNec"),
            c.stored);
        EXPECT_TRUE(ritualLinks(tobin).contains(name + "|1"));
        EXPECT_EQ(description(3), "Ties a promise.");
    }
}

TEST_F(RitualDialogsTest, RefusalsAndDescriptionsNotMeantForTheRitual) {
    addThrough(thaumaturgy, mira, [&](QDialog& dialog) {
        auto* combo = child<QComboBox>(dialog, "cmbRitual");
        pick(*combo, "Ward of Salt");
        QSignalSpy finished(&dialog, &QDialog::finished);
        click(dialog, "cmdok");
        EXPECT_EQ(services.lastMessage(), "This character already has Ward of Salt as a ritual!");
        EXPECT_EQ(finished.count(), 0);

        // Typed, not picked: the ward's description in the box is not the knot's.
        combo->setEditText("Binding Knot");
        leave(*combo);
        click(dialog, "cmdok");
        EXPECT_EQ(finished.count(), 1);
    });
    EXPECT_TRUE(ritualLinks(mira).contains("Binding Knot|1"));
    EXPECT_EQ(description(3), "Ties a promise.");
    EXPECT_EQ(services.messages.size(), 1u); // a listed name is not new

    const QString everything = "SELECT * FROM Ritual_Link UNION ALL SELECT Ritual_ID, Ritual FROM Ritual_Lookup";
    const QStringList before = rows(everything);
    addThrough(thaumaturgy, mira, [&](QDialog& dialog) {
        click(dialog, "cmdok"); // no name: closes, writes nothing
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    EXPECT_EQ(rows(everything), before);
}

TEST_F(RitualDialogsTest, DescriptionWindowEditsShowInTheAddDialog) {
    const auto shownGrid = [&](auto& window) {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return child<QTableWidget>(*window, "fgRituals");
    };
    for (bool edit : {false, true}) {
        auto window = open(thaumaturgy, mira, edit);
        auto* grid = shownGrid(window);
        services.modalHandlers.push_back([&](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), "frmRitualDesc");
            EXPECT_EQ(child<QLabel>(dialog, "lblRitual")->text(), "Candle Sight");
            auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
            EXPECT_EQ(text->toPlainText(), ""); // stored as Null
            EXPECT_EQ(text->isReadOnly(), !edit);
            text->setPlainText("A flame that shows the unseen.");
            click(dialog, "cmdOK");
            return dialog.result();
        });
        doubleClick(*grid, 1);
        EXPECT_TRUE(services.modalHandlers.empty());
        EXPECT_EQ(global->PathKind, "Candle Sight");
        EXPECT_EQ(rows("SELECT Description FROM Ritual_Lookup WHERE Ritual_ID = 2"),
                  QStringList{edit ? "A flame that shows the unseen." : ""});
    }
    addThrough(thaumaturgy, tobin, [&](QDialog& dialog) {
        pick(*child<QComboBox>(dialog, "cmbRitual"), "Candle Sight");
        EXPECT_EQ(child<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), "A flame that shows the unseen.");
        EXPECT_EQ(child<QLabel>(dialog, "lblLevel")->text(), "");
    });

    // The empty row of a character without rituals, and a name no ritual of the family has, open nothing.
    auto empty = open(necromancy, tobin, true);
    auto* grid = shownGrid(empty);
    services.modalHandlers.push_back([](QDialog&) { return 0; });
    doubleClick(*grid, 0);
    grid->setItem(0, 2, new QTableWidgetItem("Binding Knot"));
    doubleClick(*grid, 0);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}
