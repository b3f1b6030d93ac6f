#include "support/ScriptedServices.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The next scripted answer, taken off its queue; `none` once the queue is empty.
template <class T> T take(std::deque<T>& queue, T none = {}) {
    if (queue.empty())
        return none;
    const T next = queue.front();
    queue.pop_front();
    return next;
}

} // namespace

app::Answer ScriptedServices::messageBox(const QString& text, app::Buttons buttons, app::Icon icon,
                                         const QString& title) {
    return answer({text, buttons, icon, title, std::nullopt});
}

app::Answer ScriptedServices::messageBox(const QString& text, app::Buttons buttons, app::Icon icon,
                                         const QString& title, app::Answer defaultButton) {
    return answer({text, buttons, icon, title, defaultButton});
}

app::Answer ScriptedServices::answer(Message message) {
    const bool yesNo = message.buttons == app::Buttons::YesNo || message.buttons == app::Buttons::YesNoCancel;
    const app::Answer unscripted = message.defaultButton.value_or(yesNo ? app::Answer::Yes : app::Answer::OK);
    messages.push_back(std::move(message));
    return take(answers, unscripted);
}

std::optional<QString> ScriptedServices::inputBox(const QString& prompt, const QString& title, const QString& preset) {
    inputs.push_back({prompt, title, preset});
    return take(inputAnswers);
}

QString ScriptedServices::openFileDialog(const QString& title, const QString& filter, const QString&) {
    fileDialogs.push_back({title, filter});
    return take(fileAnswers);
}

QString ScriptedServices::folderDialog(const QString& title) {
    fileDialogs.push_back({title, QStringLiteral("<folder>")});
    return take(fileAnswers);
}

QString ScriptedServices::saveFileDialog(const QString& title, const QString& filter, const QString&) {
    fileDialogs.push_back({title, filter});
    return take(fileAnswers);
}

int ScriptedServices::showModal(QDialog& dialog) {
    const auto handler = take(modalHandlers);
    return handler ? handler(dialog) : int(QDialog::Rejected);
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
    return take(randomValues);
}

void ScriptedServices::onActiveModal(std::function<void(QDialog&)> drive) {
    modalHandlers.push_back([drive = std::move(drive)](QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        drive(dialog);
        return dialog.result();
    });
}
