#include "notes/CharacterText.h"

#include "db/Database.h"

namespace notes {

namespace {
// The column names are the program's own, never typed by the user.
QString columnQuery(qint64 charId, const QString& column) {
    return QStringLiteral("Select ") + column + QStringLiteral(" from char_info where char_id = ") +
           QString::number(charId);
}
} // namespace

std::optional<QString> readCharacterText(db::Database& database, qint64 charId, const QString& column) {
    auto rs = database.OpenRecordset(columnQuery(charId, column));
    std::optional<QString> text;
    if (!rs->atEOF())
        text = rs->Fields(column).toString();
    rs->Close();
    return text;
}

bool writeCharacterText(db::Database& database, qint64 charId, const QString& column, const QString& text) {
    auto rs = database.OpenRecordset(columnQuery(charId, column));
    const bool found = !rs->atEOF();
    if (found) {
        rs->Edit();
        rs->setField(column, text);
        rs->Update();
    }
    rs->Close();
    return found;
}

} // namespace notes
