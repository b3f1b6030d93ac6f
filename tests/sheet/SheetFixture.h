#pragma once

#include "app/Session.h"
#include "model/Numbers.h"
#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"
#include "sheet/frmMain.h"
#include "support/FileBytes.h"
#include "support/ListEntries.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline QString indexed(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

// The main window over a database, opened as start-up opens it; the print tests use it too.
struct MainWindow {
    ScriptedServices services;
    std::unique_ptr<app::Session> session;
    std::unique_ptr<frmMain> window;

    void open(TempDatabase& temp) {
        temp.release();
        services.folder = temp.folder();
        session = std::make_unique<app::Session>(services);
        window = std::make_unique<frmMain>(*session);
        window->Form_Load(temp.path());
    }
};

// The main window over a temporary database, driven as a user drives it and read by control names.
class SheetTest : public ::testing::Test {
protected:
    TempDatabase temp;
    MainWindow main;
    ScriptedServices& services = main.services;
    std::unique_ptr<app::Session>& session = main.session;
    std::unique_ptr<frmMain>& window = main.window;

    // Adds a character and sets further columns: "Strength = 3, Haven = NULL".
    qint64 character(const QString& name, const QString& player = QStringLiteral("Ann"),
                     const QString& assignments = {}) {
        const qint64 key = temp.addCharacter(name, player);
        if (!assignments.isEmpty())
            temp.exec(QStringLiteral("UPDATE Char_Info SET %1 WHERE Char_ID = %2").arg(assignments).arg(key));
        return key;
    }
    void open() { main.open(temp); }
    const sheet::SheetControls& ui() const { return window->ui(); }
    // Shows the window as the active one, which keyboard focus and shortcuts need.
    bool shownActive() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }

    template <class T> T* get(const QString& name) {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    // Leaves controls as a user would: "txtChar=Mira|cmbClan=|PBAdv(3)= 2".
    void set(const QString& assignments) {
        for (const QString& assignment : assignments.split('|')) {
            QWidget* control = get<QWidget>(assignment.section('=', 0, 0));
            const QString value = assignment.section('=', 1);
            if (auto* combo = qobject_cast<QComboBox*>(control))
                combo->setCurrentText(value);
            else if (auto* row = qobject_cast<ratings::DotRow*>(control))
                row->setValue(int(numbers::leadingNumber(value)), value.startsWith(' '));
            else
                control->setProperty("text", value);
        }
    }
    // What controls show, joined by '|': texts, combo texts, dot row Tags.
    QString values(const QString& names) {
        QStringList result;
        for (const QString& name : names.split('|')) {
            QWidget* control = get<QWidget>(name);
            if (auto* combo = qobject_cast<QComboBox*>(control))
                result << combo->currentText();
            else if (auto* row = qobject_cast<ratings::DotRow*>(control))
                result << row->Tag();
            else
                result << control->property("text").toString();
        }
        return result.join('|');
    }
    // Hidden in its own right (the window itself is mostly not shown in these tests).
    bool hidden(const QString& name) { return get<QWidget>(name)->isHidden(); }
    QStringList items(const QString& name) {
        QStringList result;
        if (auto* combo = window->findChild<QComboBox*>(name))
            for (int i = 0; i < combo->count(); ++i)
                result << combo->itemText(i);
        if (auto* list = window->findChild<QAbstractItemView*>(name))
            result << listEntries(list);
        return result;
    }
    // The seven health boxes' states as digits.
    QString health() {
        QString states;
        for (const ratings::HealthBox* box : ui().HealthBox)
            states += QString::number(box->state());
        return states;
    }

    void menu(const QString& name) {
        QAction* item = get<QAction>(name);
        ASSERT_TRUE(item->isEnabled()) << name.toStdString();
        item->trigger();
    }
    bool enabled(const QString& name) {
        if (auto* item = window->findChild<QAction*>(name))
            return item->isEnabled();
        return get<QWidget>(name)->isEnabled();
    }
    void click(const QString& button) { QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton); }
    // Double-clicks an entry of a list on the shown window; the roster lists on their own tab.
    void doubleClick(QAbstractItemView* list, int row) {
        const QModelIndex entry = list->model()->index(row, 0);
        ASSERT_TRUE(entry.isValid()) << list->objectName().toStdString();
        if (list == ui().lstNPC || list == ui().lstChar)
            ui().SSTab1->setCurrentIndex(list == ui().lstNPC ? 1 : 0);
        window->show();
        QApplication::processEvents();
        list->scrollTo(entry);
        // An item view counts a double-click only on the entry the button went down on first.
        const QPoint at = list->visualRect(entry).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    static void press(ratings::DotRow* row, int x) { QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(x, 5)); }
    // x at the left edge of dot n, in the row's own units.
    static int dot(const ratings::DotRow* row, int n) { return (n - 1) * (row->tenDotWidth() / 10); }

    QVariant stored(const QString& sql) { return session->database->scalar(sql); }
    QVariant column(qint64 key, const QString& name) {
        return stored(QStringLiteral("SELECT %1 FROM Char_Info WHERE Char_ID = %2").arg(name).arg(key));
    }
};
