#include "sheet/Roster.h"
#include "sheet/SheetBuilders.h"
#include "sheet/SheetControls.h"
#include "sheet/SheetWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace sheet::build {

namespace {

QStringList numbersFromOne(int last) {
    QStringList items;
    for (int n = 1; n <= last; ++n)
        items << QString::number(n);
    return items;
}

QGroupBox* diceFrame(SheetControls& ui) {
    auto* box = new QGroupBox(QStringLiteral("Dice Roller"));
    box->setObjectName(QStringLiteral("fraDice"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(4);
    ui.cmbDice = widgets::editableCombo(QStringLiteral("cmbDice"));
    ui.cmbDice->addItems(numbersFromOne(20));
    ui.cmbDiff = widgets::editableCombo(QStringLiteral("cmbDiff"));
    ui.cmbDiff->addItems(numbersFromOne(10));
    // Both start blank: nothing picked, nothing typed.
    for (QComboBox* combo : {ui.cmbDice, ui.cmbDiff}) {
        combo->setMinimumContentsLength(4);
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    ui.chkSpec = new QCheckBox;
    ui.chkSpec->setObjectName(QStringLiteral("chkSpec"));
    QLabel* specialized = widgets::caption(QStringLiteral("Specialized"));
    specialized->setBuddy(ui.chkSpec);
    ui.cmdRoll = widgets::button(QStringLiteral("cmdRoll"), QStringLiteral("Roll Dice"));
    ui.cmdRoll->setEnabled(false); // the roller comes with its own handler

    ui.cmbDice->setAccessibleName(QStringLiteral("Number of dice"));
    ui.cmbDiff->setAccessibleName(QStringLiteral("Difficulty"));
    ui.chkSpec->setAccessibleName(QStringLiteral("Specialized"));
    QLabel* diceCaption = widgets::caption(QStringLiteral("Number of Dice"));
    diceCaption->setBuddy(ui.cmbDice);
    QLabel* difficultyCaption = widgets::caption(QStringLiteral("Difficulty"));
    difficultyCaption->setBuddy(ui.cmbDiff);
    grid->addWidget(diceCaption, 0, 0);
    grid->addWidget(ui.cmbDice, 0, 1);
    grid->addWidget(difficultyCaption, 1, 0);
    grid->addWidget(ui.cmbDiff, 1, 1);
    grid->addWidget(specialized, 2, 0);
    grid->addWidget(ui.chkSpec, 2, 1);
    grid->addWidget(ui.cmdRoll, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    return box;
}

QGroupBox* quickFactsFrame(SheetControls& ui) {
    auto* box = new QGroupBox(QStringLiteral("Quick Facts"));
    box->setObjectName(QStringLiteral("fraQuickFacts"));
    auto* layout = new QVBoxLayout(box);
    ui.List1 = new QListWidget;
    ui.List1->setObjectName(QStringLiteral("List1"));
    ui.List1->addItem(QStringLiteral("Initiative\t Dex + Wits + 1d"));
    ui.List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One fixed line: the list is only as tall as it needs to be.
    ui.List1->setFixedHeight(ui.List1->sizeHintForRow(0) + 2 * ui.List1->frameWidth() + 6);
    layout->addWidget(ui.List1);
    return box;
}

// One roster tab: its frame, the list and the add and delete buttons.
QWidget* rosterTab(const QString& title, QListView*& list, QAbstractItemModel* model, const QString& listName,
                   QPushButton*& add, int addIndex, QPushButton*& remove, int removeIndex) {
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    auto* box = new QGroupBox(title);
    box->setObjectName(QStringLiteral("fra") + title);
    auto* layout = new QVBoxLayout(box);
    list = new QListView;
    list->setObjectName(listName);
    list->setModel(model);
    // One line per name: the view need not measure a hundred thousand of them.
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    list->setMinimumHeight(80);
    layout->addWidget(list, 1);
    add = widgets::button(model::catalogue::indexedName("cmdAdd", addIndex), QStringLiteral("Add New Character"));
    remove = widgets::button(model::catalogue::indexedName("cmddelete", removeIndex), QStringLiteral("  Delete Character"));
    add->setEnabled(false); // adding and deleting come with their own handlers
    remove->setEnabled(false);
    layout->addWidget(add);
    layout->addWidget(remove);
    pageLayout->addWidget(box);
    return page;
}

// The tab's title counts the names its list shows: "Characters (1,204)".
void countOnTab(QTabWidget* tabs, int tab, const QString& title, QAbstractItemModel* shown) {
    const auto count = [=] {
        // The C locale groups no digits; English is what the title is written in.
        QLocale locale;
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English);
        tabs->setTabText(tab, QStringLiteral("%1 (%2)").arg(title, locale.toString(shown->rowCount())));
    };
    count();
    for (auto changed : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        QObject::connect(shown, changed, tabs, count);
    QObject::connect(shown, &QAbstractItemModel::modelReset, tabs, count);
    QObject::connect(shown, &QAbstractItemModel::layoutChanged, tabs, count);
}

} // namespace

QWidget* sideColumn(SheetControls& ui) {
    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("sideColumn"));
    // Wide enough for the quick facts line and the roster names at any scaling.
    column->setMinimumWidth(column->fontMetrics().averageCharWidth() * 40);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(diceFrame(ui));
    layout->addWidget(quickFactsFrame(ui));

    ui.txtFind = new QLineEdit;
    ui.txtFind->setObjectName(QStringLiteral("txtFind"));
    ui.txtFind->setPlaceholderText(QStringLiteral("Find a character"));
    ui.txtFind->setClearButtonEnabled(true);
    layout->addWidget(ui.txtFind);

    ui.SSTab1 = new QTabWidget;
    ui.SSTab1->setObjectName(QStringLiteral("SSTab1"));
    ui.roster = new Roster(column);
    ui.SSTab1->addTab(rosterTab(QStringLiteral("Characters"), ui.lstChar, ui.roster->shownCharacters(),
                                QStringLiteral("lstChar"), ui.cmdAdd[0], 0, ui.cmddelete[0], 0),
                      QString());
    ui.SSTab1->addTab(rosterTab(QStringLiteral("NPCs"), ui.lstNPC, ui.roster->shownNpcs(), QStringLiteral("lstNPC"),
                                ui.cmdAdd[1], 1, ui.cmddelete[2], 2),
                      QString());
    countOnTab(ui.SSTab1, 0, QStringLiteral("Characters"), ui.roster->shownCharacters());
    countOnTab(ui.SSTab1, 1, QStringLiteral("NPCs"), ui.roster->shownNpcs());
    // The counts on the tabs change with every keystroke in the filter. Inside a scroll area the
    // tabs' new sizes stop there instead of laying out the whole sheet again (2 ms a keystroke).
    auto* shield = new QScrollArea;
    shield->setObjectName(QStringLiteral("rosterArea"));
    shield->setFrameShape(QFrame::NoFrame);
    shield->setWidgetResizable(true);
    shield->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    shield->setWidget(ui.SSTab1);
    shield->setMinimumHeight(ui.SSTab1->minimumSizeHint().height());
    layout->addWidget(shield, 1);
    return column;
}

} // namespace sheet::build
