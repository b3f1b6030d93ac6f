#include "sheet/frmMain.h"

#include "app/Guard.h"
#include "app/Services.h"
#include "app/frmAbout.h"
#include "app/mdlGlobal.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

struct MenuItem {
    const char* menu;     // object name of the menu it belongs to
    const char* name;     // object name of the item; empty for a separator
    const char* caption;
    const char* shortcut;
};

// The menu bar as the sheet presents it.
const MenuItem kMenuItems[] = {
    {"mnuEditMode", "mnuEdit", "&Edit", "Ctrl+E"},
    {"mnuEditMode", "mnuBrowse", "&Browse", "Ctrl+B"},
    {"mnuFile", "mnuFileExport", "Export to &HTML", "Ctrl+X"},
    {"mnuFile", "", "", ""},
    {"mnuFile", "mnuExit", "E&xit", "Ctrl+Q"},
    {"mnuView", "mnuHist", "&History", "Ctrl+H"},
    {"mnuView", "mnuPict", "&Picture", "Ctrl+P"},
    {"mnuView", "mnuNotes", "&Notes", "Ctrl+N"},
    {"mnuView", "mnuRituals", "&Thaumaturgy", "Ctrl+T"},
    {"mnuView", "mnuNecromancy", "&Necromancy", "Ctrl+D"},
    {"mnuTools", "mnuNewDB", "&New Database", ""},
    {"mnuTools", "mnuChngDB", "Change &Database", ""},
    {"mnuTools", "mnuMobile", "&Mobilize", ""},
    {"mnuTools", "mnuCalc", "&Calculator", ""},
    {"mnuHelp", "mnuAbout", "&About", ""},
};

} // namespace

frmMain::frmMain(app::mdlGlobal& global, QWidget* parent) : QMainWindow(parent), m_global(global) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Duskledger"));
    buildMenus();

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    lblChar_ID = new QLabel;
    lblChar_ID->setObjectName(QStringLiteral("lblChar_ID"));
    lblChar_ID->setVisible(false);
    layout->addWidget(lblChar_ID);
    setCentralWidget(central);

    connect(action(QStringLiteral("mnuExit")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("mnuAbout")), &QAction::triggered, this, &frmMain::showAbout);
}

frmMain::~frmMain() = default;

void frmMain::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QMenu* editMode = file->addMenu(QStringLiteral("&Edit Mode"));
    editMode->setObjectName(QStringLiteral("mnuEditMode"));
    const std::pair<const char*, const char*> tops[] = {
        {"mnuView", "&View"}, {"mnuTools", "&Tools"}, {"mnuHelp", "&Help"}};
    for (auto [name, caption] : tops)
        menuBar()->addMenu(QString::fromUtf8(caption))->setObjectName(QString::fromUtf8(name));

    for (const MenuItem& item : kMenuItems) {
        QMenu* menu = menuBar()->findChild<QMenu*>(QString::fromUtf8(item.menu));
        if (!*item.name) {
            menu->addSeparator()->setObjectName(QStringLiteral("mnuline"));
            continue;
        }
        QAction* a = menu->addAction(QString::fromUtf8(item.caption));
        a->setObjectName(QString::fromUtf8(item.name));
        if (*item.shortcut)
            a->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
        a->setEnabled(false); // each command is switched on where it is built
    }
    action(QStringLiteral("mnuExit"))->setEnabled(true);
    action(QStringLiteral("mnuAbout"))->setEnabled(true);
}

QAction* frmMain::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void frmMain::Form_Load() {
    m_global.justLoaded = true;
    m_global.openConnection();
    db::Recordset& rs = *m_global.characterRecordset;
    lblChar_ID->setText(rs.atEOF() ? QString() : rs.Fields(QStringLiteral("Char_ID")).toString());
    m_global.editMode = false;
    m_global.justLoaded = false;
}

QString frmMain::currentKey() const {
    return lblChar_ID->text();
}

void frmMain::showAbout() {
    if (!m_about)
        m_about = new app::frmAbout(this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void frmMain::shutDown() {
    m_global.editMode = false;
    m_global.closeConnection();
}

void frmMain::closeEvent(QCloseEvent* event) {
    shutDown();
    event->accept();
}
