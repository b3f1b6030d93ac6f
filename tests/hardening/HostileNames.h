#pragma once

#include <QString>

// Names a user might type that would alter a statement built by pasting text together: quotes,
// statement separators, comment marks, LIKE wildcards, non-Latin text and a 10,000-character
// name that ends in a quote.
inline const QString kHostile[] = {
    QStringLiteral("O'Brien"),
    QStringLiteral("''"),
    QStringLiteral("'; DROP TABLE Char_Info; --"),
    QStringLiteral("x'); DELETE FROM Clan; --"),
    QStringLiteral("a; b; c"),
    QStringLiteral("-- not a comment"),
    QStringLiteral("/* nor this */"),
    QStringLiteral("\"double\" \\ back"),
    QStringLiteral("%_ like * ?"),
    QStringLiteral("Ünïcødé 名前 Ωμέγα 🦇"),
    QStringLiteral("tab\there"),
    QStringLiteral("  spaces around  "),
    QStringLiteral("x").repeated(9990) + QStringLiteral("'; -- end"),
};
