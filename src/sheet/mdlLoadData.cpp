#include "sheet/mdlLoadData.h"

#include "model/Numbers.h"
#include "app/mdlGlobal.h"
#include "db/Recordset.h"
#include "merits/MeritList.h"
#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"
#include "ratings/HealthTrack.h"
#include "ratings/mdlConvertions.h"
#include "sheet/SheetControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace sheet::mdlLoadData {

using namespace ratings::mdlConvertions;

namespace {

// A column's value as the sheet shows it: numbers in plain decimal form, Null as nullText.
QString fieldText(const QVariant& value, const QString& nullText = {}) {
    if (value.isNull())
        return nullText;
    if (value.typeId() == QMetaType::Double)
        return numbers::plainText(value.toDouble());
    return value.toString();
}

// A rating column as a whole number (ratings carry defaults, so Null reads as 0).
int16_t rating(const QVariant& value) {
    return numbers::toInt16Clamped(value.toDouble());
}

// Sets the text of an editable combo box, selecting the matching entry when the list holds one.
void setComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    combo->setEditText(text);
}

QVariant field(app::mdlGlobal& global, const QString& name) {
    return global.characterRecordset->Fields(name);
}

bool hasCharacter(app::mdlGlobal& global, const SheetControls& ui) {
    return global.isConnected() && global.characterRecordset && !global.characterRecordset->atEOF() &&
           characterKey(ui).has_value();
}

QString keyText(const SheetControls& ui) {
    return QString::number(characterKey(ui).value_or(0));
}

// The rows of one kind of advantage: the first seven links are examined in the order returned,
// each with a level above 0 taking the next slot; the slots left over are emptied and their
// dots hidden.
void loadSlots(app::mdlGlobal& global, const SheetControls& ui, const QString& sql, const QString& nameColumn,
               const std::array<QLabel*, model::catalogue::kSlotCount>& labels, int firstRow) {
    for (int k = 0; k < model::catalogue::kSlotCount; ++k)
        Set_AdvDots(global, *ui.PBAdv[size_t(firstRow + k)], 0);
    auto rs = global.database->OpenRecordset(sql);
    const int examined = std::min(rs->RecordCount(), model::catalogue::kSlotCount);
    int slot = 0;
    for (int i = 0; i < examined && !rs->atEOF(); ++i, rs->MoveNext()) {
        const QVariant level = rs->Fields(QStringLiteral("Level"));
        if (!(level.toDouble() > 0))
            continue; // takes no slot
        ratings::DotRow* row = ui.PBAdv[size_t(firstRow + slot)];
        Set_AdvDots(global, *row, rating(level));
        labels[size_t(slot)]->setText(fieldText(rs->Fields(nameColumn)));
        labels[size_t(slot)]->setVisible(true);
        row->setVisible(true);
        ++slot;
    }
    rs->Close();
    for (; slot < model::catalogue::kSlotCount; ++slot) {
        labels[size_t(slot)]->setText(QString());
        ui.PBAdv[size_t(firstRow + slot)]->setVisible(false);
    }
}

void setVirtues(app::mdlGlobal& global, const SheetControls& ui, bool fromRecordset) {
    QLabel* const captions[] = {ui.lblConscience, ui.lblSelfControl, ui.lblCourage};
    for (size_t v = 0; v < model::catalogue::kVirtues.size(); ++v) {
        const model::catalogue::Virtue& virtue = model::catalogue::kVirtues[v];
        if (*virtue.choiceColumn) {
            const QVariant choice = fromRecordset ? field(global, QLatin1String(virtue.choiceColumn)) : QVariant(1);
            const bool first = !choice.isNull() && choice.toDouble() == 1;
            captions[v]->setText(QLatin1String(first ? virtue.first : virtue.second));
        }
        const int16_t value = fromRecordset ? rating(field(global, QLatin1String(virtue.column))) : 0;
        Set_AdvDots(global, *ui.PBAdv[size_t(virtue.row)], value);
    }
}

void setHealthEnabled(const SheetControls& ui, bool enabled) {
    for (ratings::HealthBox* box : ui.HealthBox)
        box->setEnabled(enabled);
}

} // namespace

std::optional<qint64> characterKey(const SheetControls& ui) {
    return app::characterKey(ui.lblChar_ID->text());
}

void LoadCharacter(app::mdlGlobal& global, const SheetControls& ui) {
    if (!hasCharacter(global, ui)) {
        clearSheet(global, ui);
        return;
    }
    const db::Recordset& rs = *global.characterRecordset;

    // Identity labels, then the experience figures.
    const std::array<QLabel*, model::catalogue::kIdentityCount> labels = {ui.lblChar,   ui.lblPlayer,   ui.lblChronicle,
                                                                   ui.lblNature, ui.lblDemeanor, ui.lblClan,
                                                                   ui.lblGen,    ui.lblHaven,    ui.lblConcept};
    for (size_t i = 0; i < labels.size(); ++i) {
        const model::catalogue::IdentityField& f = model::catalogue::kIdentity[i];
        labels[i]->setText(fieldText(rs.Fields(QLatin1String(f.column)), QLatin1String(f.nullText)));
    }
    const QVariant given = rs.Fields(QStringLiteral("ExperienceGiven"));
    const QVariant spent = rs.Fields(QStringLiteral("ExperienceSpent"));
    ui.lblExpGiven->setText(fieldText(given, QStringLiteral("0")));
    ui.lblExpSpent->setText(fieldText(spent, QStringLiteral("0")));
    ui.lblExpRemaining->setText(given.isNull() || spent.isNull()
                                    ? QStringLiteral("0")
                                    : numbers::plainText(numbers::leadingNumber(ui.lblExpGiven->text()) -
                                                         numbers::leadingNumber(ui.lblExpSpent->text())));

    // The edit controls start from what the labels show.
    ui.txtChar->setText(ui.lblChar->text());
    ui.txtPlayer->setText(ui.lblPlayer->text());
    ui.txtChronicle->setText(ui.lblChronicle->text());
    ui.txtHaven->setText(ui.lblHaven->text());
    setComboText(ui.cmbNature, ui.lblNature->text());
    setComboText(ui.cmbDemeanor, ui.lblDemeanor->text());
    setComboText(ui.cmbClan, ui.lblClan->text());
    setComboText(ui.cmbConcept, ui.lblConcept->text());

    // Attributes and abilities: ratings by column name, specialties by position.
    for (const model::catalogue::Trait& trait : model::catalogue::attributes()) {
        Set_AttDots(global, *ui.PBAtt[size_t(trait.index)], rating(rs.Fields(QLatin1String(trait.column))));
        ui.lblAttributes[size_t(trait.index)]->setToolTip(fieldText(rs.Fields(trait.specialtyPosition)));
    }
    for (const model::catalogue::Trait& trait : model::catalogue::abilities()) {
        Set_AbilDots(global, *ui.PBAbil[size_t(trait.index)], rating(rs.Fields(QLatin1String(trait.column))));
        ui.lblAbilities[size_t(trait.index)]->setToolTip(fieldText(rs.Fields(trait.specialtyPosition)));
    }

    LoadAdvantages(global, ui);
    LoadHumanity(global, ui);
    LoadWillpower(global, ui);
    Set_BloodPool(global, ui.PBBP, rating(rs.Fields(QStringLiteral("BloodPool"))));

    // Maximum blood pool and blood per turn follow the generation; any other value leaves them.
    if (const auto row = model::catalogue::generationRow(numbers::leadingNumber(ui.lblGen->text()))) {
        ui.lblMaxBP->setText(QLatin1String(row->maxBloodPool));
        ui.lblPTBP->setText(QLatin1String(row->perTurn));
    }

    setHealthEnabled(ui, true);
    ratings::loadHealth(global, keyText(ui), ui.HealthBox);
    LoadMerits(global, ui);
}

void LoadAdvantages(app::mdlGlobal& global, const SheetControls& ui) {
    const QString key = keyText(ui);
    loadSlots(global, ui,
              QStringLiteral("SELECT c.Discipline, b.Level FROM Char_Info a, Discipline_Link b, Discipline_Lookup c  "
                             "WHERE b.Char_ID = a.Char_ID and C.Discipline_ID = b.Discipline_ID AND a.Char_ID = ") +
                  key,
              QStringLiteral("Discipline"), ui.lblDisc, 0);
    loadSlots(global, ui,
              QStringLiteral("SELECT c.Background, b.Level FROM Char_Info a, BackGround_Link b, BackGround_Lookup c  "
                             "WHERE b.Char_ID = a.Char_ID and C.BackGround_ID = b.BackGround_ID and a.Char_ID = ") +
                  key,
              QStringLiteral("Background"), ui.lblBack, model::catalogue::kFirstBackground);
    setVirtues(global, ui, true);
}

void LoadHumanity(app::mdlGlobal& global, const SheetControls& ui) {
    auto rs = global.database->OpenRecordset(
        QStringLiteral("Select b.Path from Char_Info a, HumanityPath b where b.Path_ID=a.Path") +
        QStringLiteral(" AND a.Char_ID = ") + keyText(ui));
    // A Path that matches no row shows no name.
    const QString name = rs->atEOF() ? QString() : fieldText(rs->Fields(QStringLiteral("Path")));
    rs->Close();
    ui.lblHumanity->setText(name);
    setComboText(ui.cmbHumanity, name);
    Set_HumDots(global, *ui.pbHum, rating(field(global, QStringLiteral("Humanity"))));
}

void LoadWillpower(app::mdlGlobal& global, const SheetControls& ui) {
    Set_WillDots(global, *ui.pbWill, rating(field(global, QStringLiteral("WillPower"))));
    Set_CurWillBoxes(global, *ui.PBCurWill, rating(field(global, QStringLiteral("Cur_WillPower"))));
}

void LoadMerits(app::mdlGlobal& global, const SheetControls& ui) {
    // Each line carries its merit's key, so the merit commands need not cut names out of texts.
    ui.lstMerit->clear();
    merits::LoadMerits(global, keyText(ui), *ui.lstMerit);
}

void clearSheet(app::mdlGlobal& global, const SheetControls& ui) {
    for (QLabel* label : {ui.lblChar, ui.lblPlayer, ui.lblChronicle, ui.lblNature, ui.lblDemeanor, ui.lblClan,
                          ui.lblGen, ui.lblHaven, ui.lblConcept, ui.lblHumanity, ui.lblMaxBP, ui.lblPTBP})
        label->clear();
    for (QLabel* label : {ui.lblExpGiven, ui.lblExpSpent, ui.lblExpRemaining})
        label->setText(QStringLiteral("0"));
    for (QLineEdit* edit : {ui.txtChar, ui.txtPlayer, ui.txtChronicle, ui.txtHaven})
        edit->clear();
    for (QComboBox* combo : {ui.cmbNature, ui.cmbDemeanor, ui.cmbClan, ui.cmbConcept, ui.cmbHumanity})
        setComboText(combo, QString());

    for (const model::catalogue::Trait& trait : model::catalogue::attributes()) {
        Set_AttDots(global, *ui.PBAtt[size_t(trait.index)], 0);
        ui.lblAttributes[size_t(trait.index)]->setToolTip(QString());
    }
    for (const model::catalogue::Trait& trait : model::catalogue::abilities()) {
        Set_AbilDots(global, *ui.PBAbil[size_t(trait.index)], 0);
        ui.lblAbilities[size_t(trait.index)]->setToolTip(QString());
    }
    for (int k = 0; k < model::catalogue::kSlotCount; ++k) {
        for (int row : {model::catalogue::disciplineRow(k), model::catalogue::backgroundRow(k)}) {
            Set_AdvDots(global, *ui.PBAdv[size_t(row)], 0);
            ui.PBAdv[size_t(row)]->setVisible(false);
        }
        ui.lblDisc[size_t(k)]->clear();
        ui.lblBack[size_t(k)]->clear();
    }
    setVirtues(global, ui, false);
    Set_HumDots(global, *ui.pbHum, 0);
    Set_WillDots(global, *ui.pbWill, 0);
    Set_CurWillBoxes(global, *ui.PBCurWill, 0);
    Set_BloodPool(global, ui.PBBP, 0);

    for (ratings::HealthBox* box : ui.HealthBox)
        box->setState(1);
    setHealthEnabled(ui, false);
    ui.lstMerit->clear();
}

} // namespace sheet::mdlLoadData
