#include "model/TraitCatalogue.h"
#include "SheetFixture.h"

#include "db/DbError.h"

namespace {

class SaveTest : public SheetTest {
protected:
    qint64 key = 0;

    void openOn(const QString& assignments = {}) {
        key = character("Mirela", "Ann", assignments);
        open();
        show("Mirela");
        window->sheet().enterEditMode();
    }
    // Leaves edit mode, which saves; then edits again, as a user would after each save.
    bool save() {
        const bool saved = window->sheet().leaveEditMode();
        window->sheet().enterEditMode();
        return saved;
    }
    QVariant column(const QString& name) { return SheetTest::column(key, name); }
    // The character's link rows as "name level", in row order.
    QString links(const QString& kind) {
        return stored(QStringLiteral("SELECT group_concat(n, ', ') FROM (SELECT c.%2 || ' ' || b.Level AS n FROM "
                                     "%2_Link b, %2_LookUp c WHERE c.%2_ID = b.%2_ID AND b.Char_ID = %1 "
                                     "ORDER BY b.rowid)")
                          .arg(key)
                          .arg(kind))
            .toString();
    }
    // Every row of every table and the counters: a failed save must leave exactly this.
    QString snapshot() {
        QString all;
        for (const QString& table : store::schema::tableNames() + QStringList{"sqlite_sequence"})
            all += table + '\n' + rowTexts(*session->database, "SELECT * FROM " + table).join('\n') + '\n';
        return all;
    }
    QStringList comboLists() {
        QStringList result;
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            result << combo->objectName() + '=' + items(combo->objectName()).join(',');
        return result;
    }
};

TEST_F(SaveTest, EveryFieldGroupReachesItsColumns) {
    const qint64 bravo = lookup("DemeanorNature", "DemNat", "Bravo");
    const qint64 clan = lookup("Clan", "Clan", "Corvane");
    const qint64 poet = lookup("Concept", "Concept", "Street Poet");
    const qint64 lantern = lookup("HumanityPath", "Path", "Path of the Lantern");
    openOn("Generation = 12");
    for (size_t i = 0; i < ui().PBAtt.size(); ++i)
        ui().PBAtt[i]->setValue(int(i) + 1);
    for (size_t j = 0; j < ui().PBAbil.size(); ++j)
        ui().PBAbil[j]->setValue(int(j % 11));
    model::Character& shown = window->sheet().character(); // the figures the buttons and clicks change
    shown.generation = 9;
    shown.experienceGiven = 24;
    shown.experienceSpent = 17.5;
    // Names compare without regard to case; " 4" is how the advantage click writes a tag.
    set("txtChar=Mirela Voss|txtPlayer=Bea|txtChronicle=Ashes|txtHaven=Old mill|cmbNature=Bravo|cmbDemeanor=bravo|"
        "cmbClan=Corvane|cmbConcept=Street Poet|cmbHumanity=Path of the Lantern|PBAbil(29)= 4|"
        "PBAdv(14)=3|PBAdv(15)=4|PBAdv(16)=5|cmbConscience=Conviction|"
        "cmbSelfControl=Self-Control|pbHum=7|pbWill=6|PBCurWill=2|PBBP(0)=10|PBBP(1)=10|PBBP(2)=3|HealthBox(0)=2|"
        "HealthBox(1)=3|HealthBox(3)=2|HealthBox(6)=3");
    save();

    const QString expected =
        QStringLiteral("Name=Mirela Voss|player=Bea|Chronicle=Ashes|Haven=Old mill|Nature=%1|Demeanor=%1|Clan=%2|"
                       "Concept=%3|Generation=9|ExperienceGiven=24|ExperienceSpent=17.5|Conscience=3|SelfControl=4|"
                       "Courage=5|Conscience_Conviction=2|SelfControl_Instinct=1|Path=%4|Humanity=7|WillPower=6|"
                       "Cur_WillPower=2|BloodPool=23")
            .arg(QString::number(bravo), QString::number(clan), QString::number(poet), QString::number(lantern));
    for (const QString& pair : expected.split('|'))
        EXPECT_EQ(pair.section('=', 0, 0) + '=' + column(pair.section('=', 0, 0)).toString(), pair);
    for (size_t t = 0; t < model::catalogue::kTraitCount; ++t) {
        const int want = t < 9 ? int(t) + 1 : t == 38 ? 4 : int(t - 9) % 11;
        EXPECT_EQ(column(model::catalogue::kTraitColumns[t]).toInt(), want) << model::catalogue::kTraitColumns[t];
    }
    EXPECT_EQ(storedHealth(key), "2312113");
}

TEST_F(SaveTest, SlotsRewrittenInSlotOrderEmptyCombosKeepTheirColumnsEmptyHumanityIsAPath) {
    const qint64 clan = lookup("Clan", "Clan", "Corvane");
    lookup("Discipline_LookUp", "Discipline", "Bloodsong");
    lookup("Discipline_LookUp", "Discipline", "Whisperlore");
    lookup("BackGround_LookUp", "BackGround", "Allies");
    const qint64 other = character("Teodor", "Bea");
    openOn(QStringLiteral("Clan = %1, Path = 77, Generation = NULL").arg(clan));
    session->database->Execute(
        QStringLiteral("INSERT INTO Discipline_Link VALUES (%1, 1, 3), (%1, 2, 0), (%2, 1, 5)").arg(key).arg(other));
    session->database->Execute(QStringLiteral("INSERT INTO BackGround_Link VALUES (%1, 1, 4)").arg(key));
    // Dots without a name (slot 1) make no row.
    set("cmbNature=|cmbDemeanor=|cmbClan=|cmbConcept=|cmbHumanity=|cmbDisciplines(0)=Whisperlore|PBAdv(0)=2|"
        "PBAdv(1)=5|cmbDisciplines(2)=Bloodsong|PBAdv(2)= 4|cmbBackGrounds(3)=Allies|PBAdv(10)=1");
    save();
    save();
    EXPECT_EQ(links("Discipline"), "Whisperlore 2, Bloodsong 4");
    EXPECT_EQ(links("BackGround"), "Allies 1");
    EXPECT_EQ(rows("Discipline_Link", other), 1);
    EXPECT_EQ(column("Clan").toLongLong(), clan);
    EXPECT_EQ(column("Nature").toInt() + column("Demeanor").toInt() + column("Concept").toInt(), 3);
    EXPECT_EQ(stored("SELECT count(*) FROM HumanityPath WHERE Path = ''").toInt(), 1);
    EXPECT_EQ(column("Path"), stored("SELECT Path_ID FROM HumanityPath WHERE Path = ''"));
    EXPECT_TRUE(column("Generation").isNull()); // the blank caption of a generation never set
}

TEST_F(SaveTest, FailedSaveKeepsAndListsNothingThenNewNamesAreAddedAndListedOnceInTheirOwnCombo) {
    openOn("Strength = 2");
    session->database->Execute(QStringLiteral("DELETE FROM Health WHERE Char_ID = %1").arg(key));
    // The last statement of the save fails, after every other one has run.
    session->database->Execute("CREATE TRIGGER no_health BEFORE INSERT ON Health "
                              "BEGIN SELECT RAISE(ABORT, 'health is locked'); END");
    const QString before = snapshot();
    const QStringList lists = comboLists();
    // Demeanor: added by the nature step, found by its own.
    set("txtChar=Renamed|cmbNature=Devil's Advocate|cmbDemeanor=Devil's Advocate|cmbClan=Keeper's Kin|"
        "cmbConcept=O'Brien's Heir|cmbDisciplines(0)=Warden's Sight|cmbBackGrounds(1)=Mother's Debt|PBAdv(8)=2|"
        "cmbHumanity=Path of the Lamp's Eye|PBAtt(0)=5|HealthBox(0)=3");
    EXPECT_FALSE(save());
    EXPECT_TRUE(services.lastMessage().startsWith("The changes to Mirela could not be saved; the sheet stays in edit "
                                                  "mode.\n\nhealth is locked"))
        << services.lastMessage().toStdString();
    EXPECT_TRUE(session->editMode);
    EXPECT_EQ(ui().lblChar->text(), "Mirela");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(comboLists(), lists);

    // Then the same sheet saves, twice over; the missing Health row is made.
    session->database->Execute("DROP TRIGGER no_health");
    EXPECT_TRUE(save());
    EXPECT_TRUE(save());
    EXPECT_EQ(column("Name"), "Renamed");
    EXPECT_EQ(column("Strength"), 5);
    EXPECT_EQ(storedHealth(key), "3111111");
    EXPECT_EQ(links("Discipline"), "Warden's Sight 0");
    EXPECT_EQ(links("BackGround"), "Mother's Debt 2");
    const std::tuple<const char*, const char*, const char*, const char*, QString> grown[] = {
        {"Nature", "DemeanorNature", "DemNat", "Devil's Advocate", "cmbNature"},
        {"Demeanor", "DemeanorNature", "DemNat", "Devil's Advocate", ""},
        {"Clan", "Clan", "Clan", "Keeper's Kin", "cmbClan"},
        {"Concept", "Concept", "Concept", "O'Brien's Heir", "cmbConcept"},
        {"Path", "HumanityPath", "Path", "Path of the Lamp's Eye", ""}};
    QStringList after = comboLists(), unchanged = lists;
    for (const auto& [name, table, nameColumn, text, combo] : grown) {
        const QString where = QStringLiteral(" FROM %1 WHERE %2 = %3").arg(table, nameColumn, db::sqlText(text));
        EXPECT_EQ(stored("SELECT count(*)" + where).toInt(), 1) << table;
        EXPECT_EQ(column(name), stored("SELECT rowid" + where)) << name;
        if (combo.isEmpty())
            continue;
        EXPECT_EQ(items(combo), (QStringList{"", "Unknown", text}));
        for (QStringList* all : {&after, &unchanged})
            all->removeIf([&](const QString& list) { return list.startsWith(combo + '='); });
    }
    EXPECT_EQ(after, unchanged); // the other lists
}

} // namespace
