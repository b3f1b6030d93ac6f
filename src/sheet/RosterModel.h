#pragma once

#include "store/RosterStore.h"

#include <QAbstractListModel>
#include <QString>
#include <optional>
#include <vector>

namespace sheet {

// One roster list: character names in key order, each with its character's key (Qt::UserRole);
// the shown character's name is bold (Qt::FontRole). Kept in key order because that is the order
// the database returns the characters in; a change touches only its own entry, so views keep
// their scroll position.
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
    // The character whose name is bold; none for no mark.
    void mark(std::optional<qint64> key);
    // Its row, or -1 when the list does not hold it.
    int rowOf(qint64 key) const;

    const std::vector<Entry>& entries() const { return m_entries; }
    // Changes with every change to the entries, before the change is told.
    quint64 revision() const { return m_revision; }

private:
    // Where an entry of that key stands or would stand.
    std::size_t lowerBound(qint64 key) const;
    std::vector<Entry> m_entries;
    std::optional<qint64> m_marked;
    quint64 m_revision = 0;
};

} // namespace sheet
