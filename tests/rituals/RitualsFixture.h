#pragma once

#include "app/mdlGlobal.h"
#include "rituals/RitualFamily.h"
#include "rituals/frmRituals.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A chronicle with two characters: Mira has paths and rituals of both families, Tobin has none.
// "Ward of Salt" exists in both families, "Path of Ash" only in necromancy.
struct RitualsTest : ::testing::Test {
    TempDatabase temp;
    ScriptedServices services;
    std::unique_ptr<app::mdlGlobal> global;
    qint64 mira = 0;
    qint64 tobin = 0;
    const rituals::RitualFamily& thaumaturgy = rituals::RitualFamily::thaumaturgy();
    const rituals::RitualFamily& necromancy = rituals::RitualFamily::necromancy();

    void SetUp() override {
        mira = temp.addCharacter(QStringLiteral("Mira"));
        tobin = temp.addCharacter(QStringLiteral("Tobin"));
        for (const char* sql : {
                 "INSERT INTO Path_LookUp (Path_ID, Path, ThaNec) VALUES (1, 'Path of Tides', 1), "
                 "(2, 'Path of Embers', 1), (3, 'Path of Ash', 2), (4, 'Bone Road', 2)",
                 "INSERT INTO Path_Link (Char_ID, Path_ID, Level) VALUES (1, 1, 3), (1, 3, 2), (1, 2, 1)",
                 "INSERT INTO Ritual_Lookup (Ritual_ID, Ritual, Level, ThaNec, Description) VALUES "
                 "(1, 'Ward of Salt', 1, 1, 'Keeps spirits out.'), (2, 'Candle Sight', NULL, 1, NULL), "
                 "(3, 'Binding Knot', 3, 1, 'Ties a promise.'), (4, 'Call the Drowned', 1, 2, 'Wet.'), "
                 "(5, 'Ward of Salt', 2, 2, 'Keeps the living out.')",
                 "INSERT INTO Ritual_Link (Char_ID, Ritual_ID) VALUES (1, 1), (1, 2), (1, 4), (1, 5)",
             })
            temp.exec(QString::fromLatin1(sql));
        services.folder = temp.folder();
        global = std::make_unique<app::mdlGlobal>(services);
        global->database = db::Database::open(temp.path(), false);
    }

    std::unique_ptr<rituals::frmRituals> open(const rituals::RitualFamily& family, qint64 key, bool edit) {
        global->editMode = edit;
        auto window = std::make_unique<rituals::frmRituals>(*global, family, key);
        window->load();
        return window;
    }

    template <class T> static T* child(QObject& parent, const QString& name) {
        T* found = parent.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    static void click(QWidget& parent, const QString& button) {
        QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
    }
    static QString items(QComboBox& combo) {
        QStringList texts;
        for (int i = 0; i < combo.count(); ++i)
            texts << combo.itemText(i);
        return texts.join('|');
    }

    // Every row of the query, its columns joined by "|".
    QStringList rows(const QString& sql) {
        QStringList result;
        auto rs = temp.db().OpenRecordset(sql);
        for (; !rs->atEOF(); rs->MoveNext()) {
            QStringList columns;
            for (int c = 0; c < rs->fieldCount(); ++c)
                columns << rs->Fields(c).toString();
            result << columns.join(QLatin1Char('|'));
        }
        return result;
    }

    QStringList pathLinks(qint64 key) {
        return rows(QStringLiteral("SELECT p.Path, l.Level, p.ThaNec FROM Path_Link l JOIN Path_LookUp p "
                                   "ON l.Path_ID = p.Path_ID WHERE l.Char_ID = %1 ORDER BY l.rowid")
                        .arg(key));
    }

    QStringList ritualLinks(qint64 key) {
        return rows(QStringLiteral("SELECT r.Ritual, r.ThaNec FROM Ritual_Link l JOIN Ritual_Lookup r "
                                   "ON l.Ritual_ID = r.Ritual_ID WHERE l.Char_ID = %1 ORDER BY l.rowid")
                        .arg(key));
    }
};
