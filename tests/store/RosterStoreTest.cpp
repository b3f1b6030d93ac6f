#include "store/RosterSearch.h"
#include "StoreFixture.h"

using namespace store::roster;

namespace {

// Ann fills every field, with accents; Bob has a Null player and chronicle and a clan key no
// lookup row holds; Cat is an NPC.
struct RosterStore : StoreTest {
    qint64 ann = 0, bob = 0, cat = 0;
    void SetUp() override {
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

// The characters, then the NPCs.
std::vector<const Entry*> everyone(const Lists& lists) {
    std::vector<const Entry*> all;
    for (const auto* list : {&lists.characters, &lists.npcs})
        for (const Entry& entry : *list)
            all.push_back(&entry);
    return all;
}

} // namespace

// Every word must be contained in one field of the same character, whatever the case and accents
// on either side; a Null player, a Null chronicle and a stray lookup key still list the character.
TEST_F(RosterStore, SearchFindsEachFieldWithoutRegardToCaseAndAccents) {
    const Lists lists = readWhole(d);
    ASSERT_EQ(lists.characters.size(), 2u);
    EXPECT_EQ(lists.characters[1].key, bob);
    ASSERT_EQ(lists.npcs.size(), 1u);
    EXPECT_EQ(lists.npcs[0].key, cat);

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
        QStringList found;
        for (const Entry* entry : everyone(lists))
            if (Search(t.typed).matches(*entry))
                found << entry->name;
        EXPECT_EQ(found, t.names);
    }
}

// After follow, a change to a found-by column or to a looked-up name a character shows is noted
// and read back with the new searchable text.
TEST_F(RosterStore, ChangesToSearchedFieldsAreNoted) {
    follow(d);
    d.Execute(QStringLiteral("UPDATE Clan SET Clan = 'Thornblood' WHERE Clan_ID = 2"));
    d.Execute(QStringLiteral("INSERT INTO Concept (Concept_ID, Concept) VALUES (99, 'Ferryman')"));
    d.Execute(QStringLiteral("UPDATE Char_Info SET Concept = 99, Chronicle = 'Émeraude' WHERE Char_ID = ?"), {bob});
    const Changes changes = takeChanges(d);
    ASSERT_EQ(changes.size(), 2u);
    ASSERT_TRUE(changes.at(ann));
    EXPECT_TRUE(Search("thornblood").matches(changes.at(ann)->entry));
    ASSERT_TRUE(changes.at(bob));
    EXPECT_TRUE(Search("ferryman emeraude").matches(changes.at(bob)->entry));
    EXPECT_EQ(notedCount(d), 0);
}

// The switcher finds by name, player, clan and concept only; a name starting with the typed text
// comes first, then characters where every word starts a word, then the rest, each by name.
TEST_F(RosterStore, SwitcherRanksNameStartsFirst) {
    temp.addCharacter(QStringLiteral("Dorian Ash"), QStringLiteral("Ann"));
    temp.addCharacter(QStringLiteral("Adora"), QStringLiteral("Ann"));
    temp.addCharacter(QStringLiteral("Dora"), QStringLiteral("NPC"));
    const Lists lists = readWhole(d);
    const auto bestOf = [&](const QString& typed, std::size_t most = 20) {
        QStringList names;
        for (const Entry* entry : switcherMatches(everyone(lists), Search(typed), most).best)
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

    EXPECT_EQ(details(d, ann), QStringLiteral("Zoë \u00b7 Nightshade \u00b7 Dockhand"));
    EXPECT_EQ(details(d, bob), QStringLiteral("Unknown")); // no player, a stray clan
    EXPECT_EQ(details(d, 9999), QString());
}
