#include "export/ColumnValues.h"

#include "model/Numbers.h"
#include "db/DbError.h"
#include "db/Recordset.h"

namespace exporter::columnValues {

namespace {

bool isBlank(const QVariant& value) {
    return !value.isValid() || value.isNull() ||
           (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty());
}

} // namespace

QString text(const db::Recordset& recordset, const QString& column) {
    const QVariant value = recordset.Fields(column);
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
        return numbers::plainText(value.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

std::optional<double> number(const db::Recordset& recordset, const QString& column) {
    const QVariant value = recordset.Fields(column);
    if (isBlank(value))
        return std::nullopt;
    bool ok = false;
    const double result =
        value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return result;
}

int16_t int16(const db::Recordset& recordset, const QString& column) {
    const QVariant value = recordset.Fields(column);
    if (isBlank(value))
        return 0;
    if (const std::optional<double> n = number(recordset, column))
        if (const std::optional<int16_t> whole = numbers::toInt16(*n))
            return *whole;
    throw db::DbError(QStringLiteral("The character cannot be exported: the column %1 holds \"%2\", which is not a "
                                     "whole number from -32768 to 32767.")
                          .arg(column, text(recordset, column)));
}

} // namespace exporter::columnValues
