#include "sheet/Experience.h"

#include "app/Session.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetBinding.h"

namespace sheet {

namespace {

using Figure = std::optional<double> model::Character::*;

void step(CharacterSheet& sheet, Figure figure, int delta) {
    if (!sheet.session().editMode || !sheet.session().shownCharacter())
        return;
    model::Character& c = sheet.character();
    // A figure never set shows 0 and counts as 0 from the first step on, for both figures.
    c.experienceGiven = c.experienceGiven.value_or(0);
    c.experienceSpent = c.experienceSpent.value_or(0);
    double& value = *(c.*figure);
    if (delta > 0 || value > 0)
        value += delta;
    binding::showExperience(sheet.ui(), c);
}

} // namespace

void cmdAddExperience_Click(CharacterSheet& sheet) {
    step(sheet, &model::Character::experienceGiven, +1);
}

void cmdMinusExperience_Click(CharacterSheet& sheet) {
    step(sheet, &model::Character::experienceGiven, -1);
}

void cmdAddExpSpent_Click(CharacterSheet& sheet) {
    step(sheet, &model::Character::experienceSpent, +1);
}

void cmdMinusExpSpent_Click(CharacterSheet& sheet) {
    step(sheet, &model::Character::experienceSpent, -1);
}

} // namespace sheet
