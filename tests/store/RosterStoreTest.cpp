#include "store/RosterSearch.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

using namespace store::roster;

namespace {

// Ann fills every field, with accents; Bob has a Null player and chronicle and a clan key no
// lookup row holds; Cat is an NPC.
struct Chronicle {
    TempDatabase temp;
    qint64 ann = 0, bob = 0, cat = 0;
    Chronicle() {
        temp.exec("INSERT INTO DemeanorNature (DemNat_ID, DemNat) VALUES (2, 'Penitent'), (3, 'Gallant')");
        temp.exec("INSERT INTO Clan (Clan_ID, Clan) VALUES (2, 'Nightshade')");
        temp.exec("INSERT INTO Concept (Concept_ID, Concept) VALUES (2, 'Dockhand')");
        ann = temp.addCharacter(QStringLiteral("Émile Durand"), QStringLiteral("Zoë"));
        temp.exec("UPDATE Char_Info SET Chronicle = 'Ashen Winter', Clan = 2, Concept = 2, Nature = 2, "
                  "Demeanor = 3 WHERE Name LIKE '%Durand'");
        bob = temp.addCharacter(QStringLiteral("Bob"));
        temp.exec("UPDATE Char_Info SET player = NULL, Clan = 99 WHERE Name = 'Bob'");
        cat = temp.addCharacter(QStringLiteral("Cat Grey"), QStringLiteral("npc"));
    }
};

QStringList found(const Lists& lists, const QString& typed) {
    const Search search(typed);
    QStringList names;
    for (const auto* list : {&lists.characters, &lists.npcs})
        for (const Entry& entry : *list)
            if (search.matches(entry))
                names << entry.name;
    return names;
}

} // namespace

// Every word must be contained in one field of the same character, whatever the case and accents
// on either side; a Null player, a Null chronicle and a stray lookup key still list the character.
TEST(RosterStore, SearchFindsEachFieldWithoutRegardToCaseAndAccents) {
    Chronicle c;
    const Lists lists = readWhole(c.temp.db());
    ASSERT_EQ(lists.characters.size(), 2u);
    EXPECT_EQ(lists.characters[1].key, c.bob);
    ASSERT_EQ(lists.npcs.size(), 1u);
    EXPECT_EQ(lists.npcs[0].key, c.cat);

    const QString ann = QStringLiteral("Émile Durand");
    const struct {
        QString typed;
        QStringList names;
    } cases[] = {
        {"emile", {ann}},          {"ZOE", {ann}},           {"ashen", {ann}},
        {"ightsh", {ann}},         {"DOCKHAND", {ann}},      {"penitent", {ann}},
        {"gallant", {ann}},        {"durand  zoë", {ann}},   {"ÉMILE durand", {ann}},
        {"emile bob", {}},         {"winterzoe", {}},        {"bob", {"Bob"}},
        {"npc", {"Cat Grey"}},     {"unknown", {"Bob", "Cat Grey"}},
        {" \t", {ann, "Bob", "Cat Grey"}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.typed.toStdString());
        EXPECT_EQ(found(lists, t.typed), t.names);
    }
}

// After follow, a change to a found-by column or to a looked-up name a character shows is noted
// and read back with the new searchable text.
TEST(RosterStore, ChangesToSearchedFieldsAreNoted) {
    Chronicle c;
    db::Database& d = c.temp.db();
    follow(d);
    d.Execute(QStringLiteral("UPDATE Clan SET Clan = 'Thornblood' WHERE Clan_ID = 2"));
    d.Execute(QStringLiteral("INSERT INTO Concept (Concept_ID, Concept) VALUES (99, 'Ferryman')"));
    d.Execute(QStringLiteral("UPDATE Char_Info SET Concept = 99, Chronicle = 'Émeraude' WHERE Char_ID = ?"), {c.bob});
    const Changes changes = takeChanges(d);
    ASSERT_EQ(changes.size(), 2u);
    ASSERT_TRUE(changes.at(c.ann));
    EXPECT_TRUE(Search("thornblood").matches(changes.at(c.ann)->entry));
    ASSERT_TRUE(changes.at(c.bob));
    EXPECT_TRUE(Search("ferryman emeraude").matches(changes.at(c.bob)->entry));
    EXPECT_EQ(notedCount(d), 0);
}

// The switcher finds by name, player, clan and concept only; a name starting with the typed text
// comes first, then characters where every word starts a word, then the rest, each by name.
TEST(RosterStore, SwitcherRanksNameStartsFirst) {
    Chronicle c;
    c.temp.addCharacter(QStringLiteral("Dorian Ash"), QStringLiteral("Ann"));
    c.temp.addCharacter(QStringLiteral("Adora"), QStringLiteral("Ann"));
    c.temp.addCharacter(QStringLiteral("Dora"), QStringLiteral("NPC"));
    const Lists lists = readWhole(c.temp.db());
    const auto bestOf = [&](const QString& typed, std::size_t most = 20) {
        QStringList names;
        std::vector<const Entry*> all;
        for (const auto* list : {&lists.characters, &lists.npcs})
            for (const Entry& entry : *list)
                all.push_back(&entry);
        for (const Entry* entry : switcherMatches(all, Search(typed), most).best)
            names << entry->name;
        return names;
    };
    EXPECT_EQ(bestOf("dor"), (QStringList{"Dora", "Dorian Ash", "Adora"}));
    EXPECT_EQ(bestOf("dor", 2), (QStringList{"Dora", "Dorian Ash"}));
    EXPECT_EQ(bestOf("ash dor"), (QStringList{"Dorian Ash"}));
    EXPECT_EQ(bestOf("dockhand"), (QStringList{"Émile Durand"})); // concept
    EXPECT_EQ(bestOf("nightshade zoe"), (QStringList{"Émile Durand"})); // clan and player
    EXPECT_TRUE(bestOf("ashen").isEmpty()); // the chronicle is not searched here
    EXPECT_TRUE(bestOf("penitent").isEmpty()); // nor the nature

    EXPECT_EQ(details(c.temp.db(), c.ann), QStringLiteral("Zoë \u00b7 Nightshade \u00b7 Dockhand"));
    EXPECT_EQ(details(c.temp.db(), c.bob), QStringLiteral("Unknown")); // no player, a stray clan
    EXPECT_EQ(details(c.temp.db(), 9999), QString());
}
