#include "export/ColumnValues.h"

#include "model/Numbers.h"
#include "db/DbError.h"
#include "db/Query.h"

namespace exporter::columnValues {

namespace {

bool isBlank(const QVariant& value) {
    return !value.isValid() || value.isNull() ||
           (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty());
}

std::optional<double> number(const QVariant& value) {
    if (isBlank(value))
        return std::nullopt;
    bool ok = false;
    const double result =
        value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return result;
}

} // namespace

QString text(const QVariant& value) {
    return numbers::fieldText(value);
}

QString text(const db::Row& row, const QString& column) {
    return text(row.value(column));
}

std::optional<double> number(const db::Row& row, const QString& column) {
    return number(row.value(column));
}

int16_t int16(const db::Row& row, const QString& column) {
    const QVariant value = row.value(column);
    if (isBlank(value))
        return 0;
    if (const std::optional<double> n = number(value))
        if (const std::optional<int16_t> whole = numbers::toInt16(*n))
            return *whole;
    throw db::DbError(QStringLiteral("The character cannot be exported: the column %1 holds \"%2\", which is not a "
                                     "whole number from -32768 to 32767.")
                          .arg(column, text(value)));
}

} // namespace exporter::columnValues
