#include "SheetFixture.h"

namespace {

// Typed into the combos of edit mode as a user types, a name is stored as typed, also when a
// listed name begins with it; a listed name in other letter case is that entry, and Return does
// not list it twice.
TEST_F(SheetTest, TypedNamesAreStoredAsTyped) {
    for (const char* sql :
         {"INSERT INTO DemeanorNature (DemNat) VALUES ('Wayfarer')", "INSERT INTO Clan (Clan) VALUES ('Corvane')",
          "INSERT INTO Concept (Concept) VALUES ('Oathkeeper')",
          "INSERT INTO HumanityPath (Path) VALUES ('Path of the Lantern')",
          "INSERT INTO Discipline_LookUp (Discipline) VALUES ('Glasswalk')",
          "INSERT INTO BackGround_LookUp (BackGround) VALUES ('Old Debts')"})
        temp.exec(sql);
    character("Mira");
    open();
    ASSERT_TRUE(shownActive());
    menu("mnuEdit");
    const std::pair<const char*, const char*> typed[] = {
        {"cmbNature", "Way"},         {"cmbDemeanor", "wayfarer"},      {"cmbClan", "Cor"},
        {"cmbConcept", "Oath"},       {"cmbHumanity", "Path of the L"}, {"cmbDisciplines(0)", "Glass"},
        {"cmbBackGrounds(0)", "Old"},
    };
    for (const auto& [name, text] : typed) {
        auto* combo = get<QComboBox>(name);
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), text);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo->currentText(), text) << name;
    }
    EXPECT_EQ(items("cmbDemeanor"), (QStringList{"", "Unknown", "Wayfarer"}));
    menu("mnuBrowse");

    // The sheet shows the names as saved: "wayfarer" is the listed Wayfarer. How the store matches
    // and adds names is the character store's test (SaveAddsNewNamesOnceAndRefusesACharacterThatIsGone).
    EXPECT_EQ(values("lblNature|lblDemeanor|lblClan|lblConcept|lblHumanity|lblDisc(0)|lblBack(0)"),
              "Way|Wayfarer|Cor|Oath|Path of the L|Glass|Old");
}

} // namespace
