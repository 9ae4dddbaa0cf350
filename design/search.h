// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <vector>

#include "design/catalogue.h"
#include "design/fast_field.h"
#include "design/thermal.h"
#include "design/winding.h"

// From goals to coil pairs: a search over the geometry (R1, R2, H, h) for each wire of a
// catalogue with the fast field model, each answer then recomputed by the calculator's own
// command and the high-accuracy integrals.
namespace varnel::design {

// Goals that make no sense (a negative field, a tolerance of 1 or more, ...).
class GoalError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

struct Uniformity {
    long double tol = 0;     // |B|/B0 - 1 within tol ...
    long double radius = 0;  // ... inside this sphere about the centre, m
};

enum class Minimise { Power, Mass, Size };

struct Goals {
    long double B0 = 0;  // T, met hot, within B0Tol
    long double B0Tol = 0.01L;
    std::optional<Uniformity> uniform;
    bool currentSource = false;
    long double source = 0;  // RMS V, or RMS A with a current source
    long double frequency = 0;
    std::optional<long double> maxPower, maxTempRise, maxOuter, maxLength, maxMass;
    long double ambient = 20;  // degrees C
    // The insulation's thermal class, degrees C: the winding never runs hotter, whatever
    // --max-temp-rise says (155, class F, unless told).
    long double thermalClass = 155;
    long double bore = 0;           // least R1, m
    long double heatTransfer = 12;  // W/(m^2*K), natural convection and radiation together
    long double windingConductivity = kDryWindingConductivity;  // W/(m*K), across the turns
    Material material;
    std::vector<Wire> wires;
    Winding winding;
    Minimise minimise = Minimise::Mass;
    int count = 5;
};

// Throws GoalError naming the first goal that makes no sense.
void CheckGoals(const Goals& goals);

// Everything the model says about one geometry and wire.
struct Evaluation {
    PairGeometry geometry{};
    WindingFit fit;
    long double resistance20 = 0;
    long double inductance = 0;  // the classic series formulas; 0 at DC, where it is not needed
    ThermalState hot;
    long double B0 = 0;               // at the hot current, exact model
    long double sphereDeviation = 0;  // 0 without a uniformity goal
    long double reachRatio = 0;       // sphere radius over the expansion's reach
    long double mass = 0;             // of conductor, both coils
    long double wireLength = 0;       // both coils, m
    long double size = 0;             // volume of the enclosing cylinder, m^3
};

// `wholeTurns` false: the turns before rounding, smooth in the geometry, for the search.
Evaluation Evaluate(const Goals& goals, const Wire& wire, long double R1, long double R2,
                    long double H, long double h, bool wholeTurns);
// The same for a given fit and turn count.
Evaluation EvaluateTurns(const Goals& goals, const Wire& wire, long double R1, long double R2,
                         long double H, long double h, const WindingFit& fit, long double N);

struct Design {
    Wire wire;
    Evaluation model;      // from the geometry as printed
    long double R20 = 0;   // ohm, both coils at 20 C
    long double Rhot = 0;  // as the calculator computes it with the hot resistivity
    long double L = 0;     // classic pair inductance, H
    long double I = 0, U = 0, P = 0;
    long double B0classic = 0;    // the calculator's B0d
    long double B0exact = 0;      // high-accuracy integrals
    long double sphereExact = 0;  // largest |B|/B0 - 1 at points on the sphere, exact
    UniformExtents extents;       // tolerance: the uniformity goal's, or 1e-3 without one
    long double extentsTol = 0;
    long double timeConstant = 0;         // L/R, s
    long double heatingRate = 0;          // P/(m*c), K/s
    long double thermalTimeConstant = 0;  // s, of the approach to the steady rise
    long double B0switchOn = 0;           // T, at the current of the cold winding
    long double hotResistivity = 0;
    std::vector<std::string> binding;
    std::vector<std::string> inputs;  // the calculator's options, "--R1", "0.02", ...
    std::string command;
};

struct Answer {
    std::vector<Design> designs;  // ranked, best first
    bool interrupted = false;
    // No design: why, naming the limits that bind, and the value of B0 the closest reaches.
    std::string error;
    std::optional<Design> best;
    std::size_t rejectedByCheck = 0;  // found by the model, refused by the recomputation
};

using Progress = std::function<void(std::size_t done, std::size_t total)>;

Answer FindDesigns(const Goals& goals, std::stop_token stop, const Progress& progress,
                   unsigned threads);

// The shortest form of a value that reads back the same within 1e-9: for command lines.
std::string ShortNumber(long double value, int digits);

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
