#pragma once

#include "export/CharacterPage.h"
#include "support/FileBytes.h"
#include "support/TempDatabase.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

// Page text in short form: {C3} is three CHECK.bmp cells, U, X and O stand for UNCHECK.bmp,
// BOXCHECK.bmp and BOX.bmp, and '|' is a line end (CR LF).
inline QString expand(QString text) {
    static const QRegularExpression cells(QStringLiteral(R"(\{([CUXO])(\d+)\})"));
    static const QStringList files = {"CHECK", "UNCHECK", "BOXCHECK", "BOX"};
    for (auto m = cells.match(text); m.hasMatch(); m = cells.match(text))
        text.replace(m.capturedStart(), m.capturedLength(),
                     QStringLiteral("<TD><IMG SRC=\"%1.bmp\" ALT=\"*\">")
                         .arg(files[QStringLiteral("CUXO").indexOf(m.captured(1))])
                         .repeated(m.captured(2).toInt()));
    return text.replace(QLatin1Char('|'), QStringLiteral("\r\n"));
}

// A database with one character, Mara Voss of the player Ann.
class ExportFixture : public ::testing::Test {
protected:
    TempDatabase temp;
    qint64 key = temp.addCharacter(QStringLiteral("Mara Voss"), QStringLiteral("Ann"));

    QString keyText() const { return QString::number(key); }
    // Runs statements separated by ';', with $K standing for the character's key.
    void exec(const QString& script) {
        for (const QString& sql : script.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            temp.exec(QString(sql).replace(QLatin1String("$K"), keyText()));
    }
    void set(const QString& assignments) { exec("UPDATE Char_Info SET " + assignments + " WHERE Char_ID = $K"); }
    QString page() { return exporter::characterPage(temp.db(), keyText()); }
};
