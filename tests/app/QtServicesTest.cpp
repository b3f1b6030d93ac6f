#include "app/QtServices.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `look` on the modal window that `open` puts up, then lets it answer with Enter.
template <class Open> auto answered(Open&& open, const std::function<void(QWidget&)>& look) {
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        look(*modal);
        static_cast<QDialog*>(modal)->accept();
    });
    return open();
}

QStringList plainLabels(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->textFormat() == Qt::PlainText)
            texts << label->text();
    return texts;
}

} // namespace

// A name a user typed reaches a message or a prompt as it was typed: markup in it stays text.
TEST(QtServices, MessagesAndPromptsShowTypedNamesAsPlainText) {
    app::QtServices services;
    const QString text = QStringLiteral("You have entered a new Merit/Flaw called: <b>Bold</b> &amp;");
    answered(
        [&] {
            return static_cast<app::Services&>(services).messageBox(text, app::Buttons::OK, app::Icon::Exclamation);
        },
        [&](QWidget& box) {
            EXPECT_EQ(box.windowTitle(), QStringLiteral("Duskledger"));
            EXPECT_TRUE(plainLabels(box).contains(text));
        });
    const auto typed = answered(
        [&] { return static_cast<app::Services&>(services).inputBox(text, QStringLiteral("Specialization"), "x<i>"); },
        [&](QWidget& box) { EXPECT_TRUE(plainLabels(box).contains(text)); });
    EXPECT_EQ(typed, std::optional<QString>(QStringLiteral("x<i>")));
}
