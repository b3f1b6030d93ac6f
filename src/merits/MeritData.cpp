#include "merits/MeritData.h"

#include "model/Numbers.h"
#include "db/Database.h"
#include "db/Sql.h"

namespace merits {

namespace {
QString key(qint64 value) {
    return QString::number(value);
}

MeritLookup lookupOf(const db::Recordset& rs) {
    MeritLookup row;
    row.id = rs.Fields(QStringLiteral("MeritFlaw_ID")).toLongLong();
    row.name = rs.Fields(QStringLiteral("MeritFlaw")).toString();
    row.points = rs.Fields(QStringLiteral("Points"));
    row.pointflex = rs.Fields(QStringLiteral("pointflex")).toDouble() != 0;
    return row;
}

std::optional<MeritLookup> firstLookup(db::Database& database, const QString& sql) {
    auto rs = database.OpenRecordset(sql);
    std::optional<MeritLookup> row;
    if (!rs->atEOF())
        row = lookupOf(*rs);
    rs->Close();
    return row;
}
} // namespace

QStringList lookupNames(db::Database& database) {
    auto rs = database.OpenRecordset(QStringLiteral("Select meritflaw from meritflaw_lookup ORDER BY MeritFlaw"));
    QStringList names;
    for (; !rs->atEOF(); rs->MoveNext())
        names << rs->Fields(QStringLiteral("MeritFlaw")).toString();
    rs->Close();
    return names;
}

std::optional<MeritLookup> findLookup(db::Database& database, const QString& name) {
    return firstLookup(database,
                       QStringLiteral("Select * from MeritFlaw_LookUp WHERE MeritFlaw = ") + db::sqlText(name));
}

std::optional<MeritLookup> findLookup(db::Database& database, qint64 meritId) {
    return firstLookup(database, QStringLiteral("Select * from MeritFlaw_LookUp WHERE MeritFlaw_ID = ") + key(meritId));
}

void addLookup(db::Database& database, const QString& name, bool pointflex, double points) {
    auto rs = database.OpenRecordset(QStringLiteral("Select * from meritflaw_lookup where meritflaw_id = 0"));
    rs->AddNew();
    rs->setField(QStringLiteral("pointflex"), pointflex ? 1 : 0);
    if (!pointflex)
        rs->setField(QStringLiteral("Points"), points);
    rs->setField(QStringLiteral("MeritFlaw"), name);
    rs->Update();
    rs->Close();
}

std::vector<MeritLine> characterMerits(db::Database& database, qint64 charId) {
    // Ordered by the link row, so the list shows the merits in the order they were taken.
    auto rs =
        database.OpenRecordset(QStringLiteral("Select a.points, b.MeritFlaw, b.MeritFlaw_ID FROM MeritFlaw_Link a, "
                                              "MeritFlaw_LookUp b WHERE a.MeritFlaw_ID = b.MeritFlaw_ID and "
                                              "a.Char_ID = ") +
                               key(charId) + QStringLiteral(" ORDER BY a.rowid"));
    std::vector<MeritLine> lines;
    for (; !rs->atEOF(); rs->MoveNext()) {
        const QString points = numbers::plainText(rs->Fields(QStringLiteral("Points")).toDouble());
        lines.push_back({rs->Fields(QStringLiteral("MeritFlaw")).toString() + QLatin1Char(' ') + points,
                         rs->Fields(QStringLiteral("MeritFlaw_ID")).toLongLong()});
    }
    rs->Close();
    return lines;
}

bool characterHas(db::Database& database, qint64 charId, qint64 meritId) {
    auto rs = database.OpenRecordset(QStringLiteral("Select Meritflaw_ID from meritflaw_link where Char_ID = ") +
                                     key(charId));
    bool found = false;
    for (; !rs->atEOF() && !found; rs->MoveNext())
        found = rs->Fields(QStringLiteral("MeritFlaw_ID")).toLongLong() == meritId;
    rs->Close();
    return found;
}

void addLink(db::Database& database, qint64 charId, qint64 meritId, int points) {
    auto rs = database.OpenRecordset(QStringLiteral("Select * from MeritFlaw_Link WHERE Char_ID = ") + key(charId));
    rs->AddNew();
    rs->setField(QStringLiteral("MeritFlaw_ID"), meritId);
    rs->setField(QStringLiteral("Points"), points);
    rs->setField(QStringLiteral("Char_ID"), charId);
    rs->Update();
    rs->Close();
}

bool removeLink(db::Database& database, qint64 charId, qint64 meritId) {
    auto rs = database.OpenRecordset(QStringLiteral("Select * from MeritFlaw_Link where meritflaw_id = ") +
                                     key(meritId) + QStringLiteral(" and Char_ID = ") + key(charId));
    const bool found = !rs->atEOF();
    if (found)
        rs->Delete();
    rs->Close();
    return found;
}

std::optional<QString> description(db::Database& database, qint64 meritId) {
    auto rs = database.OpenRecordset(QStringLiteral("Select description from meritflaw_lookup where meritflaw_id = ") +
                                     key(meritId));
    std::optional<QString> text;
    if (!rs->atEOF())
        text = rs->Fields(QStringLiteral("Description")).toString();
    rs->Close();
    return text;
}

bool writeDescription(db::Database& database, qint64 meritId, const QString& text) {
    auto rs = database.OpenRecordset(QStringLiteral("Select description from meritflaw_lookup where meritflaw_id = ") +
                                     key(meritId));
    const bool found = !rs->atEOF();
    if (found) {
        rs->Edit();
        rs->setField(QStringLiteral("Description"), text);
        rs->Update();
    }
    rs->Close();
    return found;
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

} // namespace merits
