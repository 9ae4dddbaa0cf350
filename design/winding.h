// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "design/catalogue.h"

// A coil as it is wound: whole layers of whole turns, the section they fill, where each turn
// lies, and the packing factor Lambda that makes the calculator's turns,
// H*4*(R2 - R1)*Lambda/(pi*D*D), equal them.
namespace varnel::design {

enum class WindingStyle {
    Orthocyclic,   // each layer in the grooves of the one below: layer pitch sqrt(3)/2 * d
    LayerOnLayer,  // turns stacked square: layer pitch d
    Random,        // no layers; the insulated wire fills a given share of the section
};

struct Winding {
    WindingStyle style = WindingStyle::Orthocyclic;
    long double fill = 0.7L;  // Random only: the share of the section inside the wires' overall
                              // circles
};

// "orthocyclic", "layer" or "random[:FILL]" (FILL written with "."); throws
// std::invalid_argument otherwise.
Winding ParseWinding(const std::string& text);
std::string WindingName(const Winding& w);

// The one rule for Lambda: the packing factor that makes the calculator's N, with its own pi
// and the bare diameter, equal `turns` in a section depth x height.
long double PackingFactor(long double turns, long double bare, long double depth,
                          long double height);

// The packing factor of a section wound in this style without end effects: as many turns as
// the overall diameter's cells fill it (orthocyclic 2/(sqrt 3 d^2) per unit area, layer on layer
// 1/d^2, random a share `fill` of circles of area pi d^2/4), through PackingFactor.
long double IdealPackingFactor(const Winding& w, const Wire& wire);

// One coil wound of whole layers of whole turns. A random winding has no layers: its turns are
// counted as rows and columns of the mean pitch its fill gives, sqrt(pi/(4 fill)) * d.
struct WoundBuild {
    long long layers = 0;
    long long turnsPerLayer = 0;
    long long turns = 0;     // of one coil
    long double depth = 0;   // R2 - R1, m
    long double height = 0;  // H, m
    long double radialPitch = 0, axialPitch = 0;
    long double firstLayer = 0;  // from R1 to the centres of the first layer's turns
    bool shifted = false;        // orthocyclic: every second layer sits half a pitch along
};

// The build of `layers` layers of `perLayer` turns. An orthocyclic coil of two or more layers
// is half a pitch higher than its layers, so the shifted layers hold as many turns.
WoundBuild MakeBuild(const Winding& w, const Wire& wire, long long layers, long long perLayer);

// The most layers and turns per layer a section of this depth and height holds.
long long LayersWithin(const Winding& w, const Wire& wire, long double depth);
long long TurnsPerLayerWithin(const Winding& w, const Wire& wire, long double height, bool shifted);

// The centre of one turn: its radius above R1 and its height above the coil's end nearest the
// other coil.
struct TurnPlace {
    long double radius, height;
};
std::vector<TurnPlace> TurnPlaces(const WoundBuild& b);

// The section of uniform current density that stands for the turns while searching: each turn
// given its cell of radial x axial pitch, the shifted layers' half pitch shared out.
struct SheetSection {
    long double inner, outer;     // above R1
    long double nearEnd, farEnd;  // above the coil's near end
};
SheetSection EquivalentSheet(const WoundBuild& b);

// The mean radius of the turns above R1 (every layer holds as many turns).
long double MeanTurnOffset(const WoundBuild& b);

struct WindingFit {
    long long turns = 0;          // whole turns of one coil
    long long layers = 0;         // 0 for a random winding
    long long turnsPerLayer = 0;  // the longest layer; 0 for a random winding
    long double lambda = 0;       // for the calculator, with its pi
    long double idealTurns = 0;   // the same count before rounding down
};

// The fit of `wire` into a section of radial depth `depth` and height H (both m).
WindingFit FitWinding(const Winding& w, const Wire& wire, long double depth, long double H);

}  // namespace varnel::design
