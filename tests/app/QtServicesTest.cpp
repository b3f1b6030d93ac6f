#include "app/QtServices.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// A name a user typed reaches a message or a prompt as it was typed: markup in it stays text.
TEST(QtServices, MessagesAndPromptsShowTypedNamesAsPlainText) {
    app::QtServices qt;
    app::Services& services = qt;
    const QString text = QStringLiteral("You have entered a new Merit/Flaw called: <b>Bold</b> &amp;");
    // Looks at the modal window the next call puts up, then accepts it.
    const auto look = [&](const QString& title) {
        QTimer::singleShot(0, [=] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), title);
            bool plain = false;
            for (const QLabel* label : box->findChildren<QLabel*>())
                plain |= label->text() == text && label->textFormat() == Qt::PlainText;
            EXPECT_TRUE(plain);
            box->accept();
        });
    };
    look("Duskledger");
    services.messageBox(text, app::Buttons::OK, app::Icon::Exclamation);
    look("Specialization");
    EXPECT_EQ(services.inputBox(text, "Specialization", "x<i>"), std::optional<QString>("x<i>"));
}

// Each file dialog of the session opens in the folder the last one chose from; a cancelled one
// changes nothing.
TEST(QtServices, FileDialogsStartWhereTheLastChoiceWas) {
    QTemporaryDir temp;
    ASSERT_TRUE(QDir(temp.path()).mkpath("a") && QDir(temp.path()).mkpath("b"));
    app::QtServices qt;
    app::Services& services = qt;
    // Checks where the next dialog opens, then chooses the path (or cancels for an empty one).
    const auto answer = [&](const QString& expectedFolder, const QString& chosen) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            if (!expectedFolder.isEmpty()) {
                EXPECT_EQ(dialog->directory().absolutePath(), expectedFolder);
            }
            if (chosen.isEmpty())
                return dialog->reject();
            dialog->selectFile(chosen);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    };
    answer({}, temp.filePath("a/one.pdf"));
    EXPECT_EQ(services.saveFileDialog("Export", "PDF (*.pdf)|*.pdf", "one.pdf"), temp.filePath("a/one.pdf"));
    answer(temp.filePath("a"), {});
    EXPECT_EQ(services.saveFileDialog("Export", "PDF (*.pdf)|*.pdf", "two.pdf"), QString());
    answer(temp.filePath("a"), temp.filePath("b"));
    EXPECT_EQ(services.folderDialog("Folder"), temp.filePath("b"));
    answer(temp.filePath("b"), {});
    services.openFileDialog("Open", "All files (*)|*");
}

// Return answers a question with the button it names as default, in the short box and in the
// scrollable one a long text gets.
TEST(QtServices, ReturnPressesTheNamedDefault) {
    app::QtServices qt;
    app::Services& services = qt;
    for (const QString& text : {QStringLiteral("Remove Ann?"), QString(2000, QLatin1Char('x'))}) {
        SCOPED_TRACE(text.size());
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
        });
        EXPECT_EQ(services.messageBox(text, app::Buttons::YesNo, app::Icon::Question, app::kTitle, app::Answer::No),
                  app::Answer::No);
    }
}
