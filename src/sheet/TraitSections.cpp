#include "sheet/SheetBuilders.h"
#include "sheet/SheetControls.h"
#include "sheet/SheetWidgets.h"

#include "ratings/DotRow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace sheet::build {

namespace {

constexpr int kGroupGap = 28;

// A region: its title bar over a grid of three column groups. Group g uses grid columns 3g
// (names) and 3g + 1 (dots); column 3g + 2 is the gap to the next group.
struct Region {
    QWidget* widget;
    QGridLayout* grid;
};

Region region(const QString& name, const QString& heading, const std::array<const char*, 3>& columnHeadings) {
    auto* widget = new QWidget;
    widget->setObjectName(name);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(widgets::sectionHeading(heading));
    auto* grid = new QGridLayout;
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    for (int g = 0; g < 3; ++g) {
        grid->addWidget(widgets::columnHeading(QString::fromLatin1(columnHeadings[size_t(g)])), 0, 3 * g, 1, 2);
        grid->setColumnStretch(3 * g, 1);
        if (g < 2)
            grid->setColumnMinimumWidth(3 * g + 2, kGroupGap);
    }
    layout->addLayout(grid);
    return {widget, grid};
}

template <size_t N>
QWidget* traitRegion(const QString& name, const QString& heading,
                     const std::array<model::catalogue::TraitGroup, 3>& groups,
                     const std::array<model::catalogue::Trait, N>& traits, std::array<QLabel*, N>& labels,
                     std::array<ratings::DotRow*, N>& rows, const char* labelArray, const char* rowArray,
                     const ratings::BitmapStore& bitmaps) {
    Region r = region(name, heading, {groups[0].heading, groups[1].heading, groups[2].heading});
    for (int g = 0; g < 3; ++g) {
        const model::catalogue::TraitGroup& group = groups[size_t(g)];
        for (int k = 0; k < group.count; ++k) {
            const model::catalogue::Trait& trait = traits[size_t(group.first + k)];
            QLabel* label = widgets::caption(QString::fromLatin1(trait.caption),
                                             model::catalogue::indexedName(labelArray, trait.index));
            ratings::DotRow* row =
                widgets::dotRow(bitmaps, model::catalogue::indexedName(rowArray, trait.index), ratings::Family::Check);
            const QString spoken = QString::fromLatin1(trait.caption).remove(QLatin1Char(':'));
            row->setAccessibleName(spoken);
            // The caption, clicked in edit mode (or Enter on the row), edits the specialty.
            label->setAccessibleName(spoken + QStringLiteral(" specialty"));
            labels[size_t(trait.index)] = label;
            rows[size_t(trait.index)] = row;
            r.grid->addWidget(label, 1 + k, 3 * g);
            r.grid->addWidget(row, 1 + k, 3 * g + 1, Qt::AlignVCenter);
        }
    }
    return r.widget;
}

// One slot of disciplines or backgrounds: name label and combo box in one cell, then the dots.
void addSlot(QGridLayout* grid, int gridRow, int gridColumn, QLabel* label, QComboBox* combo, ratings::DotRow* row) {
    grid->addWidget(label, gridRow, gridColumn);
    grid->addWidget(combo, gridRow, gridColumn);
    grid->addWidget(row, gridRow, gridColumn + 1, Qt::AlignVCenter);
    widgets::matchHeight(label, combo);
    // Browse mode hides unrated rows; the columns keep their places all the same.
    QSizePolicy policy = row->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    row->setSizePolicy(policy);
}

} // namespace

QWidget* attributesSection(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    return traitRegion(QStringLiteral("attributesRegion"), QStringLiteral("Attributes"),
                       model::catalogue::kAttributeGroups, model::catalogue::attributes(), ui.lblAttributes, ui.PBAtt,
                       "lblAttributes", "PBAtt", bitmaps);
}

QWidget* abilitiesSection(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    return traitRegion(QStringLiteral("abilitiesRegion"), QStringLiteral("Abilities"), model::catalogue::kAbilityGroups,
                       model::catalogue::abilities(), ui.lblAbilities, ui.PBAbil, "lblAbilities", "PBAbil", bitmaps);
}

QWidget* advantagesSection(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    using namespace model::catalogue;
    Region r = region(QStringLiteral("advantagesRegion"), QStringLiteral("Advantages"),
                      {"Disciplines", "Backgrounds", "Virtues"});
    for (int index = 0; index < kAdvantageCount; ++index)
        ui.PBAdv[size_t(index)] = widgets::dotRow(bitmaps, indexedName("PBAdv", index), ratings::Family::Check);

    for (int k = 0; k < kSlotCount; ++k) {
        ui.lblDisc[size_t(k)] = widgets::valueLabel(indexedName("lblDisc", k));
        ui.cmbDisciplines[size_t(k)] = widgets::editableCombo(indexedName("cmbDisciplines", k));
        ui.cmbDisciplines[size_t(k)]->setAccessibleName(QStringLiteral("Discipline slot %1").arg(k + 1));
        ui.PBAdv[size_t(disciplineRow(k))]->setAccessibleName(QStringLiteral("Discipline slot %1 rating").arg(k + 1));
        addSlot(r.grid, 1 + k, 0, ui.lblDisc[size_t(k)], ui.cmbDisciplines[size_t(k)],
                ui.PBAdv[size_t(disciplineRow(k))]);
        ui.lblBack[size_t(k)] = widgets::valueLabel(indexedName("lblBack", k));
        ui.cmbBackGrounds[size_t(k)] = widgets::editableCombo(indexedName("cmbBackGrounds", k));
        ui.cmbBackGrounds[size_t(k)]->setAccessibleName(QStringLiteral("Background slot %1").arg(k + 1));
        ui.PBAdv[size_t(backgroundRow(k))]->setAccessibleName(QStringLiteral("Background slot %1 rating").arg(k + 1));
        addSlot(r.grid, 1 + k, 3, ui.lblBack[size_t(k)], ui.cmbBackGrounds[size_t(k)],
                ui.PBAdv[size_t(backgroundRow(k))]);
    }

    // Virtues: the first two name their variant, chosen with a combo box in edit mode.
    for (const Virtue& virtue : kVirtues)
        ui.PBAdv[size_t(virtue.row)]->setHalfWidth(true);
    ui.lblConscience = widgets::caption(QStringLiteral("Conscience"), QStringLiteral("lblConscience"));
    ui.cmbConscience = widgets::choiceCombo(QStringLiteral("cmbConscience"),
                                            {QStringLiteral("Conscience"), QStringLiteral("Conviction")});
    addSlot(r.grid, 1, 6, ui.lblConscience, ui.cmbConscience, ui.PBAdv[kConscience]);
    ui.lblSelfControl = widgets::caption(QStringLiteral("Self-Control"), QStringLiteral("lblSelfControl"));
    ui.cmbSelfControl = widgets::choiceCombo(QStringLiteral("cmbSelfControl"),
                                             {QStringLiteral("Self-Control"), QStringLiteral("Instinct")});
    addSlot(r.grid, 2, 6, ui.lblSelfControl, ui.cmbSelfControl, ui.PBAdv[kSelfControl]);
    ui.lblCourage = widgets::caption(QStringLiteral("Courage:"), QStringLiteral("lblCourage"));
    widgets::matchHeight(ui.lblCourage, ui.cmbSelfControl);
    r.grid->addWidget(ui.lblCourage, 3, 6);
    ui.cmbConscience->setAccessibleName(QStringLiteral("Conscience or Conviction"));
    ui.cmbSelfControl->setAccessibleName(QStringLiteral("Self-Control or Instinct"));
    ui.PBAdv[kConscience]->setAccessibleName(QStringLiteral("Conscience"));
    ui.PBAdv[kSelfControl]->setAccessibleName(QStringLiteral("Self-Control"));
    ui.PBAdv[kCourage]->setAccessibleName(QStringLiteral("Courage"));
    // A virtue row is named by the variant chosen ("Conviction"), as its caption shows.
    for (auto [chooser, row] :
         {std::pair{ui.cmbConscience, ui.PBAdv[kConscience]}, {ui.cmbSelfControl, ui.PBAdv[kSelfControl]}})
        QObject::connect(chooser, &QComboBox::currentTextChanged, row, &QWidget::setAccessibleName);
    r.grid->addWidget(ui.PBAdv[kCourage], 3, 7, Qt::AlignVCenter);
    return r.widget;
}

} // namespace sheet::build
