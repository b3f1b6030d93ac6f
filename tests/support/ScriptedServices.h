#pragma once

#include "app/Services.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QDialog;

// Toolkit services for tests: answers come from queues, every request is recorded, nothing
// blocks. An empty queue answers like a user pressing the default (the one named, else OK / Yes) or cancelling
// a dialog (empty file name, no input).
class ScriptedServices : public app::Services {
public:
    struct Message {
        QString text;
        app::Buttons buttons;
        app::Icon icon;
        QString title;
        std::optional<app::Answer> defaultButton; // nothing: the toolkit's own choice
    };
    struct Input {
        QString prompt;
        QString title;
        QString preset;
    };
    struct FileRequest {
        QString title;
        QString filter;
    };

    std::vector<Message> messages;
    std::vector<Input> inputs;
    std::vector<FileRequest> fileDialogs;
    QStringList startedPrograms;
    int waitCursorDepth = 0;
    int maxWaitCursorDepth = 0;

    std::deque<app::Answer> answers;
    std::deque<std::optional<QString>> inputAnswers; // nullopt: Cancel
    std::deque<QString> fileAnswers;
    std::deque<std::function<int(QDialog&)>> modalHandlers;
    std::deque<double> randomValues;
    QStringList availablePrograms; // what findProgram finds
    bool startSucceeds = true;
    QString folder;

    app::Answer messageBox(const QString& text, app::Buttons buttons, app::Icon icon, const QString& title) override;
    app::Answer messageBox(const QString& text, app::Buttons buttons, app::Icon icon, const QString& title,
                           app::Answer defaultButton) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& preset) override;
    QString openFileDialog(const QString& title, const QString& filter, const QString& fileName) override;
    QString saveFileDialog(const QString& title, const QString& filter, const QString& fileName) override;
    QString folderDialog(const QString& title) override;
    int showModal(QDialog& dialog) override;
    void setWaitCursor(bool waiting) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QString& name) override;
    bool openFolder(const QString&) override { return true; }
    double random() override;
    QString programFolder() override { return folder; }

    // The next modal window is shown and active, so focus moves as with a user; drive() works it,
    // and the window's own result is what it returns.
    void onActiveModal(std::function<void(QDialog&)> drive);

    // The last message text, or empty.
    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }

private:
    app::Answer answer(Message message);
};
