#pragma once

#include "app/mdlGlobal.h"
#include "db/Database.h"
#include "db/Schema.h"
#include "sheet/frmMain.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <memory>

// The program as start-up leaves it: shared state and main window over one database file.
struct Program {
    ScriptedServices services;
    std::unique_ptr<app::mdlGlobal> global;
    std::unique_ptr<frmMain> window;

    Program() {
        services.folder = QCoreApplication::applicationDirPath();
        global = std::make_unique<app::mdlGlobal>(services);
        window = std::make_unique<frmMain>(*global);
    }
    void open(const QString& path) {
        global->databasePath = path;
        window->Form_Load();
    }
    const sheet::SheetControls& ui() const { return window->ui(); }
    db::Database& database() { return *global->database; }
    // Every message text shown so far, one per line.
    QString shown() const {
        QStringList texts;
        for (const auto& message : services.messages)
            texts << message.text;
        return texts.join(QLatin1Char('\n'));
    }
};

// Every row of every table, in storage order: equal dumps mean nothing was written.
inline QString dumpTables(db::Database& database) {
    QString dump;
    for (const QString& table : db::schema::tableNames()) {
        auto rs = database.OpenRecordset(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
        dump += table + QLatin1Char('\n');
        for (; !rs->atEOF(); rs->MoveNext()) {
            for (int c = 0; c < rs->fieldCount(); ++c)
                dump +=
                    rs->Fields(c).isNull() ? QStringLiteral("<null>|") : rs->Fields(c).toString() + QLatin1Char('|');
            dump += QLatin1Char('\n');
        }
    }
    return dump;
}

inline QString integrity(db::Database& database) {
    return database.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A character with links of every kind and some text, so damage can land anywhere in the file.
inline qint64 fullCharacter(TempDatabase& temp, const QString& name, const QString& player = QStringLiteral("Ann")) {
    const qint64 key = temp.addCharacter(name, player);
    const QString id = QString::number(key);
    temp.db().Execute(QStringLiteral("UPDATE Char_Info SET Haven = 'Mill', History = ?, Notes = 'watch the gate', "
                                     "Strength = 3, Alertness = 2 WHERE Char_ID = ") +
                          id,
                      {QStringLiteral("long ago ").repeated(200)});
    temp.db().Execute(QStringLiteral("INSERT INTO Discipline_LookUp (Discipline) VALUES ('Gift ' || ?)"), {key});
    temp.db().Execute(QStringLiteral("INSERT INTO Discipline_Link VALUES (?, (SELECT max(Discipline_ID) FROM "
                                     "Discipline_LookUp), 2)"),
                      {key});
    temp.db().Execute(QStringLiteral("INSERT INTO BackGround_LookUp (BackGround) VALUES ('Holding ' || ?)"), {key});
    temp.db().Execute(QStringLiteral("INSERT INTO BackGround_Link VALUES (?, (SELECT max(BackGround_ID) FROM "
                                     "BackGround_LookUp), 3)"),
                      {key});
    temp.db().Execute(QStringLiteral("INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points) VALUES ('Quirk ' || ?, 2)"),
                      {key});
    temp.db().Execute(
        QStringLiteral("INSERT INTO MeritFlaw_Link VALUES (?, (SELECT max(MeritFlaw_ID) FROM MeritFlaw_LookUp), "
                       "2)"),
        {key});
    temp.db().Execute(QStringLiteral("INSERT INTO Path_LookUp (Path, ThaNec) VALUES ('Way ' || ?, 1)"), {key});
    temp.db().Execute(QStringLiteral("INSERT INTO Path_Link VALUES (?, (SELECT max(Path_ID) FROM Path_LookUp), 1)"),
                      {key});
    temp.db().Execute(QStringLiteral("INSERT INTO Ritual_Lookup (Ritual, Level, ThaNec) VALUES ('Rite ' || ?, 1, 1)"),
                      {key});
    temp.db().Execute(QStringLiteral("INSERT INTO Ritual_Link VALUES (?, (SELECT max(Ritual_ID) FROM Ritual_Lookup))"),
                      {key});
    return key;
}
