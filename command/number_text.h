// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// The text without the characters of code 32 or less (blanks and control characters) at
// either end. Characters above 127, such as a non-breaking space, stay.
std::string TrimText(std::string_view text);

// The number a text stands for, with the current DecimalSeparator: an optional sign, digits
// with at most one separator, an optional exponent ("E" or "e", optional sign, digits), and
// blanks before and after. Throws ConversionError for anything else, and for a value beyond
// the extended range.
long double ParseNumber(std::string_view text);

// The same with the separator given: for files whose numbers are written with "." whatever the
// user's settings, such as the wire catalogues.
long double ParseNumber(std::string_view text, std::string_view separator);

// A number text written with "." (a default or preset text of the window) in the current
// DecimalSeparator, so that it reads back in every locale: "0.01" becomes "0,01" under ",".
std::string WithDecimalSeparator(std::string_view pointText);

// A value as decimal digits: 0.d1d2d3... times ten to the exponent. At most 18 digits, no
// trailing zeros, the first one never "0"; none for zero.
struct DecimalRecord {
    static constexpr std::int16_t kInfinity = 32767;
    static constexpr std::int16_t kNaN = -32768;

    std::int16_t exponent = 0;
    bool negative = false;
    std::string digits;
};

// The value's decimal record, rounded to `precision` significant digits (2 to 18).
DecimalRecord MakeDecimalRecord(long double value, int precision);

// General format: fixed form for magnitudes (after rounding to `precision` digits) from 1e-4
// below 10^precision, scientific otherwise, with at least `exponentDigits` exponent digits
// (four at most). FormatNumber(1.67e-8L) gives "1.67E-0008".
std::string FormatNumber(long double value, int precision = 4, int exponentDigits = 4);

}  // namespace varnel
