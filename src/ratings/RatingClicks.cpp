#include "ratings/RatingClicks.h"

#include "model/Numbers.h"
#include "app/mdlGlobal.h"
#include "db/Recordset.h"
#include "ratings/DotRow.h"
#include "ratings/mdlConvertions.h"
#include "sheet/SheetControls.h"
#include "model/TraitCatalogue.h"
#include "sheet/mdlLoadData.h"

#include <QComboBox>
#include <QLabel>
#include <algorithm>

namespace ratings {

using mdlConvertions::Family;

namespace {

constexpr int kMaxDots = 10;

// The key of the shown character, or nothing when none is shown (then no click changes anything).
std::optional<qint64> shownCharacter(const app::mdlGlobal& global, const sheet::SheetControls& ui) {
    if (!global.isConnected())
        return std::nullopt;
    return sheet::mdlLoadData::characterKey(ui);
}

// The rows that change only while editing: nothing without edit mode or a character.
bool editable(const app::mdlGlobal& global, const sheet::SheetControls& ui) {
    return global.editMode && shownCharacter(global, ui).has_value();
}

template <size_t N> DotRow* element(const std::array<DotRow*, N>& rows, int index) {
    return index >= 0 && size_t(index) < N ? rows[size_t(index)] : nullptr;
}

// Puts value onto the row: picture and Tag together. Advantage rows carry their rating with one
// leading blank (" 3"), except a row cleared to "0".
void show(DotRow& row, Family family, int value, bool blankTag = false) {
    row.setTag(blankTag && value != 0 ? QStringLiteral(" %1").arg(value) : QString::number(value));
    row.setPicture(mdlConvertions::fileName(family, value));
}

// A single-column write to the character's Char_Info row; a row deleted meanwhile is skipped.
void writeColumn(app::mdlGlobal& global, qint64 key, const QString& column, int value) {
    auto rs = global.database->OpenRecordset(
        QStringLiteral("SELECT %1 FROM Char_Info WHERE Char_ID = %2").arg(column).arg(key));
    if (!rs->atEOF()) {
        rs->Edit();
        rs->setField(column, value);
        rs->Update();
    }
    rs->Close();
}

// The common click on a row that changes only while editing.
std::optional<int> editClick(app::mdlGlobal& global, const sheet::SheetControls& ui, DotRow* row, int x,
                             bool blankTag = false) {
    if (!row || !editable(global, ui))
        return std::nullopt;
    const std::optional<int> value = clickedValue(*row, x);
    if (value)
        show(*row, Family::Check, *value, blankTag);
    return value;
}

// A background chosen as "Generation" sets the generation and what follows from it.
void showGeneration(const sheet::SheetControls& ui, int index, int rating) {
    using namespace model::catalogue;
    const int slot = index - kFirstBackground;
    if (slot < 0 || slot >= kSlotCount || ui.cmbBackGrounds[size_t(slot)]->currentText() != QLatin1String("Generation"))
        return;
    const int generation = kHighestGeneration - rating;
    const std::optional<GenerationRow> row = generationRow(generation);
    if (!row)
        return;
    ui.lblGen->setText(QString::number(generation));
    ui.lblMaxBP->setText(QLatin1String(row->maxBloodPool));
    ui.lblPTBP->setText(QLatin1String(row->perTurn));
}

} // namespace

std::optional<int> clickedValue(const DotRow& row, int x) {
    const int dotWidth = row.tenDotWidth() / kMaxDots;
    if (dotWidth <= 0)
        return std::nullopt;
    const int value = std::clamp(x / dotWidth + 1, 1, kMaxDots);
    // Only the first dot of a row showing exactly one dot clears it.
    if (value == 1 && numbers::leadingNumber(row.Tag()) == 1)
        return 0;
    return value;
}

void PBAtt_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x) {
    editClick(global, ui, element(ui.PBAtt, index), x);
}

void PBAbil_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x) {
    editClick(global, ui, element(ui.PBAbil, index), x);
}

void PBAdv_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x) {
    DotRow* row = element(ui.PBAdv, index);
    if (editClick(global, ui, row, x, true))
        showGeneration(ui, index, int(numbers::leadingNumber(row->Tag())));
}

void pbWill_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int x) {
    editClick(global, ui, ui.pbWill, x);
}

void pbHum_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int x) {
    editClick(global, ui, ui.pbHum, x);
}

void PBCurWill_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int x) {
    const std::optional<qint64> key = shownCharacter(global, ui);
    if (!key)
        return;
    const std::optional<int> value = clickedValue(*ui.PBCurWill, x);
    if (!value)
        return;
    // Stored first, so a failed write leaves the row showing what the database holds.
    writeColumn(global, *key, QStringLiteral("Cur_WillPower"), *value);
    show(*ui.PBCurWill, Family::Box, *value);
}

void PBBP_MouseDown(app::mdlGlobal& global, const sheet::SheetControls& ui, int index, int x) {
    const std::optional<qint64> key = shownCharacter(global, ui);
    DotRow* clicked = element(ui.PBBP, index);
    if (!key || !clicked)
        return;
    const std::optional<int> value = clickedValue(*clicked, x);
    if (!value)
        return;
    std::array<int, 5> rows{};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = int(i) < index ? kMaxDots : int(i) == index ? *value : 0;
    int total = 0;
    for (int row : rows)
        total += row;
    writeColumn(global, *key, QStringLiteral("BloodPool"), total);
    for (size_t i = 0; i < rows.size(); ++i)
        show(*ui.PBBP[i], Family::Box, rows[i]);
}

} // namespace ratings
