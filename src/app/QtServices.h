#pragma once

#include "app/Services.h"

#include <random>

namespace app {

// The toolkit services as the running program provides them.
class QtServices : public Services {
public:
    QtServices();
    Answer messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    Answer messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                      Answer defaultButton) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& preset) override;
    QString openFileDialog(const QString& title, const QString& filter, const QString& fileName) override;
    QString saveFileDialog(const QString& title, const QString& filter, const QString& fileName) override;
    QString folderDialog(const QString& title) override;
    int showModal(QDialog& dialog) override;
    void setWaitCursor(bool waiting) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QString& name) override;
    bool openFolder(const QString& folder) override;
    double random() override;
    QString programFolder() override;

    // "Desc (*.a)|*.a|Other|*.b;*.c" in the form Qt's file dialogs read.
    static QString qtFilter(const QString& filter);
    // Where a file dialog opens: a name without a folder goes into the folder last chosen in this
    // session, so each dialog starts where the one before it ended.
    static QString startingPoint(const QString& fileName, const QString& lastFolder);

private:
    // Without a default button named, Qt's own choice: the first accepting one.
    Answer showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                       std::optional<Answer> defaultButton);

    std::mt19937_64 m_generator;
    int m_waitDepth = 0;
    QString m_lastFolder; // of the last file or folder chosen in a dialog
};

} // namespace app
