#include "sheet/RosterModel.h"

#include <algorithm>

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
    return {};
}

void RosterModel::assign(std::vector<Entry> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

std::vector<RosterModel::Entry>::iterator RosterModel::slotOf(qint64 key) {
    return std::lower_bound(m_entries.begin(), m_entries.end(), key,
                            [](const Entry& entry, qint64 wanted) { return entry.key < wanted; });
}

void RosterModel::put(Entry entry) {
    const auto slot = slotOf(entry.key);
    const int row = int(slot - m_entries.begin());
    if (slot != m_entries.end() && slot->key == entry.key) {
        const bool renamed = slot->name != entry.name;
        *slot = std::move(entry);
        if (renamed)
            Q_EMIT dataChanged(index(row), index(row), {Qt::DisplayRole});
        return;
    }
    beginInsertRows({}, row, row);
    m_entries.insert(slot, std::move(entry));
    endInsertRows();
}

void RosterModel::drop(qint64 key) {
    const auto slot = slotOf(key);
    if (slot == m_entries.end() || slot->key != key)
        return;
    const int row = int(slot - m_entries.begin());
    beginRemoveRows({}, row, row);
    m_entries.erase(slot);
    endRemoveRows();
}

} // namespace sheet
