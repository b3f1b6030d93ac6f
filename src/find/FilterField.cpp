#include "find/FilterField.h"

#include "sheet/Roster.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace find {

FilterField::FilterField(QLineEdit* field, sheet::Roster& roster, QWidget* fallbackFocus)
    : QObject(field), m_field(field), m_fallbackFocus(fallbackFocus) {
    connect(field, &QLineEdit::textChanged, &roster, [&roster](const QString& typed) { roster.filter(typed); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == m_field && old && old->window() == m_field->window())
            m_cameFrom = old;
    });
    field->installEventFilter(this);
}

void FilterField::focus() {
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

bool FilterField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_field || event->type() != QEvent::KeyPress ||
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
        return false;
    m_field->clear();
    QWidget* back = m_cameFrom && m_cameFrom->isVisible() ? m_cameFrom.data() : m_fallbackFocus;
    back->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace find
