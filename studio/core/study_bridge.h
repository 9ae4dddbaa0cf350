// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <stop_token>

#include "studio/core/design_inputs.h"
#include "studio/core/study_numbers.h"

// The one place the studio reaches the calculation: it turns the inputs into the calculator's
// input texts and asks the study code for numbers. Nothing of the calculation's own types
// passes this header.
namespace varnel {
struct MapPicture;
struct ProfilePicture;
struct CalcOutcome;
}  // namespace varnel

namespace varnel::studio {

// The calculator's twelve input texts in its order (R1 ... z) and the source mode, every value
// in SI units written with "." as the calculator reads it when the separator is ".".
struct CalculatorTexts {
    QStringList texts;
    bool currentSource = false;
};
CalculatorTexts TextsFor(const DesignInputs& inputs);

// The quick step: one calculation, as the calculator window and varnel-calc do it.
StudyNumbers Calculate(const DesignInputs& inputs);

// The slow step on top of the quick one: exact values, the force between the coils, the
// uniform extents and the temperature rise.
StudyNumbers Refine(const DesignInputs& inputs, StudyNumbers numbers);

// The steady temperature rise of the winding in still air at the inputs' ambient temperature,
// for a resistance of both coils of `resistance20` ohm at 20 C and the reactance `reactance`;
// none where the supply gives no power.
std::optional<TemperatureRise> EstimateTemperatureRise(const DesignInputs& inputs,
                                                       double resistance20, double reactance);

// The part of the r-z half-plane a map shows, m, and how many cells across its longer side.
struct MapArea {
    double x0 = 0, x1 = 0, z0 = 0, z1 = 0;
    int cells = 0;
};
inline constexpr int kMapCells = 160;
// The pair with room around it, the mid-plane in the middle.
MapArea DefaultMapArea(const DesignInputs& inputs);

// A map ready to paint, with the calculation at the centre that the field at a point needs.
struct StudyMap {
    std::shared_ptr<const MapPicture> picture;
    std::shared_ptr<const CalcOutcome> base;
    QString message;  // why there is no map
};
// Cells from the fast model of the windings (the same field as the calculator's but for its
// sampling), computed on `threads` threads; empty when stopped.
StudyMap ComputeMap(const DesignInputs& inputs, const MapArea& area, unsigned threads,
                    std::stop_token stop = {}, bool fieldLines = true);
// The map with its field lines' flux function added (a slower step than the cells); null when
// stopped.
std::shared_ptr<const MapPicture> WithFieldLines(const MapPicture& picture, unsigned threads,
                                                 std::stop_token stop = {});

// The field at a point as the calculator computes it there.
struct PointField {
    bool ok = false;
    QString message;
    double x = 0, z = 0;                        // m
    double radial = 0, axial = 0, modulus = 0;  // T
    double angle = 0;                           // degrees to +z
};
PointField FieldAtPoint(const CalcOutcome& base, double x, double z);

// The field along the axis and across the mid-plane, by the calculator's sums.
struct StudyProfiles {
    std::shared_ptr<const ProfilePicture> axis, midPlane;
    QString message;
};
StudyProfiles ComputeProfiles(const DesignInputs& inputs, unsigned threads,
                              std::stop_token stop = {});

// The field along the straight line from (x0, z0) to (x1, z1), m, by the calculator's sums;
// null when stopped, with a message when the inputs give no field.
struct LineProfile {
    std::shared_ptr<const ProfilePicture> line;
    QString message;
};
LineProfile ComputeLineProfile(const DesignInputs& inputs, double x0, double z0, double x1,
                               double z1, std::stop_token stop = {});

// The points of a map or a profile as CSV: x, z, Bx, Bz, |B|, deviation, in SI units.
QByteArray MapCsv(const MapPicture& picture);
QByteArray ProfileCsv(const ProfilePicture& picture);

// The goals and limits of a design search, in the units the user types them in. A limit of
// 0 is no limit.
struct DesignGoals {
    double centreFieldMt = 10;
    double centreTolerancePercent = 1;
    double uniformPercent = 0.1;
    double uniformRadiusMm = 5;  // 0: no uniformity goal
    bool currentSource = false;
    double source = 12;
    double frequencyHz = 0;
    double maxPowerW = 20;
    double maxTempRiseK = 60;
    double maxOuterMm = 0;
    double maxLengthMm = 0;
    double maxMassKg = 0;
    double ambientC = 20;
    double boreMm = 40;
    QString wires = QStringLiteral("metric");
    QString winding = QStringLiteral("orthocyclic");
    QString material = QStringLiteral("copper");
    QString minimise = QStringLiteral("mass");
    int count = 5;

    bool operator==(const DesignGoals&) const = default;
};

// One design the search found, as the table shows it and the inputs take it.
struct FoundDesign {
    DesignInputs inputs;
    QString wire;
    long long turns = 0;
    double lambda = 0;
    double resistance = 0, current = 0, voltage = 0, power = 0;  // hot
    double centreFieldMt = 0, riseK = 0, massKg = 0;
    double uniformAxialMm = 0, uniformRadialMm = 0;
    QString command;
    int rank = 0;       // 1: the best of its search
    QStringList binds;  // the limits it meets with no room to spare, by their option names
};

// What came closest to the goals when no design meets them all.
struct ClosestDesign {
    double centreFieldMt = 0;
    double deviation = 0;  // |B| / B0 - 1 on the uniform sphere, a fraction; 0 without one
    double powerW = 0, riseK = 0;
    bool runaway = false;
};

struct DesignSearch {
    QList<FoundDesign> designs;
    bool interrupted = false;
    QString message;  // no design: why, in the design library's words
    // No design reached the goals (rather than goals that cannot be searched for), and the
    // closest one where there was any: the window says it in its user's language.
    bool noDesign = false;
    std::optional<ClosestDesign> closest;
};
using SearchProgress = std::function<void(std::size_t done, std::size_t total)>;
DesignSearch SearchDesigns(const DesignGoals& goals, std::stop_token stop,
                           const SearchProgress& progress, unsigned threads);

// The varnel-calc arguments that calculate these inputs, without the program's name.
QStringList CommandLineArguments(const DesignInputs& inputs);

}  // namespace varnel::studio
