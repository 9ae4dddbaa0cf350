// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "design/catalogue.h"
#include "design/thermal.h"
#include "design/winding.h"

// What a coil pair must do, the limits it must keep and the bounds of the search for it.
namespace varnel::design {

// Goals that make no sense (a negative field, a tolerance of 1 or more, ...): the sentence
// varnel-calc prints and, for a window that says it in its own words, the broken rule's stable
// key ("B0", "bore-outer"; empty for a goal's text that is no number) and the numbers
// (written with ".") or names its sentence gives.
class GoalError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
    GoalError(const std::string& sentence, std::string key, std::vector<std::string> values)
        : std::invalid_argument(sentence), key_(std::move(key)), values_(std::move(values)) {}
    const std::string& key() const noexcept { return key_; }
    const std::vector<std::string>& values() const noexcept { return values_; }

  private:
    std::string key_;
    std::vector<std::string> values_;
};

struct Uniformity {
    long double tol = 0;     // |B|/B0 - 1 within tol ...
    long double radius = 0;  // ... inside this sphere about the centre, m
};

enum class Minimise { Power, Mass, Size };

// Where the search looks when no limit of the user's says: each may be set.
struct SearchBounds {
    long double outer = 0.3L;   // largest R2 without --max-outer, m
    long double length = 0.6L;  // largest 2H + h without --max-length, m
    long double inner = 1e-3L;  // least R1, m
    // The sphere of uniformity reaches at most this share of the distance to the nearest turn.
    long double reach = 0.6L;
};

// How far the build may stray, each in both directions, for --robust.
struct Tolerances {
    long double gap = 0;     // h, m
    long double radius = 0;  // R1, m
    long double height = 0;  // H, m
    long long turns = 0;     // on one coil
    bool wire = false;       // the wire's diameter across its catalogue tolerance
    bool Any() const { return gap > 0 || radius > 0 || height > 0 || turns > 0 || wire; }
};

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
    long double bore = 0;           // clear radius inside the former, m
    long double formerWall = 0;     // the former's wall: R1 = bore + wall, m
    long double cheek = 0;          // each coil's end plate: the gap is at least two, m
    long double heatTransfer = 12;  // W/(m^2*K), natural convection and radiation together
    long double windingConductivity = kDryWindingConductivity;  // W/(m*K), across the turns
    Material material;
    std::vector<Wire> wires;
    Winding winding;
    Minimise minimise = Minimise::Mass;
    int count = 5;
    SearchBounds bounds;
    Tolerances robust;
};

// The thermal classes of the shipped table (data/insulation-classes.csv), degrees C.
std::vector<long double> ThermalClasses();

// Throws GoalError naming the first goal that makes no sense and the range that does.
void CheckGoals(const Goals& goals);

// The mean rise the winding may take: the limit given, and never past its thermal class.
long double AllowedRise(const Goals& g);

// The temperature limits as one value, at most 1 while both hold: the mean rise, which the
// winding's resistance tells, within the limit given; the hottest point within the class.
long double TemperatureLoad(const Goals& g, const ThermalState& t);

// The box searched: the user's limits where given, the search's own bounds elsewhere.
struct Box {
    long double R1min = 0, R2max = 0, lengthMax = 0, gapMin = 0;
    bool outerOwn = true, lengthOwn = true, innerOwn = true;
};
Box SearchBox(const Goals& g);

}  // namespace varnel::design
