// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "command/decimal_separator.h"
#include "command/errors.h"
#include "command/fp_guard.h"

namespace varnel {
namespace {

// Powers of ten as the nearest extended values, from which any 10^n with |n| < 5120 is
// composed: 10^(n mod 32) * 10^(32 * ((n div 32) mod 16)) * 10^(512 * (n div 512)).
constexpr std::array<long double, 32> kTensUnits = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
constexpr std::array<long double, 16> kTensThirtyTwos = {
    1e0L,   1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L};
constexpr std::array<long double, 10> kTensFiveTwelves = {
    1e0L, 1e512L, 1e1024L, 1e1536L, 1e2048L, 1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};
constexpr int kPowerOfTenLimit = 5120;

// value * 10^n for |n| < 5120, one table factor at a time so each step stays in range.
long double ScaleByPowerOfTen(long double value, int n) {
    const int a = n < 0 ? -n : n;
    const std::array<long double, 3> factors = {kTensUnits[a % 32], kTensThirtyTwos[(a / 32) % 16],
                                                kTensFiveTwelves[a / 512]};
    const std::array<bool, 3> used = {a % 32 != 0, (a / 32) % 16 != 0, a / 512 != 0};
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (!used[i])
            continue;
        value = n > 0 ? value * factors[i] : value / factors[i];
    }
    return value;
}

[[noreturn]] void ThrowNotANumber(std::string_view text) {
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the text left to right; false when it does not follow the syntax.
struct NumberReader {
    std::string_view text;
    std::string_view separator;
    std::size_t pos = 0;

    bool AtEnd() const { return pos >= text.size(); }
    char Peek() const { return text[pos]; }
    void SkipSpaces() {
        while (!AtEnd() && Peek() == ' ')
            ++pos;
    }
    bool Take(char c) {
        if (AtEnd() || Peek() != c)
            return false;
        ++pos;
        return true;
    }
    bool TakeSeparator() {
        if (text.substr(pos, separator.size()) != separator)
            return false;
        pos += separator.size();
        return true;
    }
};

}  // namespace

std::string TrimText(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

long double ParseNumber(std::string_view text) {
    return ParseNumber(text, DecimalSeparatorText());
}

long double ParseNumber(std::string_view text, std::string_view separator) {
    NumberReader in{text, separator};
    // The conversion runs with the flags of its own; what it raises decides validity and is
    // then dropped, so a failed conversion leaves no floating-point fault behind.
    FloatingPointFlagsScope flags;

    in.SkipSpaces();
    const bool negative = in.Take('-');
    if (!negative)
        in.Take('+');

    long double accumulator = 0;
    bool consumed = false;
    while (!in.AtEnd() && IsDigit(in.Peek())) {
        accumulator = accumulator * 10 + (in.Peek() - '0');
        ++in.pos;
        consumed = true;
    }
    int fractionDigits = 0;
    if (in.TakeSeparator()) {
        consumed = true;
        while (!in.AtEnd() && IsDigit(in.Peek())) {
            accumulator = accumulator * 10 + (in.Peek() - '0');
            ++in.pos;
            ++fractionDigits;
        }
    }
    if (!consumed)
        ThrowNotANumber(text);

    int exponent = 0;
    if (in.Take('E') || in.Take('e')) {
        const bool negativeExponent = in.Take('-');
        if (!negativeExponent)
            in.Take('+');
        // Reading stops once the exponent reaches 500: a digit after that stays unread and
        // makes the text invalid below.
        while (exponent < 500 && !in.AtEnd() && IsDigit(in.Peek())) {
            exponent = exponent * 10 + (in.Peek() - '0');
            ++in.pos;
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    in.SkipSpaces();
    if (!in.AtEnd())
        ThrowNotANumber(text);

    const int n = exponent - fractionDigits;
    long double value;
    if (n >= kPowerOfTenLimit) {
        ThrowNotANumber(text);  // beyond the range whatever the digits
    } else if (n <= -kPowerOfTenLimit) {
        value = 0;
    } else {
        value = ScaleByPowerOfTen(accumulator, n);
    }
    if (negative)
        value = -value;
    PinValues(value);
    if (flags.OverflowOrInvalid())
        ThrowNotANumber(text);
    return value;
}

std::string WithDecimalSeparator(std::string_view pointText) {
    const std::string separator = DecimalSeparatorText();
    std::string out;
    for (char c : pointText) {
        if (c == '.') {
            out += separator;
        } else {
            out += c;
        }
    }
    return out;
}

DecimalRecord MakeDecimalRecord(long double value, int precision) {
    precision = std::clamp(precision, 2, 18);
    DecimalRecord record;
    if (std::isnan(value)) {
        record.exponent = DecimalRecord::kNaN;
        return record;
    }
    record.negative = std::signbit(value);
    if (std::isinf(value)) {
        record.exponent = DecimalRecord::kInfinity;
        return record;
    }
    if (value == 0) {
        record.negative = false;
        return record;
    }
    FloatingPointFlagsScope flags;  // scaling is inexact by nature; keep that to ourselves

    // Estimate the decimal exponent from the binary one (19728 / 65536 ~ log10 2).
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &value, sizeof bytes);
    const int biased = (bytes[8] | (bytes[9] << 8)) & 0x7FFF;
    int exponent = (((biased - 16383) * 19728) >> 16) + 1;

    const long double magnitude = std::fabs(value);
    constexpr long double kEighteenDigits = 1e18L;
    constexpr long double kSeventeenDigits = 1e17L;
    long double integer = std::nearbyint(ScaleByPowerOfTen(magnitude, 18 - exponent));
    if (integer >= kEighteenDigits) {
        integer = std::nearbyint(ScaleByPowerOfTen(magnitude, 18 - exponent) / 10);
        ++exponent;
    }
    // The estimate can be one too high for small magnitudes, and more for denormals: lower
    // it until the integer has all 18 digits, so the first digit is never zero.
    while (integer < kSeventeenDigits) {
        --exponent;
        integer = std::nearbyint(ScaleByPowerOfTen(magnitude, 18 - exponent));
    }
    if (integer >= kEighteenDigits) {  // rounding carried into a nineteenth digit
        integer = kSeventeenDigits;
        ++exponent;
    }

    std::string digits = std::to_string(static_cast<unsigned long long>(integer));
    if (digits[static_cast<std::size_t>(precision)] >= '5') {
        digits.resize(static_cast<std::size_t>(precision));
        int i = precision - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            digits = "1";
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
        }
    } else {
        digits.resize(static_cast<std::size_t>(precision));
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();

    record.exponent = static_cast<std::int16_t>(exponent);
    record.digits = std::move(digits);
    return record;
}

std::string FormatNumber(long double value, int precision, int exponentDigits) {
    precision = std::clamp(precision, 2, 18);
    const DecimalRecord record = MakeDecimalRecord(value, precision);
    if (record.exponent == DecimalRecord::kNaN)
        return "NAN";
    if (record.exponent == DecimalRecord::kInfinity)
        return record.negative ? "-INF" : "INF";

    const std::string separator = DecimalSeparatorText();
    const std::string& digits = record.digits;
    const int exponent = record.exponent;
    std::string out = record.negative ? "-" : "";
    if (exponent > precision || exponent < -3) {
        out += digits.front();
        if (digits.size() > 1)
            out += separator + digits.substr(1);
        out += 'E';
        const int shown = exponent - 1;
        if (shown < 0)
            out += '-';
        std::string magnitude = std::to_string(shown < 0 ? -shown : shown);
        const std::size_t width = exponentDigits > 4 ? 0 : static_cast<std::size_t>(exponentDigits);
        if (magnitude.size() < width)
            magnitude.insert(0, width - magnitude.size(), '0');
        out += magnitude;
    } else if (exponent > 0) {
        const auto whole = static_cast<std::size_t>(exponent);
        std::string integerPart = digits.substr(0, std::min(whole, digits.size()));
        integerPart.resize(whole, '0');
        out += integerPart;
        if (digits.size() > whole)
            out += separator + digits.substr(whole);
    } else {
        out += '0';
        if (!digits.empty())
            out += separator + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    }
    return out;
}

}  // namespace varnel
