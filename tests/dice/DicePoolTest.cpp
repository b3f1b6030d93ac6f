#include "dice/DicePool.h"
#include "sheet/DiceRoll.h"
#include "support/ScriptedServices.h"

#include <gtest/gtest.h>

namespace {

using enum dice::Verdict::Outcome;

TEST(DicePool, VerdictsFollowTheCountingRules) {
    const struct {
        const char *dice, *difficulty;
        bool specialized;
        std::vector<int> rolled; // every face the pool must roll, rerolls included
        const char* text;
        dice::Verdict::Outcome outcome;
    } cases[] = {
        {"5", "6", true, {3, 10, 10, 4, 7, 1, 6}, "Rolls: 3, 10, 10, 4, 7, 1, 6 Successes: 3", Successes},
        {"1", "10", false, {10}, "Rolls: 10 Successes: 1", Successes},
        {"1", "10", false, {1}, "Rolls: 1  BOTCH!", Botch},
        {"1", "10", false, {9}, "Rolls: 9  Failure!", Failure},
        {"1", "10", true, {10, 10, 10, 3}, "Rolls: 10, 10, 10, 3 Successes: 1", Successes},
        {"2", "6.5", false, {6, 7}, "Rolls: 6, 7 Successes: 1", Successes},
        {"2.5", "6", false, {7, 7}, "Rolls: 7, 7 Successes: 2", Successes},
        {"3.5", "6", false, {7, 7, 7, 7}, "Rolls: 7, 7, 7, 7 Successes: 4", Successes},
        {"4 dice", "6", false, {2, 2, 2, 2}, "Rolls: 2, 2, 2, 2  Failure!", Failure},
        {"", "6", false, {}, "Rolls:   Failure!", Failure},
        {"-3", "6", false, {}, "Rolls:   Failure!", Failure},
        {"2", "", false, {1, 5}, "Rolls: 1, 5 Successes: 1", Successes},
        {"1", "1", true, {1}, "Rolls: 1  Failure!", Failure},
        {"1", "6", true, {10, 1}, "Rolls: 10, 1 Successes: 1", Successes},
    };
    for (const auto& c : cases) {
        size_t used = 0; // a die too many throws out of at()
        const auto verdict = dice::rollPool(c.dice, c.difficulty, c.specialized,
                                            [&] { return (c.rolled.at(used++) - 1) / 10.0 + 0.05; });
        ASSERT_TRUE(verdict.has_value()) << c.dice;
        EXPECT_EQ(verdict->text, QString::fromLatin1(c.text)) << c.dice << " / " << c.difficulty;
        EXPECT_EQ(verdict->outcome, c.outcome) << c.text;
        EXPECT_EQ(used, c.rolled.size()) << c.text;
    }
    for (auto [value, face] : {std::pair{0.0, 1}, {0.0999, 1}, {0.1, 2}, {0.99999999, 10}})
        EXPECT_EQ(dice::Roll_Die(value), face) << value;
}

TEST(DicePool, OutOfRangeCountIsRefusedAndLargePoolsRoll) {
    ScriptedServices services;
    sheet::cmdRoll_Click(services, "40000", "6", false);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "One roll can have at most 32767 dice.");
    sheet::cmdRoll_Click(services, "32767", "0", true); // every face succeeds (random() answers 0: face 1)
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_TRUE(services.lastMessage().endsWith("  Failure!")); // each 1 cancels its own success
    EXPECT_EQ(services.lastMessage().count(", "), 32766);
}

} // namespace
