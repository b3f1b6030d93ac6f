#include "HardeningFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QRegularExpression>
#include <QTabWidget>
#include <iostream>
#include <numeric>

namespace {

using enum app::Answer;

QString indexed(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// What a user may be asked or told along the way. Anything else (an engine failure, a save that
// failed, a roster entry the database lacks) is a fault.
const QRegularExpression kExpected(QStringLiteral(
    "^(You are about to remove the character .*\\. Are you Sure\\?|You already have .* as a Merit/Flaw!"
    "|You have entered a new (Merit/Flaw|Ritual) called: .*\\. Is this correct\\?"
    "|Are the points of this Merit/Flaw variable\\?|.* is not a known Merit/Flaw\\. .*"
    "|Please fill out the level and description\\.|This character already has .* as a ritual!"
    "|You have selected the same Path Twice!|Save the changes to .*\\?|Discard the changes to .*\\?"
    "|The current Database will continue being used\\.|No Database selected, mobilization not complete\\.)$"));

// Typed into any field: names with quotes, players that make an NPC, lookup names known and new.
const QStringList kTexts = {
    "Mira", "O'Brien", "", "Ünïcødé 名前", "NPC", "npc", "Bo", "Gift 1", "x'); DROP TABLE Clan; --"};
const QStringList kFields = {"txtChar", "txtPlayer",  "txtChronicle", "txtHaven",      "cmbNature",     "cmbDemeanor",
                             "cmbClan", "cmbConcept", "cmbHumanity",  "cmbConscience", "cmbSelfControl"};

class Walk {
public:
    TempDatabase temp;
    Program program;
    QStringList log;

    explicit Walk(quint32 seed) : m_random(seed) {
        for (auto [name, player] : {std::pair{"Mira", "Ann"}, {"Vell", "NPC"}, {"O'Brien", "Bo"}, {"Sable", "npc"}})
            fullCharacter(temp, QString::fromUtf8(name), QString::fromUtf8(player));
        temp.addCharacter(QStringLiteral("Quiet"));
        temp.release();
        QFile::copy(temp.path(), temp.file(QStringLiteral("copy.mdb"))); // a second chronicle to change to
        program.open(temp.path());
        program.window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(program.window.get()));
    }

    int pick(qsizetype n) { return int(m_random.bounded(std::max(1, int(n)))); }
    QString any(const QStringList& texts) { return texts[pick(texts.size())]; }
    void note(const QString& text) {
        log << text;
        if (qEnvironmentVariableIsSet("DUSKLEDGER_SOAK_TRACE"))
            std::cerr << log.size() << ": " << text.toStdString() << std::endl;
    }
    template <class T> T* find(const QString& name, QObject* parent = nullptr) {
        return (parent ? parent : program.window.get())->findChild<T*>(name);
    }

    // A menu item, or a shown button, caption or picture at a random place; `answer` for the question it asks.
    // True when it reached an enabled item or control.
    bool click(const QString& name, QObject* parent = nullptr, std::optional<app::Answer> answer = {}) {
        if (answer)
            program.services.answers.push_back(*answer);
        if (auto* item = find<QAction>(name)) {
            note(QStringLiteral("menu ") + name);
            item->trigger(); // ignored when disabled, as a click is
            return item->isEnabled();
        }
        auto* widget = find<QWidget>(name, parent);
        const QPoint at(pick(widget->width()), widget->height() / 2);
        note(QStringLiteral("click %1 at %2").arg(name).arg(at.x()));
        if (!widget->isVisible())
            return false;
        const bool live = widget->isEnabled();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        return live;
    }
    // Replaces the text of a line edit or editable combo box, key by key, with one of the box's entries or a text
    // of the walk's own; steps a fixed-choice combo box. True when the editor took the keys.
    bool type(QWidget* editor) {
        auto* combo = qobject_cast<QComboBox*>(editor);
        const QString text = combo && pick(3) ? combo->itemText(pick(combo->count())) : any(kTexts);
        note(QStringLiteral("type %1 '%2'").arg(editor->objectName(), text));
        if (!editor->isVisible() || !editor->isEnabled())
            return false;
        if (combo && !combo->isEditable())
            return QTest::keyClick(combo, pick(2) ? Qt::Key_Down : Qt::Key_Up), true;
        QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        for (const QChar c : text) // QTest spells only ASCII as keys; other characters go as text alone
            c.unicode() < 128 ? QTest::keyClick(edit, c.toLatin1())
                              : QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        return true;
    }
    // Opens a modal window by a menu item or button for `drive` to work.
    bool open(const QString& opener, void (Walk::*drive)(QDialog&), QObject* parent = nullptr) {
        onModal(program.services, Shown::Yes, [this, drive](QDialog& dialog) { (this->*drive)(dialog); });
        return click(opener, parent);
    }
    // frmAddMerit and frmAddRitual: a listed or a new name, then OK.
    void addName(QDialog& dialog) {
        type(dialog.findChild<QComboBox*>());
        program.services.inputAnswers = {QString::number(pick(5)), QString::number(pick(5))};
        click(QStringLiteral("cmdok"), &dialog);
    }
    void drivePaths(QDialog& dialog) {
        for (int n = pick(5); n-- > 0;) {
            if (const int slot = pick(10), action = pick(3); action == 0)
                type(find<QComboBox>(indexed("cmbPath", slot), &dialog));
            else if (action == 1)
                click(indexed("PBPath", slot), &dialog);
            else
                open(QStringLiteral("cmdAddRitual"), &Walk::addName, &dialog);
        }
        click(QStringLiteral("cmdOK"), &dialog);
    }

    // One operation per write path: the save, typing for it to store, the immediate writes of ratings, health and
    // specialties, the roster's switch, add and delete, the merit and path/ritual links, the change of connection,
    // undo and redo of the shown character's changes.
    // True when it reached something live: an enabled menu item or control, a roster entry.
    bool step(int number) {
        const std::function<bool()> operations[] = {
            [&] {
                return click(any({"mnuEdit", "mnuEdit", "mnuEdit", "mnuBrowse"}));
            },
            [&] {
                const int field = pick(kFields.size() + 14);
                return type(find<QWidget>(field < kFields.size()
                                              ? kFields[field]
                                              : indexed(field % 2 ? "cmbDisciplines" : "cmbBackGrounds", field % 7)));
            },
            [&] {
                QList<ratings::DotRow*> rows = program.window->findChildren<ratings::DotRow*>();
                rows.removeIf([](ratings::DotRow* row) { return !row->isVisible(); });
                return click(pick(4) && !rows.isEmpty() ? rows[pick(rows.size())]->objectName()
                                                        : indexed("HealthBox", pick(7)));
            },
            [&] {
                program.services.inputAnswers = {pick(3) ? std::optional(any(kTexts)) : std::nullopt};
                return click(pick(3) ? indexed("lblAbilities", pick(30)) : indexed("lblAttributes", pick(9)));
            },
            [&] { // either list; an empty one only when both are
                const auto listOf = [&](bool npc) {
                    return find<QAbstractItemView>(npc ? QStringLiteral("lstNPC") : QStringLiteral("lstChar"));
                };
                bool npc = pick(2);
                npc = listOf(npc)->model()->rowCount() > 0 ? npc : !npc;
                find<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(npc ? 1 : 0);
                QApplication::processEvents();
                auto* list = listOf(npc);
                const QModelIndex entry = list->model()->index(pick(list->model()->rowCount()), 0);
                note(QStringLiteral("switch to '%1'").arg(entry.data().toString()));
                if (!entry.isValid())
                    return false;
                list->scrollTo(entry);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
                return true;
            },
            [&] { return click(indexed("cmdAdd", pick(2))); },
            [&] { return click(indexed("cmddelete", pick(2) * 2), nullptr, pick(2) ? Yes : No); },
            [&] { return open(QStringLiteral("cmdAddMerit"), &Walk::addName); },
            [&] {
                return open(any({"mnuRituals", "mnuNecromancy"}), &Walk::drivePaths);
            },
            [&] { // another database, a compacted copy or a new one (least often): the roster must follow
                const int tool = pick(5) / 2;
                program.services.fileAnswers = {
                    tool == 0 ? any({temp.path(), temp.file(QStringLiteral("copy.mdb")), ""})
                              : (pick(5) ? temp.file(QStringLiteral("chronicle%1.mdb").arg(log.size())) : QString())};
                return click(QStringList{"mnuChngDB", "mnuMobile", "mnuNewDB"}[tool], nullptr,
                             std::array{Yes, No, Cancel}[pick(3)]);
            },
            [&] { return click(any({"mnuUndo", "mnuUndo", "mnuRedo"})); },
        };
        // How often each is picked, and whether it mostly enters edit mode first (the rest of the time it must be
        // refused or ignored). Adds outweigh deletes, so the chronicle rarely runs low.
        constexpr std::pair<int, bool> kWeights[] = {{5, false}, {7, true},  {7, false}, {1, true},  {3, false},
                                                     {2, false}, {1, false}, {2, true},  {2, false}, {1, false},
                                                     {3, false}};
        constexpr int kSwitch = 4, kAdd = 5, kFewest = 3;
        // A chronicle with few characters (a new one, or one deleted down) gets new ones, and an empty sheet takes a
        // character from the roster, so that most steps find a character to act on.
        int op = 0;
        if (!program.session->isOpen() ||
            program.database().scalar(QStringLiteral("SELECT count(*) FROM Char_Info")).toLongLong() < kFewest)
            op = kAdd;
        else if (!program.session->shownKey)
            op = kSwitch;
        else
            for (int chosen = pick(std::accumulate(std::begin(kWeights), std::end(kWeights), 0,
                                                   [](int sum, auto weight) { return sum + weight.first; }));
                 (chosen -= kWeights[op].first) >= 0;)
                ++op;
        note(QStringLiteral("#%1 operation %2").arg(number).arg(op));
        if (kWeights[op].second && !program.session->editMode && pick(3))
            click(QStringLiteral("mnuEdit"));
        const bool live = operations[op]();
        QApplication::processEvents();
        // Answers the step did not use must not reach the next one.
        program.services.answers.clear();
        program.services.inputAnswers.clear();
        program.services.fileAnswers.clear();
        program.services.modalHandlers.clear();
        return live;
    }

    // Every broken invariant, one per line; empty when all hold.
    QString check(bool integrityToo) {
        QStringList problems;
        for (const auto& message : std::exchange(program.services.messages, {}))
            if (!kExpected.match(message.text).hasMatch())
                problems << QStringLiteral("unexpected message: ") + message.text;
        QString rows = QStringLiteral("SELECT 'Health rows of ' || Char_ID FROM Char_Info c WHERE (SELECT count(*) "
                                      "FROM Health h WHERE h.Char_ID = c.Char_ID) <> 1");
        for (const char* table :
             {"Health", "Discipline_Link", "BackGround_Link", "MeritFlaw_Link", "Path_Link", "Ritual_Link"})
            rows += QStringLiteral(" UNION ALL SELECT '%1 of the gone ' || Char_ID FROM %1 WHERE Char_ID NOT IN "
                                   "(SELECT Char_ID FROM Char_Info)")
                        .arg(QLatin1String(table));
        problems << rowTexts(program.database(), rows);
        const RosterTexts stored = storedRoster(program.database());
        for (auto [list, expected] : {std::pair{"lstChar", &stored.characters}, {"lstNPC", &stored.npcs}})
            if (const QStringList shown = shownRoster(find<QAbstractItemView>(QLatin1String(list))); shown != *expected)
                problems << QStringLiteral("%1 shows [%2], the database holds [%3]")
                                .arg(QLatin1String(list), shown.join(" | "), expected->join(" | "));
        if (integrityToo && integrity(program.database()) != QLatin1String("ok"))
            problems << QStringLiteral("integrity_check: ") + integrity(program.database());
        return problems.join(QLatin1Char('\n'));
    }

private:
    QRandomGenerator m_random;
};

} // namespace

// A seeded random walk of user operations over the real windows; the invariants are checked after every step,
// the file's integrity every 50. Most steps must reach a character: a walk that mostly clicks disabled items proves
// little. DUSKLEDGER_SOAK_SEED and DUSKLEDGER_SOAK_STEPS replay a walk; DUSKLEDGER_SOAK_TRACE=1 prints every
// operation as it runs (for a crash, which leaves no failure message).
TEST(Soak, RandomOperationsKeepTheInvariants) {
    const quint32 seed = quint32(setting("DUSKLEDGER_SOAK_SEED", 20240611));
    const int steps = setting("DUSKLEDGER_SOAK_STEPS", 6000);
    std::cout << "soak seed " << seed << ", " << steps << " steps" << std::endl;
    Walk walk(seed);
    int live = 0, withCharacter = 0;
    for (int step = 1; step <= steps; ++step) {
        withCharacter += walk.program.session->shownKey ? 1 : 0;
        live += walk.step(step) ? 1 : 0;
        if (const QString problem = walk.check(step % 50 == 0 || step == steps); !problem.isEmpty())
            FAIL() << "seed " << seed << ", step " << step << ":\n"
                   << problem.toStdString() << "\nlast operations:\n"
                   << walk.log.mid(std::max(0, int(walk.log.size()) - 12)).join(QLatin1Char('\n')).toStdString();
    }
    std::cout << live << " of " << steps << " steps reached an enabled control or a roster entry, " << withCharacter
              << " began with a character shown" << std::endl;
    EXPECT_GE(live, steps * 85 / 100);
    EXPECT_GE(withCharacter, steps * 95 / 100);
}
