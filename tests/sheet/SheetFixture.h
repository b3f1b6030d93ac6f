#pragma once

#include "app/mdlGlobal.h"
#include "db/Schema.h"
#include "db/Sql.h"
#include "ratings/DotRow.h"
#include "sheet/frmMain.h"
#include "sheet/mdlLoadData.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Failures show texts, not bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A temporary database, the sheet over it, and short ways to read its controls by name.
class SheetTest : public ::testing::Test {
protected:
    TempDatabase temp;
    ScriptedServices services;
    std::unique_ptr<app::mdlGlobal> global;
    std::unique_ptr<frmMain> window;

    // Adds a character and sets further columns: "Strength = 3, Haven = NULL".
    qint64 character(const QString& name, const QString& player, const QString& assignments = {}) {
        const qint64 key = temp.addCharacter(name, player);
        if (!assignments.isEmpty())
            temp.exec(QStringLiteral("UPDATE Char_Info SET %1 WHERE Char_ID = %2").arg(assignments).arg(key));
        return key;
    }
    // A lookup row; returns its key.
    qint64 lookup(const QString& table, const QString& column, const QString& name) {
        temp.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, column, db::sqlText(name)));
        return temp.scalar(QStringLiteral("SELECT max(rowid) FROM %1").arg(table)).toLongLong();
    }

    // Opens the window on the database, as start-up does.
    void open() {
        temp.release();
        services.folder = temp.folder();
        global = std::make_unique<app::mdlGlobal>(services);
        global->databasePath = temp.path();
        window = std::make_unique<frmMain>(*global);
        window->Form_Load();
    }

    // Shows another character the way a switch will: recordset on its name, key, load.
    void show(const QString& name) {
        global->characterRecordset = global->database->OpenRecordset(
            db::schema::mainCharacterQuery() + QStringLiteral(" AND Name = ") + db::sqlText(name),
            QStringLiteral("Char_Info"));
        const db::Recordset& rs = *global->characterRecordset;
        window->ui().lblChar_ID->setText(rs.atEOF() ? QString() : rs.Fields(QStringLiteral("Char_ID")).toString());
        sheet::mdlLoadData::LoadCharacter(*global, window->ui());
    }

    template <class T> T* get(const QString& name) {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString text(const QString& label) { return get<QLabel>(label)->text(); }
    QString tag(const QString& row) { return get<ratings::DotRow>(row)->Tag(); }
    QString picture(const QString& row) { return get<ratings::DotRow>(row)->pictureName(); }
    // Hidden in its own right (the window itself is never shown in these tests).
    bool hidden(const QString& name) { return get<QWidget>(name)->isHidden(); }
    QStringList items(const QString& name) {
        QStringList result;
        if (auto* combo = window->findChild<QComboBox*>(name))
            for (int i = 0; i < combo->count(); ++i)
                result << combo->itemText(i);
        if (auto* list = window->findChild<QListWidget*>(name))
            for (int i = 0; i < list->count(); ++i)
                result << list->item(i)->text();
        return result;
    }
};

inline QString indexed(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}
