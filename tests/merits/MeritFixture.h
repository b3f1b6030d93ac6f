#pragma once

#include "app/mdlGlobal.h"
#include "merits/MeritList.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

template <typename T> T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Two characters, Ann (shown, edit mode) and Bob, on a fresh database.
class MeritFixture : public ::testing::Test {
protected:
    MeritFixture() : global(services) {
        global.database = db::Database::open(temp.path(), false);
        global.editMode = true;
    }
    qint64 addLookup(const QString& name, const QVariant& points, bool pointflex = false) {
        temp.db().Execute("INSERT INTO MeritFlaw_LookUp (MeritFlaw, Points, pointflex) VALUES (?, ?, ?)",
                          {name, points, int(pointflex)});
        return count("SELECT max(MeritFlaw_ID) FROM MeritFlaw_LookUp");
    }
    void link(qint64 charId, qint64 meritId, int points) {
        temp.db().Execute("INSERT INTO MeritFlaw_Link VALUES (?, ?, ?)", {charId, meritId, points});
    }
    int count(const QString& sql, const QVariantList& params = {}) { return temp.db().scalar(sql, params).toInt(); }
    QStringList lines() const {
        QStringList texts;
        for (int row = 0; row < list.count(); ++row)
            texts << list.item(row)->text();
        return texts;
    }
    // Queues a handler for the next modal window: shown and active, so focus moves as with a user.
    void onModal(const std::function<void(QDialog&)>& drive) {
        services.modalHandlers.push_back([drive](QDialog& dialog) {
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            drive(dialog);
            return dialog.result();
        });
    }

    TempDatabase temp;
    ScriptedServices services;
    app::mdlGlobal global;
    QListWidget list;
    qint64 ann = temp.addCharacter("Ann");
    qint64 bob = temp.addCharacter("Bob");
    QString key = QString::number(ann);
};
