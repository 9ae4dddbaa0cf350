// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "accuracy/zonal_field.h"
#include "design/candidate.h"
#include "design/catalogue.h"
#include "design/goals.h"
#include "design/thermal.h"
#include "design/winding.h"

// From goals to coil pairs: for each wire of a catalogue, every build of whole layers of whole
// turns within the limits, lightest (or smallest) first, R1 and the gap h found for each; the
// best finished on its turns where they lie, then recomputed by the calculator and the
// accuracy library.
namespace varnel::design {

// How B0 and the sphere's deviation move when the build strays.
struct Sensitivity {
    std::string what;           // "h", "R1", "H", "turn+1", "turn-1", "wire"
    long double change = 0;     // m, turns, or the wire's overall diameter change, m
    long double B0 = 0;         // relative change of B0
    long double deviation = 0;  // the sphere's deviation with the change (absolute)
};

struct Design {
    Wire wire;
    Evaluation model;      // on the turns where they lie
    long double R20 = 0;   // ohm, both coils at 20 C
    long double Rhot = 0;  // as the calculator computes it with the hot resistivity
    long double L = 0;     // classic pair inductance, H
    long double I = 0, U = 0, P = 0;
    long double B0classic = 0;    // the calculator's B0d
    long double B0exact = 0;      // the accuracy library, loop by loop over the wound turns
    long double sphereExact = 0;  // largest |B|/B0 - 1 at points on the sphere, the same way
    UniformExtents extents;       // tolerance: the uniformity goal's, or 1e-3 without one
    long double extentsTol = 0;
    long double timeConstant = 0;         // L/R, s
    long double heatingRate = 0;          // P/(m*c), K/s
    long double thermalTimeConstant = 0;  // s, of the approach to the steady rise
    long double B0switchOn = 0;           // T, at the current of the cold winding
    long double hotResistivity = 0;
    std::vector<Sensitivity> sensitivity;
    std::vector<std::string> binding;
    std::vector<std::string> inputs;  // the calculator's options, "--R1", "0.02", ...
    std::string command;
};

// Why one wire's search ended.
struct WireSummary {
    std::string wire;
    std::size_t builds = 0;  // builds looked at
    std::string stopped;     // "bound", "no build reaches B0", "budget", "stopped"
    int finish = 0;          // NLopt's result code of the finish on the turns, 0 when none ran
    std::optional<long double> objective;  // the best found, before the finish
};

// What the closest candidate reaches when nothing meets every goal.
struct Closest {
    long double B0 = 0, deviation = 0, power = 0, rise = 0, mass = 0;
    bool runaway = false;
};

struct Answer {
    std::vector<Design> designs;  // ranked, best first
    bool interrupted = false;
    // No design: why, naming the limits that bind, and what the closest reaches.
    std::string error;
    std::optional<Design> best;
    std::optional<Closest> closest;
    std::size_t rejectedByCheck = 0;  // found by the model, refused by the recomputation
    std::vector<WireSummary> summaries;
};

using Progress = std::function<void(std::size_t done, std::size_t total)>;

Answer FindDesigns(const Goals& goals, std::stop_token stop, const Progress& progress,
                   unsigned threads);

// The gap h that makes the second-order term of a pair of coils of this section vanish
// (the most uniform spacing), by a bounded search between hLow and hHigh.
long double MostUniformGap(long double R1, long double R2, long double H, long double hLow,
                           long double hHigh);

// For coils of the given mean radius, section area and centre spacing, the height H that
// makes the second-order term vanish, between HLow and HHigh; the radial depth is area / H.
long double MostUniformHeight(long double meanRadius, long double area, long double spacing,
                              long double HLow, long double HHigh);

// b2/b0 of the pair's field on the axis: B(z) = B0 (1 + (b2/b0) z^2 + ...).
long double SecondOrderRatio(const PairGeometry& g);

}  // namespace varnel::design
