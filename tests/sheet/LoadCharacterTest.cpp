#include "SheetFixture.h"

namespace {

TEST_F(SheetTest, CharacterFillsLabelsEditorsRatingsSpecialtiesHealthAndMeritsNullsShowTheirNullTexts) {
    const auto id = [this](const char* table, const char* column, const char* name) {
        return QString::number(lookup(table, column, name));
    };
    const QString nature = id("DemeanorNature", "DemNat", "Architect"),
                  demeanor = id("DemeanorNature", "DemNat", "Bravo");
    const QString clan = id("Clan", "Clan", "Corvane"), conceptKey = id("Concept", "Concept", "Street Poet");
    lookup("HumanityPath", "Path", "Humanity");
    const QString path = id("HumanityPath", "Path", "Path of the Lantern");
    const qint64 key = character(
        "Mirela", "Ann",
        QStringLiteral("Chronicle = 'Ashes', Haven = 'Old mill', Generation = 9, Nature = %1, Demeanor = %2, "
                       "Clan = %3, Concept = %4, Path = %5, ExperienceGiven = 24, ExperienceSpent = 17.5, "
                       "Strength = 3, Dexterity = 10, Wits = 12, Alertness = 1, Occult = 4, Science = 5, "
                       "Strength_Spec = 'Wrestling', Occult_Spec = 'Blood rites', Science_Spec = NULL, "
                       "Conscience = 3, Conscience_Conviction = 1, SelfControl = 4, SelfControl_Instinct = 2, "
                       "Courage = 5, Humanity = 7, WillPower = 6, Cur_WillPower = 4, BloodPool = 23")
            .arg(nature, demeanor, clan, conceptKey, path));
    lookup("MeritFlaw_LookUp", "MeritFlaw", "Allies");
    lookup("MeritFlaw_LookUp", "MeritFlaw", "Light Sleeper");
    temp.exec("UPDATE Health SET Health0 = 1, Health1 = 2, Health2 = 3");
    temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link (Char_ID, MeritFlaw_ID, Points) SELECT %1, rowid, "
                             "CASE MeritFlaw WHEN 'Allies' THEN 3 ELSE -1 END FROM MeritFlaw_LookUp")
                  .arg(key));
    character("Plain", "NPC",
              "player = NULL, Chronicle = NULL, Haven = NULL, Generation = NULL, ExperienceGiven = 12, "
              "ExperienceSpent = NULL, Conscience_Conviction = 0, SelfControl_Instinct = 1, Path = 99");
    character("Second", "Ann", "Conscience_Conviction = 2, SelfControl_Instinct = NULL, ExperienceGiven = NULL");
    open();
    EXPECT_EQ(ui().lblChar_ID->text(), QString::number(key));
    EXPECT_EQ(
        values("lblChar|lblPlayer|lblChronicle|lblNature|lblDemeanor|lblClan|lblGen|lblHaven|lblConcept|"
               "lblExpGiven|lblExpSpent|lblExpRemaining|lblConscience|lblSelfControl|lblHumanity|lblMaxBP|lblPTBP|"
               "txtHaven|cmbHumanity"),
        "Mirela|Ann|Ashes|Architect|Bravo|Corvane|9|Old mill|Street Poet|24|17.5|6.5|Conscience|Instinct|"
        "Path of the Lantern|14|2|Old mill|Path of the Lantern");
    EXPECT_EQ(ui().cmbNature->currentIndex(), items("cmbNature").indexOf("Architect"));
    // Tags keep what is stored; a value above 10 shows the fullest picture.
    const QString ratings = "PBAtt(0)|PBAtt(8)|PBAbil(27)|PBAbil(29)|PBAdv(16)|pbHum|pbWill|PBCurWill|PBBP(2)";
    EXPECT_EQ(values(ratings), "3|12|4|5|5|7|6|4|3");
    QStringList pictures;
    for (const QString& row : ratings.split('|'))
        pictures << get<ratings::DotRow>(row)->pictureName().toUpper();
    EXPECT_EQ(pictures.join(' '), "CHECK03.BMP CHECK10.BMP CHECK04.BMP CHECK05.BMP CHECK05.BMP CHECK07.BMP "
                                  "CHECK06.BMP BOX04.BMP BOX03.BMP");
    // Specialties by position: attribute 0, ability 27 (Occult), ability 29 (Science, Null).
    EXPECT_EQ(ui().lblAttributes[0]->toolTip(), "Wrestling");
    EXPECT_EQ(ui().lblAbilities[27]->toolTip(), "Blood rites");
    EXPECT_EQ(ui().lblAbilities[29]->toolTip(), "");
    EXPECT_EQ(health(), "1231111");
    EXPECT_EQ(items("lstMerit"), (QStringList{"Allies 3", "Light Sleeper -1"}));

    show("Plain"); // Path matches no row
    EXPECT_EQ(values("lblPlayer|lblChronicle|lblHaven|lblGen|lblHumanity|cmbHumanity|lblExpGiven|lblExpSpent|"
                     "lblExpRemaining|lblConscience|lblSelfControl|lblNature"),
              "||||||12|0|0|Conviction|Self-Control|Unknown");
    show("Second");
    EXPECT_EQ(values("lblChar|lblConscience|lblSelfControl|lblExpGiven|lblExpRemaining"),
              "Second|Conviction|Instinct|0|0");

    // The database emptied under the sheet: nothing of a character stays on show.
    show("Mirela");
    session->database->Execute("DELETE FROM Char_Info");
    window->sheet().showNone();
    EXPECT_EQ(ui().lblChar_ID->text(), "");
    EXPECT_EQ(values("lblChar|lblNature|lblGen|lblHumanity|lblMaxBP|lblExpGiven|lblExpRemaining|txtChar|cmbNature|"
                     "PBAtt(0)|pbHum|PBCurWill|PBBP(0)"),
              "|||||0|0|||0|0|0|0");
    EXPECT_EQ(ui().lblAttributes[0]->toolTip(), "");
    EXPECT_TRUE(items("lstMerit").isEmpty());
    EXPECT_EQ(health(), "1111111");
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(SheetTest, OnlyTheFirstSevenLinksAreExaminedAndLevelZeroTakesNoSlot) {
    const qint64 key = character("Mira", "Ann");
    const auto links = [&](const char* link, const char* table, const char* column, const QStringList& rows) {
        for (const QString& row : rows)
            temp.exec(QStringLiteral("INSERT INTO %1 VALUES (%2, %3, %4)")
                          .arg(QLatin1String(link))
                          .arg(key)
                          .arg(lookup(table, column, row.section(' ', 0, 0)))
                          .arg(row.section(' ', 1)));
    };
    links("Discipline_Link", "Discipline_LookUp", "Discipline",
          {"D1 3", "Zero 0", "D3 2", "D4 1", "D5 4", "D6 2", "D7 5", "D8 1", "D9 2"});
    links("BackGround_Link", "BackGround_LookUp", "BackGround", {"Allies 2", "Herd 0", "Resources 10"});
    character("Bare", "Ann");
    open();
    const auto slots = [&] {
        QStringList shown;
        for (int row = 0; row < 14; ++row)
            shown << values(indexed(row < 7 ? "lblDisc" : "lblBack", row % 7) + '|' + indexed("PBAdv", row)) +
                         (hidden(indexed("PBAdv", row)) ? " hidden" : "");
        return shown.join(' ');
    };
    EXPECT_EQ(slots(), "D1|3 D3|2 D4|1 D5|4 D6|2 D7|5 |0 hidden Allies|2 Resources|10 |0 hidden |0 hidden |0 hidden "
                       "|0 hidden |0 hidden");
    // No links at all: every name empty, every row hidden at "0"; the virtues stay shown.
    show("Bare");
    EXPECT_EQ(slots(), QStringList(14, QStringLiteral("|0 hidden")).join(' '));
    EXPECT_FALSE(hidden("PBAdv(14)") || hidden("PBAdv(15)") || hidden("PBAdv(16)"));
}

TEST_F(SheetTest, GenerationSetsMaximumAndPerTurnOrLeavesThemAlone) {
    // A generation off the table leaves the figures of the one shown before.
    const std::pair<const char*, const char*> table[] = {{"3", "??|??"},  {"8", "15|3"},    {"13", "10|1"},
                                                         {"14", "10|1"},  {"2", "10|1"},    {"NULL", "10|1"},
                                                         {"9.5", "10|1"}, {"'abc'", "10|1"}};
    for (auto [generation, pool] : table)
        character(QStringLiteral("Gen %1").arg(generation), "Ann", QStringLiteral("Generation = %1").arg(generation));
    open();
    for (auto [generation, pool] : table) {
        show(QStringLiteral("Gen %1").arg(generation));
        EXPECT_EQ(values("lblMaxBP|lblPTBP"), pool) << generation;
    }
    EXPECT_EQ(values("lblGen"), "0"); // a text that is no number shows the number it reads as
}

} // namespace
