#include "SheetRatingsFixture.h"

using ExperienceTest = SheetRatingsTest;

namespace {

TEST_F(ExperienceTest, SequencesStepOnePointRecomputeRemainingAndStayOffTheDatabase) {
    open("ExperienceGiven = 10, ExperienceSpent = 4");
    edit();
    // G/g: given plus/minus, S/s: spent plus/minus.
    const std::map<char, QPushButton*> buttons = {{'G', ui().cmdAddExperience},
                                                  {'g', ui().cmdMinusExperience},
                                                  {'S', ui().cmdAddExpSpent},
                                                  {'s', ui().cmdMinusExpSpent}};
    const struct {
        const char *given, *spent, *clicks;
        QStringList after;
        bool editMode = true;
    } cases[] = {
        {"0", "4", "g", {"0", "4", "-4"}}, // minus at 0 still rewrites remaining
        {"5", "7", "GgGg", {"5", "7", "-2"}},
        {"12", "3", "ssss", {"12", "0", "12"}},
        {"2.5", "0", "G", {"3.5", "0", "3.5"}},
        {"2.5", "0", "g", {"1.5", "0", "1.5"}},
        {"0.5", "0", "gg", {"-0.5", "0", "-0.5"}},
        {" 7 points", "none", "GS", {"8", "1", "7"}},
        {"3", "1", "SSS", {"3", "4", "-1"}},
        {"3", "1", "GSgs", {"3", "1", "9"}, false}, // outside edit mode nothing is touched
    };
    for (const auto& c : cases) {
        global->editMode = c.editMode;
        ui().lblExpGiven->setText(c.given);
        ui().lblExpSpent->setText(c.spent);
        ui().lblExpRemaining->setText("9");
        for (const char* k = c.clicks; *k; ++k)
            QTest::mouseClick(buttons.at(*k), Qt::LeftButton);
        EXPECT_EQ((QStringList{ui().lblExpGiven->text(), ui().lblExpSpent->text(), ui().lblExpRemaining->text()}),
                  c.after)
            << c.given << " / " << c.spent << " after " << c.clicks;
    }
    EXPECT_EQ(stored("ExperienceGiven").toInt(), 10) << "the save writes the figures, not the buttons";
    EXPECT_EQ(stored("ExperienceSpent").toInt(), 4);
}

} // namespace
