#include "sheet/SheetFixture.h"

#include "sheet/SheetBinding.h"

namespace {

// The experience buttons step the figures on the sheet, which the save writes; a specialty answer
// goes to the tooltip and is written at once (ImmediateWritesShowWhatIsStored; the store's tests
// for what is written). Both only while editing a shown character.
TEST_F(SheetTest, ExperienceButtonsStepTheFiguresSpecialtyAnswersAreStoredAtOnce) {
    const qint64 key = character("Mirela", "Ann",
                                 "ExperienceGiven = 10, ExperienceSpent = 4, Stamina_Spec = 'Tireless', "
                                 "Occult_Spec = 'Blood rites'");
    open();
    QLabel* strength = ui().lblAttributes[0];
    QTest::mouseClick(strength, Qt::LeftButton); // browse mode
    EXPECT_TRUE(services.inputs.empty());
    menu("mnuEdit");
    // G/g: given plus/minus, S/s: spent plus/minus.
    QPushButton* const buttons[] = {ui().cmdAddExperience, ui().cmdMinusExperience, ui().cmdAddExpSpent,
                                    ui().cmdMinusExpSpent};
    using Figure = std::optional<double>;
    const std::tuple<Figure, Figure, const char*, const char*, bool> steps[] = {
        {3, 1, "GSgs", "3 1 2", false}, // browse mode: untouched
        {0, 4, "g", "0 4 -4", true},
        {12, 3, "ssss", "12 0 12", true},
        {2.5, 0, "G", "3.5 0 3.5", true},
        {0.5, 0, "gg", "-0.5 0 -0.5", true},
        {7, std::nullopt, "GS", "8 1 7", true}, // a figure never set counts from 0
        {std::nullopt, 4, "g", "0 4 -4", true}, // a minus at 0 still makes remaining given minus spent
    };
    for (auto [given, spent, clicks, after, editing] : steps) {
        session->editMode = editing;
        model::Character& shown = window->sheet().character();
        shown.experienceGiven = given;
        shown.experienceSpent = spent;
        sheet::binding::showExperience(ui(), shown);
        for (const char* k = clicks; *k; ++k)
            QTest::mouseClick(buttons[QByteArray("GgSs").indexOf(*k)], Qt::LeftButton);
        EXPECT_EQ(ui().lblExpGiven->text() + ' ' + ui().lblExpSpent->text() + ' ' + ui().lblExpRemaining->text(), after)
            << "after " << clicks;
    }
    EXPECT_EQ(column(key, "ExperienceGiven || ExperienceSpent"), "104");

    const struct {
        QLabel* caption;
        const char *trait, *title, *preset;
        std::optional<QString> answer;
        QVariant stored;
    } cases[] = {
        {strength, "Strength", "Enter Specialty", "", "Wrestling", "Wrestling"},
        {ui().lblAttributes[2], "Stamina", "Enter Specialty", "Tireless", "O'Hara", "O'Hara"},
        {ui().lblAbilities[29], "Science", "Specialization", "", "Optics", "Optics"},
        {ui().lblAbilities[27], "Occult", "Specialization", "Blood rites", std::nullopt, "Blood rites"},
        {ui().lblAbilities[27], "Occult", "Specialization", "Blood rites", "", QVariant()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trait);
        services.inputs.clear();
        services.inputAnswers.push_back(c.answer);
        QTest::mouseClick(c.caption, Qt::LeftButton);
        ASSERT_EQ(services.inputs.size(), 1u);
        EXPECT_EQ(services.inputs[0].prompt, QStringLiteral("Enter Specialty for %1::").arg(c.trait));
        EXPECT_EQ(services.inputs[0].title, c.title);
        EXPECT_EQ(services.inputs[0].preset, c.preset);
        EXPECT_EQ(c.caption->toolTip(), c.stored.toString());
    }
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
