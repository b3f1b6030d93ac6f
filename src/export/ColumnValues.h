#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace db {
class Row;
}

// How the page reads the values of a row.
namespace exporter::columnValues {

// The text form of a value: empty for Null, numbers as plain decimal text.
QString text(const QVariant& value);
QString text(const db::Row& row, const QString& column);

// The numeric value; nothing for Null, an empty text or a text that is not a number.
std::optional<double> number(const db::Row& row, const QString& column);

// The value as a 16-bit whole number, halves rounded to even. Null and an empty text count 0.
// Throws db::DbError naming the column when the value is not a number or does not fit.
int16_t int16(const db::Row& row, const QString& column);

} // namespace exporter::columnValues
