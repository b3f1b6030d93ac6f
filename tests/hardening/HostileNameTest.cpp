#include "HardeningFixture.h"

#include "model/TraitCatalogue.h"

#include <QListWidget>
#include <QPushButton>
#include <QTextDocument>

namespace {

using enum app::Answer;

// Names a user might type that would alter a statement built by pasting text, or render as markup: quotes,
// separators, comment marks, wildcards, non-Latin text, tags and a 10,000-character name ending in a quote.
const QStringList kHostile =
    QString::fromUtf8("O'Brien\n''\n'; DROP TABLE Char_Info; --\nx'); DELETE FROM Clan; --\n"
                      "a; b; c\n-- not a comment\n/* nor this */\n\"double\" \\ back\n%_ like * ?\n"
                      "Ünïcødé 名前 Ωμέγα 🦇\ntab\there\n  spaces around  \n<b>Bold</b> &amp; <i>x</i>")
        .split(QLatin1Char('\n'));

void expectLiteral(const QLabel* label, const QString& name) {
    EXPECT_EQ(label->text(), name) << label->objectName().toStdString();
    EXPECT_TRUE(label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(name))
        << label->objectName().toStdString() << " would render the name as markup";
}

// Works the next modal window, which must be `name`, box by box as a user does: a box named with a text is focused
// and given it; of those named without, a button is pressed, a table's first entry opened, and a label or text box
// must show `typed` as it is.
void script(ScriptedServices& services, const char* name, Shown shown,
            const std::vector<std::pair<const char*, QString>>& steps, const QString& typed) {
    onModal(services, shown, [=](QDialog& dialog) {
        ASSERT_EQ(dialog.objectName(), name);
        for (const auto& [box, text] : steps) {
            auto* widget = dialog.findChild<QWidget*>(QString::fromLatin1(box));
            ASSERT_NE(widget, nullptr) << box;
            const char* property = widget->property("plainText").isValid()     ? "plainText"
                                   : widget->property("currentText").isValid() ? "currentText"
                                                                               : "text";
            if (auto* button = qobject_cast<QPushButton*>(widget))
                QTest::mouseClick(button, Qt::LeftButton);
            else if (auto* table = qobject_cast<QTableWidget*>(widget))
                Q_EMIT table->cellDoubleClicked(0, 2);
            else if (auto* label = qobject_cast<QLabel*>(widget))
                expectLiteral(label, typed);
            else if (text.isNull())
                EXPECT_EQ(widget->property(property).toString(), typed) << box;
            else
                widget->setFocus(Qt::TabFocusReason), widget->setProperty(property, text);
        }
    });
}

} // namespace

// A name typed into the sheet's fields and combo boxes, through the merit dialog, and in the rituals window
// as a new ritual (its description too) and as a path: shown back intact. Which rows each save writes, and that a
// quote in a name is just a character there, is the store tests' part.
TEST(HostileNames, StoredAndShownIntactEverywhere) {
    for (const QString& typed : kHostile + QStringList{QString(9990, QLatin1Char('x')) + "'; -- end"}) {
        SCOPED_TRACE(typed.left(40).toStdString());
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Plain"));
        temp.addCharacter(QStringLiteral("Target"));
        temp.release();
        Program program;
        program.open(temp.path());
        ASSERT_TRUE(program.switchTo(QStringLiteral("Target")));
        ScriptedServices& services = program.services;
        const sheet::SheetControls& ui = program.ui();

        program.sheet().enterEditMode();
        for (QLineEdit* edit : {ui.txtChar, ui.txtPlayer, ui.txtChronicle, ui.txtHaven})
            edit->setText(typed);
        for (QComboBox* combo : {ui.cmbNature, ui.cmbDemeanor, ui.cmbClan, ui.cmbConcept, ui.cmbHumanity,
                                 ui.cmbDisciplines[0], ui.cmbBackGrounds[0]})
            combo->setEditText(typed);
        for (const int row : {model::catalogue::disciplineRow(0), model::catalogue::backgroundRow(0)})
            ui.PBAdv[size_t(row)]->setValue(2);
        ASSERT_TRUE(program.sheet().leaveEditMode()) << program.shown().toStdString();

        // Loaded again, the sheet and the roster show every name as stored: as typed.
        ASSERT_TRUE(program.switchTo(typed)) << program.shown().toStdString();
        for (QLabel* label : {ui.lblChar, ui.lblPlayer, ui.lblChronicle, ui.lblHaven, ui.lblNature, ui.lblDemeanor,
                              ui.lblClan, ui.lblConcept, ui.lblHumanity, ui.lblDisc[0], ui.lblBack[0]})
            expectLiteral(label, typed);
        EXPECT_EQ(listEntries(ui.lstChar), (QStringList{QStringLiteral("Plain"), typed}));

        program.sheet().enterEditMode();
        const QString name = typed.trimmed(); // the merit dialog drops the blanks around a typed name
        services.answers = {Yes, Yes};        // a new entry, with variable points
        services.inputAnswers = {QStringLiteral("-2")};
        script(services, "frmAddMerit", Shown::Active, {{"cmbMerit", typed}, {"cmdok", {}}}, typed);
        ui.cmdAddMerit->click();
        EXPECT_EQ(services.messages.size(), 2u) << program.shown().toStdString();        // new? variable?
        EXPECT_EQ(listEntries(ui.lstMerit), QStringList{name + QStringLiteral("  -2")}); // the dialog's line

        // The thaumaturgy window; the necromancy one is the same window over the other family.
        services.messages.clear();
        services.answers = {Yes, OK};
        script(services, "frmRituals", Shown::No,
               {{"cmdAddRitual", {}}, {"fgRituals", {}}, {"cmbPath(0)", typed}, {"cmdOK", {}}}, typed);
        // Leaving the name for the description asks about it.
        script(services, "frmAddRitual", Shown::Active,
               {{"cmbRitual", typed}, {"txtRitualDesc", typed}, {"txtLevel", "3"}, {"cmdok", {}}}, typed);
        script(services, "frmRitualDesc", Shown::Yes, {{"lblRitual", {}}, {"txtRitualDesc", {}}, {"cmdexit", {}}},
               typed);
        program.window->findChild<QAction*>(QStringLiteral("mnuRituals"))->trigger();
        EXPECT_TRUE(services.modalHandlers.empty());
        EXPECT_EQ(services.messages.size(), 2u) << program.shown().toStdString(); // new? fill out the level
    }
}
