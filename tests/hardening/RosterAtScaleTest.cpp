#include "HardeningFixture.h"
#include "support/ListEntries.h"

#include "db/Connection.h"
#include "sheet/mdlModes.h"
#include "sheet/mdlSwitch.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

// However the roster lists are made fast, they show what the database returns, in its order: here
// the order of the keys, which is neither alphabetical nor the order of any index. Players written
// 'npc' count as NPCs, a Null player is in neither list.
TEST(RosterAtScale, ListsMatchTheDatabaseInItsOrder) {
    TempDatabase temp;
    QRandomGenerator random(424242);
    QStringList characters, npcs;
    temp.db().Execute(QStringLiteral("BEGIN"));
    {
        db::Statement insert(temp.db().connection().handle(),
                             QStringLiteral("INSERT INTO Char_Info (Name, player, Nature, Demeanor, Clan, Concept) "
                                            "VALUES (?, ?, 1, 1, 1, 1)"));
        for (int i = 0; i < 20000; ++i) {
            const QString name = QStringLiteral("%1 %2").arg(random.bounded(1000000), 6, 10, QLatin1Char('0')).arg(i);
            const int kind = int(random.bounded(10));
            const QVariant player = kind == 0   ? QVariant(QStringLiteral("NPC"))
                                    : kind == 1 ? QVariant(QStringLiteral("npc"))
                                    : kind == 2 ? QVariant()
                                                : QVariant(QStringLiteral("Player %1").arg(kind));
            insert.bind({name, player});
            insert.step();
            insert.reset();
            if (kind < 2)
                npcs << name;
            else if (kind > 2)
                characters << name;
        }
    }
    temp.db().Execute(QStringLiteral("INSERT INTO Health (Char_ID) SELECT Char_ID FROM Char_Info"));
    temp.db().Execute(QStringLiteral("COMMIT"));
    temp.release();

    Program program;
    program.open(temp.path());
    EXPECT_EQ(listEntries(program.ui().lstChar), characters);
    EXPECT_EQ(listEntries(program.ui().lstNPC), npcs);

    // After a switch and a save the lists are the same.
    ASSERT_TRUE(sheet::mdlSwitch::SwitchCharacter(*program.global, program.ui(), npcs[npcs.size() / 2]));
    sheet::mdlEditMode::EnterEditMode(*program.global, program.ui());
    ASSERT_TRUE(sheet::leaveEditMode(*program.global, program.ui())) << program.shown().toStdString();
    EXPECT_EQ(listEntries(program.ui().lstChar), characters);
    EXPECT_EQ(listEntries(program.ui().lstNPC), npcs);
}
