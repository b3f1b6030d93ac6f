#pragma once

#include "store/RosterStore.h"

#include <QAbstractListModel>
#include <QString>
#include <vector>

namespace sheet {

// One roster list: character names in key order, each with its character's key (Qt::UserRole).
// Kept in key order because that is the order the database returns the characters in; a
// change touches only its own entry, so views keep their scroll position.
class RosterModel : public QAbstractListModel {
public:
    using Entry = store::roster::Entry;

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Entries must come in key order.
    void assign(std::vector<Entry> entries);
    // Adds the character at its place in key order, or updates it where it stands.
    void put(Entry entry);
    void drop(qint64 key);

    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry>::iterator slotOf(qint64 key);
    std::vector<Entry> m_entries;
};

} // namespace sheet
