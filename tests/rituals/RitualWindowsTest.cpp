#include "app/Session.h"
#include "ratings/BitmapStore.h"
#include "ratings/DotRow.h"
#include "rituals/RitualCommands.h"
#include "rituals/frmRituals.h"
#include "store/Schema.h"
#include "support/ListEntries.h"
#include "support/RowTexts.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using ratings::DotRow;
using enum app::Answer;

namespace {

template <class T> T* child(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

void click(QWidget& parent, const QString& button) {
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

// The grid's rows as "level|ritual".
QStringList gridRows(QWidget& window) {
    auto* grid = child<QTableWidget>(window, "fgRituals");
    QStringList result;
    for (int r = 0; r < grid->rowCount(); ++r)
        result << grid->model()->index(r, 1).data().toString() + '|' + grid->model()->index(r, 2).data().toString();
    return result;
}

// The path slots as "name tag": "[name]" from the box while editing, the label while browsing;
// "-" for hidden dots.
QStringList pathSlots(QWidget& window) {
    QStringList result;
    for (int i = 0; i < rituals::frmRituals::kSlots; ++i) {
        auto* combo = child<QComboBox>(window, QStringLiteral("cmbPath(%1)").arg(i));
        auto* dots = child<DotRow>(window, QStringLiteral("PBPath(%1)").arg(i));
        EXPECT_EQ(dots->pictureName(), QStringLiteral("GCHECK%1.bmp").arg(dots->Tag().toInt(), 2, 10, QChar('0')));
        result << (combo->isHidden() ? child<QLabel>(window, QStringLiteral("lblPath(%1)").arg(i))->text()
                                     : '[' + combo->currentText() + ']') +
                      ' ' + (dots->isHidden() ? "-" : dots->Tag());
    }
    return result;
}

void pick(QComboBox& combo, const QString& name) {
    const int index = combo.findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    combo.setCurrentIndex(index);
    Q_EMIT combo.activated(index);
}

// An item view counts a double-click only on the cell the button went down on first.
void doubleClick(QTableWidget& grid, int row) {
    const QPoint at = grid.visualRect(grid.model()->index(row, 2)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
}

} // namespace

// Mira has paths and rituals of both families, Tobin has none. "Ward of Salt" exists in both
// families (1 thaumaturgy, 5 necromancy), "Path of Ash" only in necromancy. What the store makes
// of the names and levels a window passes is tested with the store; here, what the windows add.
struct Rituals : ::testing::Test {
    TempDatabase temp;
    ScriptedServices services;
    app::Session session{services};
    ratings::BitmapStore bitmaps{QString()};
    qint64 mira = temp.addCharacter("Mira"), tobin = temp.addCharacter("Tobin");
    const rituals::RitualFamily& thaumaturgy = rituals::RitualFamily::thaumaturgy();
    const rituals::RitualFamily& necromancy = rituals::RitualFamily::necromancy();

    void SetUp() override {
        for (const char* sql : {
                 "INSERT INTO Path_LookUp VALUES (1, 'Path of Tides', 1), (2, 'Path of Embers', 1), "
                 "(3, 'Path of Ash', 2), (4, 'Bone Road', 2)",
                 "INSERT INTO Path_Link VALUES (1, 1, 3), (1, 3, 2), (1, 2, 1)",
                 "INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec, Description) VALUES "
                 "(1, 'Ward of Salt', 1, 1, 'Keeps spirits out.'), (2, 'Candle Sight', NULL, 1, NULL), "
                 "(3, 'Binding Knot', 3, 1, 'Ties a promise.'), (4, 'Call the Drowned', 1, 2, 'Wet.'), "
                 "(5, 'Ward of Salt', 2, 2, 'Keeps the living out.')",
                 "INSERT INTO Ritual_Link VALUES (1, 1), (1, 2), (1, 4), (1, 5)",
             })
            temp.exec(sql);
        session.database = store::openChronicle(temp.path(), false);
    }
    std::unique_ptr<rituals::frmRituals> open(const rituals::RitualFamily& family, qint64 key, bool edit) {
        session.editMode = edit;
        auto window = std::make_unique<rituals::frmRituals>(session, bitmaps, family, key);
        window->load();
        return window;
    }
    QStringList rows(const QString& sql) { return rowTexts(temp.db(), sql, {}); }
    // The character's links in the order they were made: "Path|Level|ThaNec" or "Ritual|ThaNec".
    QStringList links(const QString& kind, qint64 key) {
        return rows(QStringLiteral("SELECT %1%2, ThaNec FROM %1_Link JOIN %1_LookUp USING (%1_ID) WHERE Char_ID = %3 "
                                   "ORDER BY %1_Link.rowid")
                        .arg(kind, kind == "Path" ? ", Level" : "")
                        .arg(key));
    }
    QString description(int id) {
        return rows(QStringLiteral("SELECT Description FROM Ritual_Lookup WHERE Ritual_ID = %1").arg(id)).value(0);
    }
    // Queues a handler for the next modal window, which must be named name: shown and active, so
    // focus moves as with a user, then worked by drive().
    void modal(const QString& name, const std::function<void(QDialog&)>& drive) {
        services.modalHandlers.push_back([name, drive](QDialog& dialog) {
            EXPECT_EQ(dialog.objectName(), name);
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            drive(dialog);
            return dialog.result();
        });
    }
    // Opens the add dialog from the family's window for the character and lets drive() work it.
    std::unique_ptr<rituals::frmRituals> addThrough(const rituals::RitualFamily& family, qint64 key,
                                                    const std::function<void(QDialog&)>& drive) {
        auto window = open(family, key, true);
        modal("frmAddRitual", [&](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), family.addCaption);
            drive(dialog);
        });
        click(*window, "cmdAddRitual");
        EXPECT_TRUE(services.modalHandlers.empty());
        return window;
    }
};

// Each window, as the main window opens it, shows its own family: names as labels while browsing
// (dots hidden for empty slots), as boxes in every slot while editing; one empty row without
// rituals. Without a character shown nothing opens.
TEST_F(Rituals, EachWindowShowsItsFamilyInTheModesControls) {
    const struct {
        bool necro;
        qint64 key;
        bool edit;
        QStringList named; // the first slots; the others show empty
        const char* empty;
        QStringList grid;
    } cases[] = {
        {true, tobin, false, {}, " -", {"|"}},
        {false, mira, false, {"Path of Tides 3", "Path of Embers 1"}, " -", {"1|Ward of Salt", "|Candle Sight"}},
        {true, mira, true, {"[Path of Ash] 2"}, "[] 0", {"1|Call the Drowned", "2|Ward of Salt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.necro ? "necromancy " : "thaumaturgy ") + std::to_string(c.key));
        session.editMode = c.edit;
        services.modalHandlers.push_back([&](QDialog& window) {
            EXPECT_EQ(window.objectName() + '|' + window.windowTitle(),
                      c.necro ? "frmNecromancy|Necromantic Paths and Rituals"
                              : "frmRituals|Thaumaturgy Paths and Rituals");
            EXPECT_EQ(pathSlots(window), c.named + QStringList(10 - c.named.size(), c.empty));
            EXPECT_EQ(listEntries(child<QComboBox>(window, "cmbPath(9)")->view()).join('|'),
                      c.necro ? "|Bone Road|Path of Ash" : "|Path of Embers|Path of Tides");
            EXPECT_EQ(gridRows(window), c.grid);
            // The necromancy grid loses its heading texts when it loads.
            auto* grid = child<QTableWidget>(window, "fgRituals");
            EXPECT_EQ(grid->horizontalHeaderItem(1)->text() + '|' + grid->horizontalHeaderItem(2)->text(),
                      c.necro ? "|" : "Level | Ritual");
            EXPECT_EQ(child<QPushButton>(window, "cmdAddRitual")->isEnabled(), c.edit);
            EXPECT_EQ(child<QPushButton>(window, "cmdRemoveRitual")->isEnabled(), c.edit);
            return int(QDialog::Rejected);
        });
        session.shownKey = c.key;
        (c.necro ? rituals::showNecromancy : rituals::showThaumaturgy)(session, bitmaps, nullptr);
        EXPECT_TRUE(services.modalHandlers.empty());
    }
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    session.shownKey.reset();
    rituals::showThaumaturgy(session, bitmaps, nullptr);
    rituals::showNecromancy(session, bitmaps, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}

// The same path twice (in any case) is refused, while browsing too; browsing otherwise writes
// nothing and its dots ignore clicks. In edit mode OK passes the named slots in order with their
// dots, a slot at 0 included, to the window's family.
TEST_F(Rituals, OkRefusesTheSamePathTwiceAndSavesTheNamedSlotsWhileEditing) {
    const QString everything = "SELECT * FROM Path_Link UNION ALL SELECT Path_ID, Path, ThaNec FROM Path_LookUp";
    const QStringList before = rows(everything);
    auto browsing = open(thaumaturgy, mira, false);
    child<QComboBox>(*browsing, "cmbPath(4)")->setEditText("Path of Storms");
    QTest::mouseClick(child<DotRow>(*browsing, "PBPath(0)"), Qt::LeftButton, {}, QPoint(140, 7));
    EXPECT_EQ(child<DotRow>(*browsing, "PBPath(0)")->Tag(), "3");
    click(*browsing, "cmdOK");
    EXPECT_EQ(browsing->result(), QDialog::Accepted);

    auto thaum = open(thaumaturgy, mira, true);
    child<QComboBox>(*thaum, "cmbPath(7)")->setEditText("path of TIDES");
    click(*thaum, "cmdOK");
    EXPECT_EQ(services.lastMessage(), "You have selected the same Path Twice!");
    EXPECT_EQ(thaum->result(), 0);
    EXPECT_EQ(rows(everything), before);

    for (const auto& [slot, name] : {std::pair{0, ""}, {4, "Path of Storms"}, {5, "Path of Ash"}, {7, ""}})
        child<QComboBox>(*thaum, QStringLiteral("cmbPath(%1)").arg(slot))->setEditText(name);
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(4)"), Qt::LeftButton, {}, QPoint(20, 7));
    click(*thaum, "cmdOK");
    EXPECT_EQ(thaum->result(), QDialog::Accepted);
    EXPECT_EQ(links("Path", mira),
              (QStringList{"Path of Ash|2|2", "Path of Embers|1|1", "Path of Storms|2|1", "Path of Ash|0|1"}));
    temp.exec("INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (2, 2, 1), (2, 2, 4)");
    click(*open(thaumaturgy, tobin, false), "cmdOK");
    EXPECT_EQ(services.messages.size(), 2u);
}

// Removal asks about the selected ritual, then has the store take the link to the window's
// family's ritual (the necromancy ward of that name stays) and reloads; the empty row asks nothing.
TEST_F(Rituals, RemovalAsksThenTakesOneLinkAndReloads) {
    auto thaum = open(thaumaturgy, mira, true);
    services.answers.push_back(No);
    click(*thaum, "cmdRemoveRitual");
    EXPECT_EQ(services.lastMessage(),
              "You are about to remove the ritual: Ward of Salt from this character. Are you sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::YesNo);
    child<QComboBox>(*thaum, "cmbPath(5)")->setEditText("Path of Storms");
    click(*thaum, "cmdRemoveRitual");
    EXPECT_EQ(child<QComboBox>(*thaum, "cmbPath(5)")->currentText(), ""); // reloaded from the database
    EXPECT_EQ(gridRows(*thaum), QStringList{"|Candle Sight"});
    click(*open(thaumaturgy, tobin, true), "cmdRemoveRitual");
    EXPECT_EQ(services.messages.size(), 2u);
}

// A ritual the character has is refused. A typed name the family lacks, even one the other
// family has, is asked about when the box loses the focus and stored in the dialog's family; the
// description shown for the refused ritual is not carried over to it.
TEST_F(Rituals, TypedNamesAreRefusedOrAddedToTheDialogsFamily) {
    const struct {
        const char *name, *level, *text;
        std::optional<app::Answer> answer; // to the new-name question; none: not asked
        QStringList stored;                // Level|ThaNec|Description
    } cases[] = {
        {"Salt Circle", "4", "Drawn at dusk.", Yes, {"4|1|Drawn at dusk."}},
        {"Salt Circle, Lesser", "", "", No, {"0|1|"}},
        {"Call the Drowned", "2", "", Yes, {"2|1|", "1|2|Wet."}},
        {"Binding Knot", "", "", {}, {"3|1|Ties a promise."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        services.messages.clear();
        addThrough(thaumaturgy, mira, [&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbRitual");
            pick(*combo, "Ward of Salt");
            click(dialog, "cmdok");
            EXPECT_TRUE(dialog.isVisible());
            combo->setEditText(c.name);
            if (c.answer)
                services.answers.push_back(*c.answer);
            combo->setFocus(Qt::OtherFocusReason);
            child<QPlainTextEdit>(dialog, "txtRitualDesc")->setFocus(Qt::TabFocusReason);
            QStringList said, expected{"This character already has Ward of Salt as a ritual!"};
            if (c.answer)
                expected << QStringLiteral("You have entered a new Ritual called: %1. Is this correct?").arg(c.name);
            if (c.answer == Yes)
                expected << "Please fill out the level and description.";
            for (const auto& message : services.messages)
                said << message.text;
            EXPECT_EQ(said, expected);
            auto* level = child<QLineEdit>(dialog, "txtLevel");
            EXPECT_EQ(level->isHidden(), c.answer != Yes);
            auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
            EXPECT_TRUE(c.answer != Yes || text->toPlainText().isEmpty());
            level->setText(c.level);
            if (*c.text)
                text->setPlainText(c.text);
            click(dialog, "cmdok");
            EXPECT_FALSE(dialog.isVisible());
        });
        EXPECT_EQ(rows(QStringLiteral("SELECT Level, ThaNec, Description FROM Ritual_Lookup WHERE Ritual = '%1' "
                                      "ORDER BY ThaNec")
                           .arg(c.name)),
                  c.stored);
        EXPECT_EQ(links("Ritual", mira).last(), c.name + QString("|1"));
    }
}

// A double-click shows the ritual's description, changeable in edit mode only; the empty row and
// a name the family lacks open nothing. The add dialog lists its family's rituals, shows the
// picked one's details and links that family's ritual of a name both families have.
TEST_F(Rituals, DescriptionsAndPickedRitualsStayWithinTheFamily) {
    auto thaum = open(thaumaturgy, mira, false);
    thaum->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(thaum.get()));
    for (bool edit : {false, true}) {
        session.editMode = edit;
        modal("frmRitualDesc", [&](QDialog& dialog) {
            EXPECT_EQ(child<QLabel>(dialog, "lblRitual")->text(), "Candle Sight");
            auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
            EXPECT_EQ(text->toPlainText(), "");
            EXPECT_EQ(text->isReadOnly(), !edit);
            text->setPlainText("A flame that shows the unseen.");
            click(dialog, "cmdOK");
        });
        doubleClick(*child<QTableWidget>(*thaum, "fgRituals"), 1);
        EXPECT_TRUE(services.modalHandlers.empty());
        EXPECT_EQ(description(2), edit ? "A flame that shows the unseen." : "");
    }
    auto empty = open(necromancy, tobin, true);
    empty->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(empty.get()));
    auto* grid = child<QTableWidget>(*empty, "fgRituals");
    services.modalHandlers.push_back([](QDialog&) { return 0; });
    doubleClick(*grid, 0);
    grid->setItem(0, 2, new QTableWidgetItem("Binding Knot"));
    doubleClick(*grid, 0);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
    services.modalHandlers.clear();

    temp.exec("INSERT INTO Ritual_Link VALUES (2, 1)"); // Tobin holds the thaumaturgy ward
    auto window = addThrough(necromancy, tobin, [&](QDialog& dialog) {
        auto* combo = child<QComboBox>(dialog, "cmbRitual");
        EXPECT_EQ(listEntries(combo->view()).join('|'), "Call the Drowned|Ward of Salt");
        pick(*combo, "Ward of Salt");
        auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
        EXPECT_EQ(child<QLabel>(dialog, "lblLevel")->text() + '|' + text->toPlainText(), "2|Keeps the living out.");
        text->setPlainText("Keeps the living out, mostly.");
        click(dialog, "cmdok");
    });
    EXPECT_EQ(links("Ritual", tobin), (QStringList{"Ward of Salt|1", "Ward of Salt|2"}));
    EXPECT_EQ(description(1) + '|' + description(5), "Keeps spirits out.|Keeps the living out, mostly.");
    EXPECT_EQ(gridRows(*window), QStringList{"2|Ward of Salt"});
}
