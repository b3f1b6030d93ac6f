#include "sheet/SheetBuilders.h"
#include "sheet/SheetControls.h"
#include "sheet/SheetWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace sheet::build {

QWidget* identityBand(SheetControls& ui) {
    using model::catalogue::EditKind;
    auto* band = new QWidget;
    band->setObjectName(QStringLiteral("identityBand"));
    auto* grid = new QGridLayout(band);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);

    std::array<QLabel*, model::catalogue::kIdentityCount> labels{};
    std::array<QWidget*, model::catalogue::kIdentityCount> editors{};
    for (int i = 0; i < model::catalogue::kIdentityCount; ++i) {
        const model::catalogue::IdentityField& field = model::catalogue::kIdentity[size_t(i)];
        const int row = i % 3;
        const int column = (i / 3) * 2;
        ui.Label1[size_t(i)] =
            widgets::caption(QString::fromLatin1(field.caption), model::catalogue::indexedName("Label1", i));
        labels[size_t(i)] = widgets::valueLabel(QString::fromLatin1(field.label));
        grid->addWidget(ui.Label1[size_t(i)], row, column);
        grid->addWidget(labels[size_t(i)], row, column + 1);
        if (field.kind == EditKind::None)
            continue;
        // Added after the label into the same cell, so in edit mode it lies over the label.
        QWidget* editor = field.kind == EditKind::Text
                              ? static_cast<QWidget*>(widgets::textBox(QString::fromLatin1(field.editor)))
                              : widgets::editableCombo(QString::fromLatin1(field.editor));
        editors[size_t(i)] = editor;
        ui.Label1[size_t(i)]->setBuddy(editor);
        editor->setAccessibleName(QString::fromLatin1(field.caption).remove(QLatin1Char(':')).trimmed());
        grid->addWidget(editor, row, column + 1);
        widgets::matchHeight(labels[size_t(i)], editor);
    }
    for (int column = 1; column < 6; column += 2)
        grid->setColumnStretch(column, 1);

    ui.lblChar = labels[0];
    ui.lblPlayer = labels[1];
    ui.lblChronicle = labels[2];
    ui.lblNature = labels[3];
    ui.lblDemeanor = labels[4];
    ui.lblClan = labels[5];
    ui.lblGen = labels[6];
    ui.lblHaven = labels[7];
    ui.lblConcept = labels[8];
    ui.txtChar = static_cast<QLineEdit*>(editors[0]);
    ui.txtPlayer = static_cast<QLineEdit*>(editors[1]);
    ui.txtChronicle = static_cast<QLineEdit*>(editors[2]);
    ui.cmbNature = static_cast<QComboBox*>(editors[3]);
    ui.cmbDemeanor = static_cast<QComboBox*>(editors[4]);
    ui.cmbClan = static_cast<QComboBox*>(editors[5]);
    ui.txtHaven = static_cast<QLineEdit*>(editors[7]);
    ui.cmbConcept = static_cast<QComboBox*>(editors[8]);
    // lblGen has no editor of its own: the Generation background drives it. It still takes the
    // height of the others so the three columns line up.
    widgets::matchHeight(ui.lblGen, ui.txtHaven);
    return band;
}

} // namespace sheet::build
