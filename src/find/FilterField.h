#pragma once

#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

namespace sheet {
class Roster;
}

namespace find {

// The roster's filter field: each edit filters both lists; Esc clears it and gives the focus back
// to where it came from (the roster tabs when it came from outside the window).
class FilterField : public QObject {
public:
    FilterField(QLineEdit* field, sheet::Roster& roster, QWidget* fallbackFocus);

    // Ctrl+F: the field takes the focus with its text selected.
    void focus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    QWidget* m_fallbackFocus;
    QPointer<QWidget> m_cameFrom;
};

} // namespace find
