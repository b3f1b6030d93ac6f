#pragma once

#include "app/Services.h"

#include <QCoreApplication>
#include <QStringList>

// Toolkit services that never ask: every box is answered with its default button, every dialog
// is cancelled. The messages are kept so a benchmark can tell that something went wrong.
class SilentServices : public app::Services {
public:
    QStringList messages;

    app::Answer messageBox(const QString& text, app::Buttons buttons, app::Icon, const QString&) override {
        messages << text;
        return buttons == app::Buttons::YesNo || buttons == app::Buttons::YesNoCancel ? app::Answer::Yes
                                                                                      : app::Answer::OK;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFileDialog(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileDialog(const QString&, const QString&, const QString&) override { return {}; }
    QString folderDialog(const QString&) override { return {}; }
    int showModal(QDialog&) override { return 0; }
    void setWaitCursor(bool) override {}
    bool startProgram(const QString&, const QStringList&) override { return false; }
    QString findProgram(const QString&) override { return {}; }
    bool openFolder(const QString&) override { return false; }
    double random() override { return 0.5; }
    QString programFolder() override { return QCoreApplication::applicationDirPath(); }
};
