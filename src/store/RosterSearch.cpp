#include "store/RosterSearch.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <string_view>

namespace store::roster {

namespace {

using Range = std::string_view;

// The entry's seven fields, in Field order.
std::array<Range, 7> fieldsOf(const Entry& entry) {
    std::array<Range, 7> fields{};
    Range rest(entry.searchText.constData(), size_t(entry.searchText.size()));
    for (Range& field : fields) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        field = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return fields;
}

bool contains(Range text, const QByteArray& word) {
    // The C library's memmem: QByteArray::contains took three times as long at a hundred
    // thousand characters.
    return memmem(text.data(), text.size(), word.constData(), size_t(word.size())) != nullptr;
}

// Whether the word starts a word of the field (after its start or a space); nullopt when the
// field does not contain it at all.
std::optional<bool> startsAWord(Range field, const QByteArray& word) {
    const Range wanted(word.constData(), size_t(word.size()));
    std::optional<bool> found;
    for (size_t at = field.find(wanted); at != Range::npos; at = field.find(wanted, at + 1)) {
        if (at == 0 || field[at - 1] == ' ')
            return true;
        found = false;
    }
    return found;
}

} // namespace

QString fold(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isMark())
            continue;
        bare.append(c.isSpace() ? QChar(u' ') : c);
    }
    return bare.toCaseFolded();
}

void appendFolded(const char* text, int size, QByteArray& out) {
    // Most names are plain ASCII, which folds byte by byte; a read of a hundred thousand
    // characters through QString took eight times as long as the query.
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    if (std::any_of(bytes, bytes + size, [](unsigned char c) { return c >= 0x80; })) {
        out += fold(QString::fromUtf8(text, size)).toUtf8();
        return;
    }
    const qsizetype start = out.size();
    out.append(text, size);
    std::transform(out.begin() + start, out.end(), out.begin() + start, [](char c) {
        return (c >= 0x09 && c <= 0x0d) ? ' ' : (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    });
}

Search::Search(const QString& typed) {
    const QStringList words = fold(typed).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_phrase = words.join(QLatin1Char(' ')).toUtf8();
    for (const QString& word : words)
        m_words << word.toUtf8();
    // A long word is seldom contained, so most characters are passed over after one look.
    std::stable_sort(m_words.begin(), m_words.end(),
                     [](const QByteArray& a, const QByteArray& b) { return a.size() > b.size(); });
}

bool Search::matches(const Entry& entry) const {
    // Words hold no line break, so a word is found within one field, never across two. UTF-8 is
    // found byte for byte: no character's bytes start inside another's.
    const Range text(entry.searchText.constData(), size_t(entry.searchText.size()));
    return std::all_of(m_words.begin(), m_words.end(), [&](const QByteArray& word) { return contains(text, word); });
}

bool Search::narrows(const Search& earlier) const {
    return std::all_of(earlier.m_words.begin(), earlier.m_words.end(), [this](const QByteArray& old) {
        return std::any_of(m_words.begin(), m_words.end(), [&](const QByteArray& word) { return word.contains(old); });
    });
}

std::optional<int> Search::switcherRank(const Entry& entry) const {
    if (!matches(entry)) // most characters end here, after one look per word
        return std::nullopt;
    const std::array<Range, 7> fields = fieldsOf(entry);
    const Range searched[] = {fields[size_t(Field::Name)], fields[size_t(Field::Player)],
                              fields[size_t(Field::Clan)], fields[size_t(Field::Concept)]};
    bool everyWordStarts = true;
    for (const QByteArray& word : m_words) {
        std::optional<bool> best;
        for (Range field : searched) {
            const std::optional<bool> here = startsAWord(field, word);
            if (here)
                best = best.value_or(false) || *here;
        }
        if (!best)
            return std::nullopt;
        everyWordStarts = everyWordStarts && *best;
    }
    if (fields[size_t(Field::Name)].starts_with(Range(m_phrase.constData(), size_t(m_phrase.size()))))
        return 0;
    return everyWordStarts ? 1 : 2;
}

SwitcherMatches switcherMatches(const std::vector<const Entry*>& candidates, const Search& search,
                                std::size_t most) {
    SwitcherMatches matches;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(matches.candidates),
                 [&](const Entry* entry) { return search.matches(*entry); });

    struct Ranked {
        int rank;
        Range name;
        const Entry* entry;
        bool operator<(const Ranked& other) const {
            if (rank != other.rank)
                return rank < other.rank;
            if (name != other.name)
                return name < other.name;
            return entry->key < other.entry->key;
        }
    };
    std::vector<Ranked> ranked;
    // Names that start with the typed text rank first; when there are enough of them (the first
    // letters of a name, among a hundred thousand characters), the others need no ranking.
    for (const Entry* entry : matches.candidates) {
        const Range name = fieldsOf(*entry)[size_t(Field::Name)];
        if (name.starts_with(Range(search.phrase().constData(), size_t(search.phrase().size()))))
            ranked.push_back({0, name, entry});
    }
    if (ranked.size() < most) {
        ranked.clear();
        for (const Entry* entry : matches.candidates)
            if (const std::optional<int> rank = search.switcherRank(*entry))
                ranked.push_back({*rank, fieldsOf(*entry)[size_t(Field::Name)], entry});
    }
    const auto last = ranked.begin() + std::ptrdiff_t(std::min(most, ranked.size()));
    std::partial_sort(ranked.begin(), last, ranked.end());
    std::transform(ranked.begin(), last, std::back_inserter(matches.best), [](const Ranked& r) { return r.entry; });
    return matches;
}

} // namespace store::roster
