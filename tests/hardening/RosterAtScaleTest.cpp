#include "HardeningFixture.h"

// However the roster lists are made fast, each entry opens the character it names and both lists show what the
// database holds, in its order: here the order of the keys, which is neither alphabetical nor the order of any
// index. Players written 'npc' count as NPCs, 'NPC ' does not; a Null player must not make a character unreachable.
TEST(RosterAtScale, ListsMatchTheDatabaseInItsOrder) {
    TempDatabase temp;
    temp.exec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 19999) "
        "INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept) SELECT CASE WHEN i % 997 = 5 THEN '' "
        "ELSE "
        "printf('%06d %d', i * 7919 % 1000000, i) END, CASE i * 3 % 10 WHEN 0 THEN 'NPC' WHEN 1 THEN 'npc' WHEN 2 "
        "THEN NULL WHEN 4 THEN 'NPC ' ELSE 'Player ' || i % 7 END, 1, 1, 1, 1 FROM n"));
    temp.exec(QStringLiteral("DELETE FROM Char_Info WHERE Char_ID % 13 = 0")); // gaps in the keys
    temp.exec(QStringLiteral("INSERT INTO Health (Char_ID) SELECT Char_ID FROM Char_Info"));
    const RosterTexts stored = storedRoster(temp.db());
    temp.release();

    Program program;
    program.open(temp.path());
    const std::pair<const QAbstractItemView*, QStringList> lists[] = {{program.ui().lstChar, stored.characters},
                                                                      {program.ui().lstNPC, stored.npcs}};
    for (const auto& [view, expected] : lists) {
        const QStringList shown = shownRoster(view);
        EXPECT_EQ(shown.size(), expected.size()) << view->objectName().toStdString();
        for (qsizetype i = 0; i < std::min(shown.size(), expected.size()); ++i)
            ASSERT_EQ(shown[i], expected[i]) << view->objectName().toStdString() << " entry " << i;
    }
}
