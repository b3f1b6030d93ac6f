// LoadCharacter's display and the reading half of UpdateData.
#include "sheet/SheetBinding.h"

#include "merits/MeritCommands.h"
#include "model/BloodPool.h"
#include "model/Numbers.h"
#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"
#include "sheet/SheetControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace sheet::binding {

using model::Character;
namespace catalogue = model::catalogue;

namespace {

// A field opens on the start of its text, whatever its length.
void setFieldText(QLineEdit* field, const QString& text) {
    field->setText(text);
    field->setCursorPosition(0);
}

// Selects the matching entry when the list holds one; a combo box that accepts typing shows the
// text itself either way.
void setComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    if (combo->isEditable())
        setFieldText(combo->lineEdit(), text);
}

QString generationText(const Character& c) {
    return c.generation ? numbers::plainText(*c.generation) : QString();
}

// The rating rows of the sheet in the order of Character::traits.
ratings::DotRow* traitRow(const SheetControls& ui, int trait) {
    return trait < catalogue::kAttributeCount ? ui.PBAtt[size_t(trait)]
                                              : ui.PBAbil[size_t(trait - catalogue::kAttributeCount)];
}

QLabel* traitCaption(const SheetControls& ui, int trait) {
    return trait < catalogue::kAttributeCount ? ui.lblAttributes[size_t(trait)]
                                              : ui.lblAbilities[size_t(trait - catalogue::kAttributeCount)];
}

struct SlotControls {
    const std::array<QLabel*, catalogue::kSlotCount>& labels;
    const std::array<QComboBox*, catalogue::kSlotCount>& combos;
    int firstRow;
};

std::array<SlotControls, 2> slotControls(const SheetControls& ui) {
    return {{{ui.lblDisc, ui.cmbDisciplines, catalogue::disciplineRow(0)},
             {ui.lblBack, ui.cmbBackGrounds, catalogue::backgroundRow(0)}}};
}

// Filled slots show their name and dots; empty ones an empty caption and no dots.
void showSlots(const SheetControls& ui, const SlotControls& controls,
               const std::array<model::Slot, catalogue::kSlotCount>& slots) {
    for (size_t k = 0; k < slots.size(); ++k) {
        const model::Slot& slot = slots[k];
        const bool filled = slot.level != 0 || !slot.name.isEmpty();
        ratings::DotRow* row = ui.PBAdv[size_t(controls.firstRow) + k];
        row->setValue(slot.level);
        row->setVisible(filled);
        controls.labels[k]->setText(slot.name);
        if (filled)
            controls.labels[k]->setVisible(true);
        setComboText(controls.combos[k], slot.name);
    }
}

std::array<QComboBox*, catalogue::kVirtueCount> virtueChoosers(const SheetControls& ui) {
    return {ui.cmbConscience, ui.cmbSelfControl, nullptr};
}

std::array<QLabel*, catalogue::kVirtueCount> virtueCaptions(const SheetControls& ui) {
    return {ui.lblConscience, ui.lblSelfControl, ui.lblCourage};
}

QString virtueCaption(const catalogue::Virtue& virtue, const model::Virtue& value) {
    return QLatin1String(value.firstVariant ? virtue.first : virtue.second);
}

void showVirtues(const SheetControls& ui, const Character& c) {
    const auto choosers = virtueChoosers(ui);
    for (size_t v = 0; v < catalogue::kVirtues.size(); ++v) {
        const catalogue::Virtue& virtue = catalogue::kVirtues[v];
        ui.PBAdv[size_t(virtue.row)]->setValue(c.virtues[v].rating);
        if (choosers[v])
            setComboText(choosers[v], virtueCaption(virtue, c.virtues[v]));
    }
}

} // namespace

void showCaptions(const SheetControls& ui, const Character& c) {
    const std::pair<QLabel*, QString> captions[] = {
        {ui.lblChar, c.name},     {ui.lblPlayer, c.player},       {ui.lblChronicle, c.chronicle},
        {ui.lblNature, c.nature}, {ui.lblDemeanor, c.demeanor},   {ui.lblClan, c.clan},
        {ui.lblHaven, c.haven},   {ui.lblConcept, c.conceptName}, {ui.lblHumanity, c.humanityPath}};
    for (const auto& [label, text] : captions)
        label->setText(text);
    for (const SlotControls& controls : slotControls(ui)) {
        const auto& slots = controls.firstRow == 0 ? c.disciplines : c.backgrounds;
        for (size_t k = 0; k < slots.size(); ++k)
            controls.labels[k]->setText(slots[k].name);
    }
    const auto captionsOfVirtues = virtueCaptions(ui);
    for (size_t v = 0; v < catalogue::kVirtues.size(); ++v)
        if (*catalogue::kVirtues[v].choiceColumn)
            captionsOfVirtues[v]->setText(virtueCaption(catalogue::kVirtues[v], c.virtues[v]));
}

void showExperience(const SheetControls& ui, const Character& c) {
    ui.lblExpGiven->setText(numbers::plainText(c.experienceGiven.value_or(0)));
    ui.lblExpSpent->setText(numbers::plainText(c.experienceSpent.value_or(0)));
    ui.lblExpRemaining->setText(numbers::plainText(c.experienceRemaining()));
}

void showGeneration(const SheetControls& ui, const Character& c) {
    ui.lblGen->setText(generationText(c));
    if (!c.generation)
        return;
    if (const auto row = catalogue::generationRow(*c.generation)) {
        ui.lblMaxBP->setText(QLatin1String(row->maxBloodPool));
        ui.lblPTBP->setText(QLatin1String(row->perTurn));
    }
}

void showBloodPool(const SheetControls& ui, int total) {
    const auto rows = model::bloodPoolRows(total);
    for (size_t i = 0; i < rows.size(); ++i)
        ui.PBBP[i]->setValue(rows[i]);
}

void show(const SheetControls& ui, const Character& c) {
    ui.lblChar_ID->setText(QString::number(c.key));
    showCaptions(ui, c);
    showExperience(ui, c);
    showGeneration(ui, c);

    // The edit controls start from what the captions show.
    const std::pair<QLineEdit*, QString> texts[] = {
        {ui.txtChar, c.name}, {ui.txtPlayer, c.player}, {ui.txtChronicle, c.chronicle}, {ui.txtHaven, c.haven}};
    for (const auto& [field, text] : texts)
        setFieldText(field, text);
    const std::pair<QComboBox*, QString> choices[] = {{ui.cmbNature, c.nature},
                                                      {ui.cmbDemeanor, c.demeanor},
                                                      {ui.cmbClan, c.clan},
                                                      {ui.cmbConcept, c.conceptName},
                                                      {ui.cmbHumanity, c.humanityPath}};
    for (const auto& [combo, text] : choices)
        setComboText(combo, text);

    for (int t = 0; t < catalogue::kTraitCount; ++t) {
        traitRow(ui, t)->setValue(c.traits[size_t(t)]);
        traitCaption(ui, t)->setToolTip(c.specialties[size_t(t)]);
    }
    const auto slots = slotControls(ui);
    showSlots(ui, slots[0], c.disciplines);
    showSlots(ui, slots[1], c.backgrounds);
    showVirtues(ui, c);

    ui.pbHum->setValue(c.humanity);
    ui.pbWill->setValue(c.willpower);
    ui.PBCurWill->setValue(c.currentWillpower);
    showBloodPool(ui, c.bloodPool);

    for (size_t i = 0; i < ui.HealthBox.size(); ++i) {
        ui.HealthBox[i]->setEnabled(true);
        ui.HealthBox[i]->setState(c.health[i]);
    }
    merits::showMerits(*ui.lstMerit, c.merits);
}

void clear(const SheetControls& ui) {
    show(ui, Character{});
    ui.lblChar_ID->clear();
    for (QLabel* label : {ui.lblMaxBP, ui.lblPTBP})
        label->clear();
    for (ratings::HealthBox* box : ui.HealthBox)
        box->setEnabled(false);
}

Character read(const SheetControls& ui, const Character& shown) {
    Character c = shown;
    c.name = ui.txtChar->text();
    c.player = ui.txtPlayer->text();
    c.chronicle = ui.txtChronicle->text();
    c.haven = ui.txtHaven->text();
    c.nature = ui.cmbNature->currentText();
    c.demeanor = ui.cmbDemeanor->currentText();
    c.clan = ui.cmbClan->currentText();
    c.conceptName = ui.cmbConcept->currentText();
    c.humanityPath = ui.cmbHumanity->currentText();

    for (int t = 0; t < catalogue::kTraitCount; ++t)
        c.traits[size_t(t)] = int16_t(traitRow(ui, t)->value());
    for (const SlotControls& controls : slotControls(ui)) {
        auto& slots = controls.firstRow == 0 ? c.disciplines : c.backgrounds;
        for (size_t k = 0; k < slots.size(); ++k)
            slots[k] = {controls.combos[k]->currentText(), int16_t(ui.PBAdv[size_t(controls.firstRow) + k]->value())};
    }
    const auto choosers = virtueChoosers(ui);
    for (size_t v = 0; v < catalogue::kVirtues.size(); ++v) {
        const catalogue::Virtue& virtue = catalogue::kVirtues[v];
        c.virtues[v].rating = int16_t(ui.PBAdv[size_t(virtue.row)]->value());
        // The variant is the first one only when its combo reads exactly that name.
        if (choosers[v])
            c.virtues[v].firstVariant = choosers[v]->currentText() == QLatin1String(virtue.first);
    }
    c.humanity = int16_t(ui.pbHum->value());
    c.willpower = int16_t(ui.pbWill->value());
    c.currentWillpower = int16_t(ui.PBCurWill->value());
    int total = 0;
    for (const ratings::DotRow* row : ui.PBBP)
        total = numbers::toInt16Clamped(total + row->value());
    c.bloodPool = int16_t(total);
    for (size_t i = 0; i < ui.HealthBox.size(); ++i)
        c.health[i] = ui.HealthBox[i]->state();
    return c;
}

} // namespace sheet::binding
