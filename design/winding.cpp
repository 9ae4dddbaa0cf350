// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/winding.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "command/errors.h"
#include "command/number_text.h"
#include "engine/constants.h"
#include "study/calc_output.h"

namespace varnel::design {
namespace {

constexpr long double kSqrt3Half = 0.866025403784438646763723170752936183L;
constexpr long double kPiTrue = 3.141592653589793238462643383279502884L;

}  // namespace

Winding ParseWinding(const std::string& text) {
    if (text == "orthocyclic")
        return {WindingStyle::Orthocyclic, 0};
    if (text == "layer")
        return {WindingStyle::LayerOnLayer, 0};
    if (text == "random")
        return {WindingStyle::Random, 0.7L};
    if (text.starts_with("random:")) {
        const std::string f = text.substr(7);
        long double fill = 0;
        try {
            fill = ParseNumber(f, ".");  // "." whatever the locale
        } catch (const ConversionError&) {
        }
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

namespace {

// A whole count of turns or layers. The search may try sections millions of wires across; past
// a billion the count is held there, so that converting it and multiplying two such counts stay
// within a long long (a winding that size fails every other limit long before).
long long WholeCount(long double v) {
    constexpr long double kMostCounted = 1e9L;
    if (!(v > 0))
        return 0;
    return static_cast<long long>(std::floor(std::min(v, kMostCounted)));
}

}  // namespace

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
            fit.idealTurns = w.fill * depth * H / (kPiTrue * d * d / 4);
            fit.turns = WholeCount(fit.idealTurns);
            break;
    }
    if (fit.idealTurns < 0)
        fit.idealTurns = 0;
    // The calculator's N = H*4*(R2 - R1)*Lambda/(pi*D*D), with its own pi and the bare D.
    fit.lambda =
        static_cast<long double>(fit.turns) * kPi * wire.bare * wire.bare / (4 * H * depth);
    return fit;
}

}  // namespace varnel::design
