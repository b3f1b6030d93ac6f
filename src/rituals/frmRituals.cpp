#include "rituals/frmRituals.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "app/TypedCombo.h"
#include "model/Numbers.h"
#include "ratings/DotRow.h"
#include "rituals/frmAddRitual.h"
#include "rituals/frmRitualDesc.h"
#include "store/CharacterTextStore.h"
#include "store/PathRitualStore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace rituals {

namespace {

constexpr int kNameWidth = 190;
constexpr int kLevelColumnWidth = 64;
constexpr int kRitualColumn = 2;

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    return item;
}

} // namespace

frmRituals::frmRituals(app::Session& session, const ratings::BitmapStore& bitmaps, const RitualFamily& family,
                       qint64 key, QWidget* parent)
    : QDialog(parent), m_session(session), m_family(family), m_key(key) {
    setObjectName(family.windowName);
    setWindowTitle(family.caption);

    auto* Frame1 = new QGroupBox(QStringLiteral("Paths"));
    Frame1->setObjectName(QStringLiteral("Frame1"));
    buildSlots(Frame1, bitmaps);
    buildGrid();

    cmdAddRitual = new QPushButton(QStringLiteral("&Add Ritual"));
    cmdAddRitual->setObjectName(QStringLiteral("cmdAddRitual"));
    cmdAddRitual->setAutoDefault(false);
    cmdRemoveRitual = new QPushButton(QStringLiteral("&Remove Ritual"));
    cmdRemoveRitual->setObjectName(QStringLiteral("cmdRemoveRitual"));
    cmdRemoveRitual->setAutoDefault(false);
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(90);
    connect(cmdAddRitual, &QPushButton::clicked, this, &frmRituals::onAddRitual);
    connect(cmdRemoveRitual, &QPushButton::clicked, this, &frmRituals::onRemoveRitual);
    connect(cmdOK, &QPushButton::clicked, this, &frmRituals::onOK);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdAddRitual);
    buttons->addWidget(cmdRemoveRitual);
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(fgRituals, 1);
    layout->addLayout(buttons);
    resize(sizeHint().width(), 500);
}

void frmRituals::buildSlots(QWidget* frame, const ratings::BitmapStore& bitmaps) {
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    // Slots 0 to 4 down the left column, 5 to 9 down the right one.
    for (int i = 0; i < kSlots; ++i) {
        const int row = i % 5;
        const int column = (i / 5) * 3;

        auto* combo = new QComboBox;
        combo->setObjectName(indexed("cmbPath", i));
        app::keepTypedText(*combo);
        combo->setFixedWidth(kNameWidth);
        cmbPath[size_t(i)] = combo;

        // The browse-mode caption sits exactly where the combo box is.
        auto* label = new QLabel;
        label->setObjectName(indexed("lblPath", i));
        label->setFixedSize(kNameWidth, combo->sizeHint().height());
        label->setIndent(4);
        label->setTextFormat(Qt::PlainText);
        lblPath[size_t(i)] = label;

        auto* dots = new ratings::DotRow(bitmaps);
        dots->setObjectName(indexed("PBPath", i));
        dots->setFamily(ratings::Family::GCheck);
        QSizePolicy policy = dots->sizePolicy();
        policy.setRetainSizeWhenHidden(true); // a hidden rating keeps its place in the frame
        dots->setSizePolicy(policy);
        connect(dots, &ratings::DotRow::pressed, this, [this, i](int x) { onPathDotPressed(i, x); });
        connect(dots, &ratings::DotRow::valueRequested, this, [this, i](int value) { setPathRating(i, value); });
        combo->setAccessibleName(QStringLiteral("Path slot %1").arg(i + 1));
        dots->setAccessibleName(QStringLiteral("Path slot %1 rating").arg(i + 1));
        PBPath[size_t(i)] = dots;

        grid->addWidget(label, row, column);
        grid->addWidget(combo, row, column);
        grid->addWidget(dots, row, column + 1, Qt::AlignVCenter);
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(5, 1);
}

void frmRituals::buildGrid() {
    fgRituals = new QTableWidget(1, 3);
    fgRituals->setObjectName(QStringLiteral("fgRituals"));
    fgRituals->setHorizontalHeaderLabels({QString(), QStringLiteral("Level "), QStringLiteral(" Ritual")});
    fgRituals->horizontalHeaderItem(kRitualColumn)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fgRituals->setColumnHidden(0, true);
    fgRituals->setColumnWidth(1, kLevelColumnWidth);
    fgRituals->horizontalHeader()->setStretchLastSection(true);
    fgRituals->horizontalHeader()->setHighlightSections(false);
    fgRituals->verticalHeader()->setVisible(false);
    fgRituals->verticalHeader()->setDefaultSectionSize(fgRituals->fontMetrics().height() + 8);
    fgRituals->setSelectionBehavior(QAbstractItemView::SelectRows);
    fgRituals->setSelectionMode(QAbstractItemView::SingleSelection);
    fgRituals->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgRituals->setAlternatingRowColors(true);
    fgRituals->setWordWrap(false);
    fgRituals->setMinimumHeight(180);
    connect(fgRituals, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { onRitualDoubleClicked(row); });
}

void frmRituals::resetGrid() {
    fgRituals->setRowCount(0);
    fgRituals->setRowCount(1);
    if (m_family.blankHeadings)
        for (int column = 0; column < fgRituals->columnCount(); ++column)
            fgRituals->horizontalHeaderItem(column)->setText(QString());
    fgRituals->setColumnHidden(0, true);
}

void frmRituals::appendRitualRow(const QString& level, const QString& name) {
    const int row = fgRituals->rowCount();
    fgRituals->insertRow(row);
    fgRituals->setItem(row, 0, cell(QString()));
    fgRituals->setItem(row, 1, cell(level, Qt::AlignCenter));
    fgRituals->setItem(row, kRitualColumn, cell(name));
}

void frmRituals::load() {
    loadPaths();
    loadRituals();
    applyMode();
}

void frmRituals::loadPaths() {
    for (int i = 0; i < kSlots; ++i) {
        lblPath[size_t(i)]->clear();
        cmbPath[size_t(i)]->clear();
        cmbPath[size_t(i)]->addItem(QString());
        PBPath[size_t(i)]->setValue(0);
    }
    db::Database& database = *m_session.database;
    const QStringList names = store::rituals::pathNames(database, m_family.thaNec);
    for (QComboBox* combo : cmbPath)
        combo->addItems(names);

    // Only the first ten links have a slot.
    const auto paths = store::rituals::characterPaths(database, m_key, m_family.thaNec);
    for (int i = 0; i < kSlots && i < int(paths.size()); ++i) {
        const auto& path = paths[size_t(i)];
        lblPath[size_t(i)]->setText(path.name);
        const int listed = cmbPath[size_t(i)]->findText(path.name);
        if (listed > 0)
            cmbPath[size_t(i)]->setCurrentIndex(listed);
        else
            cmbPath[size_t(i)]->setEditText(path.name);
        PBPath[size_t(i)]->setValue(path.level);
    }
    m_storedSlots = shownSlots();
    m_characterName = store::notes::readCharacterText(database, m_key, QStringLiteral("Name")).value_or(QString());
}

void frmRituals::loadRituals() {
    resetGrid();
    const auto rituals = store::rituals::characterRituals(*m_session.database, m_key, m_family.thaNec);
    for (const auto& ritual : rituals)
        appendRitualRow(ritual.level, ritual.name);
    if (!rituals.empty())
        fgRituals->removeRow(0); // the empty row stands only for "no rituals"
    fgRituals->setCurrentCell(0, kRitualColumn);
}

frmRituals::Slots frmRituals::shownSlots() const {
    Slots shown;
    for (int i = 0; i < kSlots; ++i)
        shown[size_t(i)] = {cmbPath[size_t(i)]->currentText(), int16_t(PBPath[size_t(i)]->value())};
    return shown;
}

void frmRituals::reject() {
    if (shownSlots() != m_storedSlots &&
        !app::mayDiscard(m_session.services,
                         QStringLiteral("the %1 of %2").arg(m_family.pathsName, m_characterName)))
        return;
    QDialog::reject();
}

void frmRituals::applyMode() {
    const bool edit = m_session.editMode;
    for (int i = 0; i < kSlots; ++i) {
        cmbPath[size_t(i)]->setVisible(edit);
        lblPath[size_t(i)]->setVisible(!edit);
        PBPath[size_t(i)]->setVisible(edit || PBPath[size_t(i)]->value() >= 1);
    }
    cmdAddRitual->setEnabled(edit);
    cmdRemoveRitual->setEnabled(edit);
}

// After a ritual is added or removed; the slots keep what was typed in them.
void frmRituals::reload() {
    app::guarded(m_session.services, [this] { loadRituals(); });
}

QString frmRituals::currentRitual() const {
    const QTableWidgetItem* item = fgRituals->item(fgRituals->currentRow(), kRitualColumn);
    return item ? item->text() : QString();
}

void frmRituals::onPathDotPressed(int index, int x) {
    if (const std::optional<int> value = PBPath[size_t(index)]->clickedValue(x))
        setPathRating(index, *value);
}

void frmRituals::setPathRating(int index, int value) {
    if (!m_session.editMode)
        return;
    PBPath[size_t(index)]->setValue(value);
}

void frmRituals::onAddRitual() {
    app::guarded(m_session.services, [this] {
        frmAddRitual dialog(m_session, m_family, m_key, this);
        dialog.load();
        m_session.services.showModal(dialog);
    });
    reload();
}

void frmRituals::onRemoveRitual() {
    const QString name = currentRitual();
    if (name.isEmpty())
        return;
    const app::Answer answer =
        m_session.services.messageBox(QStringLiteral("You are about to remove the ritual: ") + name +
                                          QStringLiteral(" from this character. Are you sure?"),
                                      app::Buttons::YesNo, app::Icon::Question);
    if (answer != app::Answer::Yes)
        return;
    app::guarded(m_session.services,
                 [&] { store::rituals::removeRitual(*m_session.database, m_key, m_family.thaNec, name); });
    reload();
}

void frmRituals::onRitualDoubleClicked(int row) {
    const QTableWidgetItem* item = fgRituals->item(row, kRitualColumn);
    const QString name = item ? item->text() : QString();
    if (name.isEmpty())
        return; // the empty row of a character without rituals
    app::guarded(m_session.services, [&] {
        frmRitualDesc dialog(m_session, m_family, name, this);
        if (dialog.load())
            m_session.services.showModal(dialog);
    });
}

void frmRituals::onOK() {
    // Names compare as the database compares them: "Fire" and "fire" are one path.
    for (int i = 0; i < kSlots - 1; ++i) {
        const QString first = cmbPath[size_t(i)]->currentText();
        if (first.isEmpty())
            continue;
        for (int j = i + 1; j < kSlots; ++j)
            if (first.compare(cmbPath[size_t(j)]->currentText(), Qt::CaseInsensitive) == 0) {
                m_session.services.messageBox(QStringLiteral("You have selected the same Path Twice!"),
                                              app::Buttons::OK, app::Icon::Exclamation);
                return;
            }
    }
    if (!m_session.editMode) {
        accept();
        return;
    }
    std::vector<store::rituals::PathEntry> paths;
    for (int i = 0; i < kSlots; ++i) {
        const QString name = cmbPath[size_t(i)]->currentText();
        if (!name.isEmpty())
            paths.push_back({name, int16_t(PBPath[size_t(i)]->value())});
    }
    if (app::guarded(m_session.services,
                     [&] { store::rituals::savePaths(*m_session.database, m_key, m_family.thaNec, paths); }))
        accept();
}

} // namespace rituals
