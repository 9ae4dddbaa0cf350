// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace varnel {

// Proportions of one coil that pick and feed the self-inductance formulas.
struct CoilShape {
    long double R1;
    long double R2;
    long double l;    // height over (R1 + R2)
    long double k;    // 1 / sqrt(4*l*l + 1)
    long double t;    // thickness over height
    long double g;    // thickness over (R1 + R2)
    long double rho;  // R1 / R2
};

// The proportions of a coil of radii R1, R2 and height Hc, each formed once, in this order.
CoilShape ShapeOf(long double R1, long double R2, long double Hc);

enum class InductanceFormula { Long, Short, Flat, Disc };

// The formula for a coil of these proportions, tested in order: long for l >= 0.75, short for
// t <= 1, disc for g > 0.5, flat otherwise.
InductanceFormula ChooseInductanceFormula(const CoilShape& shape);

// An inductance in henry and the turns of the coil it was computed for.
struct InductanceAndTurns {
    long double inductance;
    long double turns;
};

// Self-inductance of one multi-layer coil (inner radius R1, outer R2, height Hc, wire diameter
// D, packing factor Lambda), with the turns of that coil, which the formulas are scaled by.
InductanceAndTurns CoilInductance(long double R1, long double R2, long double Hc, long double D,
                                  long double Lambda);

// The series formulas for a coil of N turns.
long double LongCoilInductance(long double N, const CoilShape& shape);
long double ShortCoilInductance(long double N, const CoilShape& shape);
long double FlatCoilInductance(long double N, const CoilShape& shape);
long double DiscCoilInductance(long double N, const CoilShape& shape);

// A test of the floating-point status that throws when a fault is raised; it is handed the
// value just computed, so that the arithmetic making it is done before the test.
using FaultCheck = void (*)(const long double& value);

// While it lives, the formulas of the calling thread run the check after each step that can
// raise a fault, so a calculation that raises two different faults reports the one that arose
// first, as a processor that traps would. Without one the formulas run through and leave
// their flags to the caller.
class FaultCheckScope {
  public:
    explicit FaultCheckScope(FaultCheck check);
    ~FaultCheckScope();
    FaultCheckScope(const FaultCheckScope&) = delete;
    FaultCheckScope& operator=(const FaultCheckScope&) = delete;

  private:
    FaultCheck previous_;
};

// Inductance of two such coils of height H, gap h, in series: 2*L(H) + 2*M, the mutual
// inductance taken from coils of the same cross-section: 2M = L(2H + h) + L(h) - 2*L(H + h).
// The turns returned are those of the last coil evaluated, of height H + h.
InductanceAndTurns PairInductance(long double R1, long double R2, long double H, long double h,
                                  long double D, long double Lambda);

}  // namespace varnel
