// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/design_inputs.h"

#include <cmath>
#include <string>

#include "command/number_styles.h"
#include "design/winding.h"

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
    // The one rule for Lambda, with the calculator's pi; millimetres cancel.
    return static_cast<double>(design::PackingFactor(
        turns, in.wireDiameterMm, in.outerRadiusMm - in.innerRadiusMm, in.heightMm));
}

QString DecimalText(double value, int power) {
    return QString::fromStdString(ShiftedText(value, power));
}

}  // namespace varnel::studio
