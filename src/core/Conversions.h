#pragma once

#include <QString>

#include <cstdint>

namespace lumora::convert {

// Conversions of parameter text (task slots, record fields) to numbers and flags.
//
// Every conversion of text accepts what Lumora itself writes and what a person would type:
// surrounding blanks, an optional sign, decimal digits with an optional fraction and exponent,
// "&H" hexadecimal and "&O" octal literals, and the words "True" (-1) and "False" (0) in any
// letter case. Anything else raises LumoraError 13 (type mismatch). Whole-number conversions
// round half to even and raise LumoraError 6 (overflow) when the rounded value does not fit.

// Round to the nearest whole number, ties to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);

// Number value of a text; error 13 when the text is not a number.
double toDouble(const QString& text);
float toSingle(const QString& text);

// 16-bit, 32-bit and unsigned 8-bit whole numbers, rounded half to even.
std::int16_t toInt16(const QString& text);
std::int32_t toInt32(const QString& text);
std::uint8_t toByte(const QString& text);

// The same limits for a number already in hand.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);
std::uint8_t toByte(double value);

// Flag: "True"/"False" or a number, where every non-zero number is true.
bool toFlag(const QString& text);

// Text of a flag as Lumora writes it into records: "True" or "False".
QString flagText(bool value);

}  // namespace lumora::convert
