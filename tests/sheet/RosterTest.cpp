#include "sheet/Roster.h"
#include "db/Database.h"
#include "support/RowTexts.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace {

QStringList entries(const sheet::RosterModel* model) {
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result << model->index(row).data(Qt::UserRole).toString() + '|' + model->index(row).data().toString();
    return result;
}

// Both lists as the database holds them, read the plain way: NPCs by their player, every other
// character (a Null player too) among the characters.
void expectInStep(sheet::Roster& roster, db::Database& database) {
    const QString sql = QStringLiteral("SELECT Char_ID, Name FROM Char_Info WHERE %1 ORDER BY Char_ID");
    EXPECT_EQ(entries(roster.characters()), rowTexts(database, sql.arg("upper(ifnull(player, '')) <> 'NPC'")));
    EXPECT_EQ(entries(roster.npcs()), rowTexts(database, sql.arg("upper(player) = 'NPC'")));
}

} // namespace

// After each change, however it reached the file, a refresh leaves both lists as the database is.
TEST(Roster, FollowsEveryKindOfChange) {
    TempDatabase temp;
    for (const char* name : {"Ash", "Birch", "Cedar"})
        temp.addCharacter(QLatin1String(name));
    temp.addCharacter(QStringLiteral("Nox"), QStringLiteral("NPC"));
    db::Database& database = temp.db();
    sheet::Roster roster;
    roster.refresh(&database);
    expectInStep(roster, database);

    const char* const changes[] = {
        "UPDATE Char_Info SET Name = 'Birchwood' WHERE Name = 'Birch'",
        "UPDATE Char_Info SET player = 'npc' WHERE Name = 'Ash'", // moves, in key order, before Nox
        "UPDATE Char_Info SET player = NULL WHERE Name = 'Cedar'",
        "INSERT INTO Char_Info (Name) VALUES ('Nobody''s')",
        "UPDATE Char_Info SET Haven = 'Mill'", // not a roster column: nothing to do
        "INSERT INTO Char_Info (Name, player) VALUES ('New Char', 'Ann')",
        "DELETE FROM Char_Info WHERE Name = 'Nox'",
        "UPDATE Char_Info SET Char_ID = 100 WHERE Name = 'Birchwood'",
        "DELETE FROM Char_Info", // all at once
    };
    for (const char* sql : changes) {
        SCOPED_TRACE(sql);
        database.Execute(QLatin1String(sql));
        roster.refresh(&database);
        expectInStep(roster, database);
    }
    roster.refresh(nullptr);
    EXPECT_TRUE(entries(roster.characters()).empty());
}

// A save that fails is rolled back after the roster may have seen its rows: the roster follows
// the rollback, also one that took its own bookkeeping with it. Another file is read whole.
TEST(Roster, FollowsRollbacksAndAnotherFile) {
    TempDatabase temp;
    temp.addCharacter(QStringLiteral("Ash"));
    db::Database& database = temp.db();
    sheet::Roster roster;
    {
        db::Transaction failed(database);
        roster.refresh(&database); // the first read, inside the transaction
        database.Execute(QStringLiteral("UPDATE Char_Info SET Name = 'Ashen'"));
        roster.refresh(&database);
    }
    roster.refresh(&database);
    expectInStep(roster, database);
    {
        db::Transaction failed(database);
        database.Execute(QStringLiteral("INSERT INTO Char_Info (Name, player) VALUES ('Gone', 'NPC')"));
        roster.refresh(&database);
        EXPECT_EQ(roster.npcs()->rowCount(), 1);
    }
    roster.refresh(&database);
    expectInStep(roster, database);

    TempDatabase other;
    other.addCharacter(QStringLiteral("Elsewhere"));
    roster.refresh(&other.db());
    expectInStep(roster, other.db());
}
