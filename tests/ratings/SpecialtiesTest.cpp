#include "SheetRatingsFixture.h"

using SpecialtiesTest = SheetRatingsTest;

namespace {

TEST_F(SpecialtiesTest, AnswerGoesToTooltipAndColumnAtOnceCancelKeepsEmptyStoresNull) {
    open("Stamina_Spec = 'Tireless', Occult_Spec = 'Blood rites'");
    edit();
    auto column = [&](int position) {
        return global->database->OpenRecordset(QStringLiteral("Select * from Char_Info where Char_ID = %1").arg(key))
            ->Fields(position);
    };
    const struct {
        QLabel* caption;
        int position;
        const char *prompt, *title, *preset;
        std::optional<QString> answer;
        QVariant column;
    } cases[] = {
        {ui().lblAttributes[0], 12, "Enter Specialty for Strength::", "Enter Specialty", "", "Wrestling", "Wrestling"},
        {ui().lblAttributes[2], 16, "Enter Specialty for Stamina::", "Enter Specialty", "Tireless", "O'Hara", "O'Hara"},
        {ui().lblAbilities[29], 88, "Enter Specialty for Science::", "Specialization", "", "Optics", "Optics"},
        {ui().lblAbilities[27], 84, "Enter Specialty for Occult::", "Specialization", "Blood rites", std::nullopt,
         "Blood rites"},
        {ui().lblAbilities[27], 84, "Enter Specialty for Occult::", "Specialization", "Blood rites", "", QVariant()},
    };
    for (const auto& c : cases) {
        services.inputs.clear();
        services.inputAnswers.push_back(c.answer);
        QTest::mouseClick(c.caption, Qt::LeftButton);
        ASSERT_EQ(services.inputs.size(), 1u) << c.prompt;
        EXPECT_EQ(services.inputs[0].prompt, c.prompt);
        EXPECT_EQ(services.inputs[0].title, c.title);
        EXPECT_EQ(services.inputs[0].preset, c.preset);
        EXPECT_EQ(c.caption->toolTip(), c.column.toString()) << c.prompt;
        EXPECT_EQ(column(c.position), c.column) << c.prompt;
    }
}

TEST_F(SpecialtiesTest, NoInputBoxInBrowseModeWithoutACharacterOrWithoutItsRow) {
    open("Strength_Spec = 'Wrestling'");
    QLabel* strength = ui().lblAttributes[0];
    QTest::mouseClick(strength, Qt::LeftButton); // browse mode
    edit();
    global->database->Execute(QStringLiteral("DELETE FROM Char_Info WHERE Char_ID = %1").arg(key));
    QTest::mouseClick(strength, Qt::LeftButton);
    ui().lblChar_ID->clear();
    QTest::mouseClick(strength, Qt::LeftButton);
    EXPECT_TRUE(services.inputs.empty());
    EXPECT_EQ(strength->toolTip(), "Wrestling");
    EXPECT_TRUE(services.messages.empty());
}

} // namespace
