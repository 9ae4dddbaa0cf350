// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/design_inputs.h"

#include <charconv>
#include <cmath>
#include <string>

namespace varnel::studio {

QString DecimalText(double value, int power) {
    if (!std::isfinite(value))
        return QStringLiteral("nan");
    char buffer[400];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        return QStringLiteral("nan");
    std::string text(buffer, end);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);

    // The value as 0.digits times ten to `exponent`, without leading or trailing zeros.
    const std::size_t point = text.find('.');
    std::string digits = text;
    int exponent = static_cast<int>(point == std::string::npos ? text.size() : point);
    if (point != std::string::npos)
        digits.erase(point, 1);
    std::size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0')
        ++lead;
    digits.erase(0, lead);
    exponent -= static_cast<int>(lead);
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty())
        return QStringLiteral("0");
    exponent += power;

    const int count = static_cast<int>(digits.size());
    std::string out = negative ? "-" : "";
    if (exponent <= -6 || exponent > 18) {
        out += digits.substr(0, 1);
        if (count > 1)
            out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent - 1);
    } else if (exponent <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    } else if (exponent >= count) {
        out += digits + std::string(static_cast<std::size_t>(exponent - count), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(exponent)) + "." +
               digits.substr(static_cast<std::size_t>(exponent));
    }
    return QString::fromStdString(out);
}

}  // namespace varnel::studio
