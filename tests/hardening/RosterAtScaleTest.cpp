#include "HardeningFixture.h"

// However the roster lists are made fast, they show what the database returns, in its order: here
// the order of the keys, which is neither alphabetical nor the order of any index. Players written
// 'npc' count as NPCs, a Null player is in neither list.
TEST(RosterAtScale, ListsMatchTheDatabaseInItsOrder) {
    TempDatabase temp;
    temp.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 19999) "
                             "INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept) SELECT "
                             "printf('%06d %d', i * 7919 % 1000000, i), CASE i * 3 % 10 WHEN 0 THEN 'NPC' WHEN 1 "
                             "THEN 'npc' WHEN 2 THEN NULL ELSE 'Player ' || i % 7 END, 1, 1, 1, 1 FROM n"));
    temp.exec(QStringLiteral("INSERT INTO Health (Char_ID) SELECT Char_ID FROM Char_Info"));
    const auto names = [&](const char* where) {
        return rowTexts(
            temp.db(),
            QStringLiteral("SELECT Name FROM Char_Info WHERE %1 ORDER BY Char_ID").arg(QLatin1String(where)));
    };
    const QStringList characters = names("upper(player) <> 'NPC'"), npcs = names("upper(player) = 'NPC'");
    ASSERT_EQ(characters.size() + npcs.size(), 18000);
    temp.release();

    Program program;
    program.open(temp.path());
    EXPECT_EQ(listEntries(program.ui().lstChar), characters);
    EXPECT_EQ(listEntries(program.ui().lstNPC), npcs);
}
