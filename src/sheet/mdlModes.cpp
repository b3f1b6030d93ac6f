#include "sheet/mdlModes.h"

#include "model/Numbers.h"
#include "app/Services.h"
#include "app/mdlGlobal.h"
#include "db/DbError.h"
#include "ratings/DotRow.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlLoadData.h"
#include "sheet/mdlSwitch.h"
#include "sheet/mdlUpdateDate.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <utility>
#include <vector>

namespace sheet {

namespace {

// A browse label and the edit control that lies over it.
struct Pair {
    QLabel* label;
    QWidget* editor;
};

std::vector<Pair> labelPairs(const SheetControls& ui) {
    std::vector<Pair> pairs = {{ui.lblNature, ui.cmbNature},
                               {ui.lblDemeanor, ui.cmbDemeanor},
                               {ui.lblClan, ui.cmbClan},
                               {ui.lblConcept, ui.cmbConcept},
                               {ui.lblConscience, ui.cmbConscience},
                               {ui.lblSelfControl, ui.cmbSelfControl},
                               {ui.lblHumanity, ui.cmbHumanity},
                               {ui.lblChar, ui.txtChar},
                               {ui.lblPlayer, ui.txtPlayer},
                               {ui.lblChronicle, ui.txtChronicle},
                               {ui.lblHaven, ui.txtHaven}};
    for (int k = 0; k < model::catalogue::kSlotCount; ++k) {
        pairs.push_back({ui.lblDisc[size_t(k)], ui.cmbDisciplines[size_t(k)]});
        pairs.push_back({ui.lblBack[size_t(k)], ui.cmbBackGrounds[size_t(k)]});
    }
    return pairs;
}

QString editorText(const QWidget* editor) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    return static_cast<const QComboBox*>(editor)->currentText();
}

// Puts a caption into a combo box: the matching entry when its list holds one, otherwise (for
// combo boxes that accept typing) the text itself.
void setComboText(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text));
    if (combo->isEditable())
        combo->setEditText(text);
}

QList<QPushButton*> editingButtons(const SheetControls& ui) {
    return {ui.cmdAddMerit,        ui.cmdRemoveMerit, ui.cmdAddExperience,
            ui.cmdMinusExperience, ui.cmdAddExpSpent, ui.cmdMinusExpSpent};
}

void setEditingButtonsEnabled(const SheetControls& ui, bool enabled) {
    for (QPushButton* button : editingButtons(ui))
        button->setEnabled(enabled);
}

// Copies the edit controls into the labels and saves; on failure the labels get their old
// captions back and the edit mode flag is set again before the error goes on.
void copyBackAndSave(app::mdlGlobal& global, const SheetControls& ui) {
    const std::vector<Pair> pairs = labelPairs(ui);
    std::vector<QString> before;
    before.reserve(pairs.size());
    for (const Pair& pair : pairs) {
        before.push_back(pair.label->text());
        pair.label->setText(editorText(pair.editor));
    }
    try {
        mdlUpdateDate::UpdateData(global, ui);
    } catch (...) {
        for (size_t i = 0; i < pairs.size(); ++i)
            pairs[i].label->setText(before[i]);
        global.editMode = true;
        throw;
    }
}

// Hiding a focused editor hands the focus on to the next control, and the merit list would then
// select its first line unasked: the editor lets go of the focus first.
void releaseEditorFocus(const SheetControls& ui) {
    const QList<QWidget*> editors = ui.editControls();
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (editors.contains(w)) {
            QApplication::focusWidget()->clearFocus();
            return;
        }
    }
}

} // namespace

bool characterShown(const SheetControls& ui) {
    return mdlLoadData::characterKey(ui).has_value();
}

namespace mdlEditMode {

void EnterEditMode(app::mdlGlobal& global, const SheetControls& ui) {
    if (!characterShown(ui) || !global.isConnected())
        return;
    app::WaitCursor wait(global.services);
    setEditingButtonsEnabled(ui, true);
    for (int k = 0; k < model::catalogue::kSlotCount; ++k) {
        setComboText(ui.cmbDisciplines[size_t(k)], ui.lblDisc[size_t(k)]->text());
        setComboText(ui.cmbBackGrounds[size_t(k)], ui.lblBack[size_t(k)]->text());
    }
    setComboText(ui.cmbConscience, ui.lblConscience->text());
    setComboText(ui.cmbSelfControl, ui.lblSelfControl->text());
    ui.setEditControlsVisible(true);
    // Empty discipline and background rows can be rated too.
    for (int row = 0; row < model::catalogue::kConscience; ++row)
        ui.PBAdv[size_t(row)]->setVisible(true);
    global.editMode = true;
}

} // namespace mdlEditMode

namespace mdlBrowseMode {

void EnterBrowseMode(app::mdlGlobal& global, const SheetControls& ui) {
    app::WaitCursor wait(global.services);
    if (global.justLoaded)
        global.justLoaded = false; // a fresh load has nothing to copy or save
    else
        copyBackAndSave(global, ui);

    setEditingButtonsEnabled(ui, false);
    releaseEditorFocus(ui);
    ui.setEditControlsVisible(false);
    // Unrated discipline and background rows disappear; the virtues always stay.
    for (int row = 0; row < model::catalogue::kConscience; ++row) {
        ratings::DotRow* dots = ui.PBAdv[size_t(row)];
        dots->setVisible(numbers::leadingNumber(dots->Tag()) != 0);
    }
    // A changed name is listed at once.
    mdlSwitch::LoadRoster(global, ui);
}

} // namespace mdlBrowseMode

bool leaveEditMode(app::mdlGlobal& global, const SheetControls& ui) {
    if (!global.editMode)
        return true;
    global.editMode = false;
    try {
        mdlBrowseMode::EnterBrowseMode(global, ui);
        return true;
    } catch (const db::DbError& e) {
        if (!global.editMode) { // saved; only the roster could not be read back
            global.services.messageBox(e.text(), app::Buttons::OK, app::Icon::Critical);
            return true;
        }
        global.services.messageBox(QStringLiteral("The changes to ") + ui.lblChar->text() +
                                       QStringLiteral(" could not be saved; the sheet stays in edit mode.\n\n") +
                                       e.text(),
                                   app::Buttons::OK, app::Icon::Critical);
        return false;
    }
}

bool settleEdits(app::mdlGlobal& global, const SheetControls& ui) {
    if (!global.editMode)
        return true;
    switch (
        global.services.messageBox(QStringLiteral("Save the changes to ") + ui.lblChar->text() + QStringLiteral("?"),
                                   app::Buttons::YesNoCancel, app::Icon::Question)) {
    case app::Answer::Yes:
        return leaveEditMode(global, ui);
    case app::Answer::No:
        return true;
    default:
        return false;
    }
}

} // namespace sheet
