#include "support/ScriptedServices.h"

#include <QDialog>

app::Answer ScriptedServices::messageBox(const QString& text, app::Buttons buttons, app::Icon icon,
                                         const QString& title) {
    return answer({text, buttons, icon, title, std::nullopt});
}

app::Answer ScriptedServices::messageBox(const QString& text, app::Buttons buttons, app::Icon icon,
                                         const QString& title, app::Answer defaultButton) {
    return answer({text, buttons, icon, title, defaultButton});
}

app::Answer ScriptedServices::answer(Message message) {
    const app::Buttons buttons = message.buttons;
    const std::optional<app::Answer> defaultButton = message.defaultButton;
    messages.push_back(std::move(message));
    if (!answers.empty()) {
        const app::Answer next = answers.front();
        answers.pop_front();
        return next;
    }
    if (defaultButton)
        return *defaultButton;
    switch (buttons) {
    case app::Buttons::YesNo:
    case app::Buttons::YesNoCancel:
        return app::Answer::Yes;
    default:
        return app::Answer::OK;
    }
}

std::optional<QString> ScriptedServices::inputBox(const QString& prompt, const QString& title, const QString& preset) {
    inputs.push_back({prompt, title, preset});
    if (inputAnswers.empty())
        return std::nullopt;
    std::optional<QString> answer;
    answer.swap(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

QString ScriptedServices::openFileDialog(const QString& title, const QString& filter, const QString&) {
    fileDialogs.push_back({false, title, filter});
    if (fileAnswers.empty())
        return {};
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedServices::folderDialog(const QString& title) {
    fileDialogs.push_back({true, title, QStringLiteral("<folder>")});
    if (fileAnswers.empty())
        return {};
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedServices::saveFileDialog(const QString& title, const QString& filter, const QString&) {
    fileDialogs.push_back({true, title, filter});
    if (fileAnswers.empty())
        return {};
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

int ScriptedServices::showModal(QDialog& dialog) {
    if (modalHandlers.empty())
        return QDialog::Rejected;
    auto handler = modalHandlers.front();
    modalHandlers.pop_front();
    return handler(dialog);
}

void ScriptedServices::setWaitCursor(bool waiting) {
    waitCursorDepth += waiting ? 1 : -1;
    maxWaitCursorDepth = std::max(maxWaitCursorDepth, waitCursorDepth);
}

bool ScriptedServices::startProgram(const QString& program, const QStringList&) {
    startedPrograms << program;
    return startSucceeds;
}

QString ScriptedServices::findProgram(const QString& name) {
    return availablePrograms.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

double ScriptedServices::random() {
    if (randomValues.empty())
        return 0.0;
    const double value = randomValues.front();
    randomValues.pop_front();
    return value;
}
