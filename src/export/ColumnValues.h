#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace db {
class Recordset;
}

// How the page reads the values of the current row of a recordset.
namespace exporter::columnValues {

// The text form of the value: empty for Null, numbers as plain decimal text.
QString text(const db::Recordset& recordset, const QString& column);

// The numeric value; nothing for Null, an empty text or a text that is not a number.
std::optional<double> number(const db::Recordset& recordset, const QString& column);

// The value as a 16-bit whole number, halves rounded to even. Null and an empty text count 0.
// Throws db::DbError naming the column when the value is not a number or does not fit.
int16_t int16(const db::Recordset& recordset, const QString& column);

} // namespace exporter::columnValues
