#include "store/PathRitualStore.h"
#include "StoreFixture.h"

namespace rituals = store::rituals;
using rituals::AddOutcome;

// Mira has paths and rituals of both families, Tobin has none. "Ward of Salt" exists in both
// families (1 thaumaturgy, 2 necromancy), "Path of Ash" only in necromancy.
struct PathRitualStore : StoreTest {
    qint64 mira = temp.addCharacter("Mira"), tobin = temp.addCharacter("Tobin");

    void SetUp() override {
        for (const char* sql : {
                 "INSERT INTO Path_LookUp VALUES (1, 'Path of Tides', 1), (2, 'Path of Embers', 1), "
                 "(3, 'Path of Ash', 2), (4, 'Bone Road', 2)",
                 "INSERT INTO Path_Link VALUES (1, 1, 3), (1, 3, 2), (1, 2, 1), (1, 99, 4), (2, 4, 1)",
                 "INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec, Description) VALUES "
                 "(1, 'Ward of Salt', 1, 1, 'Keeps spirits out.'), (2, 'Candle Sight', NULL, 1, NULL), "
                 "(3, 'Binding Knot', 3, 1, 'Ties a promise.'), (4, 'Call the Drowned', 1, 2, 'Wet.'), "
                 "(5, 'Ward of Salt', 2, 2, 'Keeps the living out.')",
                 "INSERT INTO Ritual_Link VALUES (1, 1), (1, 2), (1, 4), (1, 5)",
             })
            temp.exec(sql);
    }
    // The rows of a query, columns joined by "|", rows by ", ".
    QString rows(const QString& sql) {
        return temp.scalar("SELECT group_concat(r, ', ') FROM (" + sql + ")").toString();
    }
    QString pathLinks(qint64 key) {
        return rows(QStringLiteral("SELECT coalesce(Path, '?') || '|' || Level || '|' || coalesce(ThaNec, '?') AS r "
                                   "FROM Path_Link LEFT JOIN Path_LookUp USING (Path_ID) WHERE Char_ID = %1 "
                                   "ORDER BY Path_Link.rowid")
                        .arg(key));
    }
    QString ritualLinks(qint64 key) {
        return rows(QStringLiteral("SELECT Ritual || '|' || ThaNec AS r FROM Ritual_Link JOIN Ritual_Lookup "
                                   "USING (Ritual_ID) WHERE Char_ID = %1 ORDER BY Ritual_Link.rowid")
                        .arg(key));
    }
    QString paths(qint64 key, int thaNec) {
        QStringList result;
        for (const auto& path : rituals::characterPaths(d, key, thaNec))
            result << path.name + ' ' + QString::number(path.level);
        return result.join(", ");
    }
};

// Slots come back in the order the links were stored. A save rewrites the window's family only:
// links to the other family's paths and to no path at all stay; a name is matched without regard
// to case within the family, and one the family lacks becomes its own new path, even when the
// other family has it.
TEST_F(PathRitualStore, PathsReadAndRewriteOnlyTheFamily) {
    EXPECT_EQ(rituals::pathNames(d, 1), QStringList({"Path of Embers", "Path of Tides"}));
    EXPECT_EQ(rituals::pathNames(d, 2), QStringList({"Bone Road", "Path of Ash"}));
    EXPECT_EQ(paths(mira, 1), "Path of Tides 3, Path of Embers 1");
    EXPECT_EQ(paths(mira, 2), "Path of Ash 2");

    const struct {
        qint64 key;
        int thaNec;
        std::vector<rituals::PathEntry> saved;
        QString links; // the character's, afterwards
        int lookups;
    } cases[] = {
        {mira,
         1,
         {{"Path of Storms", 2},
          {"path of ash", 0},
          {"Mother's Path", 10},
          {"path of EMBERS", 4},
          {"Path of Storms", 1}},
         "Path of Ash|2|2, ?|4|?, Path of Storms|2|1, path of ash|0|1, Mother's Path|10|1, Path of Embers|4|1, "
         "Path of Storms|1|1",
         7},
        {mira, 1, {}, "Path of Ash|2|2, ?|4|?", 7},
        {mira, 2, {{"Bone Road", 0}}, "?|4|?, Bone Road|0|2", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.links.toStdString());
        rituals::savePaths(d, c.key, c.thaNec, c.saved);
        EXPECT_EQ(pathLinks(c.key), c.links);
        EXPECT_EQ(pathLinks(tobin), "Bone Road|1|2");
        EXPECT_EQ(temp.scalar("SELECT count(*) FROM Path_LookUp").toInt(), c.lookups);
    }
    EXPECT_EQ(rows("SELECT Path || ThaNec AS r FROM Path_LookUp WHERE Path_ID > 4"),
              "Path of Storms1, path of ash1, Mother's Path1");
}

// Lists, finding and removal stay within the family; removal takes one link of the character.
TEST_F(PathRitualStore, RitualsAreListedFoundAndRemovedWithinTheFamily) {
    const auto listed = [&](qint64 key, int thaNec) {
        QStringList result;
        for (const auto& ritual : rituals::characterRituals(d, key, thaNec))
            result << ritual.level + '|' + ritual.name;
        return result.join(", ");
    };
    EXPECT_EQ(listed(mira, 1), "1|Ward of Salt, |Candle Sight");
    EXPECT_EQ(listed(mira, 2), "1|Call the Drowned, 2|Ward of Salt");
    EXPECT_EQ(rituals::ritualNames(d, 1), QStringList({"Candle Sight", "Ward of Salt", "Binding Knot"}));
    const auto found = [&](int thaNec, const QString& name) {
        const auto info = rituals::findRitual(d, thaNec, name);
        return info ? QStringLiteral("%1|%2|%3|%4").arg(info->id).arg(info->name, info->level, info->description)
                    : QStringLiteral("none");
    };
    EXPECT_EQ(found(2, "WARD OF SALT"), "5|Ward of Salt|2|Keeps the living out.");
    EXPECT_EQ(found(1, "Candle Sight"), "2|Candle Sight||");
    EXPECT_EQ(found(1, "Call the Drowned"), "none");

    temp.exec("INSERT INTO Ritual_Link VALUES (2, 1), (1, 1)"); // Mira holds the ward twice
    const struct {
        qint64 key;
        int thaNec;
        const char* name;
        bool removed;
        QString links; // Mira's, afterwards
    } cases[] = {
        {tobin, 2, "Ward of Salt", false,
         "Ward of Salt|1, Candle Sight|1, Call the Drowned|2, Ward of Salt|2, Ward of Salt|1"},
        {mira, 1, "ward of salt", true, "Candle Sight|1, Call the Drowned|2, Ward of Salt|2, Ward of Salt|1"},
        {mira, 1, "Ward of Salt", true, "Candle Sight|1, Call the Drowned|2, Ward of Salt|2"},
        {mira, 1, "Ward of Salt", false, "Candle Sight|1, Call the Drowned|2, Ward of Salt|2"},
        {mira, 1, "Call the Drowned", false, "Candle Sight|1, Call the Drowned|2, Ward of Salt|2"},
        {mira, 2, "Ward of Salt", true, "Candle Sight|1, Call the Drowned|2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.links.toStdString());
        EXPECT_EQ(rituals::removeRitual(d, c.key, c.thaNec, c.name), c.removed);
        EXPECT_EQ(ritualLinks(mira), c.links);
        EXPECT_EQ(ritualLinks(tobin), "Ward of Salt|1");
    }
}

// A new ritual takes the level's leading number and its family; a description is written only
// when given, to that family's ritual; a ritual the character has already writes nothing.
TEST_F(PathRitualStore, AddingLinksKnownOrNewRitualsOfTheFamily) {
    const std::optional<QString> none;
    const struct {
        qint64 key;
        int thaNec;
        const char *name, *level;
        std::optional<QString> description;
        AddOutcome outcome;
        QString stored; // every ritual of that name: Level|ThaNec|Description
        QString links;  // how many, and the last one: character:Ritual|ThaNec
    } cases[] = {
        {tobin, 1, "Salt Circle", " 4 dots", none, AddOutcome::Added, "4|1|", "5 2:Salt Circle|1"},
        {tobin, 1, "salt circle", "2", "Drawn at dusk.", AddOutcome::AlreadyHas, "4|1|", "5 2:Salt Circle|1"},
        {tobin, 1, "Lesser Knot", "", "Small.", AddOutcome::Added, "0|1|Small.", "6 2:Lesser Knot|1"},
        {mira, 1, "Call the Drowned", "2", none, AddOutcome::Added, "1|2|Wet., 2|1|", "7 1:Call the Drowned|1"},
        {mira, 1, "Ward of Salt", "", "Changed.", AddOutcome::AlreadyHas,
         "1|1|Keeps spirits out., 2|2|Keeps the living out.", "7 1:Call the Drowned|1"},
        {tobin, 1, "ward of salt", "", "Mostly.", AddOutcome::Added, "1|1|Mostly., 2|2|Keeps the living out.",
         "8 2:Ward of Salt|1"},
        {tobin, 2, "Ward of Salt", "9", none, AddOutcome::Added, "1|1|Mostly., 2|2|Keeps the living out.",
         "9 2:Ward of Salt|2"},
        {tobin, 2, "Ash'); DELETE FROM Clan; --", "1", "It's \"dark\".", AddOutcome::Added, "1|2|It's \"dark\".",
         "10 2:Ash'); DELETE FROM Clan; --|2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rituals::addRitual(d, c.key, c.thaNec, c.name, c.level, c.description), c.outcome);
        EXPECT_EQ(rows(QStringLiteral("SELECT Level || '|' || ThaNec || '|' || Description AS r FROM Ritual_Lookup "
                                      "WHERE Ritual = '%1' ORDER BY Ritual_ID")
                           .arg(QString::fromUtf8(c.name).replace('\'', "''"))),
                  c.stored);
        EXPECT_EQ(rows("SELECT (SELECT count(*) FROM Ritual_Link) || ' ' || Char_ID || ':' || Ritual || '|' || ThaNec "
                       "AS r FROM Ritual_Link JOIN Ritual_Lookup USING (Ritual_ID) ORDER BY Ritual_Link.rowid DESC "
                       "LIMIT 1"),
                  c.links);
    }
    EXPECT_TRUE(rituals::setRitualDescription(d, 2, "WARD of salt", "Night only."));
    EXPECT_FALSE(rituals::setRitualDescription(d, 2, "Binding Knot", "lost"));
    EXPECT_EQ(rows("SELECT Description AS r FROM Ritual_Lookup WHERE Ritual_ID IN (1, 3, 5)"),
              "Mostly., Ties a promise., Night only.");
}
