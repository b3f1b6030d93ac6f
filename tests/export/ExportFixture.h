#pragma once

#include "export/CharacterPage.h"
#include "support/TempDatabase.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

// Readable failure output for texts and lists of lines.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A database with one character and helpers to give it traits, links and lookups.
class ExportFixture : public ::testing::Test {
protected:
    TempDatabase temp;
    qint64 key = temp.addCharacter(QStringLiteral("Mara Voss"), QStringLiteral("Ann"));

    QString keyText() const { return QString::number(key); }

    void set(const QString& assignments) {
        temp.exec(QStringLiteral("UPDATE Char_Info SET %1 WHERE Char_ID = %2").arg(assignments).arg(key));
    }

    // Inserts a lookup row and returns its key.
    qint64 lookup(const QString& table, const QString& columns, const QString& values) {
        temp.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns, values));
        return temp.scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
    }

    void link(const QString& table, const QString& columns, const QString& values) {
        temp.exec(
            QStringLiteral("INSERT INTO %1 (Char_ID, %2) VALUES (%3, %4)").arg(table, columns).arg(key).arg(values));
    }

    void addBackground(const QString& name, const QString& level) {
        const qint64 id = lookup(QStringLiteral("BackGround_LookUp"), QStringLiteral("BackGround"), quoted(name));
        link(QStringLiteral("BackGround_Link"), QStringLiteral("BackGround_ID, Level"),
             QStringLiteral("%1, %2").arg(id).arg(level));
    }
    void addDiscipline(const QString& name, const QString& level) {
        const qint64 id = lookup(QStringLiteral("Discipline_LookUp"), QStringLiteral("Discipline"), quoted(name));
        link(QStringLiteral("Discipline_Link"), QStringLiteral("Discipline_ID, Level"),
             QStringLiteral("%1, %2").arg(id).arg(level));
    }
    void addMerit(const QString& name) {
        const qint64 id = lookup(QStringLiteral("MeritFlaw_LookUp"), QStringLiteral("MeritFlaw"), quoted(name));
        link(QStringLiteral("MeritFlaw_Link"), QStringLiteral("MeritFlaw_ID, Points"), QStringLiteral("%1, 1").arg(id));
    }
    void addPath(const QString& name, int kind, const QString& level) {
        const qint64 id = lookup(QStringLiteral("Path_LookUp"), QStringLiteral("Path, ThaNec"),
                                 quoted(name) + QStringLiteral(", %1").arg(kind));
        link(QStringLiteral("Path_Link"), QStringLiteral("Path_ID, Level"),
             QStringLiteral("%1, %2").arg(id).arg(level));
    }
    void addRitual(const QString& name, int kind, const QString& level) {
        const qint64 id = lookup(QStringLiteral("Ritual_Lookup"), QStringLiteral("Ritual, Level, ThaNec"),
                                 quoted(name) + QStringLiteral(", %1, %2").arg(level).arg(kind));
        link(QStringLiteral("Ritual_Link"), QStringLiteral("Ritual_ID"), QString::number(id));
    }

    static QString quoted(QString text) {
        return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
    }

    QString page() { return exporter::characterPage(temp.db(), keyText()); }

    // The page's lines, without their CR LF ends.
    QStringList lines() {
        QStringList result = page().split(QStringLiteral("\r\n"));
        EXPECT_EQ(result.takeLast(), QString()) << "the last line must end with CR LF";
        return result;
    }

    // The lines after the first line equal to `from` and before the next line equal to `to`.
    static QStringList between(const QStringList& lines, const QString& from, const QString& to, int skip = 0) {
        qsizetype start = -1;
        for (int i = 0; i <= skip; ++i)
            start = lines.indexOf(from, start + 1);
        if (start < 0)
            return {QStringLiteral("<missing %1>").arg(from)};
        const qsizetype end = lines.indexOf(to, start + 1);
        return lines.mid(start + 1, end < 0 ? -1 : end - start - 1);
    }

    // The first line that starts with prefix.
    static QString lineStarting(const QStringList& lines, const QString& prefix) {
        for (const QString& line : lines)
            if (line.startsWith(prefix))
                return line;
        return QStringLiteral("<missing %1>").arg(prefix);
    }
};

// Image cells in compact form: {C3U7} is three CHECK.bmp cells and seven UNCHECK.bmp cells,
// X and O the BOXCHECK.bmp and BOX.bmp cells; {_} is a trailing blank.
inline QString expandCells(QString text) {
    static const QRegularExpression group(QStringLiteral("\\{((?:[CUXO]\\d+)+)\\}"));
    static const QRegularExpression part(QStringLiteral("([CUXO])(\\d+)"));
    QString result;
    qsizetype at = 0;
    for (auto groups = group.globalMatch(text); groups.hasNext();) {
        const auto match = groups.next();
        result += text.mid(at, match.capturedStart() - at);
        for (auto parts = part.globalMatch(match.captured(1)); parts.hasNext();) {
            const auto cell = parts.next();
            const char kind = cell.captured(1).at(0).toLatin1();
            const QString file = kind == 'C'   ? QStringLiteral("CHECK.bmp")
                                 : kind == 'U' ? QStringLiteral("UNCHECK.bmp")
                                 : kind == 'X' ? QStringLiteral("BOXCHECK.bmp")
                                               : QStringLiteral("BOX.bmp");
            result += QStringLiteral("<TD><IMG SRC=\"%1\" ALT=\"*\">").arg(file).repeated(cell.captured(2).toInt());
        }
        at = match.capturedEnd();
    }
    result += text.mid(at);
    return result.replace(QStringLiteral("{_}"), QStringLiteral(" "));
}
