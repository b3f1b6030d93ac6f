#include "store/Schema.h"
#include "app/Session.h"
#include "ratings/DotRow.h"
#include "ratings/BitmapStore.h"
#include "rituals/RitualFamily.h"
#include "rituals/RitualCommands.h"
#include "rituals/frmRituals.h"
#include "support/ListEntries.h"
#include "support/RowTexts.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using ratings::DotRow;
using enum app::Answer;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

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
QStringList gridRows(QTableWidget& grid) {
    QStringList result;
    for (int r = 0; r < grid.rowCount(); ++r)
        result << grid.model()->index(r, 1).data().toString() + '|' + grid.model()->index(r, 2).data().toString();
    return result;
}

// The path slots as "name tag": "[name]" from the box while editing, the label while browsing;
// "-" for hidden dots. Each row's picture must match its tag.
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

// The combo box losing the focus, as when the user tabs on to the description.
void leave(QComboBox& combo) {
    combo.setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(combo.hasFocus());
    combo.window()->findChild<QPlainTextEdit*>("txtRitualDesc")->setFocus(Qt::TabFocusReason);
}

// An item view counts a double-click only on the cell the button went down on first.
void doubleClick(QTableWidget& grid, int row) {
    const QPoint at = grid.visualRect(grid.model()->index(row, 2)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, at);
}

} // namespace

// A chronicle with two characters: Mira has paths and rituals of both families, Tobin has none.
// "Ward of Salt" exists in both families, "Path of Ash" only in necromancy.
struct Rituals : ::testing::Test {
    TempDatabase temp;
    ScriptedServices services;
    std::unique_ptr<app::Session> session;
    qint64 mira = temp.addCharacter(QStringLiteral("Mira"));
    qint64 tobin = temp.addCharacter(QStringLiteral("Tobin"));
    const rituals::RitualFamily& thaumaturgy = rituals::RitualFamily::thaumaturgy();
    const rituals::RitualFamily& necromancy = rituals::RitualFamily::necromancy();

    void SetUp() override {
        for (const QString& sql :
             QStringLiteral("INSERT INTO Path_LookUp VALUES (1, 'Path of Tides', 1), (2, 'Path of Embers', 1), "
                            "(3, 'Path of Ash', 2), (4, 'Bone Road', 2);"
                            "INSERT INTO Path_Link VALUES (1, 1, 3), (1, 3, 2), (1, 2, 1);"
                            "INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec, Description) VALUES "
                            "(1, 'Ward of Salt', 1, 1, 'Keeps spirits out.'), (2, 'Candle Sight', NULL, 1, NULL), "
                            "(3, 'Binding Knot', 3, 1, 'Ties a promise.'), (4, 'Call the Drowned', 1, 2, 'Wet.'), "
                            "(5, 'Ward of Salt', 2, 2, 'Keeps the living out.');"
                            "INSERT INTO Ritual_Link VALUES (1, 1), (1, 2), (1, 4), (1, 5)")
                 .split(';'))
            temp.exec(sql);
        services.folder = temp.folder();
        session = std::make_unique<app::Session>(services);
        session->database = store::openChronicle(temp.path(), false);
    }
    ratings::BitmapStore bitmaps{QString()};

    std::unique_ptr<rituals::frmRituals> open(const rituals::RitualFamily& family, qint64 key, bool edit) {
        session->editMode = edit;
        auto window = std::make_unique<rituals::frmRituals>(*session, bitmaps, family, key);
        window->load();
        return window;
    }
    // Every row of the query, its columns joined by "|", Null as empty.
    QStringList rows(const QString& sql) { return rowTexts(temp.db(), sql, {}); }
    // The character's links in the order they were made: "Path|Level|ThaNec" or "Ritual|ThaNec".
    QStringList links(const QString& kind, qint64 key) {
        const QString level = kind == "Path" ? ", Level" : "";
        return rows(QStringLiteral("SELECT %1%2, ThaNec FROM %1_Link JOIN %1_LookUp USING (%1_ID) WHERE Char_ID = %3 "
                                   "ORDER BY %1_Link.rowid")
                        .arg(kind, level)
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

// Each window, as the main window opens it, shows its own family only: names as labels while
// browsing (dots hidden for empty slots), as boxes in every slot while editing; a Null level as
// nothing; one empty row without rituals. Without a character shown nothing opens.
TEST_F(Rituals, EachWindowShowsOnlyItsOwnFamily) {
    const struct {
        bool necro;
        qint64 key;
        bool edit;
        QStringList named; // the first slots; the others show empty
        const char* empty;
        QStringList grid;
    } cases[] = {
        {false, tobin, false, {}, " -", {"|"}},
        {true, tobin, false, {}, " -", {"|"}},
        {false, mira, false, {"Path of Tides 3", "Path of Embers 1"}, " -", {"1|Ward of Salt", "|Candle Sight"}},
        {true, mira, true, {"[Path of Ash] 2"}, "[] 0", {"1|Call the Drowned", "2|Ward of Salt"}}, // every slot a box
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.necro ? "necromancy " : "thaumaturgy ") + std::to_string(c.key));
        session->editMode = c.edit;
        services.modalHandlers.push_back([&](QDialog& window) {
            EXPECT_EQ(window.objectName() + '|' + window.windowTitle(),
                      c.necro ? "frmNecromancy|Necromantic Paths and Rituals" : "frmRituals|Thaumaturgy Paths and Rituals");
            EXPECT_EQ(pathSlots(window), c.named + QStringList(10 - c.named.size(), c.empty));
            EXPECT_EQ(listEntries(child<QComboBox>(window, "cmbPath(9)")->view()).join('|'),
                      c.necro ? "|Bone Road|Path of Ash" : "|Path of Embers|Path of Tides");
            auto* grid = child<QTableWidget>(window, "fgRituals");
            EXPECT_EQ(gridRows(*grid), c.grid);
            // The necromancy grid loses its heading texts when it loads.
            EXPECT_EQ(grid->horizontalHeaderItem(1)->text() + '|' + grid->horizontalHeaderItem(2)->text(),
                      c.necro ? "|" : "Level | Ritual");
            EXPECT_EQ(child<QPushButton>(window, "cmdAddRitual")->isEnabled(), c.edit);
            EXPECT_EQ(child<QPushButton>(window, "cmdRemoveRitual")->isEnabled(), c.edit);
            return int(QDialog::Rejected);
        });
        session->shownKey = c.key;
        (c.necro ? rituals::showNecromancy : rituals::showThaumaturgy)(*session, bitmaps, nullptr);
        EXPECT_TRUE(services.modalHandlers.empty());
    }
    services.modalHandlers.push_back([](QDialog&) { return int(QDialog::Rejected); });
    session->shownKey.reset();
    rituals::showThaumaturgy(*session, bitmaps, nullptr);
    EXPECT_EQ(services.modalHandlers.size(), 1u);
}

// OK while browsing writes nothing; the same path twice is refused. OK then rewrites the window's
// family only: a blanked slot goes; typed names (new, known only to the other family, with a
// quote) become paths of this family; a path at 0 keeps its name only.
TEST_F(Rituals, OkRefusesTheSamePathTwiceAndRewritesOnlyTheWindowsFamily) {
    const QString everything = "SELECT * FROM Path_Link UNION ALL SELECT Path_ID, Path, ThaNec FROM Path_LookUp";
    const QStringList before = rows(everything);
    auto browsing = open(thaumaturgy, mira, false);
    child<QComboBox>(*browsing, "cmbPath(4)")->setEditText("Path of Storms");
    QTest::mouseClick(child<DotRow>(*browsing, "PBPath(0)"), Qt::LeftButton, {}, QPoint(140, 7));
    EXPECT_EQ(child<DotRow>(*browsing, "PBPath(0)")->Tag(), "3"); // dots ignore clicks while browsing
    click(*browsing, "cmdOK");
    EXPECT_EQ(browsing->result(), QDialog::Accepted);

    auto thaum = open(thaumaturgy, mira, true);
    QSignalSpy accepted(thaum.get(), &QDialog::accepted);
    child<QComboBox>(*thaum, "cmbPath(7)")->setEditText("path of TIDES");
    click(*thaum, "cmdOK");
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.lastMessage(), "You have selected the same Path Twice!");
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_EQ(rows(everything), before);

    const QStringList typed = {"", "Path of Storms", "Path of Ash", "Mother's Path", ""}; // slots 3 to 7
    child<QComboBox>(*thaum, "cmbPath(0)")->setEditText("");
    for (int i = 0; i < typed.size(); ++i)
        child<QComboBox>(*thaum, QStringLiteral("cmbPath(%1)").arg(i + 3))->setEditText(typed[i]);
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(4)"), Qt::LeftButton, {}, QPoint(20, 7));
    QTest::mouseClick(child<DotRow>(*thaum, "PBPath(6)"), Qt::LeftButton, {}, QPoint(400, 7));
    click(*thaum, "cmdOK");
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(links("Path", mira), (QStringList{"Path of Ash|2|2", "Path of Embers|1|1", "Path of Storms|2|1",
                                                "Path of Ash|0|1", "Mother's Path|10|1"}));
    EXPECT_EQ(pathSlots(*open(thaumaturgy, mira, false)),
              QStringList({"Path of Embers 1", "Path of Storms 2", "Path of Ash -", "Mother's Path 10"}) +
                  QStringList(6, " -"));
    auto necro = open(necromancy, tobin, true);
    child<QComboBox>(*necro, "cmbPath(0)")->setEditText("Bone Road");
    click(*necro, "cmdOK");
    EXPECT_EQ(links("Path", tobin), QStringList{"Bone Road|0|2"});

    // Stored twice already: browsing refuses OK the same way.
    temp.exec("INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (2, 2, 1), (2, 2, 4)");
    click(*open(thaumaturgy, tobin, false), "cmdOK");
    EXPECT_EQ(services.messages.size(), 2u);
}

// The dot under the pointer, 10 right of the tenth, and 0 for the first dot of a row showing 1.
TEST_F(Rituals, DotClicksFollowTheDotUnderThePointer) {
    auto thaum = open(thaumaturgy, tobin, true);
    auto* dots = child<DotRow>(*thaum, "PBPath(6)");
    const int dot = dots->tenDotWidth() / 10;
    ASSERT_GT(dot, 1);
    const int cases[][3] = {
        {0, 0, 1}, // the value before, the x of the click, the tag after
        {1, dot - 1, 0}, {5, 3, 1}, {1, dot, 2}, {0, 9 * dot - 1, 9}, {0, 10 * dot - 1, 10}, {4, 10 * dot + 3, 10}};
    for (const auto& [before, x, expected] : cases) {
        dots->setValue(before);
        QTest::mouseClick(dots, Qt::LeftButton, {}, QPoint(x, 7));
        EXPECT_EQ(dots->Tag(), QString::number(expected)) << before << " at " << x;
        EXPECT_EQ(dots->pictureName(), QStringLiteral("GCHECK%1.bmp").arg(expected, 2, 10, QLatin1Char('0')));
    }
}

TEST_F(Rituals, RemovalAsksAndDeletesExactlyOneLink) {
    temp.exec("INSERT INTO Ritual_Link (Char_ID, Ritual_ID) VALUES (1, 1)"); // Mira's ward linked twice
    auto thaum = open(thaumaturgy, mira, true);
    auto* grid = child<QTableWidget>(*thaum, "fgRituals");
    auto* remove = child<QPushButton>(*thaum, "cmdRemoveRitual");
    services.answers.push_back(No);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(services.lastMessage(),
              "You are about to remove the ritual: Ward of Salt from this character. Are you sure?");
    EXPECT_EQ(services.messages.back().buttons, app::Buttons::YesNo);
    EXPECT_EQ(links("Ritual", mira).size(), 5);

    child<QComboBox>(*thaum, "cmbPath(5)")->setEditText("Path of Storms");
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(child<QComboBox>(*thaum, "cmbPath(5)")->currentText(), ""); // reloaded from the database
    // One thaumaturgy link of Mira's goes; the necromancy ward stays.
    EXPECT_EQ(links("Ritual", mira),
              (QStringList{"Candle Sight|1", "Call the Drowned|2", "Ward of Salt|2", "Ward of Salt|1"}));
    EXPECT_EQ(gridRows(*grid), (QStringList{"|Candle Sight", "1|Ward of Salt"}));
    for (int row : {1, 0}) {
        grid->setCurrentCell(row, 2);
        QTest::mouseClick(remove, Qt::LeftButton);
    }
    EXPECT_EQ(gridRows(*grid), QStringList{"|"});
    const size_t asked = services.messages.size();
    QTest::mouseClick(remove, Qt::LeftButton); // the empty row: nothing to ask about
    EXPECT_EQ(services.messages.size(), asked);
}

// A ritual the character has is refused. A typed name is asked about when the box loses the focus
// if the family has no such ritual, and is stored in the dialog's family; the description shown
// for the refused ritual is not carried over to it.
TEST_F(Rituals, TypedNamesAreRefusedOrAddedToTheDialogsFamily) {
    const struct {
        const char *name, *level, *text;
        std::optional<app::Answer> answer; // to the new-name question; none: not asked
        QStringList stored;                // Level|ThaNec|Description
    } cases[] = {
        {"Salt Circle", "4", "Drawn at dusk.", Yes, {"4|1|Drawn at dusk."}},
        {"Salt Circle, Lesser", "", "", No, {"0|1|"}},
        {"Call the Drowned", "2", "", Yes, {"2|1|", "1|2|Wet."}}, // known to necromancy only
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
            leave(*combo);
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
        EXPECT_TRUE(links("Ritual", mira).contains(c.name + QString("|1")));
        EXPECT_EQ(description(1), "Keeps spirits out.");
    }

    const QString everything = "SELECT * FROM Ritual_Link UNION ALL SELECT Ritual_ID, Ritual FROM Ritual_Lookup";
    const QStringList before = rows(everything);
    addThrough(thaumaturgy, mira, [&](QDialog& dialog) {
        click(dialog, "cmdok"); // no name: closes, writes nothing
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    EXPECT_EQ(rows(everything), before);
}

// The description window shows a ritual's description, changeable in edit mode only. The add
// dialog lists the family's rituals by level and shows the stored details of the one picked; an
// edited description is written to that family's ritual only.
TEST_F(Rituals, DescriptionsAreShownAndWrittenForTheFamilysRitualOnly) {
    for (bool edit : {false, true}) {
        auto window = open(thaumaturgy, mira, edit);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        modal("frmRitualDesc", [&](QDialog& dialog) {
            EXPECT_EQ(child<QLabel>(dialog, "lblRitual")->text(), "Candle Sight");
            auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
            EXPECT_EQ(text->toPlainText(), ""); // stored as Null
            EXPECT_EQ(text->isReadOnly(), !edit);
            text->setPlainText("A flame that shows the unseen.");
            click(dialog, "cmdOK");
        });
        doubleClick(*child<QTableWidget>(*window, "fgRituals"), 1);
        EXPECT_TRUE(services.modalHandlers.empty());
        EXPECT_EQ(description(2), edit ? "A flame that shows the unseen." : "");
    }
    // The empty row of a character without rituals, and a name no ritual of the family has, open nothing.
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

    auto window = addThrough(thaumaturgy, tobin, [&](QDialog& dialog) {
        auto* combo = child<QComboBox>(dialog, "cmbRitual");
        EXPECT_EQ(listEntries(combo->view()).join('|'), "Candle Sight|Ward of Salt|Binding Knot"); // by level
        auto* level = child<QLabel>(dialog, "lblLevel");
        auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
        pick(*combo, "Candle Sight");
        EXPECT_EQ(level->text() + '|' + text->toPlainText(), "|A flame that shows the unseen.");
        pick(*combo, "Ward of Salt");
        EXPECT_EQ(level->text() + '|' + text->toPlainText(), "1|Keeps spirits out.");
        text->setPlainText("Keeps spirits out, mostly.");
        click(dialog, "cmdok");
    });
    EXPECT_EQ(links("Ritual", tobin), QStringList{"Ward of Salt|1"});
    EXPECT_EQ(description(1) + '|' + description(5), "Keeps spirits out, mostly.|Keeps the living out.");
    EXPECT_EQ(child<QTableWidget>(*window, "fgRituals")->item(0, 2)->text(), "Ward of Salt");
    addThrough(necromancy, tobin, [&](QDialog& dialog) { // the same name in the other family is another ritual
        auto* combo = child<QComboBox>(dialog, "cmbRitual");
        EXPECT_EQ(listEntries(combo->view()).join('|'), "Call the Drowned|Ward of Salt");
        pick(*combo, "Ward of Salt");
        EXPECT_EQ(child<QLabel>(dialog, "lblLevel")->text(), "2");
        click(dialog, "cmdok");
    });
    EXPECT_EQ(links("Ritual", tobin), (QStringList{"Ward of Salt|1", "Ward of Salt|2"}));
}
