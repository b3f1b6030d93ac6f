#include "export/HtmlChronicle.h"

#include "db/Database.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "export/HtmlExport.h"
#include "export/PageFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>
#include <filesystem>

namespace exporter {

namespace {

[[noreturn]] void folderFailure(const QString& folder, const QString& reason) {
    throw db::DbError(QStringLiteral("The folder \"%1\" cannot be written: %2\nNothing has been exported.")
                          .arg(QDir::toNativeSeparators(folder), reason));
}

struct Listed {
    qint64 key;
    QString name;
    QString player;
    QString clan;
};

QString indexPage(const QString& title, const std::vector<Listed>& listed, const std::vector<QString>& files) {
    QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                                  "</head>\n<body>\n<h1>%1</h1>\n<table>\n"
                                  "<tr><th>Character</th><th>Player</th><th>Clan</th></tr>\n")
                       .arg(title.toHtmlEscaped());
    for (size_t i = 0; i < listed.size(); ++i)
        page += QStringLiteral("<tr><td><a href=\"%1\">%2</a></td><td>%3</td><td>%4</td></tr>\n")
                    .arg(QString::fromLatin1(QUrl::toPercentEncoding(files[i])),
                         listed[i].name.isEmpty() ? QStringLiteral("(no name)") : listed[i].name.toHtmlEscaped(),
                         listed[i].player.toHtmlEscaped(), listed[i].clan.toHtmlEscaped());
    page += QStringLiteral("</table>\n</body>\n</html>\n");
    return page;
}

} // namespace

std::vector<QString> pageFileNames(const std::vector<QString>& names) {
    static const QRegularExpression refused(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QSet<QString> taken{QStringLiteral("index.html")};
    std::vector<QString> files;
    for (const QString& name : names) {
        QString base = QString(name).replace(refused, QStringLiteral(" ")).simplified();
        if (base.isEmpty() || base.startsWith(QLatin1Char('.')))
            base = QStringLiteral("Character");
        base.truncate(120); // file systems take 255 bytes
        QString file = base + QStringLiteral(".html");
        for (int n = 2; taken.contains(file.toLower()); ++n)
            file = QStringLiteral("%1 (%2).html").arg(base).arg(n);
        taken.insert(file.toLower());
        files.push_back(file);
    }
    return files;
}

bool writeChronicleHtml(db::Database& database, const std::vector<qint64>& keys, const QString& folder,
                        const QString& programFolder, const QString& title, const Progress& progress) {
    if (!QDir().mkpath(folder))
        folderFailure(folder, QStringLiteral("it cannot be made."));
    QTemporaryDir temporary(QDir(folder).filePath(QStringLiteral(".duskledger-export-XXXXXX")));
    if (!temporary.isValid())
        folderFailure(folder, temporary.errorString());

    std::vector<Listed> listed;
    for (qint64 key : keys) {
        const std::vector<db::Row> rows =
            db::query(database.connection(),
                      QStringLiteral("SELECT a.Name, a.player, c.Clan FROM Char_Info a LEFT JOIN Clan c "
                                     "ON c.Clan_ID = a.Clan WHERE a.Char_ID = ?"),
                      {key});
        if (!rows.empty())
            listed.push_back({key, rows.front().value(0).toString(), rows.front().value(1).toString(),
                              rows.front().value(2).toString()});
    }
    std::vector<QString> names;
    for (const Listed& entry : listed)
        names.push_back(entry.name);
    const std::vector<QString> files = pageFileNames(names);

    QStringList pictures;
    const int total = int(listed.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        for (const QString& picture : writeCharacterHtml(database, QString::number(listed[i].key),
                                                         temporary.filePath(files[i])))
            if (!pictures.contains(picture))
                pictures << picture;
        if (progress && !progress(int(i) + 1, total))
            return false;
    }
    {
        QSaveFile index(temporary.filePath(QStringLiteral("index.html")));
        const QByteArray bytes = indexPage(title, listed, files).toUtf8();
        if (!index.open(QIODevice::WriteOnly) || index.write(bytes) != bytes.size() || !index.commit())
            folderFailure(folder, index.errorString());
    }

    // Complete: the pages and the index take their places, then the bitmaps they use join them.
    std::vector<QString> moved = files;
    moved.push_back(QStringLiteral("index.html"));
    for (const QString& file : moved) {
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(temporary.filePath(file).toStdU16String()),
                                std::filesystem::path(QDir(folder).filePath(file).toStdU16String()), error);
        if (error)
            folderFailure(folder, QString::fromStdString(error.message()));
    }
    const CopiedFiles copied = copyPageFiles(pictures, programFolder, folder);
    if (!copied.failure.isEmpty())
        folderFailure(folder, copied.failure);
    return true;
}

} // namespace exporter
