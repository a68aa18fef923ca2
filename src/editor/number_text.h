#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Number texts of the editor fields. Nothing here reads the C locale: the
// decimal separator is always passed in by the caller.

// The fixed two-decimal form of X, Y, Z and R: the exact value of `value`
// rounded half-up (away from zero) to at most 8 significant digits and at most
// 2 decimals, written as an optional "-", the integer digits ("0" when none),
// the separator and exactly two fraction digits, without grouping
// ("1.50", "0.13", "-0.38", "12345678.00"). A result of zero carries no sign.
// Above 8 integer digits: the exponent form with up to 8 significant digits,
// trailing zeros dropped, the separator after the first digit when more follow,
// "E" and the exponent without "+" or leading zeros ("1.2345679E8", "1E9").
// Infinities give "INF" / "-INF", a quiet NaN "NAN".
// A signalling NaN raises FloatError "Invalid floating point operation",
// as the trapping float unit would when the value is loaded.
std::string FormatFixed2(float value, char separator);

// Plain decimal text of an integer ("0", "-12").
std::string IntegerText(long long value);

// Reads a field text as a signed 32-bit decimal integer: leading blanks, then
// an optional "+" or "-", then one or more digits, nothing after them.
// Raises ConvertError "'<text>' is not a valid integer value" otherwise
// (also on an empty text and on values outside the 32-bit range).
std::int32_t ParseInteger(const std::string& text);

// The low 8 bits of ParseInteger(text), as a record byte stores them
// (256 -> 0, -1 -> 255). Fails as ParseInteger.
std::uint8_t ParseByte(const std::string& text);

// Reads a field text as a decimal number and rounds it to the nearest single:
// leading and trailing blanks, an optional sign, digits with at most one
// `separator`, then an optional exponent ("E" or "e", optional sign, digits).
// A lone separator reads as 0. No other character is accepted.
// Raises ConvertError "'<text>' is not a valid floating point value" for a
// text of another shape, and FloatError "Floating point overflow" for a number
// beyond the single range (values too small for it become 0, as the float unit
// masks underflow).
float ParseFloat(const std::string& text, char separator);

// The value ParseFloat would give, or nothing where it would raise an error.
std::optional<float> TryParseFloat(const std::string& text, char separator);
