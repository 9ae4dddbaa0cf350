// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The program's ways of writing a number outside the calculator's result boxes (those are
// FormatNumber's four-digit texts in command/number_text), and its one reader of the texts they
// write. Every text here has "." as decimal separator whatever the locale: data files, command
// lines, JSON, CSV and pictures read the same in every country. Texts for people in their own
// language are made at the user-interface edge, with the user's locale.
namespace varnel {

// A value with `digits` significant digits as printf's %g writes it: "0.0438379", "1.7241e-08".
std::string DigitsText(long double value, int digits);

// A value with every digit its extended value has (21 significant digits): reads back exactly.
std::string FullPrecisionText(long double value);

// The shortest text that reads back as the same double: "0.1", not "0.10000000000000001".
std::string ShortestText(double value);

// A value with `digits` significant digits, a space and its unit: "12.3 mm".
std::string QuantityText(long double value, int digits, std::string_view unit);

// A value with `decimals` digits after the point, rounded: FixedText(2.5, 3) gives "2.500".
std::string FixedText(long double value, int decimals);

// The shortest text of `value` with its point moved by `power` places, so that a change of unit
// adds no rounding: ShiftedText(12.3, -3) gives "0.0123". Magnitudes below 1e-6 or from 1e18 take
// an exponent ("1.7241E-8"); a value that is not finite is "nan".
std::string ShiftedText(double value, int power);

// The number a text written with "." stands for (as the writers above write them, and as data
// files and command-line options give them): the whole text, an optional sign, digits with at most
// one point, an optional exponent, correctly rounded, whatever the locale. Nothing for anything
// else, for "inf" or "nan", or for a value beyond the extended range.
std::optional<long double> ReadDigitsText(std::string_view text);

}  // namespace varnel
