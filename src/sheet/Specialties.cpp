#include "sheet/Specialties.h"

#include "app/Session.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetControls.h"
#include "store/CharacterStore.h"

#include <QLabel>

namespace sheet {

namespace {

// trait: the position among the 39 traits (attributes first).
void editSpecialty(CharacterSheet& sheet, QLabel* caption, int trait, const QString& title) {
    app::Session& session = sheet.session();
    const std::optional<model::CharacterKey> key = session.shownCharacter();
    if (!session.editMode || !key)
        return;
    store::CharacterStore characters(*session.database);
    if (!characters.exists(*key))
        return;
    QString& specialty = sheet.character().specialties[size_t(trait)];
    const std::optional<QString> answer = session.services.inputBox(
        QStringLiteral("Enter Specialty for ") + caption->text() + QLatin1Char(':'), title, specialty);
    if (!answer || !characters.setSpecialty(*key, trait, *answer))
        return;
    specialty = *answer;
    caption->setToolTip(*answer);
}

} // namespace

void lblAttributes_Click(CharacterSheet& sheet, int index) {
    if (index < 0 || index >= model::catalogue::kAttributeCount)
        return;
    editSpecialty(sheet, sheet.ui().lblAttributes[size_t(index)], index, QStringLiteral("Enter Specialty"));
}

void lblAbilities_Click(CharacterSheet& sheet, int index) {
    if (index < 0 || index >= model::catalogue::kAbilityCount)
        return;
    editSpecialty(sheet, sheet.ui().lblAbilities[size_t(index)], model::catalogue::kAttributeCount + index,
                  QStringLiteral("Specialization"));
}

} // namespace sheet
