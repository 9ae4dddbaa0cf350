// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/number_styles.h"

#include <charconv>
#include <cmath>
#include <string>

namespace varnel {

namespace {

// to_chars writes as printf does in the "C" locale, whatever locale the process has.
template <typename Value, typename... Format>
std::string Chars(Value value, Format... format) {
    char buffer[512];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
    if (error != std::errc())
        return "nan";
    return std::string(buffer, end);
}

// The decimal digits of a text such as "-0.0123" as 0.digits times ten to `exponent`, without
// leading or trailing zeros; no digits for zero.
struct Digits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Digits DigitsOf(std::string text) {
    Digits d;
    d.negative = !text.empty() && text.front() == '-';
    if (d.negative)
        text.erase(0, 1);
    const std::size_t point = text.find('.');
    d.digits = text;
    d.exponent = static_cast<int>(point == std::string::npos ? text.size() : point);
    if (point != std::string::npos)
        d.digits.erase(point, 1);
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0')
        ++lead;
    d.digits.erase(0, lead);
    d.exponent -= static_cast<int>(lead);
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

}  // namespace

std::string DigitsText(long double value, int digits) {
    return Chars(value, std::chars_format::general, digits);
}

std::string FullPrecisionText(long double value) {
    return DigitsText(value, 21);
}

std::string ShortestText(double value) {
    return Chars(value);
}

std::string QuantityText(long double value, int digits, std::string_view unit) {
    return DigitsText(value, digits) + " " + std::string(unit);
}

std::string FixedText(long double value, int decimals) {
    return Chars(value, std::chars_format::fixed, decimals);
}

std::string ShiftedText(double value, int power) {
    if (!std::isfinite(value))
        return "nan";
    const Digits d = DigitsOf(Chars(value, std::chars_format::fixed));
    if (d.digits.empty())
        return "0";
    const int exponent = d.exponent + power;
    const int count = static_cast<int>(d.digits.size());
    std::string out = d.negative ? "-" : "";
    if (exponent <= -6 || exponent > 18) {
        out += d.digits.substr(0, 1);
        if (count > 1)
            out += "." + d.digits.substr(1);
        out += "E" + std::to_string(exponent - 1);
    } else if (exponent <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent), '0') + d.digits;
    } else if (exponent >= count) {
        out += d.digits + std::string(static_cast<std::size_t>(exponent - count), '0');
    } else {
        out += d.digits.substr(0, static_cast<std::size_t>(exponent)) + "." +
               d.digits.substr(static_cast<std::size_t>(exponent));
    }
    return out;
}

std::optional<long double> ReadDigitsText(std::string_view text) {
    // from_chars reads "." whatever the locale says; it takes no "+", and its "inf" and "nan"
    // are no numbers of ours.
    std::size_t first = 0;
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    } else if (!text.empty() && text.front() == '-') {
        first = 1;
    }
    if (text.size() <= first || (text[first] != '.' && (text[first] < '0' || text[first] > '9')))
        return std::nullopt;
    long double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace varnel
