#pragma once

#include "SheetFixture.h"
#include "sheet/mdlModes.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

// The sheet driven as a user drives it: menu commands, buttons, roster double-clicks.
class CommandTest : public SheetTest {
protected:
    const sheet::SheetControls& ui() { return window->ui(); }

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
    // Double-clicks the entry of a roster list, on its own tab of the shown window.
    void doubleClick(const QString& list, int row) {
        auto* widget = get<QListWidget>(list);
        ASSERT_LT(row, widget->count()) << list.toStdString();
        ui().SSTab1->setCurrentIndex(list == QLatin1String("lstNPC") ? 1 : 0);
        if (!window->isVisible())
            window->show();
        QApplication::processEvents();
        widget->scrollToItem(widget->item(row));
        // An item view counts a double-click only on the entry the button went down on first.
        const QPoint at = widget->visualItemRect(widget->item(row)).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at);
    }
    void type(const QString& editor, const QString& text) {
        auto* edit = get<QLineEdit>(editor);
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    QVariant stored(const QString& sql) { return global->database->scalar(sql); }
    QVariant column(qint64 key, const QString& name) {
        return stored(QStringLiteral("SELECT %1 FROM Char_Info WHERE Char_ID = %2").arg(name).arg(key));
    }
    qint64 rows(const QString& table, qint64 key) {
        return stored(QStringLiteral("SELECT count(*) FROM %1 WHERE Char_ID = %2").arg(table).arg(key)).toLongLong();
    }
    // A statement of the save refused while the name being stored is `name`.
    void refuseSaving(const QString& name) {
        temp.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Char_Info WHEN NEW.Name = %1 "
                                 "BEGIN SELECT RAISE(ABORT, 'refused by the test'); END")
                      .arg(db::sqlText(name)));
    }
};
