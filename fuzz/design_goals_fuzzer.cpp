// SPDX-License-Identifier: GPL-3.0-or-later
// The design's goal texts and a wire catalogue of arbitrary bytes: the catalogue is read or
// refused with a message naming it, the goals are taken or refused with a message, and goals
// taken over wires read give a model evaluation; never a crash, a hang or a read past the
// catalogue's bound.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "command/errors.h"
#include "command/number_styles.h"
#include "command/number_text.h"
#include "design/candidate.h"
#include "design/catalogue.h"
#include "design/search.h"
#include "design/winding.h"

namespace {

using namespace varnel;
using namespace varnel::design;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The goal texts, one a line, in this order; the catalogue is what follows them.
enum Line {
    kB0,
    kB0Tol,
    kUniformTol,
    kUniformRadius,
    kSource,
    kFrequency,
    kAmbient,
    kClass,
    kHeatTransfer,
    kBore,
    kMaxOuter,
    kWinding,
    kGrade,
    kLines
};

// A number by the rules `design` reads its options with; none for a text that is not one.
std::optional<long double> Number(const std::string& text) {
    return ReadDigitsText(TrimText(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < kLines && start <= input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    lines.resize(kLines);
    const std::string catalogue = start <= input.size() ? input.substr(start) : std::string();

    std::vector<Wire> wires;
    try {
        wires = ParseWires(catalogue, "fuzz.csv", lines[kGrade]);
        Check(!wires.empty(), "a catalogue read without wires");
        for (const Wire& w : wires) {
            Check(!w.name.empty(), "a wire without a name");
            Check(w.bare > 0 && std::isfinite(w.bare), "a bare diameter out of range");
            Check(w.overall >= w.bare && std::isfinite(w.overall), "an overall diameter below it");
        }
    } catch (const CatalogueError& e) {
        Check(e.message().starts_with("fuzz.csv"), "a catalogue message without its file");
        return 0;
    }

    Goals g;
    g.material = {"copper", 1.7241e-8L, 0.00393L, 8890, 386};
    g.wires = wires;
    g.currentSource = data[0] & 1;
    g.count = 1 + (data[0] >> 1) % 8;
    const std::optional<long double> numbers[] = {
        Number(lines[kB0]),           Number(lines[kB0Tol]),
        Number(lines[kUniformTol]),   Number(lines[kUniformRadius]),
        Number(lines[kSource]),       Number(lines[kFrequency]),
        Number(lines[kAmbient]),      Number(lines[kClass]),
        Number(lines[kHeatTransfer]), Number(lines[kBore]),
        Number(lines[kMaxOuter])};
    for (const auto& n : numbers) {
        if (!n)
            return 0;  // refused as `design` refuses it, with status 2
    }
    g.B0 = *numbers[kB0];
    g.B0Tol = *numbers[kB0Tol];
    if (*numbers[kUniformTol] != 0)
        g.uniform = Uniformity{*numbers[kUniformTol], *numbers[kUniformRadius]};
    g.source = *numbers[kSource];
    g.frequency = *numbers[kFrequency];
    g.ambient = *numbers[kAmbient];
    g.thermalClass = *numbers[kClass];
    g.heatTransfer = *numbers[kHeatTransfer];
    g.bore = *numbers[kBore];
    if (*numbers[kMaxOuter] != 0)
        g.maxOuter = *numbers[kMaxOuter];
    try {
        g.winding = ParseWinding(lines[kWinding].empty() ? "orthocyclic" : lines[kWinding]);
        CheckGoals(g);
    } catch (const std::invalid_argument& e) {  // GoalError among them
        Check(e.what()[0] != '\0', "an empty goal message");
        return 0;
    }
    // Goals taken: the model answers for a pair just outside the bore.
    const long double R1 = std::max(g.bore, 0.01L);
    const WoundBuild build = MakeBuild(g.winding, wires.front(), 4, 10);
    const Evaluation e =
        Evaluate(g, Candidate{&wires.front(), build, R1, R1 / 2}, FieldModel::Sheet);
    Check(e.fit.turns >= 0 && e.mass >= 0, "a negative count or mass");
    return 0;
}
