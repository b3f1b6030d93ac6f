#include "app/QtServices.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace app {

QtServices::QtServices() : m_generator(std::random_device{}()) {}

Answer QtServices::messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title) {
    QMessageBox box(m_dialogParent);
    box.setWindowTitle(title);
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
    switch (buttons) {
    case Buttons::OK:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
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

std::optional<QString> QtServices::inputBox(const QString& prompt, const QString& title, const QString& preset) {
    bool ok = false;
    const QString text = QInputDialog::getText(m_dialogParent, title, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return text;
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

QString QtServices::openFileDialog(const QString& title, const QString& filter, const QString& fileName) {
    return QFileDialog::getOpenFileName(m_dialogParent, title, fileName, qtFilter(filter));
}

QString QtServices::saveFileDialog(const QString& title, const QString& filter, const QString& fileName) {
    return QFileDialog::getSaveFileName(m_dialogParent, title, fileName, qtFilter(filter), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
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
