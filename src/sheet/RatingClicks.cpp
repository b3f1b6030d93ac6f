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

// The click on a row that changes only while editing; the value it set, if any.
std::optional<int> editClick(CharacterSheet& sheet, ratings::DotRow* row, int x, bool blankTag = false) {
    if (!row || !sheet.session().editMode || !sheet.session().shownCharacter())
        return std::nullopt;
    const std::optional<int> value = row->clickedValue(x);
    if (value)
        row->setValue(*value, blankTag);
    return value;
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

} // namespace

void PBAtt_MouseDown(CharacterSheet& sheet, int index, int x) {
    editClick(sheet, element(sheet.ui().PBAtt, index), x);
}

void PBAbil_MouseDown(CharacterSheet& sheet, int index, int x) {
    editClick(sheet, element(sheet.ui().PBAbil, index), x);
}

void PBAdv_MouseDown(CharacterSheet& sheet, int index, int x) {
    // Advantage rows carry their rating with one leading blank (" 3").
    if (const std::optional<int> value = editClick(sheet, element(sheet.ui().PBAdv, index), x, true))
        followGeneration(sheet, index, *value);
}

void pbWill_MouseDown(CharacterSheet& sheet, int x) {
    editClick(sheet, sheet.ui().pbWill, x);
}

void pbHum_MouseDown(CharacterSheet& sheet, int x) {
    editClick(sheet, sheet.ui().pbHum, x);
}

void PBCurWill_MouseDown(CharacterSheet& sheet, int x) {
    const std::optional<model::CharacterKey> key = sheet.session().shownCharacter();
    if (!key)
        return;
    const std::optional<int> value = sheet.ui().PBCurWill->clickedValue(x);
    if (!value)
        return;
    model::Character& shown = sheet.character();
    if (sheet.stored(QStringLiteral("The current willpower"),
                     store::CharacterStore(*sheet.session().database).setCurrentWillpower(*key, *value)))
        shown.currentWillpower = int16_t(*value);
    sheet.ui().PBCurWill->setValue(shown.currentWillpower);
}

void PBBP_MouseDown(CharacterSheet& sheet, int index, int x) {
    const std::optional<model::CharacterKey> key = sheet.session().shownCharacter();
    ratings::DotRow* clicked = element(sheet.ui().PBBP, index);
    if (!key || !clicked)
        return;
    const std::optional<int> value = clicked->clickedValue(x);
    if (!value)
        return;
    const int total = model::bloodPoolAfterClick(index, *value);
    model::Character& shown = sheet.character();
    if (sheet.stored(QStringLiteral("The blood pool"),
                     store::CharacterStore(*sheet.session().database).setBloodPool(*key, total)))
        shown.bloodPool = int16_t(total);
    binding::showBloodPool(sheet.ui(), shown.bloodPool);
}

} // namespace sheet
