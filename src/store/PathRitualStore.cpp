#include "store/PathRitualStore.h"

#include "db/Database.h"
#include "db/Query.h"
#include "model/Numbers.h"

namespace store::rituals {

namespace {

// Levels are numbers; a stored text is shown as it stands, Null as nothing.
QString levelText(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return numbers::plainText(value.toDouble());
}

QString text(const QVariant& value) {
    return value.isValid() && !value.isNull() ? value.toString() : QString();
}

// The first column of the first row; nothing when there is no row (a Null value is a row).
std::optional<QVariant> firstValue(db::Database& database, const QString& sql, const QVariantList& params) {
    db::Statement row(database.connection().handle(), sql);
    row.bind(params);
    if (!row.step())
        return std::nullopt;
    return row.value(0);
}

// The links under a join come back in the order they were stored (their rowid), as the slots of
// the window expect; the join would give that order anyway, the ORDER BY keeps it so.
const QString kPathLinkJoin = QStringLiteral("FROM (Char_Info INNER JOIN Path_Link ON "
                                             "Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN "
                                             "Path_LookUp ON Path_Link.Path_ID = Path_LookUp.Path_ID "
                                             "WHERE Path_LookUp.ThaNec = ? AND Char_Info.Char_ID = ? "
                                             "ORDER BY Path_Link.rowid");

const QString kRitualByName = QStringLiteral("from ritual_LookUp WHERE ThaNec = ? AND ritual = ?");

} // namespace

QStringList pathNames(db::Database& database, int thaNec) {
    QStringList names;
    db::eachRow(database.connection(), QStringLiteral("SELECT Path FROM Path_LookUp WHERE ThaNec = ? ORDER BY PATH"),
                {thaNec}, [&](const db::Statement& row) { names << text(row.value(0)); });
    return names;
}

std::vector<PathEntry> characterPaths(db::Database& database, qint64 key, int thaNec) {
    std::vector<PathEntry> paths;
    db::eachRow(database.connection(), QStringLiteral("SELECT Path_LookUp.Path, Path_Link.Level ") + kPathLinkJoin,
                {thaNec, key}, [&](const db::Statement& row) {
                    paths.push_back({text(row.value(0)), numbers::toInt16Clamped(row.value(1).toDouble())});
                });
    return paths;
}

namespace {

// The family's paths of the character as the journal keeps them: one "name<tab>level" a line.
QString pathLines(const std::vector<PathEntry>& paths) {
    QStringList lines;
    for (const PathEntry& path : paths)
        lines << path.name + QLatin1Char('\t') + QString::number(path.level);
    return lines.join(QLatin1Char('\n'));
}

QString familyName(int thaNec) {
    return thaNec == 1 ? QStringLiteral("Thaumaturgy") : QStringLiteral("Necromancy");
}

} // namespace

void savePaths(db::Database& database, qint64 key, int thaNec, const std::vector<PathEntry>& paths,
               journal::Batch batch) {
    db::Transaction transaction(database);
    const QString before = pathLines(characterPaths(database, key, thaNec));
    // Exactly the link rows the join finds: one to a path of the other family, or to no path, stays.
    database.Execute(QStringLiteral("DELETE FROM Path_Link WHERE rowid IN (SELECT Path_Link.rowid ") + kPathLinkJoin +
                         QLatin1Char(')'),
                     {thaNec, key});
    for (const PathEntry& path : paths) {
        std::optional<QVariant> pathId =
            firstValue(database, QStringLiteral("SELECT Path_ID FROM Path_Lookup WHERE ThaNec = ? AND Path = ?"),
                       {thaNec, path.name});
        if (!pathId) {
            database.Execute(QStringLiteral("INSERT INTO Path_Lookup (Path, thanec) VALUES (?, ?)"),
                             {path.name, thaNec});
            pathId =
                database.scalar(QStringLiteral("SELECT Path_ID FROM Path_Lookup WHERE rowid = last_insert_rowid()"));
        }
        database.Execute(QStringLiteral("INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (?, ?, ?)"),
                         {key, *pathId, int(path.level)});
    }
    const QString after = pathLines(characterPaths(database, key, thaNec));
    if (after != before)
        journal::record(database, batch, key,
                        {{journal::Kind::PathsRituals, familyName(thaNec) + QStringLiteral(" paths"),
                          QStringLiteral("paths:%1").arg(thaNec), before, after}});
    transaction.commit();
}

std::vector<RitualEntry> characterRituals(db::Database& database, qint64 key, int thaNec) {
    std::vector<RitualEntry> rituals;
    db::eachRow(database.connection(),
                QStringLiteral("SELECT Ritual_Lookup.Ritual, Ritual_Lookup.Level "
                               "FROM (Char_Info INNER JOIN Ritual_Link ON Char_Info.Char_ID "
                               "= Ritual_Link.Char_ID) INNER JOIN Ritual_Lookup ON "
                               "Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID "
                               "WHERE Ritual_Lookup.ThaNec = ? AND Char_Info.Char_ID = ? ORDER BY Ritual_Link.rowid"),
                {thaNec, key}, [&](const db::Statement& row) {
                    rituals.push_back({levelText(row.value(1)), text(row.value(0))});
                });
    return rituals;
}

QStringList ritualNames(db::Database& database, int thaNec) {
    QStringList names;
    db::eachRow(database.connection(),
                QStringLiteral("SELECT Ritual FROM Ritual_lookup WHERE ThaNec = ? "
                               "ORDER BY Ritual_lookup.Level, Ritual_lookup.Ritual"),
                {thaNec}, [&](const db::Statement& row) { names << text(row.value(0)); });
    return names;
}

std::optional<RitualInfo> findRitual(db::Database& database, int thaNec, const QString& name) {
    std::optional<RitualInfo> info;
    db::Statement row(database.connection().handle(),
                      QStringLiteral("Select Ritual_ID, Ritual, Level, Description ") + kRitualByName);
    row.bind({thaNec, name});
    if (row.step())
        info = RitualInfo{row.value(0).toLongLong(), text(row.value(1)), levelText(row.value(2)), text(row.value(3))};
    return info;
}

bool removeRitual(db::Database& database, qint64 key, int thaNec, const QString& name, journal::Batch batch) {
    db::Transaction transaction(database);
    // One link row, even when the character holds the ritual twice.
    const QVariant rowid = database.scalar(
        QStringLiteral("SELECT Ritual_Link.rowid "
                       "FROM (Char_Info INNER JOIN Ritual_Link ON Char_Info.Char_ID = Ritual_Link.Char_ID) "
                       "INNER JOIN Ritual_Lookup ON Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID "
                       "WHERE Char_Info.Char_ID = ? AND Ritual_Lookup.ThaNec = ? AND Ritual = ? "
                       "ORDER BY Ritual_Link.rowid"),
        {key, thaNec, name});
    if (!rowid.isValid())
        return false;
    database.Execute(QStringLiteral("DELETE FROM Ritual_Link WHERE rowid = ?"), {rowid});
    journal::record(database, batch, key,
                    {{journal::Kind::PathsRituals, familyName(thaNec) + QStringLiteral(" ritual"),
                      QStringLiteral("ritual:%1").arg(thaNec), name, QVariant()}});
    transaction.commit();
    return true;
}

AddOutcome addRitual(db::Database& database, qint64 key, int thaNec, const QString& name, const QString& levelText,
                     const std::optional<QString>& description, journal::Batch batch) {
    db::Transaction transaction(database);
    QVariant rowid, ritualId;
    {
        db::Statement lookup(database.connection().handle(),
                             QStringLiteral("Select rowid, Ritual_ID ") + kRitualByName);
        lookup.bind({thaNec, name});
        if (lookup.step()) {
            rowid = lookup.value(0);
            ritualId = lookup.value(1);
        }
    }
    const bool isNew = !rowid.isValid();
    if (isNew) {
        database.Execute(QStringLiteral("INSERT INTO ritual_LookUp (Ritual, Level, thanec, Description) "
                                        "VALUES (?, ?, ?, ?)"),
                         {name, numbers::leadingNumber(levelText), thaNec, description.value_or(QString())});
        ritualId =
            database.scalar(QStringLiteral("SELECT Ritual_ID FROM ritual_LookUp WHERE rowid = last_insert_rowid()"));
    }
    // Leaving without a commit also takes back a ritual just stored.
    bool has = false;
    db::eachRow(database.connection(), QStringLiteral("Select ritual_ID from ritual_link where Char_ID = ?"), {key},
                [&](const db::Statement& row) { has = has || row.value(0).toLongLong() == ritualId.toLongLong(); });
    if (has)
        return AddOutcome::AlreadyHas;

    if (!isNew && description)
        database.Execute(QStringLiteral("UPDATE ritual_LookUp SET Description = ? WHERE rowid = ?"),
                         {*description, rowid});
    database.Execute(QStringLiteral("INSERT INTO ritual_Link (Ritual_ID, Char_ID) VALUES (?, ?)"),
                     {ritualId.toLongLong(), key});
    journal::record(database, batch, key,
                    {{journal::Kind::PathsRituals, familyName(thaNec) + QStringLiteral(" ritual"),
                      QStringLiteral("ritual:%1").arg(thaNec), QVariant(), name}});
    transaction.commit();
    return AddOutcome::Added;
}

bool setRitualDescription(db::Database& database, int thaNec, const QString& name, const QString& description) {
    const QVariant rowid = database.scalar(QStringLiteral("Select rowid ") + kRitualByName, {thaNec, name});
    if (!rowid.isValid())
        return false;
    database.Execute(QStringLiteral("UPDATE ritual_LookUp SET Description = ? WHERE rowid = ?"), {description, rowid});
    return true;
}

} // namespace store::rituals
