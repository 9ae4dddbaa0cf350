// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/winding.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "command/errors.h"
#include "command/number_styles.h"
#include "command/number_text.h"
#include "engine/constants.h"
#include "study/calc_output.h"

namespace varnel::design {
namespace {

constexpr long double kSqrt3Half = 0.866025403784438646763723170752936183L;

}  // namespace

Winding ParseWinding(const std::string& text) {
    if (text == "orthocyclic")
        return {WindingStyle::Orthocyclic, 0};
    if (text == "layer")
        return {WindingStyle::LayerOnLayer, 0};
    if (text == "random")
        return {WindingStyle::Random, 0.7L};
    if (text.starts_with("random:")) {
        // "." whatever the locale; a text that is no number is no fill.
        const long double fill = ReadDigitsText(TrimText(text.substr(7))).value_or(0);
        if (!(fill > 0) || !(fill < 1))
            throw std::invalid_argument("--winding: the fill of a random winding lies in (0, 1)");
        return {WindingStyle::Random, fill};
    }
    throw std::invalid_argument("--winding: '" + text +
                                "' is not orthocyclic, layer or random[:FILL]");
}

std::string WindingName(const Winding& w) {
    switch (w.style) {
        case WindingStyle::Orthocyclic:
            return "orthocyclic";
        case WindingStyle::LayerOnLayer:
            return "layer";
        case WindingStyle::Random:
            return "random:" + DigitsText(w.fill, 3);
    }
    return "";
}

long double PackingFactor(long double turns, long double bare, long double depth,
                          long double height) {
    // The calculator's N = H*4*(R2 - R1)*Lambda/(pi*D*D), with its own pi and the bare D.
    return turns * kPi * bare * bare / (4 * height * depth);
}

long double IdealPackingFactor(const Winding& w, const Wire& wire) {
    const long double d = wire.overall;
    long double turnsPerArea = 0;
    switch (w.style) {
        case WindingStyle::Orthocyclic:
            turnsPerArea = 2 / (std::sqrt(3.0L) * d * d);
            break;
        case WindingStyle::LayerOnLayer:
            turnsPerArea = 1 / (d * d);
            break;
        case WindingStyle::Random:
            turnsPerArea = w.fill / (kTruePi * d * d / 4);
            break;
    }
    return PackingFactor(turnsPerArea, wire.bare, 1, 1);
}

namespace {

long double RandomPitch(const Winding& w, const Wire& wire) {
    return wire.overall * std::sqrt(kTruePi / (4 * w.fill));
}

// A whole count, held at a billion so that products of two stay within a long long.
long long WholeCount(long double v) {
    constexpr long double kMostCounted = 1e9L;
    if (!(v > 0))
        return 0;
    return static_cast<long long>(std::floor(std::min(v, kMostCounted)));
}

}  // namespace

WoundBuild MakeBuild(const Winding& w, const Wire& wire, long long layers, long long perLayer) {
    const long double d = wire.overall;
    WoundBuild b;
    b.layers = layers;
    b.turnsPerLayer = perLayer;
    b.turns = layers * perLayer;
    const auto L = static_cast<long double>(layers), n = static_cast<long double>(perLayer);
    switch (w.style) {
        case WindingStyle::Orthocyclic:
            b.radialPitch = kSqrt3Half * d;
            b.axialPitch = d;
            b.firstLayer = d / 2;
            b.shifted = layers > 1;
            b.depth = d + (L - 1) * b.radialPitch;
            b.height = (n + (b.shifted ? 0.5L : 0)) * d;
            break;
        case WindingStyle::LayerOnLayer:
            b.radialPitch = b.axialPitch = d;
            b.firstLayer = d / 2;
            b.depth = L * d;
            b.height = n * d;
            break;
        case WindingStyle::Random: {
            const long double p = RandomPitch(w, wire);
            b.radialPitch = b.axialPitch = p;
            b.firstLayer = p / 2;
            b.depth = L * p;
            b.height = n * p;
            break;
        }
    }
    return b;
}

long long LayersWithin(const Winding& w, const Wire& wire, long double depth) {
    const long double d = wire.overall;
    switch (w.style) {
        case WindingStyle::Orthocyclic:
            return depth < d ? 0 : WholeCount(1 + (depth - d) / (kSqrt3Half * d) + 1e-12L);
        case WindingStyle::LayerOnLayer:
            return WholeCount(depth / d + 1e-12L);
        case WindingStyle::Random:
            return WholeCount(depth / RandomPitch(w, wire) + 1e-12L);
    }
    return 0;
}

long long TurnsPerLayerWithin(const Winding& w, const Wire& wire, long double height,
                              bool shifted) {
    if (w.style == WindingStyle::Random)
        return WholeCount(height / RandomPitch(w, wire) + 1e-12L);
    return WholeCount(height / wire.overall - (shifted ? 0.5L : 0) + 1e-12L);
}

std::vector<TurnPlace> TurnPlaces(const WoundBuild& b) {
    std::vector<TurnPlace> places;
    places.reserve(static_cast<std::size_t>(std::max(0LL, b.turns)));
    for (long long k = 0; k < b.layers; ++k) {
        const long double r = b.firstLayer + static_cast<long double>(k) * b.radialPitch;
        const long double start =
            b.axialPitch / 2 + (b.shifted && k % 2 == 1 ? b.axialPitch / 2 : 0);
        for (long long j = 0; j < b.turnsPerLayer; ++j)
            places.push_back({r, start + static_cast<long double>(j) * b.axialPitch});
    }
    return places;
}

SheetSection EquivalentSheet(const WoundBuild& b) {
    SheetSection s;
    s.inner = b.firstLayer - b.radialPitch / 2;
    s.outer = b.firstLayer + (static_cast<long double>(b.layers) - 0.5L) * b.radialPitch;
    const long double shift = b.shifted ? b.axialPitch / 4 : 0;
    s.nearEnd = shift;
    s.farEnd = b.height - shift;
    return s;
}

long double MeanTurnOffset(const WoundBuild& b) {
    return b.firstLayer + (static_cast<long double>(b.layers) - 1) * b.radialPitch / 2;
}

WindingFit FitWinding(const Winding& w, const Wire& wire, long double depth, long double H) {
    const long double d = wire.overall;
    WindingFit fit;
    switch (w.style) {
        case WindingStyle::Orthocyclic: {
            // Layers after the first sit sqrt(3)/2 d higher; a layer shifted by half a pitch
            // holds one turn less unless the height has that half pitch to spare.
            const long double pitch = kSqrt3Half * d;
            const long double rows = depth < d ? 0 : 1 + (depth - d) / pitch;
            const long double perLayer = H / d;
            fit.layers = WholeCount(rows);
            fit.turnsPerLayer = WholeCount(perLayer);
            const bool shiftedFits = H - static_cast<long double>(fit.turnsPerLayer) * d >= d / 2;
            const long long shifted = shiftedFits ? fit.turnsPerLayer : fit.turnsPerLayer - 1;
            fit.turns = (fit.layers + 1) / 2 * fit.turnsPerLayer + fit.layers / 2 * shifted;
            fit.idealTurns = rows * (perLayer - 0.25L);
            break;
        }
        case WindingStyle::LayerOnLayer:
            fit.layers = WholeCount(depth / d);
            fit.turnsPerLayer = WholeCount(H / d);
            fit.turns = fit.layers * fit.turnsPerLayer;
            fit.idealTurns = depth / d * H / d;
            break;
        case WindingStyle::Random:
            fit.idealTurns = w.fill * depth * H / (kTruePi * d * d / 4);
            fit.turns = WholeCount(fit.idealTurns);
            break;
    }
    if (fit.idealTurns < 0)
        fit.idealTurns = 0;
    fit.lambda = PackingFactor(static_cast<long double>(fit.turns), wire.bare, depth, H);
    return fit;
}

}  // namespace varnel::design
