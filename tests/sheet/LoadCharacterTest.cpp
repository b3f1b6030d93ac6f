#include "SheetFixture.h"

#include "ratings/HealthBox.h"

#include <QTest>

namespace {

class LoadTest : public SheetTest {
protected:
    // A character with every kind of value set; returns its key.
    qint64 fullCharacter() {
        const qint64 nature = lookup("DemeanorNature", "DemNat", "Architect");
        const qint64 demeanor = lookup("DemeanorNature", "DemNat", "Bravo");
        const qint64 clan = lookup("Clan", "Clan", "Corvane");
        const qint64 conceptKey = lookup("Concept", "Concept", "Street Poet");
        lookup("HumanityPath", "Path", "Humanity");
        const qint64 path = lookup("HumanityPath", "Path", "Path of the Lantern");
        const qint64 key = character(
            "Mirela", "Ann",
            QStringLiteral("Chronicle = 'Ashes', Haven = 'Old mill', Generation = 9, Nature = %1, Demeanor = %2, "
                           "Clan = %3, Concept = %4, Path = %5, ExperienceGiven = 24, ExperienceSpent = 17.5, "
                           "Strength = 3, Dexterity = 10, Wits = 12, Alertness = 1, Occult = 4, Science = 5, "
                           "Strength_Spec = 'Wrestling', Occult_Spec = 'Blood rites', Science_Spec = NULL, "
                           "Conscience = 3, Conscience_Conviction = 1, SelfControl = 4, SelfControl_Instinct = 2, "
                           "Courage = 5, Humanity = 7, WillPower = 6, Cur_WillPower = 4, BloodPool = 23")
                .arg(nature)
                .arg(demeanor)
                .arg(clan)
                .arg(conceptKey)
                .arg(path));
        temp.exec(QStringLiteral("UPDATE Health SET Health0 = 1, Health1 = 2, Health2 = 3, Health3 = NULL, "
                                 "Health4 = 7 WHERE Char_ID = %1")
                      .arg(key));
        const qint64 allies = lookup("MeritFlaw_LookUp", "MeritFlaw", "Allies");
        const qint64 sleeper = lookup("MeritFlaw_LookUp", "MeritFlaw", "Light Sleeper");
        temp.exec(QStringLiteral("INSERT INTO MeritFlaw_Link (Char_ID, MeritFlaw_ID, Points) VALUES "
                                 "(%1, %2, 3), (%1, %3, -1)")
                      .arg(key)
                      .arg(allies)
                      .arg(sleeper));
        return key;
    }

    // Link rows for a character: {lookup name, level} in insertion order.
    void links(qint64 key, const char* link, const char* table, const char* column,
               const std::vector<std::pair<QString, int>>& rows) {
        for (const auto& [name, level] : rows) {
            const qint64 id = lookup(table, column, name);
            temp.exec(QStringLiteral("INSERT INTO %1 VALUES (%2, %3, %4)")
                          .arg(QLatin1String(link))
                          .arg(key)
                          .arg(id)
                          .arg(level));
        }
    }
};

TEST_F(LoadTest, FirstCharacterFillsLabelsEditControlsRatingsAndLists) {
    const qint64 key = fullCharacter();
    open();
    EXPECT_EQ(window->currentKey(), QString::number(key));

    const std::pair<const char*, const char*> labels[] = {{"lblChar", "Mirela"},
                                                          {"lblPlayer", "Ann"},
                                                          {"lblChronicle", "Ashes"},
                                                          {"lblNature", "Architect"},
                                                          {"lblDemeanor", "Bravo"},
                                                          {"lblClan", "Corvane"},
                                                          {"lblGen", "9"},
                                                          {"lblHaven", "Old mill"},
                                                          {"lblConcept", "Street Poet"},
                                                          {"lblExpGiven", "24"},
                                                          {"lblExpSpent", "17.5"},
                                                          {"lblExpRemaining", "6.5"},
                                                          {"lblConscience", "Conscience"},
                                                          {"lblSelfControl", "Instinct"},
                                                          {"lblHumanity", "Path of the Lantern"},
                                                          {"lblMaxBP", "14"},
                                                          {"lblPTBP", "2"}};
    for (auto [name, expected] : labels)
        EXPECT_EQ(text(name), expected) << name;
    EXPECT_EQ(get<QLineEdit>("txtChar")->text(), "Mirela");
    EXPECT_EQ(get<QLineEdit>("txtHaven")->text(), "Old mill");
    EXPECT_EQ(get<QComboBox>("cmbNature")->currentText(), "Architect");
    EXPECT_EQ(get<QComboBox>("cmbNature")->currentIndex(), items("cmbNature").indexOf("Architect"));
    EXPECT_EQ(get<QComboBox>("cmbDemeanor")->currentText(), "Bravo");
    EXPECT_EQ(get<QComboBox>("cmbConcept")->currentText(), "Street Poet");
    EXPECT_EQ(get<QComboBox>("cmbHumanity")->currentText(), "Path of the Lantern");

    // Tags keep what is stored; a value above 10 shows the fullest picture.
    const std::tuple<const char*, const char*, const char*> ratings[] = {
        {"PBAtt(0)", "3", "CHECK03.bmp"},   {"PBAtt(1)", "10", "CHECK10.bmp"}, {"PBAtt(8)", "12", "CHECK10.bmp"},
        {"PBAtt(4)", "0", "CHECK00.bmp"},   {"PBAbil(0)", "1", "CHECK01.bmp"}, {"PBAbil(27)", "4", "CHECK04.bmp"},
        {"PBAbil(29)", "5", "CHECK05.bmp"}, {"PBAdv(14)", "3", "CHECK03.bmp"}, {"PBAdv(15)", "4", "CHECK04.bmp"},
        {"PBAdv(16)", "5", "CHECK05.bmp"},  {"pbHum", "7", "CHECK07.bmp"},     {"pbWill", "6", "CHECK06.bmp"},
        {"PBCurWill", "4", "BOX04.bmp"},    {"PBBP(0)", "10", "BOX10.bmp"},    {"PBBP(1)", "10", "BOX10.bmp"},
        {"PBBP(2)", "3", "BOX03.bmp"},      {"PBBP(3)", "0", "BOX00.bmp"},     {"PBBP(4)", "0", "BOX00.bmp"}};
    for (auto [row, value, file] : ratings) {
        EXPECT_EQ(tag(row), value) << row;
        EXPECT_EQ(picture(row).toUpper(), QString(file).toUpper()) << row;
    }

    // Specialties by position: attribute 0, ability 27 (Occult), ability 29 (Science, Null).
    EXPECT_EQ(get<QLabel>("lblAttributes(0)")->toolTip(), "Wrestling");
    EXPECT_EQ(get<QLabel>("lblAbilities(27)")->toolTip(), "Blood rites");
    EXPECT_EQ(get<QLabel>("lblAbilities(29)")->toolTip(), "");
    EXPECT_EQ(get<QLabel>("lblAttributes(1)")->toolTip(), "");

    // Health: 1, 2, 3, Null, 7, default 1, default 1.
    const int states[] = {1, 2, 3, 1, 1, 1, 1};
    for (int i = 0; i < 7; ++i) {
        auto* box = get<ratings::HealthBox>(indexed("HealthBox", i));
        EXPECT_EQ(box->state(), states[i]) << i;
        EXPECT_TRUE(box->isEnabled());
    }

    EXPECT_EQ(items("lstMerit"), (QStringList{"Allies 3", "Light Sleeper -1"}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(LoadTest, NullColumnsShowTheirNullTextsAndVirtueVariantsFollowTheirCodes) {
    character("Plain", "NPC",
              "player = NULL, Chronicle = NULL, Haven = NULL, Generation = NULL, ExperienceGiven = 12, "
              "ExperienceSpent = NULL, Conscience_Conviction = 0, SelfControl_Instinct = 1, Path = 99");
    character("Second", "Ann", "Conscience_Conviction = 2, SelfControl_Instinct = NULL, ExperienceGiven = NULL");
    open();
    for (const char* name : {"lblPlayer", "lblChronicle", "lblHaven", "lblGen", "lblHumanity"})
        EXPECT_EQ(text(name), "") << name;
    EXPECT_EQ(text("lblExpGiven"), "12");
    EXPECT_EQ(text("lblExpSpent"), "0");
    EXPECT_EQ(text("lblExpRemaining"), "0");
    EXPECT_EQ(text("lblConscience"), "Conviction");
    EXPECT_EQ(text("lblSelfControl"), "Self-Control");
    EXPECT_EQ(get<QLineEdit>("txtPlayer")->text(), "");
    EXPECT_EQ(get<QComboBox>("cmbHumanity")->currentText(), ""); // Path matches no row
    EXPECT_EQ(text("lblNature"), "Unknown");

    show("Second");
    EXPECT_EQ(text("lblChar"), "Second");
    EXPECT_EQ(text("lblConscience"), "Conviction");
    EXPECT_EQ(text("lblSelfControl"), "Instinct");
    EXPECT_EQ(text("lblExpGiven"), "0");
    EXPECT_EQ(text("lblExpRemaining"), "0");
}

TEST_F(LoadTest, OnlyTheFirstSevenLinksAreExaminedAndLevelZeroTakesNoSlot) {
    const qint64 key = character("Mira", "Ann");
    links(key, "Discipline_Link", "Discipline_LookUp", "Discipline",
          {{"D1", 3}, {"Zero", 0}, {"D3", 2}, {"D4", 1}, {"D5", 4}, {"D6", 2}, {"D7", 5}, {"D8", 1}, {"D9", 2}});
    links(key, "BackGround_Link", "BackGround_LookUp", "BackGround", {{"Allies", 2}, {"Herd", 0}, {"Resources", 10}});
    character("Bare", "Ann");
    open();

    const QStringList names = {"D1", "D3", "D4", "D5", "D6", "D7"};
    const QStringList levels = {"3", "2", "1", "4", "2", "5"};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(text(indexed("lblDisc", k)), names[k]);
        EXPECT_EQ(tag(indexed("PBAdv", k)), levels[k]);
        EXPECT_FALSE(hidden(indexed("PBAdv", k))) << k;
    }
    EXPECT_EQ(text("lblDisc(6)"), "");
    EXPECT_TRUE(hidden("PBAdv(6)"));
    EXPECT_EQ(tag("PBAdv(6)"), "0");

    EXPECT_EQ(text("lblBack(0)"), "Allies");
    EXPECT_EQ(tag("PBAdv(7)"), "2");
    EXPECT_EQ(text("lblBack(1)"), "Resources");
    EXPECT_EQ(tag("PBAdv(8)"), "10");
    for (int k = 2; k < 7; ++k) {
        EXPECT_EQ(text(indexed("lblBack", k)), "");
        EXPECT_TRUE(hidden(indexed("PBAdv", 7 + k)));
    }

    // No links at all: fourteen empty names, fourteen hidden rows at "0"; the virtues stay shown.
    show("Bare");
    for (int row = 0; row < 14; ++row) {
        EXPECT_TRUE(hidden(indexed("PBAdv", row))) << row;
        EXPECT_EQ(tag(indexed("PBAdv", row)), "0") << row;
        EXPECT_EQ(picture(indexed("PBAdv", row)).toUpper(), "CHECK00.BMP");
    }
    for (int k = 0; k < 7; ++k)
        EXPECT_TRUE(text(indexed("lblDisc", k)).isEmpty() && text(indexed("lblBack", k)).isEmpty()) << k;
    for (int row = 14; row < 17; ++row)
        EXPECT_FALSE(hidden(indexed("PBAdv", row)));
}

TEST_F(LoadTest, GenerationSetsMaximumAndPerTurnOrLeavesThemAlone) {
    const std::tuple<const char*, const char*, const char*> table[] = {
        {"3", "??", "??"}, {"4", "50", "10"}, {"8", "15", "3"}, {"10", "13", "1"}, {"13", "10", "1"}};
    for (auto [generation, max, perTurn] : table)
        character(QStringLiteral("Gen %1").arg(generation), "Ann", QStringLiteral("Generation = %1").arg(generation));
    for (const char* odd : {"14", "2", "NULL", "9.5", "'abc'"})
        character(QStringLiteral("Odd %1").arg(odd), "Ann", QStringLiteral("Generation = %1").arg(odd));
    open();
    for (auto [generation, max, perTurn] : table) {
        show(QStringLiteral("Gen %1").arg(generation));
        EXPECT_EQ(text("lblGen"), generation);
        EXPECT_EQ(text("lblMaxBP"), max) << generation;
        EXPECT_EQ(text("lblPTBP"), perTurn) << generation;
    }
    // Generation 13 was the last shown: its values stay.
    for (const char* odd : {"14", "2", "NULL", "9.5", "'abc'"}) {
        show(QStringLiteral("Odd %1").arg(odd));
        EXPECT_EQ(text("lblMaxBP"), "10") << odd;
        EXPECT_EQ(text("lblPTBP"), "1") << odd;
    }
    EXPECT_EQ(text("lblGen"), "abc");
}

TEST_F(LoadTest, HealthClicksAreStoredAtOnceInBrowseMode) {
    const qint64 key = character("Mira", "Ann");
    open();
    ASSERT_FALSE(global->editMode);
    auto* box = get<ratings::HealthBox>("HealthBox(4)");
    QTest::mouseClick(box, Qt::LeftButton);
    const auto stored = [&](int level) {
        return global->database
            ->scalar(QStringLiteral("SELECT Health%1 FROM Health WHERE Char_ID = %2").arg(level).arg(key))
            .toInt();
    };
    EXPECT_EQ(stored(4), 2);
    for (int level : {0, 1, 2, 3, 5, 6})
        EXPECT_EQ(stored(level), 1) << level;
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(stored(4), 3);
    QTest::mouseDClick(box, Qt::LeftButton);
    EXPECT_EQ(box->state(), 1);
    EXPECT_EQ(stored(4), 1);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(LoadTest, EmptyDatabaseShowsAnEmptySheetWhatWasShownBefore) {
    fullCharacter();
    open();
    global->database->Execute("DELETE FROM Char_Info");
    show("nobody");
    EXPECT_EQ(window->currentKey(), "");
    for (const char* name : {"lblChar", "lblNature", "lblGen", "lblHumanity", "lblMaxBP", "lblDisc(0)", "lblBack(0)"})
        EXPECT_EQ(text(name), "") << name;
    for (const char* name : {"lblExpGiven", "lblExpSpent", "lblExpRemaining"})
        EXPECT_EQ(text(name), "0") << name;
    EXPECT_EQ(get<QLineEdit>("txtChar")->text(), "");
    EXPECT_EQ(get<QComboBox>("cmbNature")->currentText(), "");
    for (const char* row : {"PBAtt(0)", "PBAbil(27)", "PBAdv(16)", "pbHum", "pbWill", "PBCurWill", "PBBP(0)"})
        EXPECT_EQ(tag(row), "0") << row;
    EXPECT_TRUE(hidden("PBAdv(0)"));
    EXPECT_EQ(get<QLabel>("lblAttributes(0)")->toolTip(), "");
    EXPECT_TRUE(items("lstMerit").isEmpty());
    for (int i = 0; i < 7; ++i) {
        auto* box = get<ratings::HealthBox>(indexed("HealthBox", i));
        EXPECT_EQ(box->state(), 1);
        EXPECT_FALSE(box->isEnabled());
    }
    QTest::mouseClick(get<QWidget>("HealthBox(2)"), Qt::LeftButton);
    EXPECT_EQ(get<ratings::HealthBox>("HealthBox(2)")->state(), 1);
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(LoadTest, DatabaseWithoutCharactersOpensEmpty) {
    open();
    EXPECT_EQ(window->currentKey(), "");
    EXPECT_EQ(text("lblChar"), "");
    EXPECT_EQ(tag("PBAtt(3)"), "0");
    EXPECT_FALSE(get<QWidget>("HealthBox(0)")->isEnabled());
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
