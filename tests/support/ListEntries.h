#pragma once

#include <QAbstractItemView>
#include <QListView>
#include <QStringList>

// The texts a list view shows, top to bottom, whatever model lies behind it.
inline QStringList listEntries(const QAbstractItemView* view) {
    QStringList texts;
    for (int row = 0; view && view->model() && row < view->model()->rowCount(); ++row)
        texts << view->model()->index(row, 0).data().toString();
    return texts;
}
