#include "SheetFixture.h"

namespace {

TEST_F(SheetTest, FirstCharacterFillsLabelsEditControlsRatingsSpecialtiesHealthAndMerits) {
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
    temp.exec("UPDATE Health SET Health0 = 1, Health1 = 2, Health2 = 3, Health3 = NULL, Health4 = 7");
    temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link (Char_ID, MeritFlaw_ID, Points) SELECT %1, rowid, "
                             "CASE MeritFlaw WHEN 'Allies' THEN 3 ELSE -1 END FROM MeritFlaw_LookUp")
                  .arg(key));
    open();
    EXPECT_EQ(window->currentKey(), QString::number(key));
    EXPECT_EQ(texts({"lblChar", "lblPlayer", "lblChronicle", "lblNature", "lblDemeanor", "lblClan", "lblGen",
                     "lblHaven", "lblConcept", "lblExpGiven", "lblExpSpent", "lblExpRemaining", "lblConscience",
                     "lblSelfControl", "lblHumanity", "lblMaxBP", "lblPTBP"}),
              (QStringList{"Mirela", "Ann", "Ashes", "Architect", "Bravo", "Corvane", "9", "Old mill", "Street Poet",
                           "24", "17.5", "6.5", "Conscience", "Instinct", "Path of the Lantern", "14", "2"}));
    EXPECT_EQ(ui().txtHaven->text(), "Old mill");
    EXPECT_EQ(ui().cmbNature->currentIndex(), items("cmbNature").indexOf("Architect"));
    EXPECT_EQ(ui().cmbHumanity->currentText(), "Path of the Lantern");

    // Tags keep what is stored; a value above 10 shows the fullest picture.
    const std::tuple<const char*, const char*, const char*> ratings[] = {
        {"PBAtt(0)", "3", "CHECK03"},   {"PBAtt(8)", "12", "CHECK10"}, {"PBAbil(27)", "4", "CHECK04"},
        {"PBAbil(29)", "5", "CHECK05"}, {"PBAdv(16)", "5", "CHECK05"}, {"pbHum", "7", "CHECK07"},
        {"pbWill", "6", "CHECK06"},     {"PBCurWill", "4", "BOX04"},   {"PBBP(2)", "3", "BOX03"}};
    for (auto [row, value, file] : ratings) {
        EXPECT_EQ(tag(row), value) << row;
        EXPECT_EQ(get<ratings::DotRow>(row)->pictureName().toUpper(), QString(file) + ".BMP") << row;
    }
    // Specialties by position: attribute 0, ability 27 (Occult), ability 29 (Science, Null).
    EXPECT_EQ(ui().lblAttributes[0]->toolTip(), "Wrestling");
    EXPECT_EQ(ui().lblAbilities[27]->toolTip(), "Blood rites");
    EXPECT_EQ(ui().lblAbilities[29]->toolTip(), "");
    EXPECT_EQ(health(), "1231111");
    EXPECT_EQ(items("lstMerit"), (QStringList{"Allies 3", "Light Sleeper -1"}));

    // The database emptied under the sheet: nothing of Mirela stays on show.
    global->database->Execute("DELETE FROM Char_Info");
    show("nobody");
    EXPECT_EQ(window->currentKey(), "");
    EXPECT_EQ(texts({"lblChar", "lblNature", "lblGen", "lblHumanity", "lblMaxBP", "lblExpGiven", "lblExpRemaining"}),
              (QStringList{"", "", "", "", "", "0", "0"}));
    EXPECT_EQ(ui().txtChar->text() + ui().cmbNature->currentText() + ui().lblAttributes[0]->toolTip(), "");
    EXPECT_EQ(tag("PBAtt(0)") + tag("pbHum") + tag("PBCurWill") + tag("PBBP(0)"), "0000");
    EXPECT_TRUE(items("lstMerit").isEmpty());
    EXPECT_EQ(health(), "1111111");
    QTest::mouseClick(ui().HealthBox[2], Qt::LeftButton);
    EXPECT_EQ(health(), "1111111");
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(SheetTest, NullColumnsShowTheirNullTextsAndVirtueVariantsFollowTheirCodes) {
    character("Plain", "NPC",
              "player = NULL, Chronicle = NULL, Haven = NULL, Generation = NULL, ExperienceGiven = 12, "
              "ExperienceSpent = NULL, Conscience_Conviction = 0, SelfControl_Instinct = 1, Path = 99");
    character("Second", "Ann", "Conscience_Conviction = 2, SelfControl_Instinct = NULL, ExperienceGiven = NULL");
    open();
    EXPECT_EQ(texts({"lblPlayer", "lblChronicle", "lblHaven", "lblGen", "lblHumanity", "lblExpGiven", "lblExpSpent",
                     "lblExpRemaining", "lblConscience", "lblSelfControl", "lblNature"}),
              (QStringList{"", "", "", "", "", "12", "0", "0", "Conviction", "Self-Control", "Unknown"}));
    EXPECT_EQ(ui().cmbHumanity->currentText(), ""); // Path matches no row
    show("Second");
    EXPECT_EQ(texts({"lblChar", "lblConscience", "lblSelfControl", "lblExpGiven", "lblExpRemaining"}),
              (QStringList{"Second", "Conviction", "Instinct", "0", "0"}));
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
    QStringList shown;
    for (int row = 0; row < 14; ++row)
        shown << text(indexed(row < 7 ? "lblDisc" : "lblBack", row % 7)) + ' ' + tag(indexed("PBAdv", row)) +
                     (hidden(indexed("PBAdv", row)) ? " hidden" : "");
    EXPECT_EQ(shown, (QStringList{"D1 3", "D3 2", "D4 1", "D5 4", "D6 2", "D7 5", " 0 hidden", "Allies 2",
                                  "Resources 10", " 0 hidden", " 0 hidden", " 0 hidden", " 0 hidden", " 0 hidden"}));

    // No links at all: every name empty, every row hidden at "0"; the virtues stay shown.
    show("Bare");
    for (int row = 0; row < 17; ++row) {
        EXPECT_EQ(hidden(indexed("PBAdv", row)), row < 14) << row;
        if (row < 14) {
            EXPECT_EQ(text(indexed(row < 7 ? "lblDisc" : "lblBack", row % 7)) + tag(indexed("PBAdv", row)), "0");
        }
    }
}

TEST_F(SheetTest, GenerationSetsMaximumAndPerTurnOrLeavesThemAlone) {
    const std::tuple<const char*, const char*> table[] = {
        {"3", "?? ??"}, {"4", "50 10"}, {"8", "15 3"}, {"10", "13 1"}, {"13", "10 1"}};
    const char* odd[] = {"14", "2", "NULL", "9.5", "'abc'"};
    for (auto [generation, bloodPool] : table)
        character(QStringLiteral("Gen %1").arg(generation), "Ann", QStringLiteral("Generation = %1").arg(generation));
    for (const char* generation : odd)
        character(QStringLiteral("Odd %1").arg(generation), "Ann", QStringLiteral("Generation = %1").arg(generation));
    open();
    for (auto [generation, bloodPool] : table) {
        show(QStringLiteral("Gen %1").arg(generation));
        EXPECT_EQ(texts({"lblGen", "lblMaxBP", "lblPTBP"}).join(' '), QString("%1 %2").arg(generation, bloodPool));
    }
    // Generation 13 was the last shown: its values stay.
    for (const char* generation : odd) {
        show(QStringLiteral("Odd %1").arg(generation));
        EXPECT_EQ(texts({"lblMaxBP", "lblPTBP"}).join(' '), "10 1") << generation;
    }
    EXPECT_EQ(text("lblGen"), "abc");
}

TEST_F(SheetTest, HealthClicksAreStoredAtOnceInBrowseMode) {
    const qint64 key = character("Mira", "Ann");
    open();
    ASSERT_FALSE(global->editMode);
    auto* box = ui().HealthBox[4];
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(storedHealth(key), "1111211");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(storedHealth(key), "1111311");
    QTest::mouseDClick(box, Qt::LeftButton);
    EXPECT_EQ(storedHealth(key), "1111111");
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
