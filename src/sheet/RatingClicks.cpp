#include "sheet/RatingClicks.h"

#include "app/Session.h"
#include "model/BloodPool.h"
#include "ratings/DotRow.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetBinding.h"
#include "sheet/SheetControls.h"
#include "store/CharacterStore.h"

#include <QComboBox>

namespace sheet {

namespace catalogue = model::catalogue;

namespace {

template <size_t N> ratings::DotRow* element(const std::array<ratings::DotRow*, N>& rows, int index) {
    return index >= 0 && size_t(index) < N ? rows[size_t(index)] : nullptr;
}

ratings::DotRow* rowOf(const SheetControls& ui, RatingRow row, int index) {
    switch (row) {
    case RatingRow::Attribute:
        return element(ui.PBAtt, index);
    case RatingRow::Ability:
        return element(ui.PBAbil, index);
    case RatingRow::Advantage:
        return element(ui.PBAdv, index);
    case RatingRow::Willpower:
        return ui.pbWill;
    case RatingRow::Humanity:
        return ui.pbHum;
    case RatingRow::CurrentWillpower:
        return ui.PBCurWill;
    case RatingRow::BloodPool:
        return element(ui.PBBP, index);
    }
    return nullptr;
}

// A row that changes only while editing; true when it took the value.
bool editValue(CharacterSheet& sheet, ratings::DotRow* row, int value, bool blankTag = false) {
    if (!row || !sheet.session().shownCharacter())
        return false;
    if (!sheet.session().editMode) {
        sheet.hint(QStringLiteral("Press Ctrl+E to edit ratings"));
        return false;
    }
    row->setValue(value, blankTag);
    return true;
}

// A background chosen as "Generation" sets the generation and what follows from it.
void followGeneration(CharacterSheet& sheet, int index, int rating) {
    const int slot = index - catalogue::kFirstBackground;
    const SheetControls& ui = sheet.ui();
    if (slot < 0 || slot >= catalogue::kSlotCount ||
        ui.cmbBackGrounds[size_t(slot)]->currentText() != QLatin1String("Generation"))
        return;
    const int generation = catalogue::kHighestGeneration - rating;
    if (!catalogue::generationRow(generation))
        return;
    sheet.character().generation = generation;
    binding::showGeneration(ui, sheet.character());
}

void storeCurrentWillpower(CharacterSheet& sheet, int value) {
    const std::optional<model::CharacterKey> key = sheet.session().shownCharacter();
    if (!key)
        return;
    model::Character& shown = sheet.character();
    if (sheet.stored(QStringLiteral("The current willpower"),
                     store::CharacterStore(*sheet.session().database).setCurrentWillpower(*key, value)))
        shown.currentWillpower = int16_t(value);
    sheet.ui().PBCurWill->setValue(shown.currentWillpower);
}

void storeBloodPool(CharacterSheet& sheet, int index, int value) {
    const std::optional<model::CharacterKey> key = sheet.session().shownCharacter();
    if (!key || !element(sheet.ui().PBBP, index))
        return;
    const int total = model::bloodPoolAfterClick(index, value);
    model::Character& shown = sheet.character();
    if (sheet.stored(QStringLiteral("The blood pool"),
                     store::CharacterStore(*sheet.session().database).setBloodPool(*key, total)))
        shown.bloodPool = int16_t(total);
    binding::showBloodPool(sheet.ui(), shown.bloodPool);
}

void click(CharacterSheet& sheet, RatingRow row, int index, int x) {
    const ratings::DotRow* dots = rowOf(sheet.ui(), row, index);
    if (!dots)
        return;
    if (const std::optional<int> value = dots->clickedValue(x))
        setRating(sheet, row, index, *value);
}

} // namespace

void setRating(CharacterSheet& sheet, RatingRow row, int index, int value) {
    ratings::DotRow* dots = rowOf(sheet.ui(), row, index);
    if (!dots || value < 0 || value > 10)
        return;
    switch (row) {
    case RatingRow::CurrentWillpower:
        storeCurrentWillpower(sheet, value);
        return;
    case RatingRow::BloodPool:
        storeBloodPool(sheet, index, value);
        return;
    case RatingRow::Advantage:
        // Advantage rows carry their rating with one leading blank (" 3").
        if (editValue(sheet, dots, value, true))
            followGeneration(sheet, index, value);
        return;
    default:
        editValue(sheet, dots, value);
    }
}

void PBAtt_MouseDown(CharacterSheet& sheet, int index, int x) {
    click(sheet, RatingRow::Attribute, index, x);
}

void PBAbil_MouseDown(CharacterSheet& sheet, int index, int x) {
    click(sheet, RatingRow::Ability, index, x);
}

void PBAdv_MouseDown(CharacterSheet& sheet, int index, int x) {
    click(sheet, RatingRow::Advantage, index, x);
}

void pbWill_MouseDown(CharacterSheet& sheet, int x) {
    click(sheet, RatingRow::Willpower, 0, x);
}

void pbHum_MouseDown(CharacterSheet& sheet, int x) {
    click(sheet, RatingRow::Humanity, 0, x);
}

void PBCurWill_MouseDown(CharacterSheet& sheet, int x) {
    click(sheet, RatingRow::CurrentWillpower, 0, x);
}

void PBBP_MouseDown(CharacterSheet& sheet, int index, int x) {
    click(sheet, RatingRow::BloodPool, index, x);
}

} // namespace sheet
