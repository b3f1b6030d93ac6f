#include "ratings/mdlConvertions.h"

#include "model/Numbers.h"
#include "app/mdlGlobal.h"
#include "ratings/DotRow.h"

#include <QDir>
#include <algorithm>

namespace ratings::mdlConvertions {

QString fileName(Family family, int value) {
    const char* prefix = family == Family::Check ? "CHECK" : family == Family::GCheck ? "GCHECK" : "BOX";
    const int shown = std::clamp(value, 0, 10); // a stored value out of range shows the nearest picture
    return QString::fromLatin1(prefix) + (shown == 10 ? QStringLiteral("10") : QStringLiteral("0%1").arg(shown)) +
           QStringLiteral(".bmp");
}

namespace {
void setDots(app::mdlGlobal& global, DotRow& row, Family family, int16_t value) {
    global.PicFile = fileName(family, value);
    row.setTag(QString::number(value));
    row.setPicture(global.PicFile);
}
} // namespace

void Set_AttDots(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::Check, value);
}

void Set_AbilDots(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::Check, value);
}

void Set_AdvDots(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::Check, value);
}

void Set_PathDots(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::GCheck, value);
}

void Set_WillDots(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::Check, value);
}

void Set_HumDots(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::Check, value);
}

void Set_CurWillBoxes(app::mdlGlobal& global, DotRow& row, int16_t value) {
    setDots(global, row, Family::Box, value);
}

void Set_BloodPool(app::mdlGlobal& global, const std::array<DotRow*, 5>& rows, int16_t total) {
    // Out-of-range totals keep their value: the first row carries whatever the five cannot show,
    // so the total read back (and saved) is what was stored.
    int remaining = total;
    for (size_t i = 0; i < rows.size(); ++i) {
        int here = std::clamp(remaining, 0, 10);
        if (i == 0 && remaining < 0)
            here = remaining;
        if (i == rows.size() - 1 && remaining > 10)
            here = remaining;
        const QString name = fileName(Family::Box, here);
        global.PicFile = QDir(global.bitmaps.folder()).filePath(name);
        rows[i]->setTag(QString::number(here));
        rows[i]->setPicture(name);
        remaining -= here;
    }
}

int16_t Get_BloodPool(const std::array<DotRow*, 5>& rows) {
    double sum = 0;
    for (const DotRow* row : rows)
        sum = numbers::toInt16Clamped(sum + numbers::leadingNumber(row->Tag()));
    return int16_t(sum);
}

} // namespace ratings::mdlConvertions
