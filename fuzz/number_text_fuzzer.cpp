// SPDX-License-Identifier: GPL-3.0-or-later
// Number text on arbitrary bytes: ParseNumber either returns a value or raises the conversion
// error naming the text, and every finite extended value formats to a well-formed text that
// reads back within half a unit of its fourth significant digit (a denormal, one smallest step
// more).
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "command/decimal_separator.h"
#include "command/errors.h"
#include "command/number_text.h"
#include "fuzz/read_back_tolerance.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits, at most one separator, then "E", an optional "-" and four or more exponent digits.
bool WellFormed(const std::string& text, const std::string& separator) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    if (text == "0")
        return true;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (text.compare(i, separator.size(), separator) == 0) {
        i += separator.size();
        while (i < text.size() && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i == text.size())
        return true;
    if (text[i++] != 'E')
        return false;
    if (i < text.size() && text[i] == '-')
        ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++exponentDigits;
    return i == text.size() && exponentDigits >= 4;
}

void FuzzParse(const std::string& raw) {
    const std::string text = varnel::TrimText(raw);
    try {
        const long double v = varnel::ParseNumber(text);
        Check(!std::isnan(v) && !std::isinf(v), "parse returned a non-finite value");
    } catch (const varnel::ConversionError& e) {
        Check(e.message() == "'" + text + "' is not a valid floating point value",
              "conversion error text");
    }
    Check(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO) == 0, "flags left raised");
}

void FuzzFormat(const uint8_t* data, std::size_t size) {
    if (size < 10)
        return;
    long double v = 0;
    std::memcpy(&v, data, 10);
    if (!std::isfinite(v))
        return;  // also drops the x87's invalid encodings
    const std::string text = varnel::FormatNumber(v);
    Check(WellFormed(text, varnel::DecimalSeparatorText()), "malformed text");
    if (v == 0) {
        Check(text == "0", "zero");
        return;
    }
    Check(varnel::MakeDecimalRecord(v, 4).digits[0] != '0', "leading zero digit");
    long double back = 0;
    try {
        back = varnel::ParseNumber(text);
    } catch (const varnel::ConversionError&) {
        // Only a value whose four digits round past the largest extended value ("1.19E4932")
        // has a text beyond the range.
        Check(std::fabs(v) >= 1.1895e4932L, "a formatted value does not read back");
        return;
    }
    Check(varnel::ReadsBackClose(v, back), "read back too far from the value");
    std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::feclearexcept(FE_ALL_EXCEPT);
    // The first byte picks the separator, the rest is the text (and a value to format).
    static const char32_t kSeparators[] = {U'.', U',', U'\u066B'};
    varnel::SetDecimalSeparator(kSeparators[data[0] % 3]);
    FuzzParse(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    FuzzFormat(data + 1, size - 1);
    return 0;
}
