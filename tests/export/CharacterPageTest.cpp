#include "ExportFixture.h"

#include "db/DbError.h"

// Boxes as many as the generation allows, ten to a row, the pool ticked; an open cell for each
// point beyond the pool's last full ten.
TEST_F(ExportFixture, BloodPoolFollowsGenerationAndPool) {
    const struct {
        const char *generation, *pool;
        QString expected;
    } cases[] = {
        {"13", "4", "{X4}{O6}</TD><TR><TD><TD><TD><TD>"},
        {"10", "12", "{X10}</TD><TR>{X2}{O1}<TD><TD>"},
        {"4", "50", QStringLiteral("{X10}</TD><TR>").repeated(5)},
        {"13", "-3", "{O10}</TD><TR>"},
        {"14", "3", "<TD><TD><TD>"}, // no boxes outside generations 3 to 13
        {"12.5", "2", "<TD><TD>"},
        {"NULL", "0", ""},
    };
    for (const auto& c : cases) {
        set(QStringLiteral("Generation = %1, BloodPool = %2").arg(c.generation, c.pool));
        EXPECT_EQ(between("Blood Pool\r\n  <TABLE BORDER=0 WIDTH=\"100%\">\r\n", "  </TABLE>").remove("\r\n"),
                  expand(c.expected))
            << "generation " << c.generation << ", pool " << c.pool;
    }
}

TEST_F(ExportFixture, SevenSlotsAreWrittenAndNoMore) {
    for (int i = 1; i <= 9; ++i)
        for (const QString table : {"Discipline", "MeritFlaw"})
            exec(QStringLiteral("INSERT INTO %1_LookUp (%1_ID, %1) VALUES (%2, '%1 %2');"
                                "INSERT INTO %1_Link VALUES ($K, %2, 1)")
                     .arg(table)
                     .arg(i));
    const QString text = page();
    EXPECT_EQ(text.count("<TD>Discipline "), 7);
    EXPECT_TRUE(text.contains(expand("|<TD>Discipline 7{C1}{U9}</TD>|")));
    EXPECT_EQ(text.count(" <TR><TD>MeritFlaw "), 7);
    EXPECT_TRUE(text.contains(" <TR><TD>MeritFlaw 7\r\n </TABLE>"));
}

// The captions of the other virtue kinds (a Null kind counts as the second); no health row, no
// notes, history or picture.
TEST_F(ExportFixture, OtherVirtueKindsAndWhatIsMissing) {
    set("Conscience = 3, SelfControl = 2, Conscience_Conviction = NULL, SelfControl_Instinct = 1, Picture = ''");
    exec("DELETE FROM Health WHERE Char_ID = $K");
    const QString text = page();
    EXPECT_TRUE(text.contains(expand("<TD>|<TD>Conviction   {C3}{U2}</TD>|<TR>")));
    EXPECT_TRUE(text.contains(expand("<TD>|<TD WIDTH=\"45%\">Self-Control{C2}{U3}</TD>|<TR>")));
    EXPECT_EQ(text.count("<TD> <IMG"), 0); // the health levels' image lines are empty
    EXPECT_TRUE(text.contains("  <TD> Incapacitated\r\n  <TD>\r\n\r\n </TABLE>"));
    EXPECT_TRUE(text.contains(expand("</TABLE></TABLE><BR>|<BR><HR>|" + heading("Picture") +
                                     "<TABLE ALIGN=CENTER><TR><TD>|<IMG SRC=\"nopic.bmp\" ALT=\"*\" ALIGN=CENTER>")));
}

// An empty text still gets its heading; text is written as stored.
TEST_F(ExportFixture, EmptyNotesAndHistoryAsStored) {
    set("Notes = '', History = 'Born <b>1692</b> & raised' || char(10) || 'in Ghent'");
    EXPECT_TRUE(
        page().contains(expand("</TABLE></TABLE><BR>|<BR><HR>|" + heading("Notes") + "|<BR><HR>|" + heading("History") +
                               "Born <b>1692</b> & raised\nin Ghent|<BR><HR>|" + heading("Picture"))));
}

TEST_F(ExportFixture, MissingCharacterOrBadKeyIsRefused) {
    set("Clan = 99"); // no such clan: the character query finds no row
    EXPECT_THROW(page(), db::DbError);
    for (const QString& badKey : {QString(), QStringLiteral("1 OR 1=1"), QStringLiteral("abc")})
        EXPECT_THROW(exporter::characterPage(temp.db(), badKey), db::DbError) << badKey.toStdString();
    set("Clan = 1, Strength = 'lots'");
    EXPECT_THROW(page(), db::DbError);
}
