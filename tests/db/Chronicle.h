#pragma once

#include "db/Database.h"
#include "db/DbError.h"
#include "store/Schema.h"
#include "support/TempDatabase.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

// The DbError the call raises; a test failure when it raises none.
inline db::DbError raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const db::DbError& e) {
        return e;
    }
    ADD_FAILURE() << "no DbError was raised";
    return db::DbError({});
}

// A small chronicle every engine test works on: Mira (key 1, player "Ann") with links of every
// kind, and Old Tom (key 2), a non-player character stored with the player "npc".
struct ChronicleTest : ::testing::Test {
    TempDatabase temp;
    db::Database& d = temp.db();

    void SetUp() override {
        for (const char* sql : {
                 "INSERT INTO DemeanorNature (DemNat) VALUES ('Sage'), ('Drifter')", // 2, 3
                 "INSERT INTO Clan (Clan) VALUES ('Vesper')",
                 "INSERT INTO Concept (Concept) VALUES ('Scholar')",
                 "INSERT INTO Discipline_LookUp (Discipline) VALUES ('Ember'), ('Veil')",
                 "INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points, pointflex) VALUES ('Keen Eye', 2, 0), ('Lame', -1, "
                 "1)",
                 "INSERT INTO Path_LookUp (Path, ThaNec) VALUES ('Cinder Path', 1), ('Salt Path', 1), ('Lantern', 2)",
                 "INSERT INTO Ritual_Lookup (Ritual, Level, ThaNec) VALUES ('Candle Ward', 1, 1), ('Grave Call', 2, 2)",
                 "INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept, Path) "
                 "VALUES ('Mira', 'Ann', 2, 3, 2, 2, 1), ('Old Tom', 'npc', 1, 1, 1, 1, 1)",
                 "INSERT INTO Health (Char_ID, Health3) VALUES (1, 2), (2, 1)",
                 "INSERT INTO Discipline_Link VALUES (1, 1, 3), (1, 2, 2), (2, 1, 1)",
                 "INSERT INTO MeritFlaw_Link VALUES (1, 1, 2), (1, 2, -1)",
                 "INSERT INTO Path_Link VALUES (1, 1, 3), (1, 3, 2), (2, 1, 1)",
                 "INSERT INTO Ritual_Link VALUES (1, 1), (1, 2)",
             })
            d.Execute(sql);
    }

    int count(const QString& sql) { return d.scalar(sql).toInt(); }
};
