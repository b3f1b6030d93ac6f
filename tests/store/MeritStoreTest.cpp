#include "store/MeritStore.h"
#include "StoreFixture.h"

namespace merits = store::merits;

// Ann and Bob; Zeal (3), Ogre's Luck (1) and Debt (variable points) are known. Ann took Zeal,
// Ogre's Luck at -1 and Debt at 10; Bob took Ogre's Luck between them.
struct MeritStore : StoreTest {
    qint64 ann = temp.addCharacter("Ann"), bob = temp.addCharacter("Bob");
    const qint64 zeal = 1, luck = 2, debt = 3;

    void SetUp() override {
        temp.exec("INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points, pointflex) VALUES ('Zeal', 3, 0), "
                  "('Ogre''s Luck', 1, 0), ('Debt', NULL, 1)");
        for (auto [charId, meritId, points] :
             {std::tuple{ann, zeal, 3}, {bob, luck, 1}, {ann, luck, -1}, {ann, debt, 10}})
            merits::addLink(d, charId, meritId, points);
    }
    QStringList lines(qint64 charId) {
        QStringList result;
        for (const auto& line : merits::characterMerits(d, charId))
            result << line.text + '#' + QString::number(line.meritId);
        return result;
    }
    // Every link row as "character:merit:points", in stored order.
    QString links() {
        return temp
            .scalar("SELECT group_concat(Char_ID || ':' || MeritFlaw_ID || ':' || Points, ' ') "
                    "FROM (SELECT * FROM MeritFlaw_Link ORDER BY rowid)")
            .toString();
    }
};

// Lines follow the order the links were stored, not the merits' keys or names, and show only the
// character's own links.
TEST_F(MeritStore, LinesKeepTheOrderTakenAndRemovalDeletesOneLinkOfThatCharacter) {
    merits::addLink(d, bob, zeal, 2);
    EXPECT_EQ(lines(ann), QStringList({"Zeal 3#1", "Ogre's Luck -1#2", "Debt 10#3"}));
    EXPECT_EQ(lines(bob), QStringList({"Ogre's Luck 1#2", "Zeal 2#1"}));
    EXPECT_TRUE(lines(99).isEmpty());

    merits::addLink(d, ann, luck, 4); // Ann holds Ogre's Luck twice
    const QString start = links();
    const struct {
        qint64 charId, meritId;
        bool has, removed;
        QString links; // afterwards
    } cases[] = {
        {bob, debt, false, false, start},
        {99, zeal, false, false, start},
        {ann, luck, true, true, "1:1:3 2:2:1 1:3:10 2:1:2 1:2:4"}, // the first of Ann's two
        {ann, luck, true, true, "1:1:3 2:2:1 1:3:10 2:1:2"},
        {ann, luck, false, false, "1:1:3 2:2:1 1:3:10 2:1:2"},
        {bob, zeal, true, true, "1:1:3 2:2:1 1:3:10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.charId).arg(c.meritId).toStdString());
        EXPECT_EQ(merits::characterHas(d, c.charId, c.meritId), c.has);
        EXPECT_EQ(merits::removeLink(d, c.charId, c.meritId), c.removed);
        EXPECT_EQ(links(), c.links);
    }
}

// Names match without regard to case and reach the first row of that name; a quote in a name is
// just a character; a variable-point entry keeps the column's default points.
TEST_F(MeritStore, LookupsByNameOrKeyAndNewEntries) {
    merits::addLookup(d, "Will's End", false, 2);
    merits::addLookup(d, "Oath", true, 7);
    EXPECT_EQ(merits::lookupNames(d), QStringList({"Debt", "Oath", "Ogre's Luck", "Will's End", "Zeal"}));
    merits::addLookup(d, "zeal", false, 5); // a second row of that name
    const auto show = [](const std::optional<merits::MeritLookup>& row) {
        if (!row)
            return QStringLiteral("none");
        return QStringLiteral("%1 %2 %3 %4")
            .arg(row->id)
            .arg(row->name, row->points.isNull() ? QStringLiteral("Null") : row->points.toString())
            .arg(int(row->pointflex));
    };
    const std::pair<QString, QString> byName[] = {
        {"ZEAL", "1 Zeal 3 0"},    {"ogre's luck", "2 Ogre's Luck 1 0"},
        {"Debt", "3 Debt Null 1"}, {"Will's End", "4 Will's End 2 0"},
        {"Oath", "5 Oath 0 1"},    {"Ogre", "none"},
        {"' OR 1=1 --", "none"},
    };
    for (const auto& [name, expected] : byName)
        EXPECT_EQ(show(merits::findLookup(d, name)), expected) << name.toStdString();
    EXPECT_EQ(show(merits::findLookup(d, qint64(6))), "6 zeal 5 0");
    EXPECT_EQ(show(merits::findLookup(d, qint64(99))), "none");
}

// Null reads as an empty text; a write reaches that merit only; a missing merit is told apart.
TEST_F(MeritStore, DescriptionsReadNullAsEmptyAndWriteOneMerit) {
    EXPECT_EQ(merits::description(d, zeal), QString(""));
    EXPECT_TRUE(merits::writeDescription(d, zeal, "Bright 'and' keen."));
    EXPECT_TRUE(merits::writeDescription(d, luck, ""));
    EXPECT_EQ(merits::description(d, zeal), QString("Bright 'and' keen."));
    EXPECT_EQ(temp.scalar("SELECT group_concat(coalesce(Description, 'Null'), '|') FROM MeritFlaw_LookUp").toString(),
              "Bright 'and' keen.||Null");
    EXPECT_FALSE(merits::writeDescription(d, 99, "lost"));
    EXPECT_EQ(merits::description(d, 99), std::nullopt);
}
