#include "rituals/mdlRituals.h"

#include "model/Numbers.h"
#include "db/Database.h"
#include "db/Sql.h"

namespace rituals::mdlRituals {

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

QString pathLinksSql(qint64 key, int thaNec) {
    return QStringLiteral("SELECT Char_Info.Char_ID, Path_Link.*, Path_LookUp.ThaNec "
                          "FROM (Char_Info INNER JOIN Path_Link ON "
                          "Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN "
                          "Path_LookUp ON Path_Link.Path_ID = Path_LookUp.Path_ID "
                          "WHERE Path_LookUp.ThaNec=%1 AND Char_Info.Char_ID=%2")
        .arg(thaNec)
        .arg(key);
}

QString ritualByNameSql(int thaNec, const QString& name) {
    // User text is appended last: an arg() after it would expand a "%1" inside the name.
    return QStringLiteral("Select * from ritual_LookUp WHERE ThaNec = %1 AND ritual = ").arg(thaNec) +
           db::sqlText(name);
}

} // namespace

QStringList pathNames(db::Database& database, int thaNec) {
    QStringList names;
    auto rs =
        database.OpenRecordset(QStringLiteral("SELECT * FROM Path_LookUp WHERE ThaNec = %1 ORDER BY PATH").arg(thaNec));
    for (; !rs->atEOF(); rs->MoveNext())
        names << text(rs->Fields(QStringLiteral("Path")));
    rs->Close();
    return names;
}

std::vector<PathEntry> characterPaths(db::Database& database, qint64 key, int thaNec) {
    std::vector<PathEntry> paths;
    auto rs = database.OpenRecordset(
        QStringLiteral("SELECT Char_Info.Char_ID, Path_Link.Level, Path_LookUp.Path, Path_LookUp.ThaNec "
                       "FROM (Char_Info INNER JOIN Path_Link ON "
                       "Char_Info.Char_ID = Path_Link.Char_ID) INNER JOIN "
                       "Path_LookUp ON Path_Link.Path_ID = Path_LookUp.Path_ID "
                       "WHERE Path_LookUp.ThaNec=%1 AND Char_Info.Char_ID = %2")
            .arg(thaNec)
            .arg(key));
    for (; !rs->atEOF(); rs->MoveNext())
        paths.push_back({text(rs->Fields(QStringLiteral("Path"))),
                         numbers::toInt16Clamped(rs->Fields(QStringLiteral("Level")).toDouble())});
    rs->Close();
    return paths;
}

void savePaths(db::Database& database, qint64 key, int thaNec, const std::vector<PathEntry>& paths) {
    db::Transaction transaction(database);
    auto links = database.OpenRecordset(pathLinksSql(key, thaNec), QStringLiteral("Path_Link"));
    while (!links->atEOF()) {
        links->Delete();
        links->MoveFirst();
    }
    for (const PathEntry& path : paths) {
        auto lookup = database.OpenRecordset(
            QStringLiteral("SELECT * FROM Path_Lookup WHERE ThaNec = %1 AND Path = ").arg(thaNec) +
            db::sqlText(path.name));
        if (lookup->atEOF()) {
            lookup->AddNew();
            lookup->setField(QStringLiteral("Path"), path.name);
            lookup->setField(QStringLiteral("thanec"), thaNec);
            lookup->Update();
            lookup->MoveLast();
        }
        links->AddNew();
        links->setField(QStringLiteral("Path_Link.Char_ID"), key);
        links->setField(QStringLiteral("path_ID"), lookup->Fields(QStringLiteral("Path_ID")));
        links->setField(QStringLiteral("Level"), path.level);
        links->Update();
        lookup->Close();
    }
    links->Close();
    transaction.commit();
}

std::vector<RitualEntry> characterRituals(db::Database& database, qint64 key, int thaNec) {
    std::vector<RitualEntry> rituals;
    auto rs = database.OpenRecordset(QStringLiteral("SELECT Char_Info.Char_ID, Ritual_Lookup.Ritual, "
                                                    "Ritual_Lookup.Level, Ritual_Lookup.ThaNec "
                                                    "FROM (Char_Info INNER JOIN Ritual_Link ON Char_Info.Char_ID "
                                                    "= Ritual_Link.Char_ID) INNER JOIN Ritual_Lookup ON "
                                                    "Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID "
                                                    "WHERE Ritual_Lookup.ThaNec=%1 AND Char_Info.Char_ID = %2")
                                         .arg(thaNec)
                                         .arg(key));
    for (; !rs->atEOF(); rs->MoveNext())
        rituals.push_back({levelText(rs->Fields(QStringLiteral("Level"))), text(rs->Fields(QStringLiteral("Ritual")))});
    rs->Close();
    return rituals;
}

QStringList ritualNames(db::Database& database, int thaNec) {
    QStringList names;
    auto rs = database.OpenRecordset(QStringLiteral("SELECT * FROM Ritual_lookup WHERE ThaNec = %1 "
                                                    "ORDER BY Ritual_lookup.Level, Ritual_lookup.Ritual")
                                         .arg(thaNec));
    for (; !rs->atEOF(); rs->MoveNext())
        names << text(rs->Fields(QStringLiteral("Ritual")));
    rs->Close();
    return names;
}

std::optional<RitualInfo> findRitual(db::Database& database, int thaNec, const QString& name) {
    auto rs = database.OpenRecordset(ritualByNameSql(thaNec, name));
    if (rs->atEOF())
        return std::nullopt;
    RitualInfo info{rs->Fields(QStringLiteral("Ritual_ID")).toLongLong(), text(rs->Fields(QStringLiteral("Ritual"))),
                    levelText(rs->Fields(QStringLiteral("Level"))), text(rs->Fields(QStringLiteral("Description")))};
    rs->Close();
    return info;
}

bool removeRitual(db::Database& database, qint64 key, int thaNec, const QString& name) {
    auto rs = database.OpenRecordset(
        QStringLiteral("SELECT Char_Info.Char_ID, Ritual_Link.Ritual_ID, Ritual_Lookup.Ritual "
                       "FROM (Char_Info INNER JOIN Ritual_Link ON Char_Info.Char_ID = Ritual_Link.Char_ID) "
                       "INNER JOIN Ritual_Lookup ON Ritual_Link.Ritual_ID = Ritual_Lookup.Ritual_ID "
                       "WHERE Char_Info.Char_ID = %1 AND Ritual_Lookup.ThaNec = %2 AND Ritual = ")
                .arg(key)
                .arg(thaNec) +
            db::sqlText(name),
        QStringLiteral("Ritual_Link"));
    const bool found = !rs->atEOF();
    if (found)
        rs->Delete();
    rs->Close();
    return found;
}

AddOutcome addRitual(db::Database& database, qint64 key, int thaNec, const QString& name, const QString& levelText,
                     const std::optional<QString>& description) {
    db::Transaction transaction(database);
    auto links =
        database.OpenRecordset(QStringLiteral("Select ritual_ID from ritual_link where Char_ID = %1").arg(key));
    auto lookup = database.OpenRecordset(ritualByNameSql(thaNec, name));
    const bool isNew = lookup->atEOF();
    if (isNew) {
        lookup->AddNew();
        lookup->setField(QStringLiteral("Ritual"), name);
        lookup->setField(QStringLiteral("Level"), numbers::leadingNumber(levelText));
        lookup->setField(QStringLiteral("thanec"), thaNec);
        lookup->setField(QStringLiteral("Description"), description.value_or(QString()));
        lookup->Update();
        lookup->MoveLast();
    }
    const qint64 ritualId = lookup->Fields(QStringLiteral("Ritual_ID")).toLongLong();
    for (; !links->atEOF(); links->MoveNext())
        if (links->Fields(QStringLiteral("Ritual_ID")).toLongLong() == ritualId)
            return AddOutcome::AlreadyHas;
    links->Close();

    if (!isNew && description) {
        lookup->Edit();
        lookup->setField(QStringLiteral("Description"), *description);
        lookup->Update();
    }
    lookup->Close();

    auto link = database.OpenRecordset(QStringLiteral("Select * from ritual_Link WHERE Char_ID = %1").arg(key));
    link->AddNew();
    link->setField(QStringLiteral("Ritual_ID"), ritualId);
    link->setField(QStringLiteral("Char_ID"), key);
    link->Update();
    link->Close();
    transaction.commit();
    return AddOutcome::Added;
}

bool setRitualDescription(db::Database& database, int thaNec, const QString& name, const QString& description) {
    auto rs = database.OpenRecordset(
        QStringLiteral("Select description from ritual_lookup where ThaNec = %1 AND ritual = ").arg(thaNec) +
        db::sqlText(name));
    const bool found = !rs->atEOF();
    if (found) {
        rs->Edit();
        rs->setField(QStringLiteral("Description"), description);
        rs->Update();
    }
    rs->Close();
    return found;
}

} // namespace rituals::mdlRituals
