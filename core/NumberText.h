#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>

// Number texts shared by the configuration, the displays and playback.
namespace NumberText {

// The general number form: the shortest decimal form, no thousands
// separator, one leading blank when the number is not negative
// (12 -> " 12", -3 -> "-3", 12.5 -> " 12.5").
QString general(double value);

// One decimal in the user's locale, at least one digit before the
// separator, no thousands separator (23.44 -> "23.4", 0.5 -> "0.5").
QString oneDecimal(double value);

// The leading decimal number of a text: blanks skipped, an optional sign,
// digits with an optional fraction and exponent; "3x" reads 3, "" and "x"
// read 0.
double leadingNumber(QStringView text);

// leadingNumber rounded to the nearest integer, halves to even, then
// clamped to the 16-bit range.
int16_t leadingInt16(QStringView text);

} // namespace NumberText
