#include "store/CharacterTextStore.h"

#include "db/Database.h"

namespace store::notes {

std::optional<QString> readCharacterText(db::Database& database, qint64 charId, const QString& column) {
    db::Statement row(database.connection().handle(),
                      QStringLiteral("Select ") + column + QStringLiteral(" from char_info where char_id = ?"));
    row.bind(1, charId);
    if (!row.step())
        return std::nullopt;
    return row.value(0).toString();
}

bool writeCharacterText(db::Database& database, qint64 charId, const QString& column, const QString& text,
                        journal::Batch batch) {
    db::Transaction transaction(database);
    // The first row the key finds, as a read would show it.
    const std::optional<QString> before = readCharacterText(database, charId, column);
    const QVariant rowid = database.scalar(QStringLiteral("Select rowid from char_info where char_id = ?"), {charId});
    if (rowid.isNull() || !before)
        return false;
    database.Execute(QStringLiteral("UPDATE char_info SET ") + column + QStringLiteral(" = ? WHERE rowid = ?"),
                     {text, rowid});
    if (*before != text) {
        QString field = column.toLower();
        field[0] = field[0].toUpper();
        journal::record(database, batch, charId,
                        {{journal::Kind::Texts, field, QStringLiteral("text:") + column, *before, text}});
    }
    transaction.commit();
    return true;
}

} // namespace store::notes
