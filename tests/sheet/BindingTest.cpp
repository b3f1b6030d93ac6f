#include "SheetFixture.h"

#include "sheet/SheetBinding.h"

namespace {

// A different value in every field the sheet shows; ratings beyond their rows must survive too.
model::Character everyField() {
    model::Character c{.key = 42,
                       .name = "Mirela",
                       .player = "Ann",
                       .chronicle = "Ashes",
                       .nature = "Architect",
                       .demeanor = "Bravo",
                       .clan = "Corvane",
                       .conceptName = "O'Brien's Kin",
                       .haven = "Old mill",
                       .generation = 9,
                       .humanityPath = "Path of the Lantern",
                       .humanity = 7,
                       .willpower = 6,
                       .currentWillpower = 4,
                       .bloodPool = 57,
                       .health = {1, 2, 3, 1, 1, 1, 2},
                       .experienceGiven = 24,
                       .experienceSpent = 17.5,
                       .merits = {{"Allies 3", 1}, {"Light Sleeper -1", 2}}};
    for (size_t t = 0; t < c.traits.size(); ++t)
        c.traits[t] = int16_t(t % 12);
    c.specialties[0] = "Wrestling";
    c.specialties[38] = "Optics";
    c.disciplines[0] = {"Whisperlore", 3};
    c.disciplines[6] = {"Bloodsong", 0};
    c.backgrounds[1] = {"Allies", 2};
    c.virtues = {{{3, false}, {4, true}, {5, true}}};
    return c;
}

TEST_F(SheetTest, BindingShowsEachFieldInItsControlsReadsTheEditsBackAndClears) {
    open();
    const model::Character c = everyField();
    sheet::binding::show(ui(), c);
    EXPECT_EQ(values("lblChar_ID|lblChar|lblPlayer|lblChronicle|lblNature|lblDemeanor|lblClan|lblGen|lblHaven|"
                     "lblConcept|lblHumanity|lblMaxBP|lblPTBP|lblExpGiven|lblExpSpent|lblExpRemaining|lblConscience|"
                     "lblSelfControl|lblDisc(0)|lblDisc(6)|lblBack(1)"),
              "42|Mirela|Ann|Ashes|Architect|Bravo|Corvane|9|Old mill|O'Brien's Kin|Path of the Lantern|14|2|24|"
              "17.5|6.5|Conviction|Self-Control|Whisperlore|Bloodsong|Allies");
    EXPECT_EQ(values("txtChar|txtPlayer|txtChronicle|txtHaven|cmbNature|cmbDemeanor|cmbClan|cmbConcept|"
                     "cmbHumanity|cmbDisciplines(0)|cmbBackGrounds(1)|cmbConscience|cmbSelfControl"),
              "Mirela|Ann|Ashes|Old mill|Architect|Bravo|Corvane|O'Brien's Kin|Path of the Lantern|Whisperlore|"
              "Allies|Conviction|Self-Control");
    EXPECT_EQ(values("PBAtt(0)|PBAtt(8)|PBAbil(2)|PBAbil(29)|PBAdv(0)|PBAdv(6)|PBAdv(8)|PBAdv(14)|PBAdv(16)|"
                     "pbHum|pbWill|PBCurWill|PBBP(0)|PBBP(4)"),
              "0|8|11|2|3|0|2|3|5|7|6|4|10|17");
    EXPECT_EQ(ui().lblAttributes[0]->toolTip() + '|' + ui().lblAbilities[29]->toolTip(), "Wrestling|Optics");
    EXPECT_EQ(health(), "1231112");
    EXPECT_EQ(items("lstMerit"), (QStringList{"Allies 3", "Light Sleeper -1"}));

    // Read from the widgets alone; the rest comes from the character shown.
    model::Character fromWidgets = c;
    fromWidgets.key = 0;
    fromWidgets.generation.reset();
    fromWidgets.experienceGiven.reset();
    fromWidgets.experienceSpent.reset();
    fromWidgets.specialties = {};
    fromWidgets.merits.clear();
    EXPECT_TRUE(sheet::binding::read(ui(), {}) == fromWidgets);

    // The blood pool spreads over its five rows and sums back, also out of range.
    const std::pair<int16_t, const char*> pools[] = {
        {0, "0|0|0|0|0"}, {23, "10|10|3|0|0"}, {50, "10|10|10|10|10"}, {-4, "-4|0|0|0|0"}};
    for (auto [total, rows] : pools) {
        sheet::binding::showBloodPool(ui(), total);
        EXPECT_EQ(values("PBBP(0)|PBBP(1)|PBBP(2)|PBBP(3)|PBBP(4)"), rows);
        EXPECT_EQ(sheet::binding::read(ui(), {}).bloodPool, total);
    }

    // A generation off the table leaves the figures of the one shown before.
    const std::pair<std::optional<double>, const char*> generations[] = {
        {8, "8|15|3"}, {14, "14|15|3"}, {2, "2|15|3"}, {9.5, "9.5|15|3"}, {std::nullopt, "|15|3"}};
    for (auto [generation, shown] : generations) {
        model::Character g;
        g.generation = generation;
        sheet::binding::showGeneration(ui(), g);
        EXPECT_EQ(values("lblGen|lblMaxBP|lblPTBP"), shown);
    }

    sheet::binding::clear(ui());
    EXPECT_EQ(values("lblChar_ID|lblChar|lblNature|lblGen|lblHumanity|lblMaxBP|lblPTBP|lblExpGiven|lblExpRemaining|"
                     "lblDisc(0)|txtChar|cmbNature|cmbDisciplines(0)|PBAtt(0)|PBAdv(0)|pbHum|PBCurWill|PBBP(0)"),
              "|||||||0|0|||||0|0|0|0|0");
    EXPECT_EQ(ui().lblAttributes[0]->toolTip(), "");
    EXPECT_TRUE(items("lstMerit").isEmpty());
    EXPECT_EQ(health(), "1111111");
    EXPECT_FALSE(enabled("HealthBox(0)"));
}

} // namespace
