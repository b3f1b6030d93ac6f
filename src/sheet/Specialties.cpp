#include "sheet/Specialties.h"

#include "app/Session.h"
#include "sheet/CharacterSheet.h"
#include "sheet/SheetControls.h"
#include "store/CharacterStore.h"

#include <QLabel>

namespace sheet {

namespace catalogue = model::catalogue;

namespace {

// position: the trait's place among the 39 (attributes first); caption: its label on the sheet.
void editSpecialty(CharacterSheet& sheet, int position, const catalogue::Trait& trait, QLabel* caption,
                   const QString& title) {
    app::Session& session = sheet.session();
    const std::optional<model::CharacterKey> key = session.shownCharacter();
    if (!session.editMode || !key)
        return;
    QString& specialty = sheet.character().specialties[size_t(position)];
    const std::optional<QString> answer = session.services.inputBox(
        QStringLiteral("Enter Specialty for ") + QLatin1String(trait.caption) + QLatin1Char(':'), title, specialty);
    if (!answer)
        return;
    QString what = QLatin1String(trait.caption);
    what.remove(QLatin1Char(':'));
    if (sheet.stored(QStringLiteral("The ") + what + QStringLiteral(" specialty"),
                     store::CharacterStore(*session.database).setSpecialty(*key, position, *answer)))
        specialty = *answer;
    caption->setToolTip(specialty);
}

} // namespace

void lblAttributes_Click(CharacterSheet& sheet, int index) {
    if (index < 0 || index >= catalogue::kAttributeCount)
        return;
    editSpecialty(sheet, index, catalogue::attributes()[size_t(index)], sheet.ui().lblAttributes[size_t(index)],
                  QStringLiteral("Enter Specialty"));
}

void lblAbilities_Click(CharacterSheet& sheet, int index) {
    if (index < 0 || index >= catalogue::kAbilityCount)
        return;
    editSpecialty(sheet, catalogue::kAttributeCount + index, catalogue::abilities()[size_t(index)],
                  sheet.ui().lblAbilities[size_t(index)], QStringLiteral("Specialization"));
}

} // namespace sheet
