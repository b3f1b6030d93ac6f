#pragma once

#include "store/RosterStore.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <optional>
#include <vector>

// Finding characters in the roster's entries: the filter over both lists and the quick switcher's
// ranked matches. Texts are compared folded: decomposed, without accents, case-folded, every kind
// of white space a plain space.
namespace store::roster {

QString fold(const QString& text);
// Appends a stored UTF-8 text folded, as the entries' searchable texts hold it.
void appendFolded(const char* text, int size, QByteArray& out);

// What was typed into a search, split into words.
class Search {
public:
    explicit Search(const QString& typed = {});
    // Nothing but white space typed: every character is found.
    bool isEmpty() const { return m_words.isEmpty(); }

    // The roster filter: each word is contained in one of the seven fields.
    bool matches(const Entry& entry) const;
    // Whether this search finds no character the earlier one did not: each earlier word is
    // contained in a word of this one (typing on narrows, Backspace widens).
    bool narrows(const Search& earlier) const;

    // The quick switcher: each word is contained in the name, player, clan or concept. Lower
    // ranks come first: 0 when the name starts with the typed text, 1 when each word starts a
    // word of a field, 2 for the rest. None when the character is not found.
    std::optional<int> switcherRank(const Entry& entry) const;

    // The folded words in typed order, one space between.
    const QByteArray& phrase() const { return m_phrase; }

private:
    QList<QByteArray> m_words; // folded, in UTF-8, longest first
    QByteArray m_phrase;
};

struct SwitcherMatches {
    // The candidates whose searchable text holds every word: more than the switcher finds, fewer
    // than before; a search that narrows this one need look only among these.
    std::vector<const Entry*> candidates;
    // The best `most` the switcher finds: best rank first, then by name (folded) and key.
    std::vector<const Entry*> best;
};
SwitcherMatches switcherMatches(const std::vector<const Entry*>& candidates, const Search& search,
                                std::size_t most);

} // namespace store::roster
