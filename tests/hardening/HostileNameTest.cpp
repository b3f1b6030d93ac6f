#include "model/TraitCatalogue.h"
#include "HardeningFixture.h"

#include "db/Sql.h"
#include "merits/MeritCommands.h"
#include "store/MeritStore.h"

#include <QPushButton>
#include <QTextDocument>
#include <functional>

namespace {

using enum app::Answer;

template <class T> T* find(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QObject& parent, const char* button) {
    QTest::mouseClick(find<QPushButton>(parent, button), Qt::LeftButton);
}

// Shown and active, so the focus moves between the controls as it does for a user.
void activate(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Drives the next modal window if it is the expected one; any other is rejected.
void onModal(ScriptedServices& services, const QString& window, const std::function<void(QDialog&)>& drive) {
    services.modalHandlers.push_back([window, drive](QDialog& dialog) {
        EXPECT_EQ(dialog.objectName(), window);
        if (dialog.objectName() != window)
            return int(QDialog::Rejected);
        drive(dialog);
        return dialog.result();
    });
}

void expectLiteral(const QLabel* label, const QString& name) {
    EXPECT_EQ(label->text(), name) << label->objectName().toStdString();
    EXPECT_TRUE(label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(name))
        << label->objectName().toStdString() << " would render the name as markup";
}

void clickDots(QObject& window, const char* row) {
    QTest::mouseClick(find<ratings::DotRow>(window, row), Qt::LeftButton, {}, QPoint(40, 7));
}

// "Plain" has links of every kind; "Target", shown in edit mode, has none.
struct Chronicle {
    TempDatabase temp;
    Program program;
    ScriptedServices& services = program.services;
    QString key;

    Chronicle() {
        fullCharacter(temp, QStringLiteral("Plain"));
        temp.addCharacter(QStringLiteral("Target"));
        temp.release();
        program.open(temp.path());
        EXPECT_TRUE(program.switchTo(QStringLiteral("Target")));
        program.sheet().enterEditMode();
        key = program.shownKey();
    }
    db::Database& database() { return program.database(); }
    // The query's value, where c is the shown character's Char_Info row and k its key.
    QString value(const QString& sql) {
        return database()
            .scalar(
                QStringLiteral("WITH c AS (SELECT * FROM Char_Info WHERE Char_ID = ?), k AS (SELECT Char_ID FROM c) ") +
                    sql,
                {key})
            .toString();
    }
    void trigger(const char* menu) { find<QAction>(*program.window, menu)->trigger(); }
};

struct Family {
    const char* menu;
    int thaNec;
    QString window;
};
const Family kFamilies[] = {{"mnuRituals", 1, QStringLiteral("frmRituals")},
                            {"mnuNecromancy", 2, QStringLiteral("frmNecromancy")}};

} // namespace

// A name typed into the sheet's fields and combo boxes, then through the merit dialog and its
// description window, then in each family's window as a new ritual (its description too), its
// description window and a path slot: stored, looked up and shown back intact, no statement altered.
TEST(HostileNames, StoredAndShownIntactEverywhere) {
    for (const QString& typed : kHostile + QStringList{QStringLiteral("<b>Bold</b> &amp; <i>x</i>")}) {
        SCOPED_TRACE(typed.left(40).toStdString());
        Chronicle chronicle;
        ScriptedServices& services = chronicle.services;
        Program& program = chronicle.program;
        db::Database& database = chronicle.database();
        const sheet::SheetControls& ui = program.ui();
        const QString& key = chronicle.key;
        EXPECT_EQ(database.scalar(QStringLiteral("SELECT ") + db::sqlText(typed)).toString(), typed);

        for (QLineEdit* edit : {ui.txtChar, ui.txtPlayer, ui.txtChronicle, ui.txtHaven})
            edit->setText(typed);
        for (QComboBox* combo : {ui.cmbNature, ui.cmbDemeanor, ui.cmbClan, ui.cmbConcept, ui.cmbHumanity,
                                 ui.cmbDisciplines[0], ui.cmbBackGrounds[0]})
            combo->setEditText(typed);
        for (const int row : {model::catalogue::disciplineRow(0), model::catalogue::backgroundRow(0)})
            ui.PBAdv[size_t(row)]->setValue(2);
        const QStringList objects = rowTexts(database, QStringLiteral("SELECT sql FROM sqlite_master"));
        ASSERT_TRUE(program.sheet().leaveEditMode()) << program.shown().toStdString();
        EXPECT_TRUE(services.messages.empty()) << program.shown().toStdString();
        EXPECT_EQ(rowTexts(database, QStringLiteral("SELECT sql FROM sqlite_master")), objects);
        EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM Char_Info")).toInt(), 2);
        EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM Clan WHERE Clan = ?"), {typed}).toInt(), 1);
        for (const char* sql :
             {"SELECT Name FROM c", "SELECT player FROM c", "SELECT Chronicle FROM c", "SELECT Haven FROM c",
              "SELECT DemNat FROM DemeanorNature WHERE DemNat_ID = (SELECT Nature FROM c)",
              "SELECT DemNat FROM DemeanorNature WHERE DemNat_ID = (SELECT Demeanor FROM c)",
              "SELECT Clan FROM Clan WHERE Clan_ID = (SELECT Clan FROM c)",
              "SELECT Concept FROM Concept WHERE Concept_ID = (SELECT Concept FROM c)",
              "SELECT Path FROM HumanityPath WHERE Path_ID = (SELECT Path FROM c)",
              "SELECT Discipline FROM Discipline_Link JOIN Discipline_LookUp USING (Discipline_ID) JOIN k USING "
              "(Char_ID)"})
            EXPECT_EQ(chronicle.value(QLatin1String(sql)), typed) << sql;

        // Switching by that name finds the character and shows every name as typed.
        ASSERT_TRUE(program.switchTo(typed)) << program.shown().toStdString();
        EXPECT_EQ(program.shownKey(), key);
        for (QLabel* label : {ui.lblChar, ui.lblPlayer, ui.lblChronicle, ui.lblHaven, ui.lblNature, ui.lblDemeanor,
                              ui.lblClan, ui.lblConcept, ui.lblHumanity, ui.lblDisc[0], ui.lblBack[0]})
            expectLiteral(label, typed);
        EXPECT_EQ(listEntries(ui.lstChar), (QStringList{QStringLiteral("Plain"), typed}));

        program.sheet().enterEditMode();
        QListWidget& list = *ui.lstMerit;
        const QString name = typed.trimmed(); // the merit dialog drops the blanks around a typed name
        const QString before = dumpTables(database);

        services.answers = {Yes, Yes}; // a new entry, with variable points
        services.inputAnswers = {QStringLiteral("-2")};
        onModal(services, "frmAddMerit", [&](QDialog& dialog) {
            activate(dialog);
            find<QComboBox>(dialog, "cmbMerit")->setEditText(typed);
            click(dialog, "cmdok");
        });
        program.ui().cmdAddMerit->click();
        EXPECT_EQ(program.shown(),
                  QStringLiteral("You have entered a new Merit/Flaw called: ") + name +
                      QStringLiteral(". Is this correct?\nAre the points of this Merit/Flaw variable?"));
        ASSERT_EQ(services.inputs.size(), 1u);
        EXPECT_EQ(services.inputs[0].prompt, QStringLiteral("Enter Point Level for ") + name + QLatin1Char(':'));
        EXPECT_EQ(listEntries(&list), QStringList{name + QStringLiteral("  -2")});
        EXPECT_EQ(
            chronicle.value(QStringLiteral("SELECT MeritFlaw || '|' || pointflex || '|' || MeritFlaw_Link.Points FROM "
                                           "MeritFlaw_Link JOIN MeritFlaw_LookUp USING (MeritFlaw_ID) JOIN k "
                                           "USING (Char_ID)")),
            name + QStringLiteral("|1|-2"));

        // The description window shows the name and takes the typed text; reloaded from the database, both come back.
        for (const bool reloaded : {false, true}) {
            if (reloaded)
                merits::showMerits(list, store::merits::characterMerits(program.database(), key.toLongLong()));
            ASSERT_EQ(list.count(), 1);
            list.item(0)->setSelected(true);
            onModal(services, "frmMeritFlawDesc", [&](QDialog& dialog) {
                expectLiteral(find<QLabel>(dialog, "lblMerit"), name);
                auto* text = find<QPlainTextEdit>(dialog, "rtxtMerit");
                EXPECT_EQ(text->toPlainText(), reloaded ? typed : QString());
                text->setPlainText(typed);
                click(dialog, reloaded ? "cmdexit" : "cmdOk");
            });
            Q_EMIT list.itemDoubleClicked(list.item(0));
            EXPECT_TRUE(services.modalHandlers.empty());
        }
        EXPECT_EQ(listEntries(&list), QStringList{name + QStringLiteral(" -2")});
        EXPECT_EQ(chronicle.value(QStringLiteral("SELECT Description FROM MeritFlaw_LookUp JOIN MeritFlaw_Link "
                                                 "USING (MeritFlaw_ID) JOIN k USING (Char_ID)")),
                  typed);
        EXPECT_EQ(services.messages.size(), 2u);

        for (const Family& family : kFamilies) {
            SCOPED_TRACE(family.menu);
            services.messages.clear();
            services.answers = {Yes, OK};
            onModal(services, family.window, [&](QDialog& window) {
                click(window, "cmdAddRitual");
                Q_EMIT find<QTableWidget>(window, "fgRituals")->cellDoubleClicked(0, 2);
                find<QComboBox>(window, "cmbPath(0)")->setEditText(typed);
                click(window, "cmdOK");
            });
            onModal(services, "frmAddRitual", [&](QDialog& dialog) {
                activate(dialog);
                auto* combo = find<QComboBox>(dialog, "cmbRitual");
                combo->setFocus(Qt::OtherFocusReason);
                combo->setEditText(typed);
                auto* description = find<QPlainTextEdit>(dialog, "txtRitualDesc");
                description->setFocus(Qt::TabFocusReason); // leaving the name asks about it
                find<QLineEdit>(dialog, "txtLevel")->setText(QStringLiteral("3"));
                description->setPlainText(typed);
                click(dialog, "cmdok");
            });
            onModal(services, "frmRitualDesc", [&](QDialog& dialog) {
                expectLiteral(find<QLabel>(dialog, "lblRitual"), typed);
                EXPECT_EQ(find<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), typed);
                click(dialog, "cmdexit");
            });
            chronicle.trigger(family.menu);
            EXPECT_TRUE(services.modalHandlers.empty());
            EXPECT_EQ(program.shown(),
                      QStringLiteral("You have entered a new Ritual called: ") + typed +
                          QStringLiteral(". Is this correct?\nPlease fill out the level and description."));

            const QString where = QStringLiteral(" USING (Char_ID) WHERE ThaNec = %1").arg(family.thaNec);
            EXPECT_EQ(
                chronicle.value(QStringLiteral("SELECT Ritual || '|' || Level || '|' || Description FROM Ritual_Link "
                                               "JOIN Ritual_Lookup USING (Ritual_ID) JOIN k") +
                                where),
                typed + QStringLiteral("|3|") + typed);
            EXPECT_EQ(chronicle.value(QStringLiteral("SELECT Path || '|' || Path_Link.Level FROM Path_Link JOIN "
                                                     "Path_LookUp USING (Path_ID) JOIN k") +
                                      where),
                      typed + QStringLiteral("|0"));

            // Opened again, the window shows both names as typed.
            onModal(services, family.window, [&](QDialog& window) {
                EXPECT_EQ(find<QComboBox>(window, "cmbPath(0)")->currentText(), typed);
                expectLiteral(find<QLabel>(window, "lblPath(0)"), typed);
                const QTableWidgetItem* cell = find<QTableWidget>(window, "fgRituals")->item(0, 2);
                EXPECT_EQ(cell ? cell->text() : QString(), typed);
                window.reject();
            });
            chronicle.trigger(family.menu);
            EXPECT_EQ(services.messages.size(), 2u);
        }
        EXPECT_EQ(addedRows(database, before),
                  QStringLiteral("MeritFlaw_Link+1 MeritFlaw_LookUp+1 Path_Link+2 Path_LookUp+2 Ritual_Link+2 "
                                 "Ritual_Lookup+2"));
    }
}

// An empty merit or ritual name closes its dialog and writes nothing; a path slot without a name
// writes no row, whatever its rating.
TEST(HostileDialog, EmptyNamesCloseTheDialogsAndWriteNothing) {
    Chronicle chronicle;
    ScriptedServices& services = chronicle.services;
    const QString before = dumpTables(chronicle.database());

    onModal(services, "frmAddMerit", [](QDialog& dialog) {
        activate(dialog);
        find<QComboBox>(dialog, "cmbMerit")->setEditText(QString());
        click(dialog, "cmdok");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    });
    chronicle.program.ui().cmdAddMerit->click();
    EXPECT_EQ(chronicle.program.ui().lstMerit->count(), 0);

    for (const Family& family : kFamilies) {
        SCOPED_TRACE(family.menu);
        onModal(services, family.window, [](QDialog& window) {
            click(window, "cmdAddRitual"); // reloads the window, so the rating comes after
            clickDots(window, "PBPath(2)");
            find<QComboBox>(window, "cmbPath(3)")->setEditText(QStringLiteral("Lone Road"));
            click(window, "cmdOK");
        });
        onModal(services, "frmAddRitual", [](QDialog& dialog) {
            activate(dialog);
            find<QComboBox>(dialog, "cmbRitual")->setFocus(Qt::OtherFocusReason);
            find<QPlainTextEdit>(dialog, "txtRitualDesc")->setFocus(Qt::TabFocusReason);
            find<QPlainTextEdit>(dialog, "txtRitualDesc")->setPlainText(QStringLiteral("orphan"));
            click(dialog, "cmdok");
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
        });
        chronicle.trigger(family.menu);
        EXPECT_TRUE(services.modalHandlers.empty());
    }
    EXPECT_EQ(chronicle.program.shown(), QString());
    EXPECT_EQ(addedRows(chronicle.database(), before), QStringLiteral("Path_Link+2 Path_LookUp+2"));
    EXPECT_EQ(chronicle.value(QStringLiteral("SELECT group_concat(Path || '|' || Path_Link.Level) FROM Path_Link "
                                             "JOIN Path_LookUp USING (Path_ID) JOIN k USING (Char_ID)")),
              QStringLiteral("Lone Road|0,Lone Road|0"));
}
