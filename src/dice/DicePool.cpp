#include "dice/DicePool.h"

#include "model/Numbers.h"

#include <QStringList>
#include <cmath>

namespace dice {

int Roll_Die(double uniform) {
    const int face = int(std::floor(float(uniform) * 10.0f + 1.0f));
    return std::clamp(face, 1, 10); // a value rounding up to 1.0 in single precision still gives 10
}

std::optional<Verdict> rollPool(const QString& diceText, const QString& difficultyText, bool specialized,
                                const std::function<double()>& uniform) {
    const auto count = numbers::toInt16(numbers::leadingNumber(diceText));
    if (!count)
        return std::nullopt;
    // Counted wider than the 16 bits of the faces: a huge specialized pool cannot overflow.
    long long successes = 0;
    QStringList faces;
    for (int die = 1; die <= *count; ++die) {
        int face = Roll_Die(uniform());
        faces << QString::number(face);
        const double difficulty = numbers::leadingNumber(difficultyText);
        if (face >= difficulty)
            ++successes;
        if (face == 1)
            --successes;
        if (specialized) {
            while (face == 10) {
                face = Roll_Die(uniform());
                faces << QString::number(face);
                if (face > difficulty)
                    ++successes;
            }
        }
    }
    const QString rolls = QStringLiteral("Rolls: ") + faces.join(QStringLiteral(", "));
    if (successes > 0)
        return Verdict{rolls + QStringLiteral(" Successes: ") + QString::number(successes),
                       Verdict::Outcome::Successes};
    if (successes == 0)
        return Verdict{rolls + QStringLiteral("  Failure!"), Verdict::Outcome::Failure};
    return Verdict{rolls + QStringLiteral("  BOTCH!"), Verdict::Outcome::Botch};
}

} // namespace dice
