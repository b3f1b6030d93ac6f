#pragma once

#include "app/Session.h"
#include "ratings/DotRow.h"
#include "sheet/frmMain.h"
#include "store/Schema.h"
#include "support/FileBytes.h"
#include "support/ListEntries.h"
#include "support/RowTexts.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

// The program as start-up leaves it: shared state and main window over one database file.
struct Program {
    ScriptedServices services;
    std::unique_ptr<app::Session> session;
    std::unique_ptr<frmMain> window;

    Program() {
        services.folder = QCoreApplication::applicationDirPath();
        session = std::make_unique<app::Session>(services);
        window = std::make_unique<frmMain>(*session);
    }
    void open(const QString& path) { window->Form_Load(path); }
    const sheet::SheetControls& ui() const { return window->ui(); }
    sheet::CharacterSheet& sheet() { return window->sheet(); }
    QString shownKey() const { return session->shownKey ? QString::number(*session->shownKey) : QString(); }
    db::Database& database() { return *session->database; }
    // To the first character of that name, as a double-click on its roster entry goes; false when no character
    // has it or the switch stopped.
    bool switchTo(const QString& name) {
        const QVariant key = database().scalar(QStringLiteral("SELECT Char_ID FROM Char_Info WHERE Name = ?"), {name});
        return !key.isNull() && sheet().switchTo(key.toLongLong());
    }
    QString shown() const {
        QStringList texts;
        for (const auto& message : services.messages)
            texts << message.text;
        return texts.join(QLatin1Char('\n'));
    }
};

// Works the next modal window with `drive`; one still open afterwards is closed. Active where the focus must move
// between its controls as it does for a user; hidden where a dialog it opens must take the focus.
enum class Shown { No, Yes, Active };
inline void onModal(ScriptedServices& services, Shown shown, const std::function<void(QDialog&)>& drive) {
    services.modalHandlers.push_back([=](QDialog& dialog) {
        if (shown != Shown::No)
            dialog.show();
        if (shown == Shown::Active)
            dialog.activateWindow();
        EXPECT_TRUE(shown != Shown::Active || QTest::qWaitForWindowActive(&dialog));
        drive(dialog);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    });
}

// Every row of every table and of sqlite_master as "table|fields".
inline QStringList dumpTables(db::Database& database) {
    QStringList dump;
    for (const QString& table : store::schema::tableNames() + QStringList{QStringLiteral("sqlite_master")})
        for (const QString& row : rowTexts(database, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)))
            dump << table + QLatin1Char('|') + row;
    return dump;
}

// A positive number from the environment, or the fallback.
inline int setting(const char* name, int fallback) {
    const int value = qEnvironmentVariableIntValue(name);
    return value > 0 ? value : fallback;
}

// The roster lists as the database says they must read, each entry "key|name" in key order. The rule is the test's
// own, not the program's: a character whose player is NPC, compared as the player column compares (without regard
// to case), is an NPC; every other one, a Null player too, is in the characters list; a Null name is an empty line.
struct RosterTexts {
    QStringList characters;
    QStringList npcs;
};
inline RosterTexts storedRoster(db::Database& database) {
    RosterTexts lists;
    for (const db::Row& row : db::query(
             database.connection(), QStringLiteral("SELECT Char_ID, Name, player FROM Char_Info ORDER BY Char_ID"))) {
        const bool npc = QString::compare(row.value(2).toString(), QLatin1String("NPC"), Qt::CaseInsensitive) == 0;
        (npc ? lists.npcs : lists.characters) << row.value(0).toString() + QLatin1Char('|') + row.value(1).toString();
    }
    return lists;
}

// What a roster list shows, top to bottom: "key|name", the key being what a double-click on the entry opens.
inline QStringList shownRoster(const QAbstractItemView* view) {
    QStringList entries;
    for (int row = 0; view->model() && row < view->model()->rowCount(); ++row) {
        const QModelIndex entry = view->model()->index(row, 0);
        entries << entry.data(Qt::UserRole).toString() + QLatin1Char('|') + entry.data().toString();
    }
    return entries;
}

inline QString integrity(db::Database& database) {
    return database.scalar(QStringLiteral("PRAGMA integrity_check")).toString();
}

// A character with links of every kind and some text, so damage and edits reach every table.
inline void fullCharacter(TempDatabase& temp, const QString& name, const QString& player = QStringLiteral("Ann")) {
    const qint64 key = temp.addCharacter(name, player);
    for (const char* sql : {"UPDATE Char_Info SET Haven = 'Mill', History = printf('%.2000c', 'x') WHERE Char_ID = ?",
                            "INSERT INTO Discipline_LookUp (Discipline) VALUES ('Gift ' || ?)",
                            "INSERT INTO Discipline_Link SELECT ?, max(Discipline_ID), 2 FROM Discipline_LookUp",
                            "INSERT INTO BackGround_LookUp (BackGround) VALUES ('Holding ' || ?)",
                            "INSERT INTO BackGround_Link SELECT ?, max(BackGround_ID), 3 FROM BackGround_LookUp",
                            "INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points) VALUES ('Quirk ' || ?, 2)",
                            "INSERT INTO MeritFlaw_Link SELECT ?, max(MeritFlaw_ID), 2 FROM MeritFlaw_LookUp",
                            "INSERT INTO Path_LookUp (Path, ThaNec) VALUES ('Way ' || ?, 1)",
                            "INSERT INTO Path_Link SELECT ?, max(Path_ID), 1 FROM Path_LookUp",
                            "INSERT INTO Ritual_Lookup (Ritual, Level, ThaNec) VALUES ('Rite ' || ?, 1, 1)",
                            "INSERT INTO Ritual_Link SELECT ?, max(Ritual_ID) FROM Ritual_Lookup"})
        temp.db().Execute(QString::fromLatin1(sql), {key});
}
