// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "accuracy/zonal_field.h"
#include "design/goals.h"
#include "design/thermal.h"
#include "design/winding.h"

// One candidate pair: a wire, a wound build and the two continuous choices left, R1 and the gap
// h, and what the model says of it.
namespace varnel::design {

// The search's field model is the accuracy library's zonal expansion about the centre.
using exact::AxialFieldOfLoops;
using exact::AxialFieldOnAxis;
using exact::CentreExpansion;
using exact::ConvergenceRadius;
using exact::DeviationOnSphere;
using exact::FindUniformExtents;
using exact::Loop;
using exact::PairGeometry;
using exact::SphereDeviation;
using exact::UniformExtents;

// How the field is found: from the section of uniform current the turns stand for (fast,
// while searching), or from each turn where it lies (for the answer).
enum class FieldModel { Sheet, Turns };

struct Candidate {
    const Wire* wire = nullptr;
    WoundBuild build;
    long double R1 = 0, h = 0;
};

// The turns of both coils where they lie: coil two the mirror of coil one. `extraTurn` adds
// one turn to coil one's last layer (+1) or takes one away (-1), for the sensitivity.
std::vector<Loop> PairLoops(const WoundBuild& b, long double R1, long double h, int extraTurn = 0);

// The section of uniform current the search uses in place of the turns, N = turns.
PairGeometry SheetGeometry(const WoundBuild& b, long double R1, long double h);

// Everything the model says about one candidate.
struct Evaluation {
    PairGeometry geometry{};  // R1, R2, H, h as wound, N the turns of one coil
    WindingFit fit;           // the build's counts and Lambda for the calculator
    WoundBuild build;
    long double resistance20 = 0;
    long double inductance = 0;  // the classic series formulas; 0 at DC, where it is not needed
    ThermalState hot;
    long double B0 = 0;               // at the hot current
    long double sphereDeviation = 0;  // 0 without a uniformity goal
    long double reachRatio = 0;       // sphere radius over the distance to the nearest turn
    long double mass = 0;             // of conductor, both coils
    long double wireLength = 0;       // both coils, m
    long double size = 0;             // volume of the enclosing cylinder, m^3
};

// The temperature the pair settles at, its resistance and inductance: where the search
// evaluates heat.
struct Heat {
    long double resistance20 = 0;
    long double inductance = 0;
    ThermalState hot;
};
Heat HeatOf(const Goals& g, const Wire& w, const WoundBuild& b, long double R1, long double h);

// B0 per ampere of the candidate.
long double CentreFieldPerAmpere(const WoundBuild& b, long double R1, long double h,
                                 FieldModel model);

// The largest |B|/B0 - 1 or 1 - Bz/B0 on the sphere, and its radius over the expansion's reach.
struct SphereLook {
    long double deviation = 0, reachRatio = 0;
};
SphereLook SphereOf(const WoundBuild& b, long double R1, long double h, long double radius,
                    FieldModel model);

Evaluation Evaluate(const Goals& g, const Candidate& c, FieldModel model);

long double Objective(const Goals& g, const Evaluation& e);

// The limits, each a value <= 0 when it holds, scaled so that 1 is a limit's worth. `slack`
// shares of the B0 tolerance and the uniformity are kept in hand.
enum Limit { kB0High, kB0Low, kUniform, kReach, kPower, kTemp, kOuter, kLength, kMass, kLimits };
struct Margins {
    long double b0 = 0, uniform = 0, other = 0;
};
std::array<long double, kLimits> LimitValues(const Goals& g, const Box& box, const Evaluation& e,
                                             const Margins& m);

// The worst of the limits; <= 0 when every one holds.
long double WorstLimit(const std::array<long double, kLimits>& values);

}  // namespace varnel::design
