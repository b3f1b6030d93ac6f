#include "sheet/ModeStatus.h"

#include "app/Session.h"
#include "sheet/CharacterSheet.h"

#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace sheet {

namespace {
constexpr int kHintMilliseconds = 5000;

QLabel* part(QStatusBar& bar, const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(6, 0, 6, 0);
    bar.addPermanentWidget(label);
    return label;
}
} // namespace

ModeStatus::ModeStatus(QStatusBar& bar, CharacterSheet& sheet)
    : QObject(&bar), m_bar(bar), m_session(sheet.session()), m_mode(part(bar, "lblMode")), m_file(part(bar, "lblFile")),
      m_saved(part(bar, "lblSaved")) {
    m_bar.setObjectName(QStringLiteral("statusBar"));
    m_bar.setAccessibleName(QStringLiteral("Status"));
    sheet.notices().modeShown = [this] { showMode(); };
    sheet.notices().saved = [this] { showSaved(QTime::currentTime()); };
    sheet.notices().hint = [this](const QString& text) { showHint(text); };
    showMode();
}

QString ModeStatus::modeText(bool editMode) {
    return editMode ? QStringLiteral("Edit \u2014 changes are saved when you leave edit mode")
                    : QStringLiteral("Browse");
}

QString ModeStatus::savedText(const QTime& at) {
    return QStringLiteral("Saved ") + at.toString(QStringLiteral("HH:mm"));
}

void ModeStatus::showMode() {
    m_mode->setText(modeText(m_session.editMode));
    const QString path = m_session.path();
    m_file->setText(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    m_file->setToolTip(path);
}

void ModeStatus::showSaved(const QTime& at) {
    m_saved->setText(savedText(at));
}

void ModeStatus::showHint(const QString& text) {
    m_bar.showMessage(text, kHintMilliseconds);
}

} // namespace sheet
