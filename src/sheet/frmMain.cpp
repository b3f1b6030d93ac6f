#include "sheet/frmMain.h"

#include "app/Guard.h"
#include "app/Services.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/ToolsMenu.h"
#include "app/frmAbout.h"
#include "find/FilterField.h"
#include "find/QuickSwitcher.h"
#include "journal/JournalCommands.h"
#include "journal/frmChangeHistory.h"
#include "merits/MeritCommands.h"
#include "notes/NotesCommands.h"
#include "print/ChronicleExport.h"
#include "print/PrintCommands.h"
#include "ratings/HealthBox.h"
#include "rituals/RitualCommands.h"
#include "sheet/DiceRoll.h"
#include "snapshots/SnapshotKeeper.h"
#include "snapshots/frmSnapshots.h"
#include "sheet/HtmlExportCommand.h"
#include "sheet/ModeStatus.h"
#include "sheet/NarrowSheet.h"
#include "sheet/RatingWiring.h"
#include "sheet/Roster.h"
#include "sheet/SheetBuilders.h"
#include "sheet/SheetStyle.h"
#include "sheet/WindowShortcuts.h"
#include "store/RosterStore.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
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
    {"mnuEditMode", "mnuUndo", "&Undo", "Ctrl+Z"},
    {"mnuEditMode", "mnuRedo", "&Redo", "Ctrl+Shift+Z"},
    {"mnuFile", "mnuFileExport", "Export to &HTML", "Ctrl+X"},
    {"mnuFile", "mnuFilePdf", "Export to P&DF...", ""},
    {"mnuFile", "mnuFilePrint", "&Print...", "Ctrl+Shift+P"},
    {"mnuFile", "", "", ""},
    {"mnuFile", "mnuExit", "E&xit", "Ctrl+Q"},
    {"mnuView", "mnuHist", "&History", "Ctrl+H"},
    {"mnuView", "mnuChangeHistory", "Change Histor&y...", "Ctrl+Shift+H"},
    {"mnuView", "mnuPict", "&Picture", "Ctrl+P"},
    {"mnuView", "mnuNotes", "&Notes", "Ctrl+N"},
    {"mnuView", "mnuRituals", "&Thaumaturgy", "Ctrl+T"},
    {"mnuView", "mnuNecromancy", "&Necromancy", "Ctrl+D"},
    {"mnuView", "", "", ""},
    {"mnuView", "mnuFind", "&Find a Character", "Ctrl+F"},
    {"mnuView", "mnuSwitch", "&Switch to Character...", "Ctrl+K"},
    {"mnuView", "mnuBack", "&Back", "Alt+Left"},
    {"mnuView", "mnuForward", "F&orward", "Alt+Right"},
    {"mnuTools", "mnuNewDB", "&New Database", ""},
    {"mnuTools", "mnuChngDB", "Change &Database", ""},
    {"mnuTools", "mnuMobile", "&Mobilize", ""},
    {"mnuTools", "mnuCalc", "&Calculator", ""},
    {"mnuTools", "mnuSnapshots", "&Snapshots...", ""},
    {"mnuTools", "mnuTrimHistory", "&Trim Change History...", ""},
    {"mnuTools", "mnuExportChronicle", "&Export Chronicle...", ""},
    {"mnuHelp", "mnuAbout", "&About", ""},
};

// Menu items that act on the shown character: off while none is shown.
const char* const kCharacterCommands[] = {"mnuEdit",  "mnuBrowse",   "mnuFileExport", "mnuFilePdf",
                                          "mnuFilePrint", "mnuHist", "mnuPict",  "mnuNotes",
                                          "mnuRituals", "mnuNecromancy", "mnuUndo", "mnuRedo",
                                          "mnuChangeHistory"};

} // namespace

frmMain::frmMain(app::Session& session, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_bitmaps(session.services.resourceFolder()), m_sheet(session, m_ui),
      m_snapshots(std::make_unique<snapshots::SnapshotKeeper>(session, this)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Duskledger"));
    buildMenus();
    buildSheet();
    m_ui.orderTabStops();
    new sheet::ModeStatus(*statusBar(), m_sheet);
    m_sheet.notices().shown = [this] { refreshCommands(); };
    QSize wanted = sizeHint();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        wanted = wanted.boundedTo(screen->availableGeometry().size());
    resize(wanted);
    wireCommands();
    refreshCommands();
    sheet::giveMenuShortcutsPriority(this);
    restoreGeometry(app::Settings(session.services.programFolder()).windowGeometry());
}

void frmMain::wireCommands() {
    using namespace sheet;
    connect(action(QStringLiteral("mnuExit")), &QAction::triggered, this, &QWidget::close);
    connect(action(QStringLiteral("mnuAbout")), &QAction::triggered, this, &frmMain::showAbout);

    // Modes.
    onAction("mnuEdit", [this] { m_sheet.enterEditMode(); });
    onAction("mnuBrowse", [this] { m_sheet.leaveEditMode(); });
    onAction("mnuUndo", [this] { changelog::undo(m_sheet); });
    onAction("mnuRedo", [this] { changelog::redo(m_sheet); });
    onAction("mnuChangeHistory", [this] {
        const std::optional<model::CharacterKey> key = m_session.shownCharacter();
        if (!key)
            return;
        changelog::frmChangeHistory window(
            m_session, *key,
            {[this] { return m_sheet.leaveEditMode(); },
             [this](model::CharacterKey changed) { changelog::showAfterChange(m_sheet, changed); }},
            this);
        m_session.services.showModal(window);
    });

    // Roster: a double-click (or Return on an entry) switches to that entry's character, the
    // buttons add and delete.
    for (QListView* list : {m_ui.lstChar, m_ui.lstNPC}) {
        connect(list, &QListView::activated, this, [this](const QModelIndex& entry) {
            const qint64 key = entry.data(Qt::UserRole).toLongLong();
            run([&] { m_sheet.switchTo(key); });
        });
    }
    for (QPushButton* add : m_ui.cmdAdd)
        connect(add, &QPushButton::clicked, this, [this] { run([&] { m_sheet.addCharacter(); }); });
    for (int index : {0, 2}) {
        connect(m_ui.cmddelete[size_t(index)], &QPushButton::clicked, this,
                [this, index] { run([&] { m_sheet.deleteCharacter(index); }); });
    }

    wireFinding();

    // Tools: each command settles unsaved edits and keeps a snapshot before it gives up the
    // current database.
    const auto letGo = [this] {
        if (!m_sheet.settleEdits())
            return false;
        m_snapshots->takeNow();
        return true;
    };
    app::ToolsMenu::Hooks hooks{[this](const QString& path) { Form_Load(path); }, letGo};
    m_tools = std::make_unique<app::ToolsMenu>(m_session, app::Settings(m_session.services.programFolder()),
                                               std::move(hooks));
    onAction("mnuNewDB", [this] { m_tools->mnuNewDB_Click(); });
    onAction("mnuChngDB", [this] { m_tools->mnuChngDB_Click(); });
    onAction("mnuMobile", [this] { m_tools->mnuMobile_Click(); });
    onAction("mnuCalc", [this] { m_tools->mnuCalc_Click(); });
    m_tools->addRecentMenu(menuBar()->findChild<QMenu*>(QStringLiteral("mnuTools")));
    onAction("mnuSnapshots", [this] {
        if (!m_session.isOpen())
            return;
        snapshots::frmSnapshots window(
            m_session, *m_snapshots,
            {[this] { return m_sheet.settleEdits(); }, [this](const QString& path) { Form_Load(path); },
             [this](model::CharacterKey key) { m_sheet.showRestored(key); }},
            this);
        m_session.services.showModal(window);
    });
    onAction("mnuTrimHistory", [this] {
        if (m_sheet.settleEdits())
            changelog::trimHistory(m_session, [this] { m_snapshots->takeNow(); });
    });
    m_sheet.beforeDeleting([this] { m_snapshots->takeNow(); });
    onAction("mnuExportChronicle", [this] {
        print::exportChronicle(m_session, *m_ui.roster, [this] { return m_sheet.settleEdits(); }, this);
    });

    // Commands of the other windows. Each acts on the session's shown character and does nothing
    // without one.
    onAction("mnuFileExport", [this] { mnuFileExport_Click(m_session); });
    onAction("mnuFilePdf", [this] { print::exportShownToPdf(m_session, [this] { return m_sheet.settleEdits(); }); });
    onAction("mnuFilePrint",
             [this] { print::printShown(m_session, [this] { return m_sheet.settleEdits(); }, this); });
    onAction("mnuHist", [this] { notes::showHistory(m_session, this); });
    onAction("mnuNotes", [this] { notes::showNotes(m_session, this); });
    onAction("mnuPict", [this] { notes::showPicture(m_session, m_bitmaps, this); });
    onAction("mnuRituals", [this] { rituals::showThaumaturgy(m_session, m_bitmaps, this); });
    onAction("mnuNecromancy", [this] { rituals::showNecromancy(m_session, m_bitmaps, this); });
    connect(m_ui.cmdAddMerit, &QPushButton::clicked, this, [this] {
        run([&] {
            merits::cmdAddMerit_Click(m_session, *m_ui.lstMerit, this);
            m_sheet.refreshMerits();
        });
    });
    connect(m_ui.cmdRemoveMerit, &QPushButton::clicked, this, [this] {
        run([&] {
            merits::cmdRemoveMerit_Click(m_session, *m_ui.lstMerit);
            m_sheet.refreshMerits();
        });
    });
    connect(m_ui.lstMerit, &QListWidget::itemDoubleClicked, this,
            [this] { run([&] { merits::lstMerit_DblClick(m_session, *m_ui.lstMerit, this); }); });
    connect(m_ui.cmdRoll, &QPushButton::clicked, this, [this] {
        run([&] {
            cmdRoll_Click(m_session.services, m_ui.cmbDice->currentText(), m_ui.cmbDiff->currentText(),
                          m_ui.chkSpec->checkState() == Qt::Checked);
        });
    });
    m_ui.cmdRoll->setEnabled(true);
    // Rating clicks, health boxes, experience buttons and specialty captions.
    connectSheetRatings(m_sheet, this);
}

void frmMain::wireFinding() {
    auto* field = new find::FilterField(m_ui.txtFind, *m_ui.roster, m_ui.SSTab1);
    onAction("mnuFind", [field] { field->focus(); });
    // Return in the field: the first match of the tab in front, as a double-click on it.
    connect(m_ui.txtFind, &QLineEdit::returnPressed, this, [this] {
        const QAbstractItemModel* shown = m_ui.SSTab1->currentIndex() == 0
                                              ? static_cast<QAbstractItemModel*>(m_ui.roster->shownCharacters())
                                              : m_ui.roster->shownNpcs();
        if (shown->rowCount() > 0) {
            const qint64 key = shown->index(0, 0).data(Qt::UserRole).toLongLong();
            run([&] { m_sheet.switchTo(key); });
        }
    });

    auto* switcher = new find::QuickSwitcher(
        *m_ui.roster,
        [this](model::CharacterKey key) {
            return m_session.isOpen() ? store::roster::details(*m_session.database, key) : QString();
        },
        this);
    connect(switcher, &find::QuickSwitcher::chosen, this,
            [this](model::CharacterKey key) { run([&] { m_sheet.switchTo(key); }); });
    onAction("mnuSwitch", [this, switcher] { switcher->popUp(this); });
    onAction("mnuBack", [this] { m_sheet.goBack(); });
    onAction("mnuForward", [this] { m_sheet.goForward(); });
}

void frmMain::onAction(const char* name, const std::function<void()>& handler) {
    QAction* item = action(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, [this, handler] { run(handler); });
    item->setEnabled(true);
}

void frmMain::run(const std::function<void()>& handler) {
    app::guarded(m_session.services, handler);
    refreshCommands();
}

void frmMain::refreshCommands() {
    const bool connected = m_session.isOpen();
    const bool shown = m_session.shownCharacter().has_value();
    for (const char* name : kCharacterCommands)
        action(QString::fromLatin1(name))->setEnabled(shown);
    for (QPushButton* add : m_ui.cmdAdd)
        add->setEnabled(connected);
    for (int index : {0, 2})
        m_ui.cmddelete[size_t(index)]->setEnabled(shown);
    action(QStringLiteral("mnuBack"))->setEnabled(m_sheet.canGoBack());
    action(QStringLiteral("mnuForward"))->setEnabled(m_sheet.canGoForward());
}

void frmMain::buildSheet() {
    using namespace sheet;
    const ratings::BitmapStore& bitmaps = m_bitmaps;

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("sheetPage"));
    page->setAttribute(Qt::WA_StyledBackground);
    auto* sheetColumn = new QVBoxLayout(page);
    sheetColumn->setContentsMargins(8, 6, 8, 6);
    sheetColumn->setSpacing(6);
    sheetColumn->addWidget(build::identityBand(m_ui));
    std::vector<QGridLayout*> groupedGrids;
    for (QWidget* region : {build::attributesSection(m_ui, bitmaps), build::abilitiesSection(m_ui, bitmaps),
                            build::advantagesSection(m_ui, bitmaps)}) {
        sheetColumn->addWidget(region);
        groupedGrids.push_back(region->layout()->findChild<QGridLayout*>());
    }
    QWidget* trackers = build::trackerBand(m_ui, bitmaps);
    sheetColumn->addWidget(trackers, 1);

    m_ui.lblChar_ID = new QLabel(page);
    m_ui.lblChar_ID->setObjectName(QStringLiteral("lblChar_ID"));
    m_ui.lblChar_ID->setVisible(false);

    // Browse mode shows the labels; the edit controls wait hidden over them.
    m_ui.setEditControlsVisible(false);
    for (ratings::HealthBox* box : m_ui.HealthBox)
        box->setEnabled(false); // no character yet

    // Only the sheet scrolls, and only up and down: the roster, the dice roller and the quick
    // facts stay in view beside it however small the screen or large the scaling.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sheetScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(page);

    QWidget* side = build::sideColumn(m_ui);
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("sheetAndSide"));
    central->setAttribute(Qt::WA_StyledBackground);
    applySheetStyle(*central);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 8, 6);
    columns->setSpacing(4);
    columns->addWidget(scroll, 1);
    columns->addWidget(side, 0);
    setCentralWidget(central);

    // The page can never be narrower than its own minimum, so the scroll area is kept that wide.
    auto* narrow = new sheet::NarrowSheet(scroll, groupedGrids, {qobject_cast<QBoxLayout*>(trackers->layout())});
    scroll->setMinimumWidth(narrow->narrowestWidth());
}

frmMain::~frmMain() = default;

QSize frmMain::sizeHint() const {
    const auto* scroll = findChild<QScrollArea*>(QStringLiteral("sheetScroll"));
    const QLayout* columns = centralWidget()->layout();
    const QMargins margins = columns->contentsMargins();
    const QSize page = scroll->widget()->sizeHint();
    const QSize side = columns->itemAt(1)->sizeHint();
    return {page.width() + scroll->verticalScrollBar()->sizeHint().width() + columns->spacing() + side.width() +
                margins.left() + margins.right(),
            page.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + margins.top() +
                margins.bottom()};
}

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

void frmMain::Form_Load(const QString& path) {
    m_sheet.open(path);
    refreshCommands();
    if (!changelog::addJournalIfMissing(m_session, [this] { m_snapshots->takeNow(); }))
        m_snapshots->takeInBackground();
}

void frmMain::showAbout() {
    if (!m_about)
        m_about = new app::frmAbout(this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void frmMain::shutDown() {
    app::Settings(m_session.services.programFolder()).saveWindowGeometry(saveGeometry());
    m_snapshots->abandon();
    m_session.close();
}

bool frmMain::endWithoutQuestions() {
    bool saved = false;
    app::guarded(m_session.services, [&] { saved = m_sheet.leaveEditMode(); });
    if (saved)
        shutDown();
    return saved;
}

void frmMain::closeEvent(QCloseEvent* event) {
    bool settled = false;
    app::guarded(m_session.services, [&] { settled = m_sheet.settleEdits(); });
    if (!settled) {
        event->ignore();
        return;
    }
    shutDown();
    event->accept();
}
