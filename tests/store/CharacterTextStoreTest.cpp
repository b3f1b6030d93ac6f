#include "store/CharacterTextStore.h"
#include "StoreFixture.h"

using store::notes::readCharacterText;
using store::notes::writeCharacterText;

// Each column reads Null as an empty text and is written alone; an empty text, even a null
// QString as an emptied box gives, is stored as an empty text rather than Null. Another
// character's row and a character no longer stored are left alone.
using CharacterTextStore = StoreTest;

TEST_F(CharacterTextStore, EachColumnReadsAndWritesOnlyItself) {
    const qint64 ann = temp.addCharacter("Ann"), bob = temp.addCharacter("Bob");
    temp.exec("UPDATE Char_Info SET History = 'h', Notes = 'n', Picture = 'p'");
    const auto stored = [&](qint64 key) {
        return temp
            .scalar(QStringLiteral("SELECT coalesce(History, 'Null') || '|' || coalesce(Notes, 'Null') || '|' || "
                                   "coalesce(Picture, 'Null') FROM Char_Info WHERE Char_ID = %1")
                        .arg(key))
            .toString();
    };
    const struct {
        const char* column;
        QString written;
        QString row; // Ann's afterwards
    } cases[] = {
        {"History", "Born in the\nlower 'town'.", "Born in the\nlower 'town'.|n|p"},
        {"Notes", QString(), "Born in the\nlower 'town'.||p"},
        {"picture", "C:\\pics\\ann.bmp", "Born in the\nlower 'town'.||C:\\pics\\ann.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        d.Execute(QStringLiteral("UPDATE Char_Info SET %1 = NULL WHERE Char_ID = ?").arg(c.column), {ann});
        EXPECT_EQ(readCharacterText(d, ann, c.column), QString(""));
        EXPECT_TRUE(writeCharacterText(d, ann, c.column, c.written));
        EXPECT_EQ(readCharacterText(d, ann, c.column), c.written);
        EXPECT_EQ(stored(ann), c.row);
        EXPECT_EQ(stored(bob), "h|n|p");
        EXPECT_EQ(readCharacterText(d, 99, c.column), std::nullopt);
        EXPECT_FALSE(writeCharacterText(d, 99, c.column, "lost"));
    }
}
