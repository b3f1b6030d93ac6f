#include "HardeningFixture.h"
#include "HostileNames.h"
#include "support/ListEntries.h"

#include "db/Sql.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlModes.h"
#include "sheet/mdlSwitch.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

struct Lookup {
    const char* table;
    const char* column;
    const char* key;
    const char* charColumn; // the Char_Info column holding the key, or the link table
};

} // namespace

// Every name a user types into the sheet goes into SQL through the quoting helper or a bound
// parameter: stored, looked up and shown back intact, and no statement is altered.
TEST(HostileNames, StoredAndShownIntact) {
    for (const QString& name : kHostile) {
        SCOPED_TRACE(name.left(40).toStdString());
        TempDatabase temp;
        fullCharacter(temp, QStringLiteral("Plain"));
        temp.release();
        Program program;
        program.open(temp.path());
        db::Database& database = program.database();
        EXPECT_EQ(database.scalar(QStringLiteral("SELECT ") + db::sqlText(name)).toString(), name);

        const sheet::SheetControls& ui = program.ui();
        sheet::mdlEditMode::EnterEditMode(*program.global, ui);
        for (QLineEdit* edit : {ui.txtChar, ui.txtPlayer, ui.txtChronicle, ui.txtHaven})
            edit->setText(name);
        for (QComboBox* combo : {ui.cmbNature, ui.cmbDemeanor, ui.cmbClan, ui.cmbConcept, ui.cmbHumanity,
                                 ui.cmbDisciplines[0], ui.cmbBackGrounds[0]})
            combo->setEditText(name);
        const int objects = database.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt();
        ASSERT_TRUE(sheet::leaveEditMode(*program.global, ui)) << program.shown().toStdString();
        EXPECT_TRUE(program.services.messages.empty()) << program.shown().toStdString();

        EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toInt(), objects);
        EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM Char_Info")).toInt(), 1);
        const QString key = program.window->currentKey();
        const Lookup lookups[] = {{"DemeanorNature", "DemNat", "DemNat_ID", "Nature"},
                                  {"DemeanorNature", "DemNat", "DemNat_ID", "Demeanor"},
                                  {"Clan", "Clan", "Clan_ID", "Clan"},
                                  {"Concept", "Concept", "Concept_ID", "Concept"},
                                  {"HumanityPath", "Path", "Path_ID", "Path"}};
        for (const Lookup& l : lookups)
            EXPECT_EQ(database
                          .scalar(QStringLiteral("SELECT t.%1 FROM Char_Info c JOIN %2 t ON t.%3 = c.%4 WHERE "
                                                 "c.Char_ID = ?")
                                      .arg(QLatin1String(l.column), QLatin1String(l.table), QLatin1String(l.key),
                                           QLatin1String(l.charColumn)),
                                  {key})
                          .toString(),
                      name)
                << l.charColumn;
        EXPECT_EQ(database.scalar(QStringLiteral("SELECT count(*) FROM Clan WHERE Clan = ?"), {name}).toInt(), 1);
        for (const char* column : {"Name", "player", "Chronicle", "Haven"})
            EXPECT_EQ(database.scalar(QStringLiteral("SELECT %1 FROM Char_Info").arg(QLatin1String(column))).toString(),
                      name)
                << column;
        EXPECT_EQ(database
                      .scalar(QStringLiteral("SELECT d.Discipline FROM Discipline_Link l JOIN Discipline_LookUp d "
                                             "USING (Discipline_ID) WHERE l.Char_ID = ? ORDER BY l.rowid LIMIT 1"),
                              {key})
                      .toString(),
                  name);

        // Switching by that name finds the character and shows every name as typed.
        ASSERT_TRUE(sheet::mdlSwitch::SwitchCharacter(*program.global, ui, name)) << program.shown().toStdString();
        EXPECT_EQ(program.window->currentKey(), key);
        for (QLabel* label : {ui.lblChar, ui.lblPlayer, ui.lblChronicle, ui.lblHaven, ui.lblNature, ui.lblDemeanor,
                              ui.lblClan, ui.lblConcept, ui.lblHumanity, ui.lblDisc[0], ui.lblBack[0]})
            EXPECT_EQ(label->text(), name) << label->objectName().toStdString();
        EXPECT_EQ(listEntries(ui.lstChar), QStringList{name});
    }
}
