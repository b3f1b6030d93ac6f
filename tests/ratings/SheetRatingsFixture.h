#pragma once

#include "app/Session.h"
#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"
#include "sheet/SheetControls.h"
#include "sheet/frmMain.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The real sheet over a temporary database holding one character, rating controls wired, browse mode.
class SheetRatingsTest : public ::testing::Test {
protected:
    TempDatabase temp;
    ScriptedServices services;
    std::unique_ptr<app::Session> session;
    std::unique_ptr<frmMain> window;
    qint64 key = 0;

    // assignments: further columns of the character ("Strength = 3, BloodPool = 23").
    void open(const QString& assignments = QStringLiteral("Name = Name")) {
        key = temp.addCharacter(QStringLiteral("Mirela"));
        temp.exec(QStringLiteral("UPDATE Char_Info SET %1 WHERE Char_ID = %2").arg(assignments).arg(key));
        temp.release();
        services.folder = temp.folder();
        session = std::make_unique<app::Session>(services);
        window = std::make_unique<frmMain>(*session);
        window->Form_Load(temp.path());
    }
    const sheet::SheetControls& ui() const { return window->ui(); }

    void edit() { window->sheet().enterEditMode(); }

    static void press(ratings::DotRow* row, int x) { QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(x, 5)); }
    // x at the left edge of dot n, in the row's own units.
    static int dot(const ratings::DotRow* row, int n) { return (n - 1) * (row->tenDotWidth() / 10); }

    // The five blood pool tags; each row's picture shows its tag, kept within 0..10.
    QString pool() const {
        QStringList tags;
        for (const ratings::DotRow* row : ui().PBBP) {
            tags << row->Tag();
            EXPECT_EQ(row->pictureName(),
                      QString("BOX%1.bmp").arg(std::clamp(row->Tag().toInt(), 0, 10), 2, 10, QChar('0')));
        }
        return tags.join(' ');
    }
    QVariant stored(const QString& column) {
        return session->database->scalar(QStringLiteral("SELECT %1 FROM Char_Info WHERE Char_ID = ?").arg(column),
                                        {key});
    }
};
