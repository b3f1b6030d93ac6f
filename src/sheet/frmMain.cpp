#include "sheet/frmMain.h"

#include "app/Guard.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "app/ToolsMenu.h"
#include "app/frmAbout.h"
#include "app/mdlGlobal.h"
#include "sheet/DiceRoll.h"
#include "sheet/HtmlExportCommand.h"
#include "merits/MeritList.h"
#include "notes/NotesCommands.h"
#include "ratings/HealthBox.h"
#include "ratings/HealthTrack.h"
#include "ratings/SheetRatings.h"
#include "rituals/Rituals.h"
#include "sheet/LookupLists.h"
#include "sheet/SheetBuilders.h"
#include "sheet/SheetStyle.h"
#include "sheet/mdlAddDelete.h"
#include "sheet/mdlLoadData.h"
#include "sheet/mdlModes.h"
#include "sheet/mdlSwitch.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

struct MenuItem {
    const char* menu; // object name of the menu it belongs to
    const char* name; // object name of the item; empty for a separator
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

// Menu items that act on the shown character: off while none is shown.
const char* const kCharacterCommands[] = {"mnuEdit", "mnuBrowse", "mnuFileExport", "mnuHist",
                                          "mnuPict", "mnuNotes",  "mnuRituals",    "mnuNecromancy"};

} // namespace

frmMain::frmMain(app::mdlGlobal& global, QWidget* parent) : QMainWindow(parent), m_global(global) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Duskledger"));
    buildMenus();
    buildSheet();
    wireCommands();
    refreshCommands();
}

void frmMain::wireCommands() {
    using namespace sheet;
    connect(action(QStringLiteral("mnuExit")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("mnuAbout")), &QAction::triggered, this, &frmMain::showAbout);
    for (ratings::HealthBox* box : m_ui.HealthBox)
        connect(box, &ratings::HealthBox::changed, this, &frmMain::storeHealth);

    // Modes.
    onAction("mnuEdit", [this] {
        if (!m_global.editMode)
            mdlEditMode::EnterEditMode(m_global, m_ui);
    });
    onAction("mnuBrowse", [this] { leaveEditMode(m_global, m_ui); });

    // Roster: a double-click (or Return on an entry) switches, the buttons add and delete.
    for (QListView* list : {m_ui.lstChar, m_ui.lstNPC}) {
        connect(list, &QListView::activated, this, [this](const QModelIndex& entry) {
            const QString name = entry.data().toString(); // the switch may change the list under the index
            run([&] { mdlSwitch::SwitchCharacter(m_global, m_ui, name); });
        });
    }
    for (QPushButton* add : m_ui.cmdAdd)
        connect(add, &QPushButton::clicked, this, [this] { run([&] { mdlAddDelete::cmdAdd_Click(m_global, m_ui); }); });
    for (int index : {0, 2}) {
        connect(m_ui.cmddelete[size_t(index)], &QPushButton::clicked, this,
                [this, index] { run([&] { mdlAddDelete::cmddelete_Click(m_global, m_ui, index); }); });
    }

    // Tools: each command settles unsaved edits before it gives up the current database.
    app::ToolsMenu::Hooks hooks{[this] { Form_Load(); }, [this] { return settleEdits(m_global, m_ui); }};
    m_tools =
        std::make_unique<app::ToolsMenu>(m_global, app::Settings(m_global.services.programFolder()), std::move(hooks));
    onAction("mnuNewDB", [this] { m_tools->mnuNewDB_Click(); });
    onAction("mnuChngDB", [this] { m_tools->mnuChngDB_Click(); });
    onAction("mnuMobile", [this] { m_tools->mnuMobile_Click(); });
    onAction("mnuCalc", [this] { m_tools->mnuCalc_Click(); });

    // Commands of the other windows and modules. Each takes the shown character's key and does
    // nothing without one.
    onAction("mnuFileExport", [this] { exporter::mnuFileExport_Click(m_global, currentKey()); });
    onAction("mnuHist", [this] { notes::showHistory(m_global, currentKey(), this); });
    onAction("mnuNotes", [this] { notes::showNotes(m_global, currentKey(), this); });
    onAction("mnuPict", [this] { notes::showPicture(m_global, currentKey(), this); });
    onAction("mnuRituals", [this] { rituals::showThaumaturgy(m_global, currentKey(), this); });
    onAction("mnuNecromancy", [this] { rituals::showNecromancy(m_global, currentKey(), this); });
    connect(m_ui.cmdAddMerit, &QPushButton::clicked, this,
            [this] { run([&] { merits::cmdAddMerit_Click(m_global, currentKey(), *m_ui.lstMerit, this); }); });
    connect(m_ui.cmdRemoveMerit, &QPushButton::clicked, this,
            [this] { run([&] { merits::cmdRemoveMerit_Click(m_global, currentKey(), *m_ui.lstMerit); }); });
    connect(m_ui.lstMerit, &QListWidget::itemDoubleClicked, this,
            [this] { run([&] { merits::lstMerit_DblClick(m_global, currentKey(), *m_ui.lstMerit, this); }); });
    connect(m_ui.cmdRoll, &QPushButton::clicked, this, [this] {
        run([&] {
            sheet::cmdRoll_Click(m_global.services, m_ui.cmbDice->currentText(), m_ui.cmbDiff->currentText(),
                                m_ui.chkSpec->checkState() == Qt::Checked);
        });
    });
    m_ui.cmdRoll->setEnabled(true);
    // Rating clicks, experience buttons and specialty captions.
    ratings::connectSheetRatings(m_global, m_ui, this);
}

void frmMain::onAction(const char* name, const std::function<void()>& handler) {
    QAction* item = action(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, handler] { run(handler); });
    item->setEnabled(true);
}

void frmMain::run(const std::function<void()>& handler) {
    app::guarded(m_global.services, handler);
    refreshCommands();
}

void frmMain::refreshCommands() {
    const bool connected = m_global.isConnected();
    const bool shown = connected && sheet::characterShown(m_ui);
    for (const char* name : kCharacterCommands)
        action(QString::fromLatin1(name))->setEnabled(shown);
    for (QPushButton* add : m_ui.cmdAdd)
        add->setEnabled(connected);
    for (int index : {0, 2})
        m_ui.cmddelete[size_t(index)]->setEnabled(shown);
}

void frmMain::buildSheet() {
    using namespace sheet;
    const ratings::BitmapStore& bitmaps = m_global.bitmaps;

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("sheetPage"));
    page->setAttribute(Qt::WA_StyledBackground);
    page->setStyleSheet(sheetStyleSheet());
    auto* columns = new QHBoxLayout(page);
    columns->setContentsMargins(8, 6, 8, 6);
    columns->setSpacing(12);

    auto* sheetColumn = new QVBoxLayout;
    sheetColumn->setSpacing(6);
    sheetColumn->addWidget(build::identityBand(m_ui));
    sheetColumn->addWidget(build::attributesSection(m_ui, bitmaps));
    sheetColumn->addWidget(build::abilitiesSection(m_ui, bitmaps));
    sheetColumn->addWidget(build::advantagesSection(m_ui, bitmaps));
    sheetColumn->addWidget(build::trackerBand(m_ui, bitmaps), 1);
    columns->addLayout(sheetColumn, 1);
    columns->addWidget(build::sideColumn(m_ui), 0);

    m_ui.lblChar_ID = new QLabel(page);
    m_ui.lblChar_ID->setObjectName(QStringLiteral("lblChar_ID"));
    m_ui.lblChar_ID->setVisible(false);

    // Browse mode shows the labels; the edit controls wait hidden over them.
    m_ui.setEditControlsVisible(false);
    for (ratings::HealthBox* box : m_ui.HealthBox)
        box->setEnabled(false); // no character yet

    // The sheet scrolls only where the screen is too small for it (large scaling factors).
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sheetScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    setCentralWidget(scroll);

    page->ensurePolished(); // the style sheet's fonts count in the size
    QSize wanted = page->sizeHint() + QSize(scroll->verticalScrollBar()->sizeHint().width(), 0);
    wanted.rheight() += menuBar()->sizeHint().height();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    resize(wanted);
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
    // Opening comes first: a file that cannot be opened leaves the connection and the sheet as
    // they were.
    m_global.openConnection();
    m_global.justLoaded = true;
    db::Recordset& rs = *m_global.characterRecordset;
    m_ui.lblChar_ID->setText(rs.atEOF() ? QString() : rs.Fields(QStringLiteral("Char_ID")).toString());
    sheet::mdlSwitch::LoadRoster(m_global, m_ui);
    m_global.editMode = false;
    sheet::fillAllLookupLists(m_global, m_ui);
    sheet::mdlLoadData::LoadCharacter(m_global, m_ui);
    // With the just-loaded flag set this saves nothing: edits of a previous file are dropped.
    sheet::mdlBrowseMode::EnterBrowseMode(m_global, m_ui);
    refreshCommands();
}

QString frmMain::currentKey() const {
    return m_ui.lblChar_ID->text();
}

void frmMain::showAbout() {
    if (!m_about)
        m_about = new app::frmAbout(this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void frmMain::storeHealth() {
    app::guarded(m_global.services, [&] { ratings::storeHealth(m_global, currentKey(), m_ui.HealthBox); });
}

void frmMain::shutDown() {
    m_global.editMode = false;
    m_global.closeConnection();
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool settled = false;
    app::guarded(m_global.services, [&] { settled = sheet::settleEdits(m_global, m_ui); });
    if (!settled) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}
