#pragma once

#include <QDialog>

namespace app {

// Help, About: title, version and two fixed texts. Modeless; the main window keeps one instance.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};

} // namespace app
