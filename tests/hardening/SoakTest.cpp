#include "HardeningFixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <QTabWidget>
#include <iostream>
#include <numeric>

namespace {

QString indexed(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// What a user may be asked or told along the way. Anything else (an engine failure, a save that
// failed, a roster entry the database lacks) is a fault.
const QRegularExpression kExpected(QStringLiteral(
    "^(You are about to remove the (character .*\\. Are you Sure\\?|.* Merit/Flaw\\. Are you Sure\\?"
    "|ritual: .* from this character\\. Are you sure\\?)"
    "|You must select a Merit/Flaw to be removed!|You already have .* as a Merit/Flaw!"
    "|You have entered a new (Merit/Flaw|Ritual) called: .*\\. Is this correct\\?"
    "|Are the points of this Merit/Flaw variable\\?|.* is not a known Merit/Flaw\\. .*"
    "|Please fill out the level and description\\.|This character already has .* as a ritual!"
    "|You have selected the same Path Twice!|Save the changes to .*\\?"
    "|The current Database will continue being used\\.|No Database selected, mobilization not complete\\.)$"));
// A double-click in edit mode saves first; a rename then takes the clicked name away.
const QRegularExpression kRenamedAway(QStringLiteral("^The character .* is not in the database any more\\.$"));

// Typed into any field: names with quotes, players that make an NPC, lookup names known and new.
const QStringList kTexts = {"Mira", "O'Brien", "", "Ünïcødé 名前", "NPC", "npc", "Bo",
                            "Tide", "Ember", "Generation", "x'); DROP TABLE Clan; --"};
const QStringList kFields = {"txtChar", "txtPlayer", "txtChronicle", "txtHaven", "cmbNature", "cmbDemeanor",
                             "cmbClan", "cmbConcept", "cmbHumanity", "cmbConscience", "cmbSelfControl"};
// Every table with rows of a character.
const char* const kCharacterTables[] = {"Char_Info",      "Health",    "Discipline_Link", "BackGround_Link",
                                        "MeritFlaw_Link", "Path_Link", "Ritual_Link"};

// Each reaches a write of its own: the save, the immediate writes of dots, health boxes and specialties, the roster's
// add, delete and switch, the merit and path/ritual stores, the texts, and the Tools' change of connection. Those
// that change the sheet mostly enter edit mode first.
const struct Operation {
    const char* name;
    int weight;
    bool editFirst;
} kOperations[] = {{"mode", 5, false},     {"type", 7, true},         {"dots", 5, false},  {"health", 2, false},
                   {"switch", 3, false},   {"add", 1, false},         {"delete", 1, false}, {"add merit", 2, true},
                   {"remove merit", 1, true}, {"paths", 2, false},    {"memo", 1, false},  {"specialty", 1, true},
                   {"tools", 1, false}};

class Walk {
public:
    TempDatabase temp;
    Program program;
    QStringList log;
    bool mayLoseName = false; // set by a switch that starts in edit mode

    explicit Walk(quint32 seed) : m_random(seed) {
        for (auto [name, player] : {std::pair{"Mira", "Ann"}, {"Vell", "NPC"}, {"O'Brien", "Bo"}, {"Sable", "npc"}})
            fullCharacter(temp, QString::fromUtf8(name), QString::fromUtf8(player));
        temp.addCharacter(QStringLiteral("Quiet"));
        for (const char* sql : {"INSERT INTO Clan (Clan) VALUES ('Ember'), ('Tide')",
                                "INSERT INTO BackGround_LookUp (BackGround) VALUES ('Generation')",
                                "INSERT INTO Path_LookUp (Path, ThaNec) VALUES ('Bone Road', 2), ('Ember Way', 1)",
                                "INSERT INTO Ritual_Lookup (Ritual, Level, ThaNec) VALUES ('Call the Drowned', 1, 2)",
                                "INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points, pointflex) VALUES ('Debt', 1, 1)"})
            temp.exec(QString::fromLatin1(sql));
        temp.release();
        QFile::copy(temp.path(), temp.file(QStringLiteral("copy.mdb"))); // a second chronicle to change to
        program.open(temp.path());
        program.window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(program.window.get()));
    }

    int pick(int n) { return int(m_random.bounded(std::max(1, n))); }
    QString any(const QStringList& texts) { return texts[pick(int(texts.size()))]; }
    void note(const QString& text) {
        log << text;
        if (qEnvironmentVariableIsSet("DUSKLEDGER_SOAK_TRACE"))
            std::cerr << log.size() << ": " << text.toStdString() << std::endl;
    }
    template <class T> T* find(const QString& name, QObject* parent = nullptr) {
        return (parent ? parent : program.window.get())->findChild<T*>(name);
    }

    // A menu item (mnu...) or a shown button or caption, by name; the answer, if any, for the question it asks.
    void click(const QString& name, QObject* parent = nullptr, std::optional<app::Answer> answer = {}) {
        note(QStringLiteral("click ") + name);
        if (answer)
            program.services.answers.push_back(*answer);
        if (auto* item = find<QAction>(name))
            item->trigger(); // a disabled item ignores it, as its menu entry does a click
        else if (auto* widget = find<QWidget>(name, parent); widget && widget->isVisible())
            QTest::mouseClick(widget, Qt::LeftButton);
    }
    void clickDots(ratings::DotRow* row) {
        const int x = pick(row->width());
        note(QStringLiteral("dots %1 at %2").arg(row->objectName()).arg(x));
        QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(x, row->height() / 2));
    }
    void clickEntry(QAbstractItemView* view, int row, bool twice) {
        const QModelIndex entry = view->model()->index(row, 0);
        view->scrollTo(entry);
        const QPoint at = view->visualRect(entry).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    // Key presses for any text: QTest spells only ASCII as keys, other characters go as text alone.
    static void keys(QWidget* widget, const QString& text) {
        for (const QChar c : text)
            c.unicode() < 128 ? QTest::keyClick(widget, c.toLatin1())
                              : QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Replaces the text of a line edit or editable combo box, with one of the box's entries or a text of the walk's
    // own; steps a fixed-choice combo box.
    void type(QWidget* editor) {
        auto* combo = qobject_cast<QComboBox*>(editor);
        const QString text = combo && pick(3) ? combo->itemText(pick(combo->count())) : any(kTexts);
        note(QStringLiteral("type %1 '%2'").arg(editor->objectName(), text));
        if (!editor->isVisible())
            return;
        if (combo && !combo->isEditable())
            return QTest::keyClick(combo, pick(2) ? Qt::Key_Down : Qt::Key_Up);
        QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        keys(edit, text);
    }
    // Opens a modal window by a menu item or button; the driver works it and it is closed if still open.
    void open(void (Walk::*drive)(QDialog&), const QString& opener, QObject* parent = nullptr) {
        program.services.modalHandlers.push_back([this, drive](QDialog& dialog) {
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog)) << dialog.objectName().toStdString();
            (this->*drive)(dialog);
            if (dialog.isVisible())
                dialog.reject();
            return dialog.result();
        });
        click(opener, parent);
    }

    // frmAddMerit and frmAddRitual: a listed or a new name, then OK.
    void driveAdd(QDialog& dialog) {
        type(dialog.findChild<QComboBox*>());
        program.services.inputAnswers = {QString::number(pick(5)), QString::number(pick(5))};
        click(QStringLiteral("cmdok"), &dialog);
    }
    void drivePaths(QDialog& dialog) {
        for (int n = pick(5); n-- > 0;) {
            const int slot = pick(10), action = pick(4);
            if (action == 0)
                type(find<QComboBox>(indexed("cmbPath", slot), &dialog));
            else if (auto* row = find<ratings::DotRow>(indexed("PBPath", slot), &dialog); action == 1 && row->isVisible())
                clickDots(row);
            else if (action == 2)
                open(&Walk::driveAdd, QStringLiteral("cmdAddRitual"), &dialog);
            else if (auto* grid = find<QTableWidget>(QStringLiteral("fgRituals"), &dialog); action == 3) {
                clickEntry(grid, pick(grid->rowCount()), false);
                click(QStringLiteral("cmdRemoveRitual"), &dialog, pick(2) ? app::Answer::Yes : app::Answer::No);
            }
        }
        click(QStringLiteral("cmdOK"), &dialog);
    }
    void driveMemo(QDialog& dialog) {
        keys(dialog.findChild<QPlainTextEdit*>(), any(kTexts));
        click(pick(3) ? QStringLiteral("cmdOK") : QStringLiteral("cmdExit"), &dialog);
    }

    void run(const QString& op) {
        if (op == "mode") {
            click(any({"mnuEdit", "mnuEdit", "mnuEdit", "mnuBrowse"}));
        } else if (op == "type") {
            const int field = pick(int(kFields.size()) + 14);
            type(find<QWidget>(field < kFields.size() ? kFields[field]
                               : indexed(field % 2 ? "cmbDisciplines" : "cmbBackGrounds", field % 7)));
        } else if (op == "dots") {
            QList<ratings::DotRow*> rows = program.window->findChildren<ratings::DotRow*>();
            rows.removeIf([](ratings::DotRow* row) { return !row->isVisible(); });
            if (!rows.isEmpty())
                clickDots(rows[pick(int(rows.size()))]);
        } else if (op == "health") {
            auto* box = find<QWidget>(indexed("HealthBox", pick(7)));
            const bool twice = pick(4) == 0;
            note(QStringLiteral("health %1%2").arg(box->objectName(), twice ? " twice" : ""));
            twice ? QTest::mouseDClick(box, Qt::LeftButton) : QTest::mouseClick(box, Qt::LeftButton);
        } else if (op == "switch") {
            const bool npc = pick(2);
            auto* list = find<QAbstractItemView>(npc ? QStringLiteral("lstNPC") : QStringLiteral("lstChar"));
            if (list->model()->rowCount() == 0)
                return;
            const int row = pick(list->model()->rowCount());
            note(QStringLiteral("switch to '%1'").arg(list->model()->index(row, 0).data().toString()));
            mayLoseName = program.session->editMode;
            find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(npc ? 1 : 0);
            QApplication::processEvents();
            clickEntry(list, row, true);
        } else if (op == "add") {
            click(indexed("cmdAdd", pick(2)));
        } else if (op == "delete") {
            click(indexed("cmddelete", pick(2) * 2), nullptr, pick(3) ? app::Answer::Yes : app::Answer::No);
        } else if (op == "add merit") {
            open(&Walk::driveAdd, QStringLiteral("cmdAddMerit"));
        } else if (op == "remove merit") {
            auto* list = find<QAbstractItemView>(QStringLiteral("lstMerit"));
            if (list->model()->rowCount() && pick(4))
                clickEntry(list, pick(list->model()->rowCount()), false);
            click(QStringLiteral("cmdRemoveMerit"), nullptr, pick(3) ? app::Answer::OK : app::Answer::Cancel);
        } else if (op == "paths") {
            open(&Walk::drivePaths, any({"mnuRituals", "mnuNecromancy"}));
        } else if (op == "memo") {
            open(&Walk::driveMemo, any({"mnuHist", "mnuNotes"}));
        } else if (op == "specialty") {
            program.services.inputAnswers = {pick(3) ? std::optional(any(kTexts)) : std::nullopt};
            click(pick(3) ? indexed("lblAbilities", pick(30)) : indexed("lblAttributes", pick(9)));
        } else if (op == "tools") {
            // Another database, a compacted copy or a new one (least often): the roster must follow the connection.
            const int tool = pick(5) / 2;
            const QString fresh = temp.file(QStringLiteral("chronicle%1.mdb").arg(log.size()));
            program.services.fileAnswers = {tool == 0 ? any({temp.path(), temp.file(QStringLiteral("copy.mdb")), ""})
                                                      : (pick(5) ? fresh : QString())};
            click(QStringList{"mnuChngDB", "mnuMobile", "mnuNewDB"}[tool], nullptr,
                  std::array{app::Answer::Yes, app::Answer::No, app::Answer::Cancel}[pick(3)]);
        }
    }

    void step(int number) {
        int roll = pick(std::accumulate(std::begin(kOperations), std::end(kOperations), 0,
                                        [](int total, const Operation& op) { return total + op.weight; }));
        const Operation* op = kOperations;
        while (roll >= op->weight)
            roll -= (op++)->weight;
        note(QStringLiteral("#%1 %2").arg(number).arg(QLatin1String(op->name)));
        mayLoseName = false;
        if (op->editFirst && !program.session->editMode && pick(3))
            click(QStringLiteral("mnuEdit"));
        run(QLatin1String(op->name));
        QApplication::processEvents();
        // Answers the step did not use must not reach the next one.
        program.services.answers.clear();
        program.services.inputAnswers.clear();
        program.services.fileAnswers.clear();
        program.services.modalHandlers.clear();
    }

    // Every broken invariant, one per line; empty when all hold.
    QString check(bool integrityToo) {
        QStringList problems;
        for (const auto& messages = program.services.messages; m_seen < messages.size(); ++m_seen) {
            const auto& m = messages[m_seen];
            if (!(kExpected.match(m.text).hasMatch() || (mayLoseName && kRenamedAway.match(m.text).hasMatch())) ||
                m.title != QLatin1String("Duskledger"))
                problems << QStringLiteral("unexpected message [%1]: %2").arg(m.title, m.text);
        }
        db::Database& database = program.database();
        if (database.scalar(QStringLiteral("SELECT count(*) FROM Char_Info c WHERE (SELECT count(*) FROM Health h "
                                           "WHERE h.Char_ID = c.Char_ID) <> 1")).toInt())
            problems << QStringLiteral("characters without exactly one Health row");
        for (const QString table : kCharacterTables)
            if (database.scalar("SELECT count(*) FROM " + table + " WHERE Char_ID NOT IN (SELECT Char_ID FROM Char_Info)")
                    .toInt())
                problems << QStringLiteral("rows of %1 without a character").arg(table);
        for (auto [list, condition] : {std::pair{"lstChar", "<>"}, {"lstNPC", "="}}) {
            const QStringList stored = rowTexts(
                database, QStringLiteral("SELECT coalesce(Name, '') FROM Char_Info WHERE player %1 'NPC' ORDER BY Char_ID")
                              .arg(QLatin1String(condition)));
            if (const QStringList shown = listEntries(find<QAbstractItemView>(QLatin1String(list))); shown != stored)
                problems << QStringLiteral("%1 shows [%2], the database holds [%3]")
                                .arg(QLatin1String(list), shown.join(" | "), stored.join(" | "));
        }
        if (integrityToo && integrity(database) != QLatin1String("ok"))
            problems << QStringLiteral("integrity_check: ") + integrity(database);
        return problems.join(QLatin1Char('\n'));
    }

private:
    QRandomGenerator m_random;
    size_t m_seen = 0;
};

} // namespace

// A seeded random walk of user operations over the real windows. After every step: no row of a
// character outlives it, every character has one Health row, the roster lists are what the database
// holds, and only foreseen messages were shown. Replay with DUSKLEDGER_SOAK_SEED and
// DUSKLEDGER_SOAK_STEPS; DUSKLEDGER_SOAK_TRACE=1 prints every operation as it runs (for a crash,
// which leaves no failure message).
TEST(Soak, RandomOperationsKeepTheInvariants) {
    const quint32 seed = quint32(setting("DUSKLEDGER_SOAK_SEED", 20240611));
    const int steps = setting("DUSKLEDGER_SOAK_STEPS", 6000);
    std::cout << "soak seed " << seed << ", " << steps << " steps" << std::endl;
    Walk walk(seed);
    ASSERT_EQ(walk.check(true), QString());
    for (int step = 1; step <= steps; ++step) {
        walk.step(step);
        if (const QString problem = walk.check(step % 50 == 0 || step == steps); !problem.isEmpty())
            FAIL() << "seed " << seed << ", step " << step << ":\n"
                   << problem.toStdString() << "\nlast operations:\n"
                   << walk.log.mid(std::max(0, int(walk.log.size()) - 12)).join(QLatin1Char('\n')).toStdString();
    }
}
