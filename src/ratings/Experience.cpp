#include "ratings/Experience.h"

#include "model/Numbers.h"
#include "app/mdlGlobal.h"
#include "sheet/SheetControls.h"
#include "sheet/mdlLoadData.h"

#include <QLabel>

namespace ratings {

namespace {

double figure(const QLabel* label) {
    return numbers::leadingNumber(label->text());
}

// One point up (+1) or down (-1) on a figure, then remaining from the two figures.
void step(app::mdlGlobal& global, const sheet::SheetControls& ui, QLabel* own, int delta) {
    if (!global.editMode || !sheet::mdlLoadData::characterKey(ui))
        return;
    const double value = figure(own);
    if (delta > 0 || value > 0)
        own->setText(numbers::plainText(value + delta));
    const double spent = figure(ui.lblExpSpent);
    const double given = figure(ui.lblExpGiven);
    ui.lblExpRemaining->setText(numbers::plainText(given - spent));
}

} // namespace

void cmdAddExperience_Click(app::mdlGlobal& global, const sheet::SheetControls& ui) {
    step(global, ui, ui.lblExpGiven, +1);
}

void cmdMinusExperience_Click(app::mdlGlobal& global, const sheet::SheetControls& ui) {
    step(global, ui, ui.lblExpGiven, -1);
}

void cmdAddExpSpent_Click(app::mdlGlobal& global, const sheet::SheetControls& ui) {
    step(global, ui, ui.lblExpSpent, +1);
}

void cmdMinusExpSpent_Click(app::mdlGlobal& global, const sheet::SheetControls& ui) {
    step(global, ui, ui.lblExpSpent, -1);
}

} // namespace ratings
