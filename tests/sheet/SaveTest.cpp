#include "SheetFixture.h"

#include "db/DbError.h"
#include "sheet/mdlUpdateDate.h"

namespace {

class SaveTest : public SheetTest {
protected:
    qint64 key = 0;

    void openOn(const QString& assignments = {}) {
        key = character("Mirela", "Ann", assignments);
        open();
        show("Mirela");
    }
    void save() { sheet::mdlUpdateDate::UpdateData(*global, ui()); }
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
        for (const QString& table : db::schema::tableNames() + QStringList{"sqlite_sequence"})
            for (auto rs = global->database->OpenRecordset("SELECT * FROM " + table); !rs->atEOF(); rs->MoveNext())
                for (int c = 0; c < rs->fieldCount(); ++c)
                    all += table + (rs->Fields(c).isNull() ? "<null>" : rs->Fields(c).toString()) + '|';
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
    ui().txtChar->setText("Mirela Voss");
    ui().txtPlayer->setText("Bea");
    ui().txtChronicle->setText("Ashes");
    ui().txtHaven->setText("Old mill");
    ui().cmbNature->setEditText("Bravo");
    ui().cmbDemeanor->setEditText("bravo"); // names compare without regard to case
    ui().cmbClan->setEditText("Corvane");
    ui().cmbConcept->setEditText("Street Poet");
    ui().cmbHumanity->setEditText("Path of the Lantern");
    ui().lblGen->setText("9");
    ui().lblExpGiven->setText("24");
    ui().lblExpSpent->setText("17.5");
    for (size_t i = 0; i < ui().PBAtt.size(); ++i)
        ui().PBAtt[i]->setTag(QString::number(i + 1));
    for (size_t j = 0; j < ui().PBAbil.size(); ++j)
        ui().PBAbil[j]->setTag(QString::number(j % 11));
    ui().PBAbil[29]->setTag(" 4"); // as the advantage click writes it
    for (int v : {14, 15, 16})
        ui().PBAdv[size_t(v)]->setTag(QString::number(v - 11));
    ui().cmbConscience->setCurrentText("Conviction");
    ui().cmbSelfControl->setCurrentText("Self-Control");
    ui().pbHum->setTag("7");
    ui().pbWill->setTag("6");
    ui().PBCurWill->setTag("2");
    for (size_t i = 0; i < 7; ++i) {
        ui().HealthBox[i]->setState(QString("2312113").mid(int(i), 1).toInt());
        if (i < 5)
            ui().PBBP[i]->setTag(QString("10 10 3 0 0").section(' ', int(i), int(i)));
    }
    save();

    const QString expected =
        QStringLiteral("Name=Mirela Voss|player=Bea|Chronicle=Ashes|Haven=Old mill|Nature=%1|Demeanor=%1|Clan=%2|"
                       "Concept=%3|Generation=9|ExperienceGiven=24|ExperienceSpent=17.5|Conscience=3|SelfControl=4|"
                       "Courage=5|Conscience_Conviction=2|SelfControl_Instinct=1|Path=%4|Humanity=7|WillPower=6|"
                       "Cur_WillPower=2|BloodPool=23")
            .arg(bravo)
            .arg(clan)
            .arg(poet)
            .arg(lantern);
    for (const QString& pair : expected.split('|'))
        EXPECT_EQ(pair.section('=', 0, 0) + '=' + column(pair.section('=', 0, 0)).toString(), pair);
    for (size_t t = 0; t < db::schema::kTraitCount; ++t) {
        const int want = t < 9 ? int(t) + 1 : t == 38 ? 4 : int(t - 9) % 11;
        EXPECT_EQ(column(db::schema::kTraitColumns[t]).toInt(), want) << db::schema::kTraitColumns[t];
    }
    EXPECT_EQ(storedHealth(key), "2312113");
}

TEST_F(SaveTest, NewNamesWithApostrophesAreAddedOnceAndListedOnceInTheirOwnCombo) {
    openOn();
    // Lists other than the three that gain a name.
    const auto unchanged = [](QStringList lists) {
        lists.removeIf([](const QString& list) {
            return list.startsWith("cmbNature=") || list.startsWith("cmbClan=") || list.startsWith("cmbConcept=");
        });
        return lists;
    };
    const QStringList before = comboLists();
    ui().cmbNature->setEditText("Devil's Advocate");
    ui().cmbDemeanor->setEditText("Devil's Advocate"); // added by the nature step, found by this one
    ui().cmbClan->setEditText("Keeper's Kin");
    ui().cmbConcept->setEditText("O'Brien's Heir");
    ui().cmbDisciplines[0]->setEditText("Warden's Sight");
    ui().cmbBackGrounds[1]->setEditText("Mother's Debt");
    ui().PBAdv[8]->setTag("2");
    ui().cmbHumanity->setEditText("Path of the Lamp's Eye");
    for (int round = 0; round < 2; ++round) {
        save();
        const std::tuple<const char*, const char*, const char*, const char*> grown[] = {
            {"Nature", "DemeanorNature", "DemNat", "Devil's Advocate"},
            {"Demeanor", "DemeanorNature", "DemNat", "Devil's Advocate"},
            {"Clan", "Clan", "Clan", "Keeper's Kin"},
            {"Concept", "Concept", "Concept", "O'Brien's Heir"},
            {"Path", "HumanityPath", "Path", "Path of the Lamp's Eye"}};
        for (const auto& [name, table, nameColumn, text] : grown) {
            const QString where = QStringLiteral(" FROM %1 WHERE %2 = %3").arg(table, nameColumn, db::sqlText(text));
            EXPECT_EQ(stored("SELECT count(*)" + where).toInt(), 1) << table;
            EXPECT_EQ(column(name), stored("SELECT rowid" + where)) << name;
        }
        EXPECT_EQ(links("Discipline"), "Warden's Sight 0");
        EXPECT_EQ(links("BackGround"), "Mother's Debt 2");
        EXPECT_EQ(items("cmbNature"), (QStringList{"", "Unknown", "Devil's Advocate"}));
        EXPECT_EQ(items("cmbClan"), (QStringList{"", "Unknown", "Keeper's Kin"}));
        EXPECT_EQ(items("cmbConcept"), (QStringList{"", "Unknown", "O'Brien's Heir"}));
        EXPECT_EQ(unchanged(comboLists()), unchanged(before));
    }
}

TEST_F(SaveTest, SlotsRewrittenInSlotOrderEmptyCombosKeepTheirColumnsEmptyHumanityIsAPath) {
    const qint64 clan = lookup("Clan", "Clan", "Corvane");
    lookup("Discipline_LookUp", "Discipline", "Bloodsong");
    lookup("Discipline_LookUp", "Discipline", "Whisperlore");
    lookup("BackGround_LookUp", "BackGround", "Allies");
    const qint64 other = character("Teodor", "Bea");
    openOn(QStringLiteral("Clan = %1, Path = 77, Generation = NULL").arg(clan));
    for (QComboBox* combo : {ui().cmbNature, ui().cmbDemeanor, ui().cmbClan, ui().cmbConcept, ui().cmbHumanity})
        combo->setEditText(QString());
    global->database->Execute(
        QStringLiteral("INSERT INTO Discipline_Link VALUES (%1, 1, 3), (%1, 2, 0), (%2, 1, 5)").arg(key).arg(other));
    global->database->Execute(QStringLiteral("INSERT INTO BackGround_Link VALUES (%1, 1, 4)").arg(key));
    ui().cmbDisciplines[0]->setEditText("Whisperlore");
    ui().PBAdv[0]->setTag("2");
    ui().PBAdv[1]->setTag("5"); // dots without a name make no row
    ui().cmbDisciplines[2]->setEditText("Bloodsong");
    ui().PBAdv[2]->setTag(" 4");
    ui().cmbBackGrounds[3]->setEditText("Allies");
    ui().PBAdv[10]->setTag("1");
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

TEST_F(SaveTest, FailedSaveKeepsNothingAndListsNoNewNameAndAMissingKeyWritesNothing) {
    openOn("Strength = 2");
    global->database->Execute(QStringLiteral("DELETE FROM Health WHERE Char_ID = %1").arg(key));
    // The last statement of the save fails, after every other one has run.
    global->database->Execute("CREATE TRIGGER no_health BEFORE INSERT ON Health "
                              "BEGIN SELECT RAISE(ABORT, 'health is locked'); END");
    const QString before = snapshot();
    const QStringList lists = comboLists();
    ui().txtChar->setText("Renamed");
    ui().cmbNature->setEditText("Devil's Advocate");
    ui().cmbClan->setEditText("Keeper's Kin");
    ui().cmbDisciplines[0]->setEditText("Warden's Sight");
    ui().cmbHumanity->setEditText("New Path");
    ui().PBAtt[0]->setTag("5");
    ui().HealthBox[0]->setState(3);
    EXPECT_THROW(save(), db::DbError);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(comboLists(), lists);

    // Without a usable key nothing is written either.
    global->database->Execute("DROP TRIGGER no_health");
    const std::pair<QString, bool> keys[] = {
        {"", false}, {QString::number(key) + " or 1=1", true}, {QString::number(key + 100), true}};
    for (const auto& [text, fails] : keys) {
        ui().lblChar_ID->setText(text);
        if (fails)
            EXPECT_THROW(save(), db::DbError) << text.toStdString();
        else
            EXPECT_NO_THROW(save());
    }
    EXPECT_EQ(snapshot(), before);

    // With its key the same sheet saves; a missing Health row is made.
    ui().lblChar_ID->setText(QString::number(key));
    save();
    EXPECT_EQ(column("Name"), "Renamed");
    EXPECT_EQ(column("Strength"), 5);
    EXPECT_EQ(storedHealth(key), "3111111");
    EXPECT_EQ(items("cmbClan"), (QStringList{"", "Unknown", "Keeper's Kin"}));
}

} // namespace
