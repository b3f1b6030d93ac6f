#include "sheet/Roster.h"
#include "db/Database.h"
#include "db/Query.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::pair<qint64, QString>>;

Entries entries(const sheet::RosterModel* model) {
    Entries result;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row);
        result.emplace_back(index.data(Qt::UserRole).toLongLong(), index.data().toString());
    }
    return result;
}

// What the database holds, read the plain way.
Entries stored(db::Database& database, const char* condition) {
    Entries result;
    const QString sql = QStringLiteral("SELECT Char_ID, Name FROM Char_Info WHERE %1 ORDER BY Char_ID");
    for (const db::Row& row : db::query(database.connection(), sql.arg(QLatin1String(condition))))
        result.emplace_back(row.value(0).toLongLong(), row.value(1).toString());
    return result;
}

void expectInStep(sheet::Roster& roster, db::Database& database) {
    EXPECT_EQ(entries(roster.characters()), stored(database, "player <> 'NPC'"));
    EXPECT_EQ(entries(roster.npcs()), stored(database, "player = 'NPC'"));
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
