#pragma once

#include "model/Character.h"

#include <functional>
#include <optional>
#include <vector>

namespace sheet {

// The characters shown in this session, for back and forward as a browser goes through pages:
// showing another character after going back drops the way forward.
class ShownHistory {
public:
    using Exists = std::function<bool(model::CharacterKey)>;

    // A character was shown; showing the current one again changes nothing.
    void shown(model::CharacterKey key);
    void clear();

    // The nearest character before (or after) the current place that still exists, with the
    // place moved onto it; none, with the place unchanged, when there is none.
    std::optional<model::CharacterKey> back(const Exists& exists);
    std::optional<model::CharacterKey> forward(const Exists& exists);
    // Whether back (or forward) would find a character, the place left where it is.
    bool canGoBack(const Exists& exists) const { return nearest(-1, exists).has_value(); }
    bool canGoForward(const Exists& exists) const { return nearest(+1, exists).has_value(); }

private:
    std::optional<model::CharacterKey> step(int direction, const Exists& exists);
    std::optional<std::size_t> nearest(int direction, const Exists& exists) const;

    std::vector<model::CharacterKey> m_keys;
    std::size_t m_place = 0; // index into m_keys of the shown character
};

} // namespace sheet
