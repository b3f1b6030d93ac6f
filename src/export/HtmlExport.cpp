#include "export/HtmlExport.h"

#include "db/DbError.h"
#include "export/CharacterPage.h"
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

void writeCharacterHtml(db::Database& database, const QString& key, const QString& path) {
    const QByteArray bytes = toWindows1252(characterPage(database, key));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fileFailure(path, file.errorString());
    if (file.write(bytes) != bytes.size())
        fileFailure(path, file.errorString());
    if (!file.commit())
        fileFailure(path, file.errorString());
}

} // namespace exporter
