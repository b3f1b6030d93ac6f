#include "sheet/ShownHistory.h"

namespace sheet {

void ShownHistory::shown(model::CharacterKey key) {
    if (!m_keys.empty() && m_keys[m_place] == key)
        return;
    if (!m_keys.empty())
        m_keys.resize(m_place + 1);
    m_keys.push_back(key);
    m_place = m_keys.size() - 1;
}

void ShownHistory::clear() {
    m_keys.clear();
    m_place = 0;
}

std::optional<model::CharacterKey> ShownHistory::back(const Exists& exists) {
    return step(-1, exists);
}

std::optional<model::CharacterKey> ShownHistory::forward(const Exists& exists) {
    return step(+1, exists);
}

std::optional<model::CharacterKey> ShownHistory::step(int direction, const Exists& exists) {
    const std::optional<std::size_t> at = nearest(direction, exists);
    if (!at)
        return std::nullopt;
    m_place = *at;
    return m_keys[m_place];
}

std::optional<std::size_t> ShownHistory::nearest(int direction, const Exists& exists) const {
    const model::CharacterKey current = m_keys.empty() ? 0 : m_keys[m_place];
    for (std::ptrdiff_t at = std::ptrdiff_t(m_place) + direction; at >= 0 && at < std::ptrdiff_t(m_keys.size());
         at += direction) {
        // A character deleted and shown again in between may stand next to itself.
        if (m_keys[size_t(at)] != current && exists(m_keys[size_t(at)]))
            return size_t(at);
    }
    return std::nullopt;
}

} // namespace sheet
