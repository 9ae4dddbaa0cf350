// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the studio's inputs panel holds: one coil pair with its wire, supply and field point, in
// the units the user types them in. Plain data: saved to files, turned into calculator texts.
namespace varnel::studio {

struct DesignInputs {
    // Geometry of one coil and the gap between the two, mm.
    double innerRadiusMm = 10;
    double outerRadiusMm = 20;
    double heightMm = 30;
    double gapMm = 10;

    // The wire: its bare diameter, and the catalogue entry it came from (empty: typed in).
    QString wire;
    double wireDiameterMm = 1;

    // The winding style's key (see Catalogue) and the packing factor it gives or was typed.
    QString winding = QStringLiteral("given");
    double packingFactor = 0.6;

    // The material's key, its resistivity at 20 °C (nOhm*m) and density (kg/m^3).
    QString material = QStringLiteral("copper");
    double resistivityNanoOhmM = 17.241;
    double densityKgM3 = 8890;

    // The supply: the RMS voltage (V) of a voltage source or current (A) of a current source.
    bool currentSource = false;
    double source = 1;
    double frequencyHz = 0;

    // The field point from the centre of the pair, mm, and the tolerance of uniformity, %.
    double pointXMm = 0;
    double pointZMm = 0;
    double uniformityPercent = 0.1;

    double ambientC = 20;

    bool operator==(const DesignInputs&) const = default;
};

// The values an input may take, the decimals its box shows and its key in a design file.
// Ranges wide enough for a bench coil and a magnet alike; the calculator checks the rest
// (R2 > R1, a wire that fits the section ...) and says which input is wrong.
struct InputLimits {
    const char* key;
    double DesignInputs::*member;
    double minimum, maximum;
    int decimals;
};
inline constexpr int kNumberInputs = 14;
extern const InputLimits kInputLimits[kNumberInputs];
const InputLimits& LimitsOf(double DesignInputs::*member);

// The packing factor that gives exactly `turns` turns per coil in the calculator's sums
// (N = 4 lambda H (R2 - R1) / (pi D^2), with its pi), for the geometry of `inputs`.
double PackingForTurns(const DesignInputs& inputs, double turns);

// The inputs as their boxes hold them: each number rounded to its box's decimals.
DesignInputs RoundedToBoxes(DesignInputs inputs);

// The decimal text of `value` times ten to `power`, written with "." whatever the locale: the
// shortest text of the value, its point moved by `power` places, so no rounding is added.
// DecimalText(12.3, -3) gives "0.0123"; very small or large results take an exponent
// ("1.7241E-8").
QString DecimalText(double value, int power = 0);

}  // namespace varnel::studio
