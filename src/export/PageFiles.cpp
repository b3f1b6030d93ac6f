#include "export/PageFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace exporter {

QStringList referencedFiles(const QString& page) {
    static const QRegularExpression source(QStringLiteral(R"re(<IMG\s+SRC="([^"]*)")re"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList files;
    for (auto it = source.globalMatch(page); it.hasNext();) {
        const QString file = it.next().captured(1);
        if (!file.isEmpty() && !files.contains(file))
            files << file;
    }
    return files;
}

namespace {

bool sameBytes(const QString& a, const QString& b) {
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    return first.readAll() == second.readAll();
}

// The file of that name among the folder's files, found without regard to case; empty when absent.
QString findIn(const QDir& folder, const QStringList& entries, const QString& name) {
    if (QFileInfo(folder.filePath(name)).isFile())
        return folder.filePath(name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return {};
}

} // namespace

CopiedFiles copyPageFiles(const QStringList& files, const QString& programFolder, const QString& pageFolder) {
    CopiedFiles result;
    const QDir from(programFolder);
    const QDir to(pageFolder);
    if (from.absolutePath() == to.absolutePath())
        return result;
    const QStringList entries = from.entryList(QDir::Files);
    for (const QString& file : files) {
        // Only a plain name is the page's neighbour; a path points somewhere that stays as it is.
        if (file.contains(QLatin1Char('/')) || file.contains(QLatin1Char('\\')) || file.contains(QLatin1Char(':')) ||
            file == QLatin1String(".") || file == QLatin1String(".."))
            continue;
        const QString source = findIn(from, entries, file);
        const QString target = to.filePath(file);
        if (source.isEmpty()) {
            if (!QFileInfo::exists(target))
                result.missing << file;
            continue;
        }
        if (QFileInfo::exists(target)) {
            if (!sameBytes(source, target))
                result.keptDifferent << file;
            continue;
        }
        QFile copy(source);
        if (!copy.copy(target)) {
            result.failure = QStringLiteral("\"%1\" could not be copied into \"%2\": %3")
                                 .arg(file, QDir::toNativeSeparators(pageFolder), copy.errorString());
            return result;
        }
        result.copied << file;
    }
    return result;
}

} // namespace exporter
