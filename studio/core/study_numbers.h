// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What one study of the inputs found, as plain values the window shows: the calculator's
// sixteen result texts, the exact values beside them, and what the pair does besides.
namespace varnel::studio {

inline constexpr int kResultCount = 16;

// The results in the calculator's order, eN first and em last.
enum class Result {
    Turns,
    Resistance,
    Inductance,
    Reactance,
    Impedance,
    Source,
    WindingDensity,
    WireDensity,
    Power,
    CentreField,
    Conversion,
    RadialField,
    AxialField,
    FieldModulus,
    FieldAngle,
    Mass
};

struct UniformExtent {
    bool found = false;  // false: uniform as far as the search looked
    double metres = 0;   // the extent, or how far the search looked
};

struct TemperatureRise {
    double kelvin = 0;
    bool runaway = false;  // no steady state: the winding heats without bound
    double current = 0;    // RMS, A, the power, W, and B0, T, at the steady temperature
    double power = 0;
    double centreField = 0;
    // The hottest point of the winding, C, and the thermal class of its insulation, C: the
    // current density is more than the wire takes where the one passes the other.
    double hottestC = 0;
    double thermalClassC = 0;
    bool beyondClass() const { return runaway || hottestC > thermalClassC; }
};

struct StudyNumbers {
    enum class Kind { Results, CheckFailed, Error };
    Kind kind = Kind::Results;
    QString message;  // the calculator's status text, or the error it reported
    bool currentSource = false;

    std::array<QString, kResultCount> texts;  // the calculator's own texts
    // Full-precision values of the calculator and the high-accuracy integrals, where the
    // accuracy check computes one.
    std::array<std::optional<double>, kResultCount> classic;
    std::array<std::optional<double>, kResultCount> exact;

    // Filled by the slower second step; `checked` says it ran, `checkError` why it found
    // nothing.
    bool checked = false;
    QString checkError;
    std::optional<double> selfClassic, selfExact;
    std::optional<double> mutualClassic, mutualExact;
    std::optional<double> force;  // N; negative: the coils attract
    double uniformityTolerance = 0;
    UniformExtent uniformAxial, uniformRadial;
    std::optional<TemperatureRise> temperature;
};

}  // namespace varnel::studio

Q_DECLARE_METATYPE(varnel::studio::StudyNumbers)
