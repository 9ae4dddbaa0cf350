// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "design/catalogue.h"

// How many whole turns of a wire fit a winding section, and the packing factor Lambda that
// makes the calculator's turns, H*4*(R2 - R1)*Lambda/(pi*D*D), equal them.
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

// "orthocyclic", "layer" or "random[:FILL]"; throws std::invalid_argument otherwise.
Winding ParseWinding(const std::string& text);
std::string WindingName(const Winding& w);

struct WindingFit {
    long long turns = 0;          // whole turns of one coil
    long long layers = 0;         // 0 for a random winding
    long long turnsPerLayer = 0;  // the longest layer; 0 for a random winding
    long double lambda = 0;       // for the calculator, with its pi
    long double idealTurns = 0;   // the same count before rounding down, for the search
};

// The fit of `wire` into a section of radial depth `depth` and height H (both m).
WindingFit FitWinding(const Winding& w, const Wire& wire, long double depth, long double H);

}  // namespace varnel::design
