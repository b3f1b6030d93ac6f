#include "dice/DicePool.h"
#include "sheet/DiceRoll.h"
#include "support/ScriptedServices.h"

#include <gtest/gtest.h>

namespace {

// Uniform values that make Roll_Die return the given faces.
std::deque<double> faces(std::initializer_list<int> values) {
    std::deque<double> out;
    for (int face : values)
        out.push_back((face - 1) / 10.0 + 0.05);
    return out;
}

using Outcome = dice::Verdict::Outcome;

struct Case {
    const char* dice;
    const char* difficulty;
    bool specialized;
    std::initializer_list<int> rolled;
    const char* text;
    dice::Verdict::Outcome outcome;
};

TEST(DiceRoller, VerdictsFollowTheCountingRules) {
    const Case cases[] = {
        {"5", "6", true, {3, 10, 10, 4, 7, 1, 6}, "Rolls: 3, 10, 10, 4, 7, 1, 6 Successes: 3", Outcome::Successes},
        {"1", "10", false, {10}, "Rolls: 10 Successes: 1", Outcome::Successes},
        {"1", "10", false, {1}, "Rolls: 1  BOTCH!", Outcome::Botch},
        {"1", "10", false, {9}, "Rolls: 9  Failure!", Outcome::Failure},
        {"1", "10", true, {10, 10, 10, 3}, "Rolls: 10, 10, 10, 3 Successes: 1", Outcome::Successes},
        {"2", "6.5", false, {6, 7}, "Rolls: 6, 7 Successes: 1", Outcome::Successes},
        {"2.5", "6", false, {7, 7}, "Rolls: 7, 7 Successes: 2", Outcome::Successes},
        {"3.5", "6", false, {7, 7, 7, 7}, "Rolls: 7, 7, 7, 7 Successes: 4", Outcome::Successes},
        {"4 dice", "6", false, {2, 2, 2, 2}, "Rolls: 2, 2, 2, 2  Failure!", Outcome::Failure},
        {"", "6", false, {}, "Rolls:   Failure!", Outcome::Failure},
        {"-3", "6", false, {}, "Rolls:   Failure!", Outcome::Failure},
        {"2", "", false, {1, 5}, "Rolls: 1, 5 Successes: 1", Outcome::Successes},
        {"1", "1", true, {1}, "Rolls: 1  Failure!", Outcome::Failure},
        {"1", "6", true, {10, 1}, "Rolls: 10, 1 Successes: 1", Outcome::Successes},
    };
    for (const Case& c : cases) {
        std::deque<double> values = faces(c.rolled);
        const size_t supplied = values.size();
        size_t used = 0;
        const auto verdict = dice::rollPool(c.dice, c.difficulty, c.specialized, [&] {
            ++used;
            const double v = values.front();
            values.pop_front();
            return v;
        });
        ASSERT_TRUE(verdict.has_value()) << c.dice;
        EXPECT_EQ(verdict->text, QString::fromLatin1(c.text)) << c.dice << " / " << c.difficulty;
        EXPECT_EQ(verdict->outcome, c.outcome) << c.text;
        EXPECT_EQ(used, supplied) << c.text;
    }
}

TEST(DiceRoller, FacesCoverOneToTen) {
    for (auto [value, face] : {std::pair{0.0, 1}, {0.0999, 1}, {0.1, 2}, {0.99999999, 10}})
        EXPECT_EQ(dice::Roll_Die(value), face) << value;
}

TEST(DiceRoller, OutOfRangeCountIsRefusedAndLargePoolsRoll) {
    ScriptedServices services;
    sheet::cmdRoll_Click(services, "40000", "6", false);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].title, "Duskledger");
    EXPECT_TRUE(services.messages[0].text.contains("32767"));

    services.messages.clear();
    sheet::cmdRoll_Click(services, "32767", "0", true); // every face succeeds (random() answers 0: face 1)
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages[0].text.endsWith("  Failure!")); // each 1 cancels its own success
    EXPECT_EQ(services.messages[0].text.count(", "), 32766);
}

} // namespace
