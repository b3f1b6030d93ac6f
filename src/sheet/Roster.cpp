#include "sheet/Roster.h"

#include "db/Database.h"
#include "store/RosterStore.h"

#include <map>
#include <optional>

namespace sheet {

namespace {
// Past this many noted characters a whole read is quicker than one entry at a time.
constexpr qint64 kMostChangesApplied = 2000;
} // namespace

Roster::Roster(QObject* parent)
    : QObject(parent), m_characters(this), m_npcs(this), m_shownCharacters(&m_characters, this),
      m_shownNpcs(&m_npcs, this) {}

QString Roster::nameOf(qint64 key) const {
    for (const RosterModel* list : {&m_characters, &m_npcs})
        if (const int row = list->rowOf(key); row >= 0)
            return list->entries()[size_t(row)].name;
    return {};
}

bool Roster::holds(qint64 key) const {
    return m_characters.rowOf(key) >= 0 || m_npcs.rowOf(key) >= 0;
}

void Roster::filter(const QString& typed) {
    m_shownCharacters.setSearch(typed);
    m_shownNpcs.setSearch(typed);
}

void Roster::mark(std::optional<qint64> key) {
    m_characters.mark(key);
    m_npcs.mark(key);
}

void Roster::refresh(db::Database* database) {
    if (!database || !database->isOpen()) {
        m_following = 0;
        m_characters.assign({});
        m_npcs.assign({});
        return;
    }
    if (database->connection().inTransaction())
        readWhole(*database, false);
    else if (m_following == database->connection().serial())
        readChanges(*database);
    else
        readWhole(*database, true);
}

void Roster::readWhole(db::Database& database, bool follow) {
    m_following = 0;
    if (follow)
        store::roster::follow(database);
    store::roster::Lists lists = store::roster::readWhole(database);
    m_characters.assign(std::move(lists.characters));
    m_npcs.assign(std::move(lists.npcs));
    if (follow)
        m_following = database.connection().serial();
}

void Roster::readChanges(db::Database& database) {
    const qint64 noted = store::roster::notedCount(database);
    if (noted == 0)
        return;
    if (noted > kMostChangesApplied) {
        readWhole(database, true);
        return;
    }
    // A character that stays in its list is renamed where it stands: a removal and an insertion
    // would make the views lay out every entry again.
    for (const auto& [key, now] : store::roster::takeChanges(database)) {
        if (!now || now->npc)
            m_characters.drop(key);
        if (!now || !now->npc)
            m_npcs.drop(key);
        if (now)
            (now->npc ? m_npcs : m_characters).put(now->entry);
    }
}

} // namespace sheet
