#pragma once

#include <QString>

namespace bench {

// Writes a new Duskledger database of `characters` characters to path: lookup lists, and for each
// character its Health row, disciplines, backgrounds, merits, paths, rituals, history and notes.
// One character in ten is an NPC. Names are "<first name> <number>", unique, in key order.
void makeChronicle(const QString& path, int characters);

// The name makeChronicle gives to the character with this zero-based number.
QString characterName(int number);
// The key the chronicle gives that character.
inline qint64 characterKey(int number) {
    return number + 1;
}

// A database of that many characters, made on first use and kept in a temporary folder for the
// rest of the process.
QString cachedChronicle(int characters);

} // namespace bench
