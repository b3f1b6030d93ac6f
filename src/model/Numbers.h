#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

// The number conversions every window uses for typed text, captions and Tags.
namespace numbers {

// Leading blanks skipped, the longest leading decimal number counts ("12abc" 12, " 2.5" 2.5,
// "-3" -3, "1e2" 100, "abc" 0). A number that cannot be held reads as 0.
double leadingNumber(const QString& text);

// Rounded to the nearest whole number, halves to even; nothing when outside -32768..32767.
std::optional<int16_t> toInt16(double value);
// The same, clamped to the 16-bit range.
int16_t toInt16Clamped(double value);

// The leading number of text as a 16-bit value, clamped.
int16_t leadingInt16(const QString& text);

// Plain decimal text: "3", "2.5", "-0.25"; no exponent, no trailing zeros.
QString plainText(double value);

// A stored value as the sheet and the page show it: Null as empty text, a real number in plain
// decimal form, anything else as its text.
QString fieldText(const QVariant& value);

} // namespace numbers
