#include "HardeningFixture.h"

#include "model/TraitCatalogue.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>
#include <functional>

namespace {

using enum app::Answer;

// Names a user might type that would alter a statement built by pasting text, or render as markup: quotes,
// separators, comment marks, wildcards, non-Latin text, tags and a 10,000-character name ending in a quote.
const QStringList kHostile = {"O'Brien", "''", "'; DROP TABLE Char_Info; --", "x'); DELETE FROM Clan; --",
                              "a; b; c", "-- not a comment", "/* nor this */", "\"double\" \\ back", "%_ like * ?",
                              "Ünïcødé 名前 Ωμέγα 🦇", "tab\there", "  spaces around  ", "<b>Bold</b> &amp; <i>x</i>",
                              QString(9990, QLatin1Char('x')) + "'; -- end"};

const struct Family {
    const char* menu;
    int thaNec;
    const char* window;
} kFamilies[] = {{"mnuRituals", 1, "frmRituals"}, {"mnuNecromancy", 2, "frmNecromancy"}};

template <class T> T* child(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QObject& parent, const char* button) {
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

// Drives the next modal window if it is the expected one; any other is rejected. An active window moves the
// focus between its controls as it does for a user.
void onModal(ScriptedServices& services, const QString& window, const std::function<void(QDialog&)>& drive,
             bool active = false) {
    services.modalHandlers.push_back([window, drive, active](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), window);
        if (dialog.objectName() != window)
            return int(QDialog::Rejected);
        if (active) {
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        }
        drive(dialog);
        return dialog.result();
    });
}

void expectLiteral(const QLabel* label, const QString& name) {
    EXPECT_EQ(label->text(), name) << label->objectName().toStdString();
    EXPECT_TRUE(label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(name))
        << label->objectName().toStdString() << " would render the name as markup";
}

} // namespace

// A name typed into the sheet's fields and combo boxes, then through the merit dialog and its description
// window, then in each family's window as a new ritual with that description and as a path: stored, looked up
// and shown back intact, and no statement altered, so each step writes exactly the rows it should.
TEST(HostileNames, StoredAndShownIntactEverywhere) {
    for (const QString& typed : kHostile) {
        SCOPED_TRACE(typed.left(40).toStdString());
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Plain"));
        temp.addCharacter(QStringLiteral("Target"));
        temp.release();
        Program program;
        program.open(temp.path());
        ASSERT_TRUE(program.switchTo(QStringLiteral("Target")));
        ScriptedServices& services = program.services;
        db::Database& database = program.database();
        const sheet::SheetControls& ui = program.ui();
        const qint64 key = program.shownKey().toLongLong();
        // The query's value, where c is the shown character's Char_Info row and k its key.
        const auto stored = [&](const QString& sql) {
            return database
                .scalar(QStringLiteral("WITH c AS (SELECT * FROM Char_Info WHERE Char_ID = ?), k AS (SELECT Char_ID "
                                       "FROM c) ") + sql, {key})
                .toString();
        };

        program.sheet().enterEditMode();
        for (QLineEdit* edit : {ui.txtChar, ui.txtPlayer, ui.txtChronicle, ui.txtHaven})
            edit->setText(typed);
        for (QComboBox* combo : {ui.cmbNature, ui.cmbDemeanor, ui.cmbClan, ui.cmbConcept, ui.cmbHumanity,
                                 ui.cmbDisciplines[0], ui.cmbBackGrounds[0]})
            combo->setEditText(typed);
        for (const int row : {model::catalogue::disciplineRow(0), model::catalogue::backgroundRow(0)})
            ui.PBAdv[size_t(row)]->setValue(2);
        QStringList before = dumpTables(database);
        ASSERT_TRUE(program.sheet().leaveEditMode()) << program.shown().toStdString();
        EXPECT_EQ(program.shown(), QString());
        // One new row in each lookup (nature and demeanor share theirs) and one link of each kind.
        EXPECT_EQ(changedRows(database, before),
                  QStringLiteral("BackGround_Link+1 BackGround_LookUp+1 Char_Info+1-1 Clan+1 Concept+1 "
                                 "DemeanorNature+1 Discipline_Link+1 Discipline_LookUp+1 HumanityPath+1"));
        for (const char* sql :
             {"SELECT Name FROM c", "SELECT player FROM c", "SELECT Chronicle FROM c", "SELECT Haven FROM c",
              "SELECT DemNat FROM DemeanorNature WHERE DemNat_ID = (SELECT Nature FROM c)",
              "SELECT DemNat FROM DemeanorNature WHERE DemNat_ID = (SELECT Demeanor FROM c)",
              "SELECT Clan FROM Clan WHERE Clan_ID = (SELECT Clan FROM c)",
              "SELECT Concept FROM Concept WHERE Concept_ID = (SELECT Concept FROM c)",
              "SELECT Path FROM HumanityPath WHERE Path_ID = (SELECT Path FROM c)",
              "SELECT Discipline FROM Discipline_Link JOIN Discipline_LookUp USING (Discipline_ID) JOIN k USING "
              "(Char_ID)"})
            EXPECT_EQ(stored(QLatin1String(sql)), typed) << sql;

        // Loaded again, the sheet and the roster show every name as typed.
        ASSERT_TRUE(program.switchTo(typed)) << program.shown().toStdString();
        for (QLabel* label : {ui.lblChar, ui.lblPlayer, ui.lblChronicle, ui.lblHaven, ui.lblNature, ui.lblDemeanor,
                              ui.lblClan, ui.lblConcept, ui.lblHumanity, ui.lblDisc[0], ui.lblBack[0]})
            expectLiteral(label, typed);
        EXPECT_EQ(listEntries(ui.lstChar), (QStringList{QStringLiteral("Plain"), typed}));

        program.sheet().enterEditMode();
        before = dumpTables(database);
        const QString name = typed.trimmed(); // the merit dialog drops the blanks around a typed name
        services.answers = {Yes, Yes};        // a new entry, with variable points
        services.inputAnswers = {QStringLiteral("-2")};
        onModal(services, "frmAddMerit", [&](QDialog& dialog) {
            child<QComboBox>(dialog, "cmbMerit")->setEditText(typed);
            click(dialog, "cmdok");
        }, true);
        ui.cmdAddMerit->click();
        ASSERT_EQ(services.inputs.size(), 1u);
        EXPECT_EQ(program.shown() + QLatin1Char('\n') + services.inputs[0].prompt,
                  QStringLiteral("You have entered a new Merit/Flaw called: ") + name +
                      QStringLiteral(". Is this correct?\nAre the points of this Merit/Flaw variable?\n"
                                     "Enter Point Level for ") +
                      name + QLatin1Char(':'));
        ASSERT_EQ(ui.lstMerit->count(), 1);
        ui.lstMerit->item(0)->setSelected(true);
        onModal(services, "frmMeritFlawDesc", [&](QDialog& dialog) {
            expectLiteral(child<QLabel>(dialog, "lblMerit"), name);
            child<QPlainTextEdit>(dialog, "rtxtMerit")->setPlainText(typed);
            click(dialog, "cmdOk");
        });
        Q_EMIT ui.lstMerit->itemDoubleClicked(ui.lstMerit->item(0));
        EXPECT_EQ(listEntries(ui.lstMerit), QStringList{name + QStringLiteral(" -2")});
        EXPECT_EQ(stored(QStringLiteral("SELECT MeritFlaw || '|' || pointflex || '|' || MeritFlaw_Link.Points || '|' "
                                        "|| Description FROM MeritFlaw_Link JOIN MeritFlaw_LookUp USING "
                                        "(MeritFlaw_ID) JOIN k USING (Char_ID)")),
                  name + QStringLiteral("|1|-2|") + typed);

        for (const Family& family : kFamilies) {
            SCOPED_TRACE(family.menu);
            services.messages.clear();
            services.answers = {Yes, OK};
            onModal(services, family.window, [&](QDialog& window) {
                click(window, "cmdAddRitual");
                Q_EMIT child<QTableWidget>(window, "fgRituals")->cellDoubleClicked(0, 2);
                child<QComboBox>(window, "cmbPath(0)")->setEditText(typed);
                click(window, "cmdOK");
            });
            onModal(services, "frmAddRitual", [&](QDialog& dialog) {
                auto* combo = child<QComboBox>(dialog, "cmbRitual");
                combo->setFocus(Qt::OtherFocusReason);
                combo->setEditText(typed);
                auto* description = child<QPlainTextEdit>(dialog, "txtRitualDesc");
                description->setFocus(Qt::TabFocusReason); // leaving the name asks about it
                child<QLineEdit>(dialog, "txtLevel")->setText(QStringLiteral("3"));
                description->setPlainText(typed);
                click(dialog, "cmdok");
            }, true);
            onModal(services, "frmRitualDesc", [&](QDialog& dialog) {
                expectLiteral(child<QLabel>(dialog, "lblRitual"), typed);
                EXPECT_EQ(child<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), typed);
                click(dialog, "cmdexit");
            });
            child<QAction>(*program.window, family.menu)->trigger();
            EXPECT_TRUE(services.modalHandlers.empty());
            EXPECT_EQ(program.shown(),
                      QStringLiteral("You have entered a new Ritual called: ") + typed +
                          QStringLiteral(". Is this correct?\nPlease fill out the level and description."));
            const QString where = QStringLiteral(" JOIN k USING (Char_ID) WHERE ThaNec = %1").arg(family.thaNec);
            EXPECT_EQ(stored(QStringLiteral("SELECT Ritual || '|' || Level || '|' || Description FROM Ritual_Link "
                                            "JOIN Ritual_Lookup USING (Ritual_ID)") + where),
                      typed + QStringLiteral("|3|") + typed);
            EXPECT_EQ(stored(QStringLiteral("SELECT Path || '|' || Path_Link.Level FROM Path_Link JOIN Path_LookUp "
                                            "USING (Path_ID)") + where),
                      typed + QStringLiteral("|0"));

            // Opened again, the window shows both names as typed.
            onModal(services, family.window, [&](QDialog& window) {
                EXPECT_EQ(child<QComboBox>(window, "cmbPath(0)")->currentText(), typed);
                expectLiteral(child<QLabel>(window, "lblPath(0)"), typed);
                const QTableWidgetItem* cell = child<QTableWidget>(window, "fgRituals")->item(0, 2);
                EXPECT_EQ(cell ? cell->text() : QString(), typed);
                window.reject();
            });
            child<QAction>(*program.window, family.menu)->trigger();
            EXPECT_EQ(services.messages.size(), 2u);
        }
        EXPECT_EQ(changedRows(database, before), QStringLiteral("MeritFlaw_Link+1 MeritFlaw_LookUp+1 Path_Link+2 "
                                                                "Path_LookUp+2 Ritual_Link+2 Ritual_Lookup+2"));
    }
}
