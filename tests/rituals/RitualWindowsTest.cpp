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
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

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

} // namespace

// Mira has paths and rituals of both families, Tobin only the thaumaturgy ward. "Ward of Salt"
// exists in both families (1 thaumaturgy, 5 necromancy), "Path of Ash" only in necromancy. What the store makes
// of the names and levels a window passes is tested with the store; here, what the windows add.
struct Rituals : ::testing::Test {
    TempDatabase temp;
    ScriptedServices services;
    app::Session session{services};
    ratings::BitmapStore bitmaps{QString()};
    qint64 mira = temp.addCharacter("Mira"), tobin = temp.addCharacter("Tobin");

    void SetUp() override {
        for (const char* sql : {
                 "INSERT INTO Path_LookUp VALUES (1, 'Path of Tides', 1), (2, 'Path of Embers', 1), "
                 "(3, 'Path of Ash', 2), (4, 'Bone Road', 2)",
                 "INSERT INTO Path_Link VALUES (1, 1, 3), (1, 3, 2), (1, 2, 1)",
                 "INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec, Description) VALUES "
                 "(1, 'Ward of Salt', 1, 1, 'Keeps spirits out.'), (2, 'Candle Sight', NULL, 1, NULL), "
                 "(4, 'Call the Drowned', 1, 2, 'Wet.'), (5, 'Ward of Salt', 2, 2, 'Keeps the living out.')",
                 "INSERT INTO Ritual_Link VALUES (1, 1), (1, 2), (1, 4), (1, 5), (2, 1)",
             })
            temp.exec(sql);
        session.database = store::openChronicle(temp.path(), false);
    }
    std::unique_ptr<rituals::frmRituals> open(bool necro, qint64 key, bool edit) {
        session.editMode = edit;
        auto window = std::make_unique<rituals::frmRituals>(
            session, bitmaps, necro ? rituals::RitualFamily::necromancy() : rituals::RitualFamily::thaumaturgy(), key);
        window->load();
        return window;
    }
    QString rows(const QString& sql) { return rowTexts(temp.db(), sql, {}).join(", "); }
};

// Each window, as the main window opens it, shows its own family. Descriptions and paths are
// changed in edit mode only, the same path twice is refused. Removal asks, then reloads the grid.
TEST_F(Rituals, PathsWindow) {
    session.shownKey = mira;
    for (bool necro : {false, true}) {
        services.modalHandlers.push_back([&](QDialog& window) {
            EXPECT_EQ(listEntries(child<QComboBox>(window, "cmbPath(9)")->view()).join('|'),
                      necro ? "|Bone Road|Path of Ash" : "|Path of Embers|Path of Tides");
            EXPECT_EQ(gridRows(window), necro ? QStringList({"1|Call the Drowned", "2|Ward of Salt"})
                                              : QStringList({"1|Ward of Salt", "|Candle Sight"}));
            return int(QDialog::Rejected);
        });
        (necro ? rituals::showNecromancy : rituals::showThaumaturgy)(session, bitmaps, nullptr);
    }

    auto thaum = open(false, mira, false);
    for (bool edit : {false, true}) {
        session.editMode = edit;
        services.onActiveModal([&](QDialog& dialog) {
            auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
            EXPECT_EQ(text->isReadOnly(), !edit);
            // While browsing it does not look like a field waiting for input.
            EXPECT_EQ(text->palette().color(QPalette::Base) == text->palette().color(QPalette::Window), !edit);
            text->selectAll();
            QTest::keyClicks(text, "A flame that shows the unseen.");
            if (edit) { // Escape asks before typed text is dropped; No keeps it
                services.answers = {No};
                QTest::keyClick(text, Qt::Key_Escape);
                EXPECT_TRUE(dialog.isVisible());
            }
            click(dialog, "cmdOK");
        });
        Q_EMIT child<QTableWidget>(*thaum, "fgRituals")->cellDoubleClicked(1, 2);
        EXPECT_EQ(rows("SELECT Description FROM Ritual_Lookup WHERE Ritual_ID = 2"),
                  edit ? "A flame that shows the unseen." : "");
    }
    EXPECT_EQ(services.messages.size(), 1u); // a Yes: the notes' windows and the paths below
    EXPECT_EQ(services.lastMessage(), "Discard the changes to the description of Candle Sight?");
    EXPECT_TRUE(services.modalHandlers.empty());

    const QString paths = "SELECT Path, Level FROM Path_Link JOIN Path_LookUp USING (Path_ID) "
                          "WHERE Char_ID = 1 AND ThaNec = 1 ORDER BY Path_Link.rowid";
    child<QComboBox>(*thaum, "cmbPath(7)")->setEditText("path of TIDES");
    click(*thaum, "cmdOK");
    EXPECT_EQ(services.lastMessage(), "You have selected the same Path Twice!");
    session.editMode = false;
    child<QComboBox>(*thaum, "cmbPath(7)")->setEditText("");
    child<QComboBox>(*thaum, "cmbPath(4)")->setEditText("Path of Storms");
    click(*thaum, "cmdOK");
    EXPECT_EQ(rows(paths), "Path of Tides|3, Path of Embers|1");
    session.editMode = true;
    child<QComboBox>(*thaum, "cmbPath(0)")->setEditText("");
    click(*thaum, "cmdOK");
    EXPECT_EQ(rows(paths), "Path of Embers|1, Path of Storms|0");

    thaum = open(false, mira, true);
    services.answers = {No, Yes};
    click(*thaum, "cmdRemoveRitual");
    EXPECT_EQ(services.lastMessage(),
              "You are about to remove the ritual: Ward of Salt from this character. Are you sure?");
    EXPECT_EQ(gridRows(*thaum).size(), 2);
    child<QComboBox>(*thaum, "cmbPath(5)")->setEditText("Path of Tides");
    click(*thaum, "cmdRemoveRitual");
    EXPECT_EQ(child<QComboBox>(*thaum, "cmbPath(5)")->currentText(), "Path of Tides"); // typed, kept
    EXPECT_EQ(gridRows(*thaum), QStringList{"|Candle Sight"});

    // Escape or closing the window asks before changed slots are dropped: a typed name, a clicked
    // dot, a rating keyed in. No keeps the window; Yes closes it with the paths as stored.
    // Unchanged, nothing is asked.
    const struct {
        bool necro;
        int dots; // the slot whose first dot is clicked; -1: none, the name typed above stays
        QString question;
        bool byKey = false; // the rating set with the key 1 instead
    } cases[] = {
        {false, -1, "Discard the changes to the Thaumaturgy paths of Mira?"},
        {true, 9, "Discard the changes to the Necromantic paths of Mira?"},
        {true, 8, "Discard the changes to the Necromantic paths of Mira?", true},
        {true, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.question.toStdString());
        services.messages.clear();
        if (c.necro)
            thaum = open(true, mira, true);
        auto* row = c.dots >= 0 ? child<ratings::DotRow>(*thaum, QStringLiteral("PBPath(%1)").arg(c.dots)) : nullptr;
        if (row && c.byKey)
            QTest::keyClick(row, Qt::Key_1);
        else if (row)
            Q_EMIT row->pressed(0, Qt::LeftButton);
        thaum->show();
        if (!c.question.isEmpty()) {
            services.answers = {No};
            QTest::keyClick(thaum.get(), Qt::Key_Escape);
            EXPECT_TRUE(thaum->isVisible());
            services.answers = {Yes};
        }
        EXPECT_TRUE(thaum->close());
        EXPECT_EQ(services.messages.size(), c.question.isEmpty() ? 0u : 2u);
        for (const auto& m : services.messages)
            EXPECT_TRUE(m.text == c.question && m.defaultButton == No);
    }
    EXPECT_EQ(rows(paths), "Path of Embers|1, Path of Storms|0");
    EXPECT_EQ(rows(QString(paths).replace("ThaNec = 1", "ThaNec = 2")), "Path of Ash|2");
}

// A ritual the character has is refused and the dialog stays open; a typed name the family lacks is
// asked about when the box loses the focus; a picked name both families have links the dialog's
// family's ritual.
TEST_F(Rituals, AddDialog) {
    const struct {
        bool necro; // for Tobin, else for Mira
        const char* name;
        std::optional<app::Answer> answer; // to the new-name question; none: picked from the list
        const char* text;
        size_t messages;
        bool open;
        QString added; // the new link's ritual: Ritual|Level|ThaNec|Description
    } cases[] = {
        {false, "Ward of Salt", {}, "", 1, true, ""},
        {false, "Salt Circle", Yes, "Drawn at dusk.", 2, false, "Salt Circle|4|1|Drawn at dusk."},
        {true,
         "Ward of Salt",
         {},
         "Keeps the living out, mostly.",
         0,
         false,
         "Ward of Salt|2|2|Keeps the living out, mostly."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        temp.exec("DELETE FROM Ritual_Link WHERE rowid > 5");
        services.messages.clear();
        const qint64 key = c.necro ? tobin : mira;
        auto window = open(c.necro, key, true);
        services.onActiveModal([&](QDialog& dialog) {
            auto* combo = child<QComboBox>(dialog, "cmbRitual");
            auto* text = child<QPlainTextEdit>(dialog, "txtRitualDesc");
            if (c.answer) {
                combo->setEditText(c.name);
                services.answers.push_back(*c.answer);
                combo->setFocus(Qt::OtherFocusReason);
                text->setFocus(Qt::TabFocusReason);
            } else {
                const int index = combo->findText(c.name);
                combo->setCurrentIndex(index);
                Q_EMIT combo->activated(index);
            }
            child<QLineEdit>(dialog, "txtLevel")->setText("4"); // hidden, and ignored, for a listed ritual
            if (*c.text)
                text->setPlainText(c.text);
            click(dialog, "cmdok");
            EXPECT_EQ(dialog.isVisible(), c.open);
            if (dialog.isVisible())
                click(dialog, "cmdcancel");
        });
        click(*window, "cmdAddRitual");
        EXPECT_EQ(services.messages.size(), c.messages);
        EXPECT_EQ(rows("SELECT Ritual, Level, ThaNec, Description FROM Ritual_Link JOIN Ritual_Lookup "
                       "USING (Ritual_ID) WHERE Ritual_Link.rowid > 5 AND Char_ID = " +
                       QString::number(key)),
                  c.added);
    }
}
