#pragma once

#include "app/mdlGlobal.h"
#include "support/ScriptedServices.h"
#include "support/TempDatabase.h"

#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// One character, Ann, shown in browse mode; the program folder holds a 30 x 20 nopic.bmp.
class NotesFixture : public ::testing::Test {
protected:
    NotesFixture() {
        services.folder = temp.folder();
        picture(30, 20).save(temp.file("nopic.bmp"));
        global = std::make_unique<app::mdlGlobal>(services); // reads the bitmaps of the folder
        global->database = db::Database::open(temp.path(), false);
    }
    static QImage picture(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkRed);
        return image;
    }
    QVariant stored(const QString& column) { return temp.scalar("SELECT " + column + " FROM Char_Info"); }
    void store(const QString& column, const QVariant& value) {
        temp.db().Execute("UPDATE Char_Info SET " + column + " = ?", {value});
    }
    // Queues a handler for the next modal window, shown so that its layout is real.
    void onModal(const std::function<void(QDialog&)>& drive) {
        services.modalHandlers.push_back([drive](QDialog& dialog) {
            dialog.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            drive(dialog);
            dialog.hide();
            return dialog.result();
        });
    }
    static void click(QDialog& dialog, const char* button) {
        auto* widget = dialog.findChild<QPushButton*>(button);
        ASSERT_NE(widget, nullptr) << button;
        QTest::mouseClick(widget, Qt::LeftButton);
    }

    TempDatabase temp;
    ScriptedServices services;
    std::unique_ptr<app::mdlGlobal> global;
    QString key = QString::number(temp.addCharacter("Ann"));
};
