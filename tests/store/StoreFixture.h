#pragma once

#include "store/CharacterStore.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

// A fresh database, a connection to it and a character store over that connection.
struct StoreTest : ::testing::Test {
    TempDatabase temp;
    db::Database& d = temp.db();
    store::CharacterStore characters{d};

    // Adds Mira and sets further columns: "Clan = 2, Strength = 3".
    qint64 add(const QString& assignments) {
        const qint64 key = temp.addCharacter(QStringLiteral("Mira"));
        d.Execute(QStringLiteral("UPDATE Char_Info SET %1 WHERE Char_ID = %2").arg(assignments).arg(key));
        return key;
    }
};
