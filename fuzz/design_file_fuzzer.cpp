// SPDX-License-Identifier: GPL-3.0-or-later
// The studio's design files from arbitrary bytes: refused with a message, or read with every
// number finite and within its input box's range, and written back to the same inputs.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <variant>

#include <QByteArray>

#include "studio/core/design_file.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool Within(double v, double low, double high) {
    return std::isfinite(v) && v >= low && v <= high;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace varnel::studio;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto read = ReadDesign(bytes);
    if (const QString* message = std::get_if<QString>(&read)) {
        Check(!message->isEmpty(), "an empty message");
        return 0;
    }
    const DesignInputs& in = std::get<DesignInputs>(read);
    Check(Within(in.innerRadiusMm, 0.001, 1e5) && Within(in.outerRadiusMm, 0.001, 1e5) &&
              Within(in.heightMm, 0.001, 1e5) && Within(in.gapMm, 0.001, 1e5),
          "a length out of range");
    Check(Within(in.wireDiameterMm, 0.001, 1000) && Within(in.packingFactor, 0.01, 0.99),
          "the wire out of range");
    Check(Within(in.resistivityNanoOhmM, 0.001, 1e6) && Within(in.densityKgM3, 1, 1e5),
          "the material out of range");
    Check(Within(in.source, -1e6, 1e6) && Within(in.frequencyHz, 0, 1e9), "the supply");
    Check(Within(in.pointXMm, 0, 1e5) && Within(in.pointZMm, -1e5, 1e5), "the point");
    Check(Within(in.uniformityPercent, 0.0001, 50) && Within(in.ambientC, -60, 200),
          "the tolerance or the ambient");
    // What was read is written and read again unchanged.
    const auto again = ReadDesign(WriteDesign(in));
    Check(std::holds_alternative<DesignInputs>(again) && std::get<DesignInputs>(again) == in,
          "a design that does not read back");
    return 0;
}
