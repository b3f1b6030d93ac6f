#include "ExportFixture.h"

#include "db/DbError.h"
#include "export/HtmlExport.h"

#include <QFile>

namespace {

struct CellCount {
    int check = 0, uncheck = 0, boxCheck = 0, box = 0;
    bool operator==(const CellCount&) const = default;
};

std::ostream& operator<<(std::ostream& out, const CellCount& c) {
    return out << "CHECK " << c.check << ", UNCHECK " << c.uncheck << ", BOXCHECK " << c.boxCheck << ", BOX " << c.box;
}

CellCount cellsOf(const QString& line) {
    return {
        int(line.count(QStringLiteral("SRC=\"CHECK.bmp\""))), int(line.count(QStringLiteral("SRC=\"UNCHECK.bmp\""))),
        int(line.count(QStringLiteral("SRC=\"BOXCHECK.bmp\""))), int(line.count(QStringLiteral("SRC=\"BOX.bmp\"")))};
}

} // namespace

TEST_F(ExportFixture, EachSectionHasItsNumberOfCells) {
    set(QStringLiteral("Strength = 10, Charisma = 3, Science = 0, Wits = -2, Conscience = 5, SelfControl = 2, "
                       "Courage = 7, Humanity = 7, WillPower = 4, Cur_WillPower = 3"));
    addBackground(QStringLiteral("Herd"), QStringLiteral("12"));
    addDiscipline(QStringLiteral("Auspex"), QStringLiteral("NULL"));
    addPath(QStringLiteral("Path of Blood"), 1, QStringLiteral("3"));
    addPath(QStringLiteral("Path of Bones"), 2, QStringLiteral("11"));
    const QStringList page = lines();
    const QString rows = QStringLiteral("  <TABLE BORDER=0 WIDTH=\"100%\">");
    const struct {
        QString line;
        CellCount expected;
    } cases[] = {
        {lineStarting(page, QStringLiteral("<TD>Strength ")), {10, 0, 0, 0}},
        {lineStarting(page, QStringLiteral("<TD>Charisma ")), {3, 7, 0, 0}},
        {lineStarting(page, QStringLiteral("<TD>Science ")), {0, 10, 0, 0}},
        {lineStarting(page, QStringLiteral("<TD>Wits ")), {0, 12, 0, 0}}, // a negative value: only empty cells
        {lineStarting(page, QStringLiteral("<TD>Herd")), {12, 0, 0, 0}},  // above the last index: no empty cell
        {lineStarting(page, QStringLiteral("<TD>Auspex")), {0, 10, 0, 0}},
        {lineStarting(page, QStringLiteral("<TD>Conscience   ")), {5, 0, 0, 0}},
        {lineStarting(page, QStringLiteral("<TD WIDTH=\"45%\">Self-Control")), {2, 3, 0, 0}},
        {lineStarting(page, QStringLiteral("<TD><TD>Courage         ")), {7, 0, 0, 0}},
        {between(page, rows, QStringLiteral("  </TABLE>")).value(0), {7, 3, 0, 0}},
        {between(page, rows, QStringLiteral("   <TR>"), 1).value(0), {4, 6, 0, 0}},
        {between(page, QStringLiteral("   <TR>"), QStringLiteral("  </TABLE>"), 1).value(0), {0, 0, 3, 7}},
        {lineStarting(page, QStringLiteral("<TR><TD>Path of Blood")), {3, 8, 0, 0}},
        {lineStarting(page, QStringLiteral("<TR><TD>Path of Bones")), {11, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cellsOf(c.line), c.expected) << c.line.left(60).toStdString();
        EXPECT_TRUE(c.line.endsWith(QStringLiteral("</TD>"))) << c.line.left(60).toStdString();
    }
}

TEST_F(ExportFixture, BloodPoolFollowsGenerationAndPool) {
    const QString box = QStringLiteral("<TD><IMG SRC=\"BOX.bmp\" ALT=\"*\">");
    const QString tick = QStringLiteral("<TD><IMG SRC=\"BOXCHECK.bmp\" ALT=\"*\">");
    const QString rowEnd = QStringLiteral("</TD><TR>");
    const QString open = QStringLiteral("<TD>");
    const struct {
        QString generation;
        QString pool;
        QStringList expected;
    } cases[] = {
        {QStringLiteral("13"), QStringLiteral("4"),
         QStringList(4, tick) + QStringList(6, box) + QStringList{rowEnd} + QStringList(4, open)},
        {QStringLiteral("10"), QStringLiteral("12"),
         QStringList(10, tick) + QStringList{rowEnd, tick, tick, box} + QStringList(2, open)},
        {QStringLiteral("14"), QStringLiteral("3"), QStringList(3, open)},
        {QStringLiteral("NULL"), QStringLiteral("0"), {}},
        {QStringLiteral("12.5"), QStringLiteral("2"), QStringList(2, open)},
        {QStringLiteral("8"), QStringLiteral("20"), QStringList(10, tick) + QStringList{rowEnd} + QStringList(5, tick)},
        {QStringLiteral("4"), QStringLiteral("50"),
         [&] {
             QStringList l;
             for (int i = 0; i < 5; ++i)
                 l << QStringList(10, tick) << rowEnd;
             return l;
         }()},
    };
    for (const auto& c : cases) {
        set(QStringLiteral("Generation = %1, BloodPool = %2").arg(c.generation, c.pool));
        const QStringList boxes =
            between(lines(), QStringLiteral("  <TR><TD><FONT FACE=\"Gaeilge 1\" SIZE=2> Blood Pool"),
                    QStringLiteral("  </TABLE>"));
        ASSERT_FALSE(boxes.isEmpty()) << c.generation.toStdString();
        EXPECT_EQ(boxes.mid(1), c.expected)
            << "generation " << c.generation.toStdString() << ", pool " << c.pool.toStdString();
    }
}

TEST_F(ExportFixture, SevenSlotsAreWrittenAndNoMore) {
    for (int i = 1; i <= 8; ++i)
        addDiscipline(QStringLiteral("Discipline %1").arg(i), QString::number(i % 3));
    for (int i = 1; i <= 9; ++i)
        addMerit(QStringLiteral("Merit %1").arg(i));
    const QStringList page = lines();
    const QStringList grid =
        between(page, QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"95%\">"), QStringLiteral("</TABLE>"));
    EXPECT_EQ(grid.count(QStringLiteral("<TR>")), 7);
    EXPECT_EQ(grid.count(expandCells(QStringLiteral("<TD>________________{U10}</TD>"))), 7); // no backgrounds
    QStringList disciplines;
    for (const QString& line : grid)
        if (line.startsWith(QStringLiteral("<TD>Discipline ")))
            disciplines << line;
    ASSERT_EQ(disciplines.size(), 7);
    EXPECT_EQ(disciplines.first(), expandCells(QStringLiteral("<TD>Discipline 1{C1U9}</TD>")));
    EXPECT_EQ(disciplines.last(), expandCells(QStringLiteral("<TD>Discipline 7{C1U9}</TD>")));

    QStringList merits = between(page, QStringLiteral("<TABLE BORDER=0>"), QStringLiteral(" </TABLE>"));
    QStringList expected;
    for (int i = 1; i <= 7; ++i)
        expected << QStringLiteral(" <TR><TD>Merit %1").arg(i);
    EXPECT_EQ(merits, expected);
}

TEST_F(ExportFixture, VirtuesFollowTheirKinds) {
    const struct {
        QString conscienceKind, selfControlKind;
        QString first, second;
    } cases[] = {
        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("<TD>Conscience   {C3U2}</TD>"),
         QStringLiteral("<TD WIDTH=\"45%\">Self-Control{C2U3}</TD>")},
        {QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("<TD>Conviction   {C3U2}</TD>"),
         QStringLiteral("<TD>Instinct   {C2U3}</TD>")},
        {QStringLiteral("NULL"), QStringLiteral("0"), QStringLiteral("<TD>Conviction   {C3U2}</TD>"),
         QStringLiteral("<TD>Instinct   {C2U3}</TD>")},
    };
    set(QStringLiteral("Conscience = 3, SelfControl = 2, Courage = 1"));
    for (const auto& c : cases) {
        set(QStringLiteral("Conscience_Conviction = %1, SelfControl_Instinct = %2")
                .arg(c.conscienceKind, c.selfControlKind));
        const QStringList grid =
            between(lines(), QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"95%\">"), QStringLiteral("</TABLE>"));
        ASSERT_EQ(grid.size(), 7 * 4 + 2 + 2 + 1);
        // Row 1: background, "<TD>", discipline, "<TD>", first virtue.
        EXPECT_EQ(grid.mid(4, 2), QStringList({QStringLiteral("<TD>"), expandCells(c.first)}));
        EXPECT_EQ(grid.mid(6 + 4 + 4 + 4, 2), QStringList({QStringLiteral("<TD>"), expandCells(c.second)}));
        EXPECT_EQ(grid.last(), expandCells(QStringLiteral("<TD><TD>Courage         {C1U4}</TD>")));
    }
}

TEST_F(ExportFixture, HealthCellsFollowTheStoredStates) {
    const QString levels = QStringLiteral(" <TABLE BORDER=0>"); // the second one holds the health levels
    temp.exec(QStringLiteral("UPDATE Health SET Health0 = 0, Health1 = 1, Health2 = 2, Health3 = 3, Health4 = NULL, "
                             "Health5 = 7, Health6 = 2 WHERE Char_ID = %1")
                  .arg(key));
    const QStringList expected = {
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Bruised"),
        QStringLiteral("  <TD>"),    QString(),
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Hurt"),
        QStringLiteral("  <TD> -1"), QStringLiteral("  <TD> <IMG SRC=\"BOX.bmp\" ALT=\"*\">"),
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Injured"),
        QStringLiteral("  <TD> -1"), QStringLiteral("  <TD> <IMG SRC=\"BOXCHECK.bmp\" ALT=\"*\">"),
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Wounded"),
        QStringLiteral("  <TD> -2"), QStringLiteral("  <TD> <IMG SRC=\"BOXX.bmp\" ALT=\"*\">"),
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Mauled"),
        QStringLiteral("  <TD> -2"), QString(),
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Crippled"),
        QStringLiteral("  <TD> -5"), QString(),
        QStringLiteral("  <TR>"),    QStringLiteral("  <TD> Incapacitated"),
        QStringLiteral("  <TD>"),    QStringLiteral("  <TD> <IMG SRC=\"BOXCHECK.bmp\" ALT=\"*\">"),
    };
    EXPECT_EQ(between(lines(), levels, QStringLiteral(" </TABLE>"), 1), expected);

    // Without a health row every level's image line stays empty.
    temp.exec(QStringLiteral("DELETE FROM Health WHERE Char_ID = %1").arg(key));
    const QStringList rows = between(lines(), levels, QStringLiteral(" </TABLE>"), 1);
    ASSERT_EQ(rows.size(), 28);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(rows[4 * i + 3], QString()) << i;
}

TEST_F(ExportFixture, NotesHistoryAndPicture) {
    const QString notesHeading =
        QStringLiteral("<P ALIGN=CENTER><FONT FACE=\"Abaddon\u2122\" SIZE=5><B>Notes</B></FONT>");
    const QString historyHeading =
        QStringLiteral("<P ALIGN=CENTER><FONT FACE=\"Abaddon\u2122\" SIZE=5><B>History</B></FONT>");
    const QString pictureHeading =
        QStringLiteral("<P ALIGN=CENTER><FONT FACE=\"Abaddon\u2122\" SIZE=5><B>Picture</B></FONT>");
    const QString nopic = QStringLiteral("<IMG SRC=\"nopic.bmp\" ALT=\"*\" ALIGN=CENTER></TD></TABLE>");
    const struct {
        QString assignments;
        QStringList afterNecromancy; // from the line after the necromancy table to the picture heading
        QString image;
    } cases[] = {
        {QStringLiteral("Notes = NULL, History = NULL, Picture = NULL"), {QStringLiteral("<BR><HR>")}, nopic},
        {QStringLiteral("Notes = '', History = NULL, Picture = ''"),
         {QStringLiteral("<BR><HR>"), notesHeading, QStringLiteral("<HR></P>"), QString(), QStringLiteral("<BR><HR>")},
         nopic},
        {QStringLiteral("Notes = NULL, History = 'Born <b>1692</b> & raised' || char(10) || 'in Ghent', "
                        "Picture = 'C:\\pics\\Mara''s.jpg'"),
         {QStringLiteral("<BR><HR>"), historyHeading, QStringLiteral("<HR></P>"),
          QStringLiteral("Born <b>1692</b> & raised\nin Ghent"), QStringLiteral("<BR><HR>")},
         QStringLiteral("<IMG SRC=\"C:\\pics\\Mara's.jpg\" ALT=\"*\" ALIGN=CENTER></TD></TABLE>")},
        {QStringLiteral("Notes = 'N', History = 'H', Picture = 'x.gif'"),
         {QStringLiteral("<BR><HR>"), notesHeading, QStringLiteral("<HR></P>"), QStringLiteral("N"),
          QStringLiteral("<BR><HR>"), historyHeading, QStringLiteral("<HR></P>"), QStringLiteral("H"),
          QStringLiteral("<BR><HR>")},
         QStringLiteral("<IMG SRC=\"x.gif\" ALT=\"*\" ALIGN=CENTER></TD></TABLE>")},
    };
    for (const auto& c : cases) {
        set(c.assignments);
        const QStringList page = lines();
        const qsizetype end = page.indexOf(QStringLiteral("</TABLE></TABLE><BR>"),
                                           page.indexOf(QStringLiteral("</TABLE></TABLE><BR>")) + 1);
        const qsizetype picture = page.indexOf(pictureHeading);
        ASSERT_GT(end, 0);
        EXPECT_EQ(page.mid(end + 1, picture - end - 1), c.afterNecromancy) << c.assignments.toStdString();
        EXPECT_EQ(page.value(picture + 3), c.image) << c.assignments.toStdString();
    }
}

TEST_F(ExportFixture, NamesAreWrittenUnchangedInTheirCodePage) {
    set(QStringLiteral("Name = 'A<b> & O''Neil', Chronicle = 'Nuit \u00e9t\u00e9'"));
    const QStringList page = lines();
    EXPECT_EQ(page[3], QStringLiteral("<TITLE>Nuit \u00e9t\u00e9: A<b> & O'Neil</TITLE>"));
    EXPECT_EQ(page[12], QStringLiteral("<TD>Name: <TD>A<b> & O'Neil"));

    // An empty name still writes the title's separator.
    set(QStringLiteral("Name = '', Chronicle = 'Ashen Vale'"));
    EXPECT_EQ(lines()[3], QStringLiteral("<TITLE>Ashen Vale: </TITLE>"));

    // A name the code page cannot hold becomes character references; the template keeps its byte 0x99.
    set(QStringLiteral("Name = '\u0416\u0435\u043d\u044f \u20ac'"));
    const QString path = temp.file(QStringLiteral("page.html"));
    exporter::writeCharacterHtml(temp.db(), keyText(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n<HTML>\r\n<HEAD>\r\n"));
    EXPECT_TRUE(bytes.contains("<TITLE>Ashen Vale: &#1046;&#1077;&#1085;&#1103; \x80</TITLE>\r\n"));
    EXPECT_TRUE(bytes.contains("<FONT FACE=\"Abaddon\x99\" SIZE=5> <B>Caldrenne</B></FONT>\r\n"));
    EXPECT_TRUE(bytes.endsWith("</A></P>\r\n</HTML>\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')) << "every line end is CR LF";
}

TEST_F(ExportFixture, MissingCharacterOrBadKeyIsRefused) {
    temp.exec(QStringLiteral("UPDATE Char_Info SET Clan = 99 WHERE Char_ID = %1").arg(key));
    EXPECT_THROW(page(), db::DbError);
    for (const QString& badKey : {QString(), QStringLiteral("1 OR 1=1"), QStringLiteral("abc")})
        EXPECT_THROW(exporter::characterPage(temp.db(), badKey), db::DbError) << badKey.toStdString();
    temp.exec(QStringLiteral("UPDATE Char_Info SET Clan = 1, Strength = 'lots' WHERE Char_ID = %1").arg(key));
    EXPECT_THROW(page(), db::DbError);
}
