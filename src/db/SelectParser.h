#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace db {

// What a recordset needs to know of its SELECT text: which tables it reads under which
// aliases, and how the select list spreads over them. SQLite reports the real table behind a
// result column but not the alias, so "b.DemNat" and "c.DemNat" can only be told apart here.
struct SelectShape {
    struct Source {
        QString table; // as written in the FROM clause
        QString alias; // the alias, or the table name where none is given
    };
    struct Item {
        QString qualifier;        // "a" of "a.*" or "a.col"; empty for a bare column or "*"
        bool star = false;        // "*" or "a.*"
        bool plainColumn = false; // a column name, qualified or not, perhaps renamed with AS
    };

    bool understood = false; // false: the recordset works read-only, as a snapshot
    std::vector<Source> sources;
    std::vector<Item> items;
    int selectListStart = -1; // offset in the text just behind SELECT (and a blank)
    int fromStart = -1;       // offset of the FROM that ends the select list
    bool ordered = false;     // an ORDER BY may name result columns by position or alias
};

SelectShape parseSelect(const QString& sql);

} // namespace db
