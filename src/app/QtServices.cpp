#include "app/QtServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace app {

QtServices::QtServices() : m_generator(std::random_device{}()) {}

namespace {

// Text beyond this length (an enormous dice pool, say) is shown scrollable, so the box fits the screen.
constexpr qsizetype kLongMessage = 1500;

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::OK:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton buttonOf(Answer answer) {
    switch (answer) {
    case Answer::OK:
        return QMessageBox::Ok;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        break;
    }
    return QMessageBox::Cancel;
}

Answer answerOf(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::OK;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

Answer longMessageBox(QWidget* parent, const QString& text, Buttons buttons, const QString& title,
                      std::optional<Answer> defaultButton) {
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* view = new QPlainTextEdit(text);
    view->setReadOnly(true);
    auto* box = new QDialogButtonBox(QDialogButtonBox::StandardButtons(int(standardButtons(buttons))));
    int pressed = QMessageBox::Cancel;
    QObject::connect(box, &QDialogButtonBox::clicked, &dialog, [&](QAbstractButton* button) {
        pressed = int(box->standardButton(button));
        dialog.accept();
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(box);
    // Only a button already in its dialog can be made its default.
    if (defaultButton)
        if (QPushButton* button = box->button(QDialogButtonBox::StandardButton(int(buttonOf(*defaultButton)))))
            button->setDefault(true);
    const QRect screen = dialog.screen()->availableGeometry();
    dialog.resize(screen.width() * 6 / 10, screen.height() * 6 / 10);
    dialog.exec();
    return answerOf(pressed);
}

} // namespace

Answer QtServices::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) {
    return showMessage(text, buttons, icon, title, std::nullopt);
}

Answer QtServices::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                              Answer defaultButton) {
    return showMessage(text, buttons, icon, title, defaultButton);
}

Answer QtServices::showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                               std::optional<Answer> defaultButton) {
    if (text.size() > kLongMessage)
        return longMessageBox(m_dialogParent, text, buttons, title, defaultButton);
    QMessageBox box(m_dialogParent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText); // a typed name in a message is shown as typed, markup and all
    box.setText(text);
    switch (icon) {
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::None:
        break;
    }
    box.setStandardButtons(standardButtons(buttons));
    if (defaultButton)
        box.setDefaultButton(buttonOf(*defaultButton));
    return answerOf(box.exec());
}

std::optional<QString> QtServices::inputBox(const QString& prompt, const QString& title, const QString& preset) {
    QInputDialog dialog(m_dialogParent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    for (QLabel* label : dialog.findChildren<QLabel*>()) // a prompt quoting a typed name shows it as typed
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(preset);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtServices::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts[i].trimmed();
        // Qt reads the patterns from the entry's last parentheses, blank-separated.
        const int open = description.lastIndexOf(QLatin1Char('('));
        if (description.endsWith(QLatin1Char(')')) && open >= 0)
            description = description.left(open).trimmed();
        entries << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtServices::startingPoint(const QString& fileName, const QString& lastFolder) {
    if (lastFolder.isEmpty() || (!fileName.isEmpty() && !QFileInfo(fileName).isRelative()))
        return fileName;
    return QDir(lastFolder).filePath(fileName);
}

QString QtServices::openFileDialog(const QString& title, const QString& filter, const QString& fileName) {
    const QString chosen = QFileDialog::getOpenFileName(m_dialogParent, title, startingPoint(fileName, m_lastFolder),
                                                        qtFilter(filter));
    if (!chosen.isEmpty())
        m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

QString QtServices::saveFileDialog(const QString& title, const QString& filter, const QString& fileName) {
    const QString chosen =
        QFileDialog::getSaveFileName(m_dialogParent, title, startingPoint(fileName, m_lastFolder), qtFilter(filter),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        m_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}

QString QtServices::folderDialog(const QString& title) {
    const QString chosen = QFileDialog::getExistingDirectory(m_dialogParent, title, m_lastFolder);
    if (!chosen.isEmpty())
        m_lastFolder = chosen;
    return chosen;
}

int QtServices::showModal(QDialog& dialog) {
    return dialog.exec();
}

void QtServices::setWaitCursor(bool waiting) {
    if (waiting) {
        if (m_waitDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_waitDepth > 0 && --m_waitDepth == 0) {
        QApplication::restoreOverrideCursor();
    }
}

bool QtServices::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool QtServices::openFolder(const QString& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

QString QtServices::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

double QtServices::random() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_generator);
}

QString QtServices::programFolder() {
    return QCoreApplication::applicationDirPath();
}

} // namespace app
