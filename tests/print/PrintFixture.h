#pragma once

#include "model/Character.h"
#include "store/CharacterStore.h"
#include "store/CharacterTextStore.h"
#include "store/MeritStore.h"
#include "store/PathRitualStore.h"
#include "support/FileBytes.h"
#include "support/TempDatabase.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

// Runs a poppler tool on a PDF and returns what it printed.
inline QString popplerOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << tool.toStdString() << " " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}
// The PDF's text in its printed layout; first and last page from 1, 0 for all.
inline QString pdfText(const QString& pdf, int first = 0, int last = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (first > 0)
        arguments << QStringLiteral("-f") << QString::number(first) << QStringLiteral("-l") << QString::number(last);
    return popplerOutput(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}
inline int pdfPages(const QString& pdf) {
    static const QRegularExpression pages(QStringLiteral(R"(Pages:\s+(\d+))"));
    return pages.match(popplerOutput(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}
inline QString pdfPageSize(const QString& pdf) {
    static const QRegularExpression size(QStringLiteral(R"(Page size:\s+([\d.]+ x [\d.]+))"));
    return size.match(popplerOutput(QStringLiteral("pdfinfo"), {pdf})).captured(1);
}

// A chronicle whose first character fills every field the printed sheet shows.
class PrintFixture : public ::testing::Test {
protected:
    TempDatabase temp;
    const QString name = QStringLiteral("Zoë Ångström-Ильина");
    qint64 key = temp.addCharacter(QStringLiteral("x"));
    // Words w0000 ... of a note over 10,000 characters.
    QString longNote;
    // Specialties: a word no caption holds, on a trait of every column.
    static constexpr std::pair<int, const char*> specialties[] = {
        {0, "Grappling"}, {4, "Flattery"}, {8, "Hunches"}, {9, "Ambushes"},
        {19, "Horses"},   {29, "Occultism"}, {38, "Chemistry"}};

    void SetUp() override {
        store::CharacterStore characters(temp.db());
        model::Character c = *characters.load(key);
        c.name = name;
        c.player = QStringLiteral("Ann Ødegård");
        c.chronicle = QStringLiteral("Ashen Tide");
        c.nature = QStringLiteral("Survivor");
        c.demeanor = QStringLiteral("Gallant");
        c.clan = QStringLiteral("Varkoth");
        c.conceptName = QStringLiteral("Harbour spy");
        c.haven = QStringLiteral("The salt cellar");
        c.generation = 10;
        for (int t = 0; t < model::catalogue::kTraitCount; ++t)
            c.traits[size_t(t)] = int16_t(t % 5 + 1);
        const char* const slots[] = {"Allies", "Contacts", "Fame", "Herd", "Influence", "Mentor", "Resources"};
        const char* const disciplines[] = {"Auspex", "Celerity", "Dominate", "Fortitude",
                                           "Obfuscate", "Potence", "Presence"};
        for (int s = 0; s < model::catalogue::kSlotCount; ++s) {
            c.backgrounds[size_t(s)] = {QString::fromLatin1(slots[s]), int16_t(s + 1)};
            c.disciplines[size_t(s)] = {QString::fromLatin1(disciplines[s]), int16_t(7 - s)};
        }
        c.virtues = {{{4, false}, {2, true}, {5, true}}};
        c.humanityPath = QStringLiteral("Path of Ash");
        c.humanity = 7;
        c.willpower = 6;
        c.currentWillpower = 4;
        c.bloodPool = 9;
        c.health = {1, 2, 3, 1, 1, 1, 1};
        c.experienceGiven = 35;
        c.experienceSpent = 12.5;
        ASSERT_TRUE(characters.save(c).saved());
        for (auto [t, word] : specialties)
            ASSERT_TRUE(characters.setSpecialty(key, t, QString::fromLatin1(word)).written());
        for (auto [merit, points] : {std::pair{"Iron Will", 3}, {"Nightmares", 1}, {"Eat Food", 4}}) {
            store::merits::addLookup(temp.db(), QString::fromLatin1(merit), false, points);
            store::merits::addLink(temp.db(), key, store::merits::findLookup(temp.db(), QString::fromLatin1(merit))->id,
                                   points);
        }
        store::rituals::savePaths(temp.db(), key, 1, {{QStringLiteral("Path of Blood"), 4}});
        store::rituals::savePaths(temp.db(), key, 2, {{QStringLiteral("Sepulchre Path"), 2}});
        store::rituals::addRitual(temp.db(), key, 1, QStringLiteral("Wake with Evening's Freshness"), QStringLiteral("1"),
                                  std::nullopt);
        store::rituals::addRitual(temp.db(), key, 2, QStringLiteral("Eyes of the Grave"), QStringLiteral("2"),
                                  std::nullopt);
        QStringList words;
        for (int i = 0; words.join(' ').size() < 10000; ++i)
            words << QStringLiteral("w%1").arg(i, 4, 10, QLatin1Char('0'));
        longNote = words.join(' ');
        store::notes::writeCharacterText(temp.db(), key, QStringLiteral("History"),
                                         QStringLiteral("Born in Ghent.\nEmbraced in 1692."));
        store::notes::writeCharacterText(temp.db(), key, QStringLiteral("Notes"), longNote);
        QImage picture(40, 60, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        ASSERT_TRUE(picture.save(temp.file(QStringLiteral("face.png"))));
        store::notes::writeCharacterText(temp.db(), key, QStringLiteral("Picture"), temp.file(QStringLiteral("face.png")));
    }
};
