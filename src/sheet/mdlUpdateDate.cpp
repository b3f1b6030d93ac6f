#include "sheet/mdlUpdateDate.h"

#include "model/Numbers.h"
#include "app/mdlGlobal.h"
#include "db/DbError.h"
#include "store/Schema.h"
#include "db/Sql.h"
#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"
#include "ratings/mdlConvertions.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlLoadData.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <utility>
#include <vector>

namespace sheet::mdlUpdateDate {

namespace {

// How one lookup table is searched by name: the row query, and the key query run after a new
// name has been added.
struct Lookup {
    const char* byName;   // followed by the quoted name
    const char* keyQuery; // followed by the quoted name
    const char* nameColumn;
    const char* keyColumn;
};

const Lookup kNature = {"Select * from DemeanorNature where DemNat = ",
                        "Select DemNat_ID from DemeanorNature where DemNat = ", "DemNat", "DemNat_ID"};
const Lookup kDemeanor = {"Select * from DemeanorNature where DemNat = ",
                          "Select DemNat_id from DemeanorNature where DemNat = ", "DemNat", "DemNat_ID"};
const Lookup kConcept = {"Select * from concept where concept = ", "Select concept_id from concept where concept = ",
                         "Concept", "Concept_ID"};
const Lookup kClan = {"Select * from Clan where Clan= ", "Select Clan_id from Clan where Clan= ", "Clan", "Clan_ID"};
const Lookup kDiscipline = {"select * from discipline_lookup where discipline = ",
                            "select discipline_ID from discipline_lookup where discipline = ", "Discipline",
                            "Discipline_ID"};
const Lookup kBackground = {"select * from BackGround_lookup where BackGround = ",
                            "select BackGround_ID from BackGround_lookup where BackGround = ", "BackGround",
                            "BackGround_ID"};
const Lookup kHumanityPath = {
    "Select * from HumanityPath where Path = ", "Select * from HumanityPath where Path = ", "Path", "Path_ID"};

struct Found {
    QVariant key;
    bool added = false;
};

// The key of the first row named `name`; a name the table lacks is added first.
Found lookupKey(db::Database& database, const Lookup& lookup, const QString& name) {
    const QString quoted = db::sqlText(name);
    auto rs = database.OpenRecordset(QLatin1String(lookup.byName) + quoted);
    Found found;
    if (rs->atEOF()) {
        rs->AddNew();
        rs->setField(QLatin1String(lookup.nameColumn), name);
        rs->Update();
        rs->Close();
        rs = database.OpenRecordset(QLatin1String(lookup.keyQuery) + quoted);
        found.added = true;
    }
    found.key = rs->Fields(QLatin1String(lookup.keyColumn));
    rs->Close();
    return found;
}

int16_t rating(const ratings::DotRow* row) {
    return numbers::leadingInt16(row->Tag());
}

// A number read from a caption; a blank caption is no number and stores Null, so a generation or
// an experience figure that was never set stays unset instead of becoming 0.
QVariant captionNumber(const QLabel* label) {
    if (label->text().trimmed().isEmpty())
        return QVariant();
    return numbers::leadingNumber(label->text());
}

// Deletes the character's rows of a link table and adds one per slot whose combo names something,
// in slot order, with the level of that slot's dot row.
void rewriteLinks(db::Database& database, const SheetControls& ui, qint64 key, const QString& linkQuery,
                  const Lookup& lookup, const std::array<QComboBox*, model::catalogue::kSlotCount>& combos, int firstRow) {
    auto links = database.OpenRecordset(linkQuery + QString::number(key));
    while (!links->atEOF()) {
        links->Delete();
        links->MoveFirst();
    }
    for (int slot = 0; slot < model::catalogue::kSlotCount; ++slot) {
        const QString name = combos[size_t(slot)]->currentText();
        if (name.isEmpty())
            continue;
        const QVariant id = lookupKey(database, lookup, name).key;
        links->AddNew();
        links->setField(QStringLiteral("Char_ID"), key);
        links->setField(QLatin1String(lookup.keyColumn), id);
        links->setField(QStringLiteral("Level"), rating(ui.PBAdv[size_t(firstRow + slot)]));
        links->Update();
    }
    links->Close();
}

// Health0..Health6 are the second to eighth columns of the row. A character without a Health row
// gets one, so the track the user marked is kept rather than dropped.
void writeHealth(db::Database& database, const SheetControls& ui, qint64 key) {
    auto rs = database.OpenRecordset(QStringLiteral("Select * from health where char_ID = ") + QString::number(key));
    if (rs->atEOF()) {
        rs->AddNew();
        rs->setField(QStringLiteral("Char_ID"), key);
    } else {
        rs->Edit();
    }
    for (int i = 0; i < model::catalogue::kHealthCount; ++i)
        rs->setField(i + 1, ui.HealthBox[size_t(i)]->state());
    rs->Update();
    rs->Close();
}

} // namespace

void UpdateData(app::mdlGlobal& global, const SheetControls& ui) {
    const QString keyText = ui.lblChar_ID->text();
    if (keyText.trimmed().isEmpty())
        return; // no character shown
    const std::optional<qint64> id = mdlLoadData::characterKey(ui);
    if (!id)
        throw db::DbError(QStringLiteral("The character key \"%1\" is not a number; nothing was saved.").arg(keyText));
    if (!global.isConnected())
        throw db::DbError(QStringLiteral("The database is closed; nothing was saved."));
    const qint64 key = *id;
    db::Database& database = *global.database;

    // Names new to a lookup table go into their combo's list only once the save has committed, so
    // a failed save leaves the lists as they were.
    std::vector<std::pair<QComboBox*, QString>> appended;

    db::Transaction transaction(database);

    auto main =
        database.OpenRecordset(QStringLiteral("Select * from Char_Info where char_ID = ") + QString::number(key));
    if (main->atEOF())
        throw db::DbError(
            QStringLiteral("The character with key %1 is no longer in the database; nothing was saved.").arg(key));
    main->Edit();
    main->setField(QStringLiteral("Name"), ui.txtChar->text());
    main->setField(QStringLiteral("player"), ui.txtPlayer->text());
    main->setField(QStringLiteral("Chronicle"), ui.txtChronicle->text());

    // An empty combo leaves its column as it is.
    struct IdentityChoice {
        QComboBox* combo;
        const Lookup& lookup;
        const char* column;
    };
    const IdentityChoice identity[] = {{ui.cmbNature, kNature, "Nature"},
                                       {ui.cmbDemeanor, kDemeanor, "Demeanor"},
                                       {ui.cmbConcept, kConcept, "Concept"},
                                       {ui.cmbClan, kClan, "Clan"}};
    for (const auto& [combo, lookup, column] : identity) {
        const QString name = combo->currentText();
        if (name.isEmpty())
            continue;
        const Found found = lookupKey(database, lookup, name);
        if (found.added)
            appended.emplace_back(combo, name);
        main->setField(QLatin1String(column), found.key);
    }

    main->setField(QStringLiteral("Generation"), captionNumber(ui.lblGen));
    main->setField(QStringLiteral("Haven"), ui.txtHaven->text());
    main->setField(QStringLiteral("ExperienceGiven"), captionNumber(ui.lblExpGiven));
    main->setField(QStringLiteral("ExperienceSpent"), captionNumber(ui.lblExpSpent));

    for (const model::catalogue::Trait& trait : model::catalogue::attributes())
        main->setField(QLatin1String(trait.column), rating(ui.PBAtt[size_t(trait.index)]));
    for (const model::catalogue::Trait& trait : model::catalogue::abilities())
        main->setField(QLatin1String(trait.column), rating(ui.PBAbil[size_t(trait.index)]));

    rewriteLinks(database, ui, key, QStringLiteral("Select * from Discipline_Link where char_id = "), kDiscipline,
                 ui.cmbDisciplines, model::catalogue::disciplineRow(0));
    rewriteLinks(database, ui, key, QStringLiteral("Select * from background_link where char_id = "), kBackground,
                 ui.cmbBackGrounds, model::catalogue::backgroundRow(0));

    // The variant is the first one only when its combo reads exactly that name.
    QComboBox* const choosers[] = {ui.cmbConscience, ui.cmbSelfControl, nullptr};
    for (size_t v = 0; v < model::catalogue::kVirtues.size(); ++v) {
        const model::catalogue::Virtue& virtue = model::catalogue::kVirtues[v];
        main->setField(QLatin1String(virtue.column), rating(ui.PBAdv[size_t(virtue.row)]));
        if (choosers[v])
            main->setField(QLatin1String(virtue.choiceColumn),
                           choosers[v]->currentText() == QLatin1String(virtue.first) ? 1 : 2);
    }

    // Always, also for an empty name: the character then follows the path named ''.
    main->setField(QStringLiteral("Path"), lookupKey(database, kHumanityPath, ui.cmbHumanity->currentText()).key);

    main->setField(QStringLiteral("Humanity"), rating(ui.pbHum));
    main->setField(QStringLiteral("WillPower"), rating(ui.pbWill));
    main->setField(QStringLiteral("Cur_WillPower"), rating(ui.PBCurWill));
    main->setField(QStringLiteral("BloodPool"), ratings::mdlConvertions::Get_BloodPool(ui.PBBP));
    main->Update();
    main->Close();

    writeHealth(database, ui, key);

    transaction.commit();

    for (const auto& [combo, name] : appended)
        combo->addItem(name);
}

} // namespace sheet::mdlUpdateDate
