#include "ExportFixture.h"
#include "store/Schema.h"

#include "app/Session.h"
#include "db/DbError.h"
#include "export/HtmlChronicle.h"
#include "export/Windows1252.h"
#include "sheet/HtmlExportCommand.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>

// Boxes as many as the generation allows, ten to a row, the pool ticked; an open cell for each
// point beyond the pool's last full ten.
TEST_F(ExportFixture, BloodPoolFollowsGenerationAndPool) {
    const std::pair<const char*, QString> cases[] = {
        {"13, 4", "{X4}{O6}</TD><TR><TD><TD><TD><TD>"},
        {"10, 12", "{X10}</TD><TR>{X2}{O1}<TD><TD>"},
        {"4, 50", QStringLiteral("{X10}</TD><TR>").repeated(5)},
        {"13, -3", "{O10}</TD><TR>"},
        {"14, 3", "<TD><TD><TD>"}, // no boxes outside generations 3 to 13
        {"12.5, 2", "<TD><TD>"},
        {"NULL, 0", ""},
    };
    for (const auto& [values, expected] : cases) {
        set(QStringLiteral("(Generation, BloodPool) = (%1)").arg(values));
        EXPECT_EQ(page().section("> Blood Pool\r\n", 1).section("  </TABLE>", 0, 0).remove("\r\n"),
                  "  <TABLE BORDER=0 WIDTH=\"100%\">" + expand(expected))
            << "generation, pool: " << values;
    }
}

// Seven discipline and merit slots and no more; the captions of the other virtue kinds (a Null kind
// counts as the second); no health row; a clan or nature key that names no row gives an empty field;
// an empty text still gets its heading, text is written as stored; no picture gives the placeholder.
TEST_F(ExportFixture, SlotsVirtueKindsEmptyTextsAndWhatIsMissing) {
    set("Conscience = 3, SelfControl = 2, Conscience_Conviction = NULL, SelfControl_Instinct = 1, Picture = '', "
        "Notes = '', History = 'Born <b>1692</b> & raised' || char(10) || 'in Ghent', Clan = 99, Nature = NULL");
    exec("DELETE FROM Health WHERE Char_ID = $K");
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
    EXPECT_TRUE(text.contains(expand("<TD>|<TD>Conviction   {C3}{U2}</TD>|<TR>")));
    EXPECT_TRUE(text.contains(expand("<TD>|<TD WIDTH=\"45%\">Self-Control{C2}{U3}</TD>|<TR>")));
    EXPECT_EQ(text.count("<TD> <IMG"), 0); // the health levels' image lines are empty
    EXPECT_TRUE(text.contains("  <TD> Incapacitated\r\n  <TD>\r\n\r\n </TABLE>"));
    EXPECT_TRUE(text.contains("<TD>Nature: <TD>\r\n") && text.contains("<TD>Clan: <TD>\r\n"));
    const QString heading = "<P ALIGN=CENTER><FONT FACE=\"Abaddon\u2122\" SIZE=5><B>%1</B></FONT>|<HR></P>|";
    EXPECT_TRUE(text.contains(expand("</TABLE></TABLE><BR>|<BR><HR>|" + heading.arg("Notes") + "|<BR><HR>|" +
                                     heading.arg("History") + "Born <b>1692</b> & raised\nin Ghent|<BR><HR>|" +
                                     heading.arg("Picture") +
                                     "<TABLE ALIGN=CENTER><TR><TD>|<IMG SRC=\"nopic.bmp\" ALT=\"*\" ALIGN=CENTER>")));
}

// No row for the key, a key that is no number, and a value that is no whole 16-bit number: the last
// is named with its column and text, on the character row as on a health or link row.
TEST_F(ExportFixture, MissingCharacterBadKeyOrBadValueIsRefused) {
    const auto refusal = [&] {
        try {
            page();
        } catch (const db::DbError& e) {
            return e.message();
        }
        return QStringLiteral("<exported>");
    };
    for (const QString& badKey : {QString(), QStringLiteral("1 OR 1=1"), QStringLiteral("abc")})
        EXPECT_THROW(exporter::characterPage(temp.db(), badKey), db::DbError) << badKey.toStdString();
    const QString bad = "The character cannot be exported: the column %1 holds \"%2\", which is not a whole number";
    const std::tuple<const char*, QString> cases[] = {
        {"DELETE FROM Char_Info WHERE Char_ID = $K", "The character with the key " + keyText() + " cannot be exported"},
        {"UPDATE Char_Info SET Strength = 'lots' WHERE Char_ID = $K", bad.arg("Strength", "lots")},
        {"UPDATE Char_Info SET BloodPool = 32767.5 WHERE Char_ID = $K", bad.arg("BloodPool", "32767.5")},
        {"UPDATE Health SET Health2 = 'x' WHERE Char_ID = $K", bad.arg("Health2", "x")},
        {"INSERT INTO Path_LookUp VALUES (1, 'Ash', 2); INSERT INTO Path_Link VALUES ($K, 1, -40000)",
         bad.arg("Level", "-40000")},
    };
    for (const auto& [sql, message] : cases) {
        db::Transaction undone(temp.db()); // never committed: each case starts from the sound character
        exec(sql);
        EXPECT_TRUE(refusal().startsWith(message)) << refusal().toStdString();
    }
}

TEST(Windows1252, BytesAndReferences) {
    const std::pair<QString, QByteArray> cases[] = {
        {"Plain <b> & 'x'\r\n\u2122\u00e9\u20ac\u017d\u0178", "Plain <b> & 'x'\r\n\x99\xe9\x80\x8e\x9f"},
        // Beyond the code page: the C1 controls it leaves out, other scripts, surrogates whole and broken.
        {"\u0081\u009d\u0416a\u4e2d", "&#129;&#157;&#1046;a&#20013;"},
        {QString::fromUcs4(U"\U0001F319") + QChar(0xD800) + QLatin1Char('x'), "&#127769;&#65533;x"},
        {QString(QChar(0)), QByteArray(1, '\0')},
    };
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(exporter::toWindows1252(text), bytes) << bytes.toStdString();
}

// Cancel and failures write nothing and leave an earlier export as it was. An export replaces it
// without a question with the page in its code page (the page's bytes are the page tests' part).
TEST_F(ExportFixture, ExportCommandWritesThePageOrNothing) {
    temp.release();
    ScriptedServices services;
    services.folder = temp.file("program"); // the bitmaps the page names, kept with the program
    ASSERT_TRUE(QDir().mkpath(services.folder));
    for (const char* bitmap : {"CHECK.bmp", "uncheck.BMP", "BOX.bmp", "BOXCHECK.bmp", "BOXX.bmp", "nopic.bmp"})
        ASSERT_TRUE(writeFile(QDir(services.folder).filePath(bitmap), bitmap));
    app::Session session(services);
    session.database = store::openChronicle(temp.path(), false);
    const QString kept = temp.file("kept.html"); // an earlier export
    ASSERT_TRUE(writeFile(kept, "kept"));
    set("Name = 'A<b> & O''Neil \u0416\u0435\u043d\u044f \u20ac', Chronicle = 'Nuit \u00e9t\u00e9'");
    const std::tuple<QString, QString, const char*> cases[] = {
        // key, answer to the file dialog, the start of the one message shown
        {keyText(), QString(), "Character has not been exported."}, // cancelled
        {QString(), temp.file("fresh.html"), "No character is shown"}, {"999", kept, "The character with the key 999"},
        {keyText(), temp.file("missing/sheet.html"), "The file \""},   {keyText(), temp.folder(), "The file \""},
        {keyText(), kept, "Character has been exported to HTML!"}, // over the earlier export
    };
    for (int i = 0; i < 6; ++i) {
        const auto& [key, answer, message] = cases[i];
        SCOPED_TRACE(answer.toStdString());
        services.messages.clear();
        services.fileDialogs.clear();
        services.fileAnswers = {answer};
        session.shownKey = key.isEmpty() ? std::nullopt : std::optional(key.toLongLong());
        sheet::mnuFileExport_Click(session);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_TRUE(services.lastMessage().startsWith(message)) << services.lastMessage().toStdString();
        EXPECT_EQ(services.fileDialogs.size(), key.isEmpty() ? 0u : 1u); // asks only with a character shown
        EXPECT_EQ(fileBytes(kept) == "kept", i < 5);
        if (i < 5) {
            EXPECT_EQ(QDir(temp.folder()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no new or temporary file";
        }
    }
    // The bitmaps the page names are copied beside it under the names it uses; the page stays as
    // built; a different file of the same name is told about (kept: the chronicle folder's test).
    EXPECT_EQ(fileBytes(temp.file("UNCHECK.bmp")), "uncheck.BMP");
    EXPECT_FALSE(QFile::exists(temp.file("BOXX.bmp"))) << "a healthy character's page names no crossed box";
    EXPECT_EQ(fileBytes(kept), exporter::toWindows1252(page()));
    ASSERT_TRUE(QDir().mkpath(temp.file("elsewhere")) && writeFile(temp.file("elsewhere/UNCHECK.bmp"), "mine"));
    services.fileAnswers = {temp.file("elsewhere/sheet.html")};
    sheet::mnuFileExport_Click(session);
    EXPECT_TRUE(services.lastMessage().contains("other files named UNCHECK.bmp;")) << services.lastMessage().toStdString();
}

// A folder of pages: each the page File, Export to HTML writes, named after its character and
// unique; an index linking them in order; the bitmaps copied, a different one of the same name
// kept. A stop, or a folder that cannot be made, leaves the folder as it was.
TEST_F(ExportFixture, ChronicleFolderHoldsPagesIndexAndBitmaps) {
    const qint64 twin = temp.addCharacter(QStringLiteral("mara voss"), QStringLiteral("NPC"));
    const qint64 index = temp.addCharacter(QStringLiteral("index"));
    const qint64 slash = temp.addCharacter(QStringLiteral("A/B <\u00e9>"));
    const std::vector<qint64> keys = {key, twin, index, 999, slash};
    const QString program = temp.file("program");
    ASSERT_TRUE(QDir().mkpath(program));
    for (const char* bitmap : {"CHECK.bmp", "UNCHECK.bmp", "BOX.bmp", "nopic.bmp"})
        ASSERT_TRUE(writeFile(QDir(program).filePath(bitmap), bitmap));
    const QString out = temp.file("out");
    ASSERT_TRUE(QDir().mkpath(out) && writeFile(out + "/CHECK.bmp", "mine"));
    const auto listing = [&] {
        QStringList entries = QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        entries.sort();
        return entries.join('|');
    };

    int calls = 0;
    EXPECT_FALSE(exporter::writeChronicleHtml(temp.db(), keys, out, program, "Ashen Tide",
                                              [&](int done, int total) {
                                                  ++calls;
                                                  EXPECT_EQ(total, 4);
                                                  return done < 2;
                                              }));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(listing(), "CHECK.bmp");

    EXPECT_TRUE(exporter::writeChronicleHtml(temp.db(), keys, out, program, "Ashen <Tide>"));
    EXPECT_EQ(listing(), "A B \u00e9.html|BOX.bmp|CHECK.bmp|Mara Voss.html|UNCHECK.bmp|index (2).html|index.html|"
                         "mara voss (2).html|nopic.bmp");
    EXPECT_EQ(fileBytes(out + "/CHECK.bmp"), "mine");
    EXPECT_EQ(fileBytes(out + "/UNCHECK.bmp"), "UNCHECK.bmp");
    EXPECT_EQ(fileBytes(out + "/mara voss (2).html"),
              exporter::toWindows1252(exporter::characterPage(temp.db(), QString::number(twin))));
    const QString links = QString::fromUtf8(fileBytes(out + "/index.html"));
    EXPECT_TRUE(links.contains("<title>Ashen &lt;Tide&gt;</title>"));
    QStringList hrefs;
    for (const auto& m : QRegularExpression(R"re(<a href="([^"]+)">([^<]*)</a>)re").globalMatch(links))
        hrefs << m.captured(1) + " " + m.captured(2);
    EXPECT_EQ(hrefs.join('|'), "Mara%20Voss.html Mara Voss|mara%20voss%20%282%29.html mara voss|"
                               "index%20%282%29.html index|A%20B%20%C3%A9.html A/B &lt;\u00e9&gt;");

    ASSERT_TRUE(writeFile(temp.file("plain"), "x"));
    EXPECT_THROW(exporter::writeChronicleHtml(temp.db(), keys, temp.file("plain/out"), program, "t"), db::DbError);
    EXPECT_EQ(fileBytes(temp.file("plain")), "x");
}
