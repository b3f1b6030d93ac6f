#pragma once

#include <QString>
#include <functional>
#include <optional>

// The success-counting pool of ten-sided dice.
namespace dice {

// One face, 1 to 10, from a uniform value in [0, 1).
int Roll_Die(double uniform);

struct Verdict {
    enum class Outcome { Successes, Failure, Botch };
    QString text;
    Outcome outcome = Outcome::Successes;
};

// Rolls the pool described by the roller's texts. Nothing when the dice count lies outside
// the 16-bit range.
std::optional<Verdict> rollPool(const QString& diceText, const QString& difficultyText, bool specialized,
                                const std::function<double()>& uniform);

} // namespace dice
