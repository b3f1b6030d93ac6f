#pragma once

#include <QStringList>

// A save whose every value follows from one round number, spread over the statements of a save (the character's
// row, a new clan, the discipline links and their new names), so a character read back after a crash tells
// whether it holds one whole round or a mix of two.
namespace rounds {

inline constexpr int kCharacters = 4;

inline QString characterName(int index) {
    return QStringLiteral("Saver %1").arg(index);
}

// Haven, chronicle, clan, the names and levels of three disciplines and the count of Health rows.
inline QString expected(int round) {
    QStringList values{QString::number(round), QStringLiteral("Chronicle %1").arg(round),
                       QStringLiteral("House of round %1").arg(round)};
    for (int s = 0; s < 3; ++s)
        values << QStringLiteral("Gift %1 of round %2").arg(s).arg(round) << QString::number(1 + (round + s) % 5);
    return (values << QStringLiteral("1")).join(QLatin1Char('|'));
}

} // namespace rounds
