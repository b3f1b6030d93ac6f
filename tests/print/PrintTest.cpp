#include "PrintFixture.h"

#include "db/DbError.h"
#include "model/TraitCatalogue.h"
#include "print/PdfExport.h"

#include <QDir>
#include <QLocale>

namespace {

// Each pattern matches after the one before it; returns the first that does not, or empty.
QString firstOutOfOrder(const QString& text, const QStringList& patterns) {
    qsizetype from = 0;
    for (const QString& pattern : patterns) {
        const QRegularExpressionMatch m = QRegularExpression(pattern).match(text, from);
        if (!m.hasMatch())
            return pattern;
        from = m.capturedEnd();
    }
    return {};
}

QString caption(const model::catalogue::Trait& trait) {
    return QString::fromLatin1(trait.caption).remove(':');
}

// One row of a three-column trait grid: each caption followed on its line by its figure.
QString gridRow(const QStringList& captions, const QList<int>& values) {
    QStringList parts;
    for (qsizetype k = 0; k < captions.size(); ++k)
        parts << QRegularExpression::escape(captions[k]) + QStringLiteral(R"([^\n\d]*?\s%1\b)").arg(values[k]);
    return parts.join(QStringLiteral(R"(\s+)"));
}

class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale::system()); }
};

} // namespace

// Every figure of a full character, in the sheet's order and on its row; the specialties by their
// traits; the long note whole over several pages with the name and page number on each; the
// page size from the locale; the picture the only bitmap, so dots and boxes are shapes.
TEST_F(PrintFixture, SheetHoldsEveryFigureInPlaceAndTextsRunOn) {
    const QString pdf = temp.file(QStringLiteral("sheet.pdf"));
    {
        const LocaleScope us(QLocale(QLocale::English, QLocale::UnitedStates));
        print::writeCharacterPdf(temp.db(), key, pdf);
    }
    EXPECT_EQ(pdfPageSize(pdf), "612 x 792");
    const QString text = pdfText(pdf);

    QStringList expected = {
        QRegularExpression::escape(name),
        QStringLiteral(R"(Character\s+%1\s+Nature\s+Survivor\s+Generation\s+10\n)").arg(QRegularExpression::escape(name)),
        QStringLiteral(R"(Player\s+Ann Ødegård\s+Demeanor\s+Gallant\s+Haven\s+The salt cellar\n)"),
        QStringLiteral(R"(Chronicle\s+Ashen Tide\s+Clan\s+Varkoth\s+Concept\s+Harbour spy\n)"),
        QStringLiteral("ATTRIBUTES"),
    };
    const auto& attributes = model::catalogue::attributes();
    const auto& abilities = model::catalogue::abilities();
    const auto figure = [](int trait) { return trait % 5 + 1; };
    for (int row = 0; row < 3; ++row)
        expected << gridRow({caption(attributes[size_t(row)]), caption(attributes[size_t(row + 3)]),
                             caption(attributes[size_t(row + 6)])},
                            {figure(row), figure(row + 3), figure(row + 6)});
    expected << QStringLiteral("ABILITIES");
    for (int row = 0; row < 10; ++row)
        expected << gridRow({caption(abilities[size_t(row)]), caption(abilities[size_t(row + 10)]),
                             caption(abilities[size_t(row + 20)])},
                            {figure(9 + row), figure(9 + row + 10), figure(9 + row + 20)});
    expected << QStringLiteral("ADVANTAGES")
             << gridRow({"Allies", "Auspex", "Conviction"}, {1, 7, 4})
             << gridRow({"Contacts", "Celerity", "Self-Control"}, {2, 6, 2})
             << gridRow({"Fame", "Dominate", "Courage"}, {3, 5, 5}) << gridRow({"Herd", "Fortitude"}, {4, 4})
             << gridRow({"Influence", "Obfuscate"}, {5, 3}) << gridRow({"Mentor", "Potence"}, {6, 2})
             << gridRow({"Resources", "Presence"}, {7, 1}) << QStringLiteral("TRAITS OF THE BLOOD")
             << QStringLiteral(R"(Iron Will\s+3\s+Path of Ash\s+7\s+Bruised\n)")
             << QStringLiteral(R"(Nightmares\s+1\s+WILLPOWER\s+Hurt\s+-1\n)")
             << QStringLiteral(R"(Eat Food\s+4\s+Permanent\s+6\s+Injured\s+-1\n)")
             << QStringLiteral(R"(Current\s+4\s+Wounded\s+-2\n)") << QStringLiteral(R"(Mauled\s+-2\n)")
             << QStringLiteral(R"(Crippled\s+-5\n)")
             << QStringLiteral(R"(Pool 9\s+Maximum 13\s+Per turn 1\s+Incapacitated\n)")
             << QStringLiteral(R"(Given\s+35\n)") << QStringLiteral(R"(Spent\s+12.5\n)")
             << QStringLiteral(R"(Remaining\s+22.5\n)") << QStringLiteral("THAUMATURGY")
             << QStringLiteral(R"(Path of Blood\s+4\s+Level 1\s+Wake with Evening's Freshness)")
             << QStringLiteral("NECROMANCY")
             << QStringLiteral(R"(Sepulchre Path\s+2\s+Level 2\s+Eyes of the Grave)")
             << QStringLiteral("HISTORY") << QStringLiteral(R"(Born in Ghent.\s+Embraced in 1692.)")
             << QStringLiteral("NOTES") << QStringLiteral("w0000") << QStringLiteral("PICTURE");
    EXPECT_EQ(firstOutOfOrder(text, expected), QString());

    // A specialty stands between its trait's row and the next row of the grid.
    for (auto [t, word] : specialties) {
        const bool attribute = t < model::catalogue::kAttributeCount;
        const int index = attribute ? t : t - model::catalogue::kAttributeCount;
        const int rows = attribute ? 3 : 10;
        const int row = index % rows;
        const auto& traits = attribute ? attributes.data() : abilities.data();
        const QString rowStart = caption(traits[row]);
        const QString next = row + 1 < rows ? caption(traits[row + 1]) : QString::fromLatin1(attribute ? "ABILITIES" : "ADVANTAGES");
        EXPECT_EQ(firstOutOfOrder(text, {QStringLiteral("\n") + QRegularExpression::escape(rowStart) + "\\b",
                                         word, QStringLiteral("\n\\s*") + QRegularExpression::escape(next)}),
                  QString())
            << "specialty of trait " << t;
    }

    // The note, word for word, over the pages after the sheet; every page names the character.
    const int pages = pdfPages(pdf);
    EXPECT_GE(pages, 3);
    QStringList words;
    for (const auto& m : QRegularExpression(QStringLiteral(R"(\bw\d{4}\b)")).globalMatch(text))
        words << m.captured();
    EXPECT_EQ(words.join(' '), longNote);
    for (int page = 1; page <= pages; ++page) {
        const QString footer = pdfText(pdf, page, page);
        EXPECT_TRUE(footer.contains(QRegularExpression(QRegularExpression::escape(name) +
                                                       QStringLiteral(R"(\s+Page %1 of %2\s*$)").arg(page).arg(pages))))
            << "page " << page;
    }
    EXPECT_FALSE(pdfText(pdf, 1, 1).contains("w0000")); // the sheet keeps its page
    EXPECT_EQ(popplerOutput(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).count('\n'), 2 + 1);

    {
        const LocaleScope germany(QLocale(QLocale::German, QLocale::Germany));
        print::writeCharacterPdf(temp.db(), key, pdf);
    }
    EXPECT_EQ(pdfPageSize(pdf), "595 x 842");
}
