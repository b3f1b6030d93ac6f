#include "store/MeritStore.h"

#include "db/Database.h"
#include "db/Query.h"
#include "model/Numbers.h"

namespace store::merits {

namespace {

std::optional<MeritLookup> firstLookup(db::Database& database, const QString& where, const QVariant& value) {
    db::Statement rows(database.connection().handle(),
                       QStringLiteral("Select MeritFlaw_ID, MeritFlaw, Points, pointflex from MeritFlaw_LookUp "
                                      "WHERE ") +
                           where + QStringLiteral(" = ?"));
    rows.bind(1, value);
    if (!rows.step())
        return std::nullopt;
    return MeritLookup{rows.value(0).toLongLong(), rows.value(1).toString(), rows.value(2),
                       rows.value(3).toDouble() != 0};
}

} // namespace

QStringList lookupNames(db::Database& database) {
    db::Statement rows(database.connection().handle(),
                       QStringLiteral("Select meritflaw from meritflaw_lookup ORDER BY MeritFlaw"));
    QStringList names;
    while (rows.step())
        names << rows.value(0).toString();
    return names;
}

std::optional<MeritLookup> findLookup(db::Database& database, const QString& name) {
    return firstLookup(database, QStringLiteral("MeritFlaw"), name);
}

std::optional<MeritLookup> findLookup(db::Database& database, qint64 meritId) {
    return firstLookup(database, QStringLiteral("MeritFlaw_ID"), meritId);
}

void addLookup(db::Database& database, const QString& name, bool pointflex, double points) {
    if (pointflex)
        database.Execute(QStringLiteral("INSERT INTO MeritFlaw_LookUp (pointflex, MeritFlaw) VALUES (1, ?)"), {name});
    else
        database.Execute(QStringLiteral("INSERT INTO MeritFlaw_LookUp (pointflex, Points, MeritFlaw) VALUES (0, ?, ?)"),
                         {points, name});
}

std::vector<MeritLine> characterMerits(db::Database& database, qint64 charId) {
    // Ordered by the link row, so the list shows the merits in the order they were taken.
    db::Statement rows(database.connection().handle(),
                       QStringLiteral("Select a.points, b.MeritFlaw, b.MeritFlaw_ID FROM MeritFlaw_Link a, "
                                      "MeritFlaw_LookUp b WHERE a.MeritFlaw_ID = b.MeritFlaw_ID and "
                                      "a.Char_ID = ? ORDER BY a.rowid"));
    rows.bind(1, charId);
    std::vector<MeritLine> lines;
    while (rows.step())
        lines.push_back({rows.value(1).toString() + QLatin1Char(' ') + numbers::plainText(rows.value(0).toDouble()),
                         rows.value(2).toLongLong()});
    return lines;
}

bool characterHas(db::Database& database, qint64 charId, qint64 meritId) {
    // Compared as the key reads, so a Null or odd stored key counts as the number it reads as.
    db::Statement rows(database.connection().handle(),
                       QStringLiteral("Select Meritflaw_ID from meritflaw_link where Char_ID = ?"));
    rows.bind(1, charId);
    while (rows.step())
        if (rows.value(0).toLongLong() == meritId)
            return true;
    return false;
}

namespace {

// The journal's entry for one merit link: its target carries the key and points to put it back.
journal::Change meritChange(db::Database& database, qint64 meritId, int points, bool added) {
    const QString line = findLookup(database, meritId).value_or(MeritLookup{}).name + QStringLiteral(" %1").arg(points);
    return {journal::Kind::Merits, QStringLiteral("Merit"), QStringLiteral("merit:%1:%2").arg(meritId).arg(points),
            added ? QVariant() : QVariant(line), added ? QVariant(line) : QVariant()};
}

} // namespace

void addLink(db::Database& database, qint64 charId, qint64 meritId, int points, journal::Batch batch) {
    db::Transaction transaction(database);
    database.Execute(QStringLiteral("INSERT INTO MeritFlaw_Link (MeritFlaw_ID, Points, Char_ID) VALUES (?, ?, ?)"),
                     {meritId, points, charId});
    journal::record(database, batch, charId, {meritChange(database, meritId, points, true)});
    transaction.commit();
}

bool removeLink(db::Database& database, qint64 charId, qint64 meritId, journal::Batch batch) {
    db::Transaction transaction(database);
    // One row, even when the character was linked to the merit twice.
    const std::vector<db::Row> link = db::query(database.connection(),
                                                QStringLiteral("Select rowid, Points from MeritFlaw_Link where "
                                                               "meritflaw_id = ? and Char_ID = ? ORDER BY rowid LIMIT 1"),
                                                {meritId, charId});
    if (link.empty())
        return false;
    database.Execute(QStringLiteral("DELETE FROM MeritFlaw_Link WHERE rowid = ?"), {link.front().value(0)});
    journal::record(database, batch, charId, {meritChange(database, meritId, link.front().value(1).toInt(), false)});
    transaction.commit();
    return true;
}

std::optional<QString> description(db::Database& database, qint64 meritId) {
    db::Statement rows(database.connection().handle(),
                       QStringLiteral("Select description from meritflaw_lookup where meritflaw_id = ?"));
    rows.bind(1, meritId);
    if (!rows.step())
        return std::nullopt;
    return rows.value(0).toString();
}

bool writeDescription(db::Database& database, qint64 meritId, const QString& text) {
    const QVariant rowid =
        database.scalar(QStringLiteral("Select rowid from meritflaw_lookup where meritflaw_id = ?"), {meritId});
    if (rowid.isNull())
        return false;
    database.Execute(QStringLiteral("UPDATE meritflaw_lookup SET Description = ? WHERE rowid = ?"), {text, rowid});
    return true;
}

QString nameFromLine(const QString& line) {
    QString name = line.left(line.size() - 2);
    if (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

QString dialogLine(const QString& name, int points) {
    return name + QStringLiteral("  ") + QString::number(points);
}

} // namespace store::merits
