#include "export/CharacterPage.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "export/ColumnValues.h"
#include "export/HtmlCells.h"
#include "model/TraitCatalogue.h"
#include "store/Schema.h"

#include <array>
#include <vector>

namespace exporter {

namespace {

namespace cv = columnValues;

// A trait's caption as the page shows it: the sheet's caption without its colon.
QString traitCaption(int trait) {
    const auto& traits = model::catalogue::attributes();
    const char* caption =
        trait < model::catalogue::kAttributeCount
            ? traits[size_t(trait)].caption
            : model::catalogue::abilities()[size_t(trait - model::catalogue::kAttributeCount)].caption;
    QString text = QString::fromLatin1(caption);
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

constexpr int kSlots = model::catalogue::kSlotCount;

const QString kCharacterQuery = store::schema::mainCharacterQuery() + QStringLiteral(" WHERE a.Char_ID = ");
// The character query ends with the nature, demeanor, clan and concept names. SQLite reports them
// as DemNat, DemNat, Clan and Concept, and the last two name key columns of a.* as well, so these
// four are read by their place, counted from the last column.
enum NameFromEnd { kNatureName = 4, kDemeanorName = 3, kClanName = 2, kConceptName = 1 };
const QString kBackgroundsQuery = QStringLiteral("SELECT BackGround_LookUp.BackGround, "
                                                 "BackGround_Link.Level, Char_Info.Char_ID "
                                                 "FROM (Char_Info INNER JOIN BackGround_Link ON "
                                                 "Char_Info.Char_ID = BackGround_Link.Char_ID) "
                                                 "INNER JOIN BackGround_LookUp ON "
                                                 "BackGround_Link.BackGround_ID = "
                                                 "BackGround_LookUp.BackGround_ID "
                                                 "WHERE Char_Info.Char_ID=");
const QString kDisciplinesQuery = QStringLiteral("SELECT Char_Info.Char_ID, Discipline_Link.Level, "
                                                 "Discipline_Lookup.Discipline "
                                                 "FROM (Char_Info INNER JOIN Discipline_Link ON "
                                                 "Char_Info.Char_ID = Discipline_Link.Char_ID) "
                                                 "INNER JOIN Discipline_Lookup ON "
                                                 "Discipline_Link.Discipline_ID = "
                                                 "Discipline_Lookup.Discipline_ID "
                                                 "WHERE Char_Info.Char_ID=");
const QString kMeritsQuery = QStringLiteral("SELECT Char_Info.Char_ID, "
                                            "MeritFlaw_Lookup.MeritFlaw "
                                            "FROM (Char_Info INNER JOIN MeritFlaw_Link ON "
                                            "Char_Info.Char_ID = MeritFlaw_Link.Char_ID) INNER JOIN "
                                            "MeritFlaw_Lookup ON MeritFlaw_Link.MeritFlaw_ID = "
                                            "MeritFlaw_Lookup.MeritFlaw_ID "
                                            "WHERE Char_Info.Char_ID=");
const QString kHealthQuery = QStringLiteral("SELECT * FROM Health WHERE Char_ID = ");
const QString kPathsQuery = QStringLiteral("SELECT Path_Link.Char_ID, Path_Link.Level, Path, ThaNec "
                                           "FROM Path_Link INNER JOIN Path_LookUp ON "
                                           "Path_Link.Path_ID = Path_LookUp.Path_ID "
                                           "WHERE ThaNec=%1 AND Path_Link.Char_ID=");
const QString kRitualsQuery =
    QStringLiteral("SELECT Ritual_Lookup.Ritual, Ritual_Lookup.Level, Ritual_Lookup.ThaNec, Ritual_Link.Char_ID "
                   "FROM Ritual_Link INNER JOIN Ritual_Lookup "
                   "ON Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID "
                   "WHERE Ritual_Lookup.ThaNec=%1 AND Ritual_Link.Char_ID=");

QString heading(const char* title, const char* before = "", const char* between = "") {
    return QStringLiteral("<P ALIGN=CENTER>%1<FONT FACE=\"Abaddon\u2122\" SIZE=5>%2<B>%3</B></FONT>")
        .arg(QLatin1String(before), QLatin1String(between), QLatin1String(title));
}

// Accumulates the page line by line.
class PageBuilder {
public:
    PageBuilder(db::Database& database, const QString& key) : m_db(database), m_key(key), m_char(characterRow()) {}

    QString build();

private:
    void line(const QString& text = {}) {
        m_page += text;
        m_page += QLatin1String("\r\n");
    }
    std::vector<db::Row> rows(const QString& query) { return db::query(m_db.connection(), query + m_key); }
    db::Row characterRow();
    QString text(const char* column) const { return cv::text(m_char, QLatin1String(column)); }
    int16_t rating(const char* column) const { return cv::int16(m_char, QLatin1String(column)); }

    void head();
    void identity();
    void traitGrid(int firstTrait, int rowsPerColumn);
    void attributes();
    void abilities();
    void advantages();
    void ratedSlot(const std::vector<db::Row>& list, int slot, const char* nameColumn);
    void meritsToHealth();
    void bloodPool();
    void health();
    void magic(int kind);
    void freeText(const char* title, const char* column);
    void picture();
    void footer();

    db::Database& m_db;
    QString m_key;
    db::Row m_char;
    QString m_page;
};

db::Row PageBuilder::characterRow() {
    std::vector<db::Row> character = rows(kCharacterQuery);
    if (character.empty())
        throw db::DbError(
            QStringLiteral("The character with the key %1 cannot be exported: it is not in the database.").arg(m_key));
    return std::move(character.front());
}

QString PageBuilder::build() {
    head();
    identity();
    attributes();
    abilities();
    advantages();
    meritsToHealth();
    magic(1);
    line(QStringLiteral("<BR><HR>"));
    magic(2);
    freeText("Notes", "Notes");
    freeText("History", "History");
    picture();
    footer();
    return m_page;
}

void PageBuilder::head() {
    line(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">"));
    line(QStringLiteral("<HTML>"));
    line(QStringLiteral("<HEAD>"));
    line(QStringLiteral("<TITLE>") + text("Chronicle") + QStringLiteral(": ") + text("Name") +
         QStringLiteral("</TITLE>"));
    line(QStringLiteral("</HEAD>"));
    line(QStringLiteral("<BODY BGCOLOR=#ffffff>"));
    line(QStringLiteral("<FONT COLOR=#000000>"));
    line(heading("Caldrenne", " ", " "));
    line(QStringLiteral("<HR>"));
    line(QStringLiteral("</P>"));
}

void PageBuilder::identity() {
    struct Field {
        const char* label;
        const char* column; // null for a lookup name
        int fromEnd = 0;
    };
    static constexpr Field kRows[3][3] = {
        {{"Name", "Name"}, {"Nature", nullptr, kNatureName}, {"Generation", "Generation"}},
        {{"Player", "player"}, {"Demeanor", nullptr, kDemeanorName}, {"Haven", "Haven"}},
        {{"Chronicle", "Chronicle"}, {"Clan", nullptr, kClanName}, {"Concept", nullptr, kConceptName}},
    };
    line(QStringLiteral("<TABLE FONT COLOR=#000000 ALIGN=CENTER WIDTH=\"95%\">"));
    for (const auto& row : kRows) {
        line(QStringLiteral("<TR>"));
        for (const Field& field : row)
            line(QStringLiteral("<TD>%1: <TD>").arg(QLatin1String(field.label)) +
                 (field.column ? text(field.column) : cv::text(m_char.value(m_char.size() - field.fromEnd))));
    }
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<HR>"));
}

// Three columns of traits, filled column by column in trait order.
void PageBuilder::traitGrid(int firstTrait, int rowsPerColumn) {
    for (int row = 0; row < rowsPerColumn; ++row) {
        line(QStringLiteral("<TR>"));
        for (int column = 0; column < 3; ++column) {
            if (column > 0)
                line(QStringLiteral("<TD>"));
            const int trait = firstTrait + column * rowsPerColumn + row;
            line(QStringLiteral("<TD>%1 ").arg(traitCaption(trait)) +
                 Html_DotCells(rating(model::catalogue::kTraitColumns[size_t(trait)]), 9) + QStringLiteral("</TD>"));
        }
    }
}

void PageBuilder::attributes() {
    line(heading("Attributes", " ", " "));
    line(QStringLiteral("<HR>"));
    line(QStringLiteral("</P>"));
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"75%\">"));
    line(QStringLiteral("<TR>"));
    line(QStringLiteral("<TD ALIGN=CENTER><FONT FACE=\"Gaeilge 1\" SIZE=2>Physical"));
    line(QStringLiteral("<TD ALIGN=CENTER><FONT FACE=\"Gaeilge 1\"; Size = 2 > Social"));
    line(QStringLiteral("<TD ALIGN=CENTER><FONT FACE=\"Gaeilge 1\"; Size = 2 > Mental"));
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"75%\">"));
    traitGrid(0, 3);
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<BR><HR>"));
}

void PageBuilder::abilities() {
    line(heading("Abilities"));
    line(QStringLiteral("<HR></P>"));
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"75%\">"));
    line(QStringLiteral("<TR>"));
    line(QStringLiteral("<TD ALIGN=CENTER><FONT FACE=\"Gaeilge 1\"  SIZE=2> Talents"));
    line(QStringLiteral("<TD ALIGN=CENTER><FONT FACE=\"Gaeilge 1\"  SIZE=2> Skills"));
    line(QStringLiteral("<TD ALIGN=CENTER><FONT FACE=\"Gaeilge 1\"  SIZE=2> Knowledge"));
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"75%\">"));
    traitGrid(model::catalogue::kAttributeCount, model::catalogue::kAbilityCount / 3);
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<BR>"));
    line(QStringLiteral("<HR>"));
}

// One background or discipline slot (counted from 0): its row of the list, or a blank line to write on.
void PageBuilder::ratedSlot(const std::vector<db::Row>& list, int slot, const char* nameColumn) {
    if (size_t(slot) >= list.size()) {
        line(QStringLiteral("<TD>________________") + Html_DotCells(0, 9) + QStringLiteral("</TD>"));
        return;
    }
    const db::Row& row = list[size_t(slot)];
    line(QStringLiteral("<TD>") + cv::text(row, QLatin1String(nameColumn)) +
         Html_DotCells(cv::int16(row, QStringLiteral("Level")), 9) + QStringLiteral("</TD>"));
}

void PageBuilder::advantages() {
    line(heading("Advantages", "", " "));
    line(QStringLiteral("<HR>"));
    line(QStringLiteral("</P>"));
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"85%\">"));
    line(QStringLiteral("<TR>"));
    line(QStringLiteral("<TD ALIGN=CENTER WIDTH=\"30%\"><FONT FACE=\"Gaeilge 1\" SIZE=2>Backgrounds"));
    line(QStringLiteral("<TD ALIGN=CENTER WIDTH=\"40%\"><Font FACE=\"Gaeilge 1\" Size=2> Disciplines"));
    line(QStringLiteral("<TD ALIGN=CENTER WIDTH=\"30%\"><Font FACE=\"Gaeilge 1\" Size=2> Virtues"));
    line(QStringLiteral("</TABLE>"));
    line();
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"95%\">"));

    const auto backgrounds = rows(kBackgroundsQuery);
    const auto disciplines = rows(kDisciplinesQuery);
    const bool conscience = cv::number(m_char, QStringLiteral("Conscience_Conviction")) == 1.0;
    const bool selfControl = cv::number(m_char, QStringLiteral("SelfControl_Instinct")) == 1.0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        line(QStringLiteral("<TR>"));
        ratedSlot(backgrounds, slot - 1, "Background");
        line(QStringLiteral("<TD>"));
        ratedSlot(disciplines, slot - 1, "Discipline");
        const QString closing = QStringLiteral("</TD>");
        if (slot == 1) {
            line(QStringLiteral("<TD>"));
            line((conscience ? QStringLiteral("<TD>Conscience   ") : QStringLiteral("<TD>Conviction   ")) +
                 Html_DotCells(rating("Conscience"), 4) + closing);
        } else if (slot == 4) {
            line(QStringLiteral("<TD>"));
            line((selfControl ? QStringLiteral("<TD WIDTH=\"45%\">Self-Control") : QStringLiteral("<TD>Instinct   ")) +
                 Html_DotCells(rating("SelfControl"), 4) + closing);
        } else if (slot == kSlots) {
            line(QStringLiteral("<TD><TD>Courage         ") + Html_DotCells(rating("Courage"), 4) + closing);
        }
    }
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<BR>"));
    line(QStringLiteral("<HR>"));
}

void PageBuilder::meritsToHealth() {
    line(QStringLiteral("<TABLE ALIGN=CENTER WIDTH=\"75%\" BORDER=0>"));
    line(QStringLiteral("<TR>"));
    line(QStringLiteral("<TD ALIGN=CENTER WIDTH=\"34%\"><FONT FACE=\"Gaeilge 1\" SIZE=2> Merits/Flaws"));
    line(QStringLiteral("<TD ALIGN=CENTER WIDTH=\"33%\"><FONT FACE=\"Gaeilge 1\" SIZE=2> Humanity/Path"));
    line(QStringLiteral("<TD ALIGN=CENTER WIDTH=\"33%\"><FONT FACE=\"Gaeilge 1\"  SIZE=2> Health"));
    line(QStringLiteral("<TR>"));
    line(QStringLiteral("<TD>"));
    line(QStringLiteral("<TABLE BORDER=0>"));
    const auto merits = rows(kMeritsQuery);
    for (size_t slot = 0; slot < size_t(kSlots); ++slot) {
        if (slot < merits.size())
            line(QStringLiteral(" <TR><TD>") + cv::text(merits[slot], QStringLiteral("MeritFlaw")));
        else
            line(QStringLiteral(" <TR><TD>____________________"));
    }
    line(QStringLiteral(" </TABLE>"));
    line(QStringLiteral(" <TD>"));
    line(QStringLiteral(" <TABLE BORDER=0>"));
    line(QStringLiteral("  <TR><TD> Path______________"));
    line(QStringLiteral("  <TABLE BORDER=0>"));
    line(QStringLiteral("   <TR>"));
    line(QStringLiteral("  <TABLE BORDER=0 WIDTH=\"100%\">"));
    line(Html_DotCells(rating("Humanity"), 9) + QStringLiteral("</TD>"));
    line(QStringLiteral("  </TABLE>"));
    line(QStringLiteral("  <TR><TD><FONT FACE=\"Gaeilge 1\" SIZE=2> Willpower"));
    line(QStringLiteral("  <TABLE BORDER=0 WIDTH=\"100%\">"));
    line(Html_DotCells(rating("WillPower"), 9) + QStringLiteral("</TD>"));
    line(QStringLiteral("   <TR>"));
    line(Html_BoxCells(rating("Cur_WillPower"), 9) + QStringLiteral("</TD>"));
    line(QStringLiteral("  </TABLE>"));
    line(QStringLiteral("  <TR><TD>"));
    line(QStringLiteral("  <TR><TD><FONT FACE=\"Gaeilge 1\" SIZE=2> Blood Pool"));
    line(QStringLiteral("  <TABLE BORDER=0 WIDTH=\"100%\">"));
    bloodPool();
    line(QStringLiteral("  </TABLE>"));
    line(QStringLiteral(" </TABLE>"));
    line(QStringLiteral("<TD>"));
    health();
    line(QStringLiteral("</TABLE>"));
    line(QStringLiteral("<BR><HR>"));
}

// As many boxes as the generation allows, ten to a row, the current pool ticked; then one
// open cell for each point of the pool beyond its last full ten.
void PageBuilder::bloodPool() {
    const int16_t pool = rating("BloodPool");
    const double current = cv::number(m_char, QStringLiteral("BloodPool")).value_or(0.0);
    int boxes = 0;
    // Generations outside the table show no boxes.
    if (const std::optional<double> generation = cv::number(m_char, QStringLiteral("Generation")))
        if (const auto row = model::catalogue::generationRow(*generation))
            boxes = row->bloodPoolBoxes;
    for (int i = 1; i <= boxes; ++i) {
        line(i <= current ? QStringLiteral("<TD><IMG SRC=\"BOXCHECK.bmp\" ALT=\"*\">")
                          : QStringLiteral("<TD><IMG SRC=\"BOX.bmp\" ALT=\"*\">"));
        if (i % 10 == 0)
            line(QStringLiteral("</TD><TR>"));
    }
    const int open = pool % 10; // none for a negative pool
    for (int i = 0; i < open; ++i)
        line(QStringLiteral("<TD>"));
}

// A missing health row, or a Null level, leaves the level's image line empty.
void PageBuilder::health() {
    struct Level {
        const char* name;
        const char* penalty;
    };
    static constexpr Level kLevels[model::catalogue::kHealthCount] = {
        {"Bruised", ""},   {"Hurt", " -1"},     {"Injured", " -1"},    {"Wounded", " -2"},
        {"Mauled", " -2"}, {"Crippled", " -5"}, {"Incapacitated", ""},
    };
    const auto healthRows = rows(kHealthQuery);
    line(QStringLiteral(" <TABLE BORDER=0>"));
    for (int i = 0; i < model::catalogue::kHealthCount; ++i) {
        line(QStringLiteral("  <TR>"));
        line(QStringLiteral("  <TD> ") + QLatin1String(kLevels[i].name));
        line(QStringLiteral("  <TD>") + QLatin1String(kLevels[i].penalty));
        const int16_t state = healthRows.empty() ? 0 : cv::int16(healthRows.front(), QStringLiteral("Health%1").arg(i));
        line(Html_HealthCell(state));
    }
    line(QStringLiteral(" </TABLE>"));
}

void PageBuilder::magic(int kind) {
    line(heading(kind == 1 ? "Thaumaturgy" : "Necromancy"));
    line(QStringLiteral("<HR></P>"));
    line(QStringLiteral("<TABLE WIDTH=\"75%\" ALIGN=CENTER>"));
    line(QStringLiteral("<TR><TD><FONT FACE=\"Gaeilge 1\" SIZE=2>  Paths "));
    line(QStringLiteral("<TD><FONT FACE=\"Gaeilge 1\" SIZE=2> Rituals</TD>"));
    line(QStringLiteral("<TR><TD><TABLE>"));
    for (const db::Row& path : rows(kPathsQuery.arg(kind)))
        line(QStringLiteral("<TR><TD>") + cv::text(path, QStringLiteral("Path")) +
             Html_DotCells(cv::int16(path, QStringLiteral("Level")), 10) + QStringLiteral("</TD>"));
    line(QStringLiteral("</TABLE>"));
    const auto rituals = rows(kRitualsQuery.arg(kind));
    line(QStringLiteral("<TD><TABLE>"));
    for (const db::Row& ritual : rituals)
        line(QStringLiteral("<TR><TD>") + cv::text(ritual, QStringLiteral("Ritual")) + QStringLiteral("<TD>") +
             cv::text(ritual, QStringLiteral("Level")));
    line(QStringLiteral("</TABLE></TABLE><BR>"));
}

// Written only when the column is not Null; an empty text still gets its heading.
void PageBuilder::freeText(const char* title, const char* column) {
    const QVariant value = m_char.value(QLatin1String(column));
    if (!value.isValid() || value.isNull())
        return;
    line(QStringLiteral("<BR><HR>"));
    line(heading(title));
    line(QStringLiteral("<HR></P>"));
    line(text(column));
}

void PageBuilder::picture() {
    line(QStringLiteral("<BR><HR>"));
    line(heading("Picture"));
    line(QStringLiteral("<HR></P>"));
    line(QStringLiteral("<TABLE ALIGN=CENTER><TR><TD>"));
    QString source = text("Picture");
    if (source.isEmpty())
        source = QStringLiteral("nopic.bmp");
    line(QStringLiteral("<IMG SRC=\"") + source + QStringLiteral("\" ALT=\"*\" ALIGN=CENTER></TD></TABLE>"));
}

void PageBuilder::footer() {
    line(QStringLiteral("<P></P>"));
    line(QStringLiteral("<P><FONT SIZE=1> This Web page was created by the Duskledger program. Contact it's creator at "
                        "<A HREF=\"Mailto:") +
         kContactAddress + QStringLiteral("\"> ") + kContactAddress + QStringLiteral("</A></P>"));
    line(QStringLiteral("</HTML>"));
}

// The key is appended to the queries as it stands, so only a whole number is let through.
QString checkedKey(const QString& key) {
    bool ok = false;
    const qlonglong value = key.trimmed().toLongLong(&ok);
    if (key.trimmed().isEmpty())
        throw db::DbError(QStringLiteral("No character is shown, so there is nothing to export."));
    if (!ok)
        throw db::DbError(QStringLiteral("\"%1\" is not the key of a character; nothing was exported.").arg(key));
    return QString::number(value);
}

} // namespace

QString characterPage(db::Database& database, const QString& key) {
    return PageBuilder(database, checkedKey(key)).build();
}

} // namespace exporter
