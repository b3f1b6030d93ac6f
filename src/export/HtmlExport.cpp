#include "export/HtmlExport.h"

#include "db/DbError.h"
#include "export/CharacterPage.h"
#include "export/PageFiles.h"
#include "export/Windows1252.h"

#include <QDir>
#include <QSaveFile>

namespace exporter {

namespace {

[[noreturn]] void fileFailure(const QString& path, const QString& reason) {
    throw db::DbError(QStringLiteral("The file \"%1\" cannot be written: %2\nThe character has not been exported.")
                          .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

QStringList writeCharacterHtml(db::Database& database, const QString& key, const QString& path) {
    const QString page = characterPage(database, key);
    const QByteArray bytes = toWindows1252(page);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fileFailure(path, file.errorString());
    if (file.write(bytes) != bytes.size())
        fileFailure(path, file.errorString());
    if (!file.commit())
        fileFailure(path, file.errorString());
    return referencedFiles(page);
}

} // namespace exporter
