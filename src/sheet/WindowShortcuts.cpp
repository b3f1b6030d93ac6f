#include "sheet/WindowShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace sheet {

namespace {

class MenuShortcutPriority : public QObject {
public:
    explicit MenuShortcutPriority(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        for (QKeySequence::StandardKey kept : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste,
                                               QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll})
            if (key->matches(kept))
                return false;
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : m_window->findChildren<QAction*>()) {
            if (action->isEnabled() && action->shortcut() == pressed) {
                // Not accepted as the field's own key, so the shortcut map triggers the action.
                event->ignore();
                return true;
            }
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

void giveMenuShortcutsPriority(QWidget* window) {
    qApp->installEventFilter(new MenuShortcutPriority(window));
}

} // namespace sheet
