#include "sheet/RosterModel.h"

#include <QFont>
#include <algorithm>
#include <utility>

namespace sheet {

int RosterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant RosterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_entries.size())
        return {};
    const Entry& entry = m_entries[size_t(index.row())];
    if (role == Qt::DisplayRole)
        return entry.name;
    if (role == Qt::UserRole)
        return entry.key;
    if (role == Qt::FontRole && entry.key == m_marked) {
        QFont bold; // sets the weight alone; the view's font gives the rest
        bold.setBold(true);
        return bold;
    }
    return {};
}

void RosterModel::assign(std::vector<Entry> entries) {
    ++m_revision;
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

std::size_t RosterModel::lowerBound(qint64 key) const {
    return size_t(std::lower_bound(m_entries.begin(), m_entries.end(), key,
                                   [](const Entry& entry, qint64 wanted) { return entry.key < wanted; }) -
                  m_entries.begin());
}

void RosterModel::put(Entry entry) {
    const auto slot = m_entries.begin() + std::ptrdiff_t(lowerBound(entry.key));
    const int row = int(slot - m_entries.begin());
    if (slot != m_entries.end() && slot->key == entry.key) {
        // A filter finds by more than the name: a change to any found-by field is told.
        const bool changed = slot->name != entry.name || slot->searchText != entry.searchText;
        ++m_revision;
        *slot = std::move(entry);
        if (changed)
            Q_EMIT dataChanged(index(row), index(row), {Qt::DisplayRole});
        return;
    }
    ++m_revision;
    beginInsertRows({}, row, row);
    m_entries.insert(slot, std::move(entry));
    endInsertRows();
}

int RosterModel::rowOf(qint64 key) const {
    const std::size_t slot = lowerBound(key);
    return slot < m_entries.size() && m_entries[slot].key == key ? int(slot) : -1;
}

void RosterModel::mark(std::optional<qint64> key) {
    const std::optional<qint64> before = std::exchange(m_marked, key);
    for (const std::optional<qint64>& changed : {before, key})
        if (const int row = changed ? rowOf(*changed) : -1; row >= 0)
            Q_EMIT dataChanged(index(row), index(row), {Qt::FontRole});
}

void RosterModel::drop(qint64 key) {
    const int row = rowOf(key);
    if (row < 0)
        return;
    ++m_revision;
    beginRemoveRows({}, row, row);
    m_entries.erase(m_entries.begin() + row);
    endRemoveRows();
}

} // namespace sheet
