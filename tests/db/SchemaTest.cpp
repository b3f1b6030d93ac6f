#include "store/Schema.h"
#include "model/TraitCatalogue.h"
#include "support/TempDatabase.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace model::catalogue;

// The sheet reads ratings and specialties by position: each rating, 0 by default, is followed by
// its specialty, Null by default.
TEST(Schema, EveryTraitSitsWhereTheSheetReadsIt) {
    TempDatabase temp;
    temp.addCharacter("Mira");
    db::Statement mira(temp.db().connection().handle(), "SELECT * FROM Char_Info");
    ASSERT_TRUE(mira.step());
    for (int i = 0; i < kTraitCount; ++i) {
        const QString trait = QLatin1String(kTraitColumns[size_t(i)]);
        SCOPED_TRACE(trait.toStdString());
        EXPECT_EQ(mira.columnName(ratingPosition(i)), trait);
        EXPECT_EQ(mira.columnName(specialtyPosition(i)), trait + "_Spec");
        EXPECT_EQ(mira.value(ratingPosition(i)), QVariant(0LL));
        EXPECT_EQ(mira.value(specialtyPosition(i)), QVariant());
    }
    EXPECT_EQ(temp.scalar("SELECT Conscience || SelfControl || Courage || Humanity || WillPower || Cur_WillPower || "
                          "BloodPool FROM Char_Info"),
              QVariant("0000000"));
}

// "Number" columns give back whole numbers as integers, an empty text stays text, every text column ignores case.
TEST(Schema, NumbersTextsAndCaseLikeTheProgramExpects) {
    TempDatabase temp;
    temp.addCharacter("Mira");
    const std::tuple<const char*, QVariant, QVariant> stored[] = {
        {"Generation", 9.0, QVariant(9LL)},
        {"Generation", 2.5, QVariant(2.5)},
        {"ExperienceGiven", "12", QVariant(12LL)},
        {"Chronicle", QString(""), QVariant(QString(""))},
    };
    for (const auto& [column, written, readBack] : stored) {
        temp.db().Execute(QString("UPDATE Char_Info SET %1 = ?").arg(column), {written});
        const QVariant read = temp.scalar(QString("SELECT %1 FROM Char_Info").arg(column));
        EXPECT_EQ(read.typeId(), readBack.typeId()) << column << " " << written.toString().toStdString();
        EXPECT_EQ(read, readBack) << column;
    }
    const QString ddl = temp.scalar("SELECT group_concat(sql, ' ') FROM sqlite_master WHERE type = 'table'").toString();
    EXPECT_EQ(ddl.count(QRegularExpression(" TEXT(?! COLLATE NOCASE)")), 0);
}

} // namespace
