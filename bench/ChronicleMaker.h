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

// Adds `entries` change-journal entries to a chronicle, made directly, in batches of three over
// the last hour: one in a hundred for the first character (so it has a long history), the others
// spread over every character.
void addJournal(const QString& path, int characters, qint64 entries);
// The number of entries addJournal gives the first character.
inline qint64 firstCharacterEntries(qint64 entries) {
    return (entries + 99) / 100;
}

// A database of that many characters (and journal entries), made on first use and kept in a
// temporary folder for the rest of the process.
QString cachedChronicle(int characters, qint64 journalEntries = 0);

} // namespace bench
