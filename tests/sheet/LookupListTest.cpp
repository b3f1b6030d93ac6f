#include "SheetFixture.h"

#include "sheet/LookupLists.h"

namespace {

TEST_F(SheetTest, LookupListsBeginBlankThenFollowTheSortColumn) {
    character("Mira", "Ann");
    for (const char* name : {"Loner", "architect", "Bravo"})
        lookup("DemeanorNature", "DemNat", name);
    for (const char* name : {"Whisperlore", "Bloodsong"})
        lookup("Discipline_LookUp", "Discipline", name);
    lookup("BackGround_LookUp", "BackGround", "Allies");
    lookup("HumanityPath", "Path", "Humanity");
    lookup("Concept", "Concept", "O'Brien's Kin");
    open();

    // The starter rows are named "Unknown"; text compares ignore case.
    const QStringList natures = {"", "architect", "Bravo", "Loner", "Unknown"};
    EXPECT_EQ(items("cmbNature"), natures);
    EXPECT_EQ(items("cmbDemeanor"), natures);
    EXPECT_EQ(items("cmbClan"), (QStringList{"", "Unknown"}));
    EXPECT_EQ(items("cmbConcept"), (QStringList{"", "O'Brien's Kin", "Unknown"}));
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(items(indexed("cmbDisciplines", k)), (QStringList{"", "Bloodsong", "Whisperlore"}));
        EXPECT_EQ(items(indexed("cmbBackGrounds", k)), (QStringList{"", "Allies"}));
    }
    EXPECT_EQ(items("cmbHumanity"), (QStringList{"", "Humanity"}));
}

TEST_F(SheetTest, EmptyLookupTableLeavesOnlyTheBlankEntryAndRefillingReplaces) {
    open(); // no character, empty discipline table
    EXPECT_EQ(items("cmbDisciplines(0)"), QStringList{""});
    EXPECT_EQ(items("cmbHumanity"), QStringList{""});
    EXPECT_TRUE(services.messages.empty());

    global->database->Execute("INSERT INTO Clan (Clan) VALUES ('Corvane')");
    sheet::FillLookupList(*global, window->ui(), "Clan", 3);
    sheet::FillLookupList(*global, window->ui(), "Clan", 3);
    EXPECT_EQ(items("cmbClan"), (QStringList{"", "Corvane", "Unknown"}));
    EXPECT_NO_THROW(sheet::FillLookupList(*global, window->ui(), "Clan", 2)); // no such list: nothing
    EXPECT_EQ(items("cmbClan"), (QStringList{"", "Corvane", "Unknown"}));
}

} // namespace
