#include "HardeningFixture.h"

#include "model/TraitCatalogue.h"

#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>

namespace {

using enum app::Answer;

// Names a user might type that would alter a statement built by pasting text, or render as markup: quotes,
// separators, comment marks, wildcards, non-Latin text, tags and a 10,000-character name ending in a quote.
const QStringList kHostile = QStringList{"O'Brien",
                                         "''",
                                         "'; DROP TABLE Char_Info; --",
                                         "x'); DELETE FROM Clan; --",
                                         "a; b; c",
                                         "-- not a comment",
                                         "/* nor this */",
                                         "\"double\" \\ back",
                                         "%_ like * ?",
                                         "Ünïcødé 名前 Ωμέγα 🦇",
                                         "tab\there",
                                         "  spaces around  ",
                                         "<b>Bold</b> &amp; <i>x</i>"}
                             << QString(9990, QLatin1Char('x')) + "'; -- end";

template <class T> T* child(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QObject& parent, const char* button) {
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}

void expectLiteral(const QLabel* label, const QString& name) {
    EXPECT_EQ(label->text(), name) << label->objectName().toStdString();
    EXPECT_TRUE(label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(name))
        << label->objectName().toStdString() << " would render the name as markup";
}

} // namespace

// A name typed into the sheet's fields and combo boxes, through the merit dialog, and in each family's window
// as a new ritual (its description too) and as a path: stored and shown back intact, and no statement altered,
// so each step writes exactly the rows it should.
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
        const auto stored = [&, key = program.shownKey()](const QString& sql) {
            return database.scalar(sql, {key}).toString();
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
        // One new row in each lookup (nature and demeanor share theirs) and one link of each kind.
        EXPECT_EQ(changedRows(database, before),
                  QStringLiteral("BackGround_Link+1 BackGround_LookUp+1 Char_Info+1-1 Clan+1 Concept+1 "
                                 "DemeanorNature+1 Discipline_Link+1 Discipline_LookUp+1 HumanityPath+1"));

        // Loaded again, the sheet and the roster show every name as stored: as typed.
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
        onModal(services, Shown::Active, [&](QDialog& dialog) {
            ASSERT_EQ(dialog.objectName(), "frmAddMerit");
            child<QComboBox>(dialog, "cmbMerit")->setEditText(typed);
            click(dialog, "cmdok");
        });
        ui.cmdAddMerit->click();
        EXPECT_EQ(services.messages.size(), 2u) << program.shown().toStdString(); // new? variable?
        EXPECT_EQ(listEntries(ui.lstMerit), QStringList{name + QStringLiteral("  -2")}); // the dialog's line
        EXPECT_EQ(stored("SELECT MeritFlaw || '|' || pointflex || '|' || l.Points FROM MeritFlaw_Link l JOIN "
                         "MeritFlaw_LookUp USING (MeritFlaw_ID) WHERE Char_ID = ?"),
                  name + "|1|-2");

        for (const auto& [menu, thaNec, window] :
             {std::tuple{"mnuRituals", 1, "frmRituals"}, std::tuple{"mnuNecromancy", 2, "frmNecromancy"}}) {
            SCOPED_TRACE(menu);
            services.messages.clear();
            services.answers = {Yes, OK};
            onModal(services, Shown::No, [&, window = window](QDialog& paths) {
                ASSERT_EQ(paths.objectName(), window);
                click(paths, "cmdAddRitual");
                Q_EMIT child<QTableWidget>(paths, "fgRituals")->cellDoubleClicked(0, 2);
                child<QComboBox>(paths, "cmbPath(0)")->setEditText(typed);
                click(paths, "cmdOK");
            });
            onModal(services, Shown::Active, [&](QDialog& dialog) {
                ASSERT_EQ(dialog.objectName(), "frmAddRitual");
                auto* combo = child<QComboBox>(dialog, "cmbRitual");
                combo->setFocus(Qt::OtherFocusReason);
                combo->setEditText(typed);
                auto* description = child<QPlainTextEdit>(dialog, "txtRitualDesc");
                description->setFocus(Qt::TabFocusReason); // leaving the name asks about it
                child<QLineEdit>(dialog, "txtLevel")->setText(QStringLiteral("3"));
                description->setPlainText(typed);
                click(dialog, "cmdok");
            });
            onModal(services, Shown::Yes, [&](QDialog& dialog) {
                ASSERT_EQ(dialog.objectName(), "frmRitualDesc");
                expectLiteral(child<QLabel>(dialog, "lblRitual"), typed);
                EXPECT_EQ(child<QPlainTextEdit>(dialog, "txtRitualDesc")->toPlainText(), typed);
                click(dialog, "cmdexit");
            });
            child<QAction>(*program.window, menu)->trigger();
            EXPECT_TRUE(services.modalHandlers.empty());
            EXPECT_EQ(services.messages.size(), 2u) << program.shown().toStdString(); // new? fill out the level
            const QString family = QStringLiteral(" WHERE Char_ID = ? AND ThaNec = %1").arg(thaNec);
            EXPECT_EQ(stored("SELECT Ritual || '|' || Level || '|' || Description FROM Ritual_Link JOIN "
                             "Ritual_Lookup USING (Ritual_ID)" +
                             family),
                      typed + "|3|" + typed);
            EXPECT_EQ(
                stored("SELECT Path || '|' || l.Level FROM Path_Link l JOIN Path_LookUp USING (Path_ID)" + family),
                typed + "|0");
        }
        EXPECT_EQ(changedRows(database, before),
                  QStringLiteral("MeritFlaw_Link+1 MeritFlaw_LookUp+1 "
                                 "Path_Link+2 Path_LookUp+2 Ritual_Link+2 Ritual_Lookup+2"));
    }
}
