#pragma once

#include "sheet/RosterModel.h"
#include "store/RosterSearch.h"

#include <QSortFilterProxyModel>
#include <vector>

namespace sheet {

// What a roster view shows of its list: the characters the typed search finds, in the list's
// order; all of them while nothing is typed.
class RosterFilter : public QSortFilterProxyModel {
public:
    explicit RosterFilter(RosterModel* list, QObject* parent = nullptr);

    void setSearch(const QString& typed);
    // The row showing that character; invalid when the filter hides it or no list holds it.
    QModelIndex indexOf(qint64 key) const;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    RosterModel* m_list;
    store::roster::Search m_search;
    // Whether each entry is found, worked out once per search for the list at m_foundRevision:
    // typing on checks only the entries the last keystroke found.
    std::vector<char> m_found;
    quint64 m_foundRevision = 0;
};

} // namespace sheet
