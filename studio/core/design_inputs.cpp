// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/design_inputs.h"

#include <charconv>
#include <cmath>
#include <string>

namespace varnel::studio {

namespace {
constexpr double kMaxLengthMm = 1e5;
}  // namespace

// The packing factor is shown to nine decimals: a design's lambda carries its whole number of
// turns, which three decimals would not (N = 360.8 for 361).
const InputLimits kInputLimits[kNumberInputs] = {
    {"R1_mm", &DesignInputs::innerRadiusMm, 0.001, kMaxLengthMm, 3},
    {"R2_mm", &DesignInputs::outerRadiusMm, 0.001, kMaxLengthMm, 3},
    {"H_mm", &DesignInputs::heightMm, 0.001, kMaxLengthMm, 3},
    {"h_mm", &DesignInputs::gapMm, 0.001, kMaxLengthMm, 3},
    {"D_mm", &DesignInputs::wireDiameterMm, 0.001, 1000, 4},
    {"Lambda", &DesignInputs::packingFactor, 0.01, 0.99, 9},
    {"resistivity_nOhm_m", &DesignInputs::resistivityNanoOhmM, 0.001, 1e6, 3},
    {"density_kg_m3", &DesignInputs::densityKgM3, 1, 1e5, 1},
    {"source", &DesignInputs::source, -1e6, 1e6, 4},
    {"f_Hz", &DesignInputs::frequencyHz, 0, 1e9, 2},
    {"x_mm", &DesignInputs::pointXMm, 0, kMaxLengthMm, 3},
    {"z_mm", &DesignInputs::pointZMm, -kMaxLengthMm, kMaxLengthMm, 3},
    {"uniformity_percent", &DesignInputs::uniformityPercent, 0.0001, 50, 4},
    {"ambient_C", &DesignInputs::ambientC, -60, 200, 1},
};

const InputLimits& LimitsOf(double DesignInputs::*member) {
    for (const InputLimits& l : kInputLimits) {
        if (l.member == member)
            return l;
    }
    return kInputLimits[0];  // every number of DesignInputs is in the table
}

DesignInputs RoundedToBoxes(DesignInputs in) {
    for (const InputLimits& l : kInputLimits) {
        const double scale = std::pow(10.0, l.decimals);
        in.*l.member = std::round(in.*l.member * scale) / scale;
    }
    return in;
}

double PackingForTurns(const DesignInputs& in, double turns) {
    const long double pi = 3.1415926L;  // the calculator's
    const long double d = in.wireDiameterMm;
    return static_cast<double>(turns * pi * d * d /
                               (4.0L * in.heightMm * (in.outerRadiusMm - in.innerRadiusMm)));
}

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
