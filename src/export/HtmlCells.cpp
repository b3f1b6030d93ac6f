#include "export/HtmlCells.h"

#include <algorithm>

namespace exporter {

namespace {

QString imageCell(const char* file) {
    return QStringLiteral("<TD><IMG SRC=\"%1\" ALT=\"*\">").arg(QLatin1String(file));
}

QString cells(int value, int last, const char* filled, const char* empty) {
    const QString full = imageCell(filled);
    const QString blank = imageCell(empty);
    const int filledCount = std::max(value, 0);
    const int emptyCount = std::max(last - value + 1, 0);
    QString row;
    row.reserve((filledCount + emptyCount) * std::max(full.size(), blank.size()));
    for (int i = 0; i < filledCount; ++i)
        row += full;
    for (int i = 0; i < emptyCount; ++i)
        row += blank;
    return row;
}

} // namespace

QString Html_DotCells(int16_t value, int16_t last) {
    return cells(value, last, "CHECK.bmp", "UNCHECK.bmp");
}

QString Html_BoxCells(int16_t value, int16_t last) {
    return cells(value, last, "BOXCHECK.bmp", "BOX.bmp");
}

QString Html_HealthCell(int16_t value) {
    const char* file = value == 1 ? "BOX.bmp" : value == 2 ? "BOXCHECK.bmp" : value == 3 ? "BOXX.bmp" : nullptr;
    if (!file)
        return {};
    return QStringLiteral("  <TD> <IMG SRC=\"%1\" ALT=\"*\">").arg(QLatin1String(file));
}

} // namespace exporter
