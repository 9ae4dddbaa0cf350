// SPDX-License-Identifier: GPL-3.0-or-later
// The design library's formulas against values worked by hand, away from the convenient
// defaults: an ambient other than 20 C, aluminium, a current source, an alternating supply,
// every winding style, every --minimise, cheeks, and limits exactly at their bound.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "accuracy/filament.h"
#include "accuracy/zonal_field.h"
#include "design/candidate.h"
#include "design/catalogue.h"
#include "design/goals.h"
#include "design/report.h"
#include "design/search.h"
#include "design/sensitivity.h"
#include "design/thermal.h"
#include "design/verify.h"
#include "design/winding.h"
#include "design/wire_search.h"

namespace {

using namespace varnel::design;

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kAlAlpha = 0.00403L;  // aluminium EC, 1/K at 20 C

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// --- The thermal model ---------------------------------------------------------------------

// Aluminium at a 60 C ambient fed 1.5 A: R(T) = R20 (1 + a (60 + dT - 20)), and the balance
// g dT = I^2 R20 (1 + 40 a + a dT) is linear in dT:
//   dT = I^2 R20 (1 + 40 a) / (g - I^2 R20 a),
// with g = 10 W/(m^2 K) * 0.05 m^2 = 0.5 W/K, I^2 R20 = 4.5 W: dT = 5.2254 / 0.481865 K.
TEST(ThermalAwayFrom20C, CurrentSourceAt60CFollowsTheLinearBalance) {
    ThermalInput in;
    in.resistance20 = 2;
    in.alpha = kAlAlpha;
    in.ambient = 60;
    in.heatTransfer = 10;
    in.area = 0.05L;
    in.currentSource = true;
    in.source = 1.5L;
    const ThermalState s = SteadyState(in);
    const long double p20 = 1.5L * 1.5L * 2;
    const long double rise = p20 * (1 + 40 * kAlAlpha) / (0.5L - p20 * kAlAlpha);
    ASSERT_FALSE(s.runaway);
    EXPECT_NEAR(s.rise, rise, 1e-9L * rise);
    EXPECT_NEAR(s.resistance, 2 * (1 + kAlAlpha * (40 + rise)), 1e-12L);
    EXPECT_NEAR(s.power, 0.5L * s.rise, 1e-9L);
    EXPECT_NEAR(s.voltage, 1.5L * s.resistance, 1e-12L);
}

// A voltage source at 5 C: the power U^2 / R(T) balances g dT, and near the steady state the
// excess decays as m c d(dT)/dt = -(g - dP/dT) dT with dP/dT = -U^2 R20 a / R^2 = -P R20 a / R
// (the power falls as the winding warms), so the time constant is m c / (g + P R20 a / R).
TEST(ThermalAwayFrom20C, VoltageSourceAt5CBalancesAndSettles) {
    ThermalInput in;
    in.resistance20 = 3;
    in.alpha = kAlAlpha;
    in.ambient = 5;
    in.heatTransfer = 8;
    in.area = 0.04L;
    in.source = 9;
    in.heatCapacity = 150;
    const ThermalState s = SteadyState(in);
    const long double g = 8 * 0.04L;
    ASSERT_FALSE(s.runaway);
    EXPECT_NEAR(s.resistance, 3 * (1 + kAlAlpha * (5 + s.rise - 20)), 1e-12L);
    EXPECT_NEAR(s.power, 81 / s.resistance, 1e-12L);
    EXPECT_NEAR(g * s.rise, s.power, 1e-9L * s.power);
    EXPECT_NEAR(s.coldCurrent, 9 / (3 * (1 - 15 * kAlAlpha)), 1e-12L);
    EXPECT_GT(s.coldCurrent, s.current);  // the cold winding starts stronger
    const long double tau = 150 / (g + s.power * 3 * kAlAlpha / s.resistance);
    EXPECT_NEAR(s.timeConstant, tau, 1e-9L * tau);
}

// The hot spot: the generation is P spread over both coils' volume, 2 pi (R2^2 - R1^2) H.
TEST(ThermalAwayFrom20C, HotSpotSpreadsThePowerOverBothCoils) {
    ThermalInput in;
    in.resistance20 = 4;
    in.alpha = 0.00393L;
    in.ambient = 35;
    in.heatTransfer = 12;
    in.area = 0.06L;
    in.currentSource = true;
    in.source = 1;
    in.R1 = 0.02L;
    in.R2 = 0.035L;
    in.H = 0.02L;
    in.conductivity = 0.2L;
    const ThermalState s = SteadyState(in);
    const long double volume = 2 * kPi * (0.035L * 0.035L - 0.02L * 0.02L) * 0.02L;
    const long double inside = InternalRise(s.power / volume, 0.02L, 0.035L, 0.2L, 12, 12);
    ASSERT_GT(inside, 0);
    EXPECT_NEAR(s.hotSpot, s.rise + inside, 1e-12L);
}

// Below s = 0.35 of the free gap the channel's share is s^3 (Elenbaas's x^(-3/4), x = s^-4).
TEST(ThermalAwayFrom20C, NarrowChannelShareIsTheCubeOfTheGap) {
    const long double depth = 0.015L;
    const long double free = FacingFaceGap(depth);
    for (const long double s : {0.05L, 0.2L, 0.3L})
        EXPECT_NEAR(FacingFaceShare(s * free, depth), s * s * s, 1e-15L) << s;
}

// Insulated on the inside (hi = 0): T' (R1) = 0, so T = -q r^2/(4k) + A ln(r/R1) + B with
// A = q R1^2 / (2k), hottest at R1. The excess of the hottest point over the volume mean
// (weighted by r) worked here by Simpson's rule over r, independently of the closed form; and
// insulated on the outside the same with R2.
long double ExcessBySimpson(long double q, long double R1, long double R2, long double k,
                            bool insulatedInside) {
    const long double a = insulatedInside ? R1 : R2;
    const long double A = q * a * a / (2 * k);
    auto T = [&](long double r) { return -q * r * r / (4 * k) + A * std::log(r / R1); };
    constexpr int kN = 2000;
    long double num = 0, den = 0;
    for (int i = 0; i <= kN; ++i) {
        const long double r = R1 + (R2 - R1) * i / kN;
        const long double w = (i == 0 || i == kN) ? 1 : (i % 2 ? 4 : 2);
        num += w * T(r) * r;
        den += w * r;
    }
    long double hottest = -1e300L;
    for (int i = 0; i <= kN; ++i)
        hottest = std::max(hottest, T(R1 + (R2 - R1) * i / kN));
    return hottest - num / den;
}

TEST(ThermalAwayFrom20C, OneFilmInsulatedMatchesTheRadialEquation) {
    const long double q = 2e5L, R1 = 0.01L, R2 = 0.03L, k = 0.3L;
    const long double inner = ExcessBySimpson(q, R1, R2, k, true);
    const long double outer = ExcessBySimpson(q, R1, R2, k, false);
    EXPECT_NEAR(InternalRise(q, R1, R2, k, 0, 15), inner, 1e-6L * inner);
    EXPECT_NEAR(InternalRise(q, R1, R2, k, 15, 0), outer, 1e-6L * outer);
}

// Every surface of both coils: two of 2 pi (R1 + R2) H sides and 2 pi (R2^2 - R1^2) faces.
// R1 = 20, R2 = 30, H = 10 mm: each is 2 pi * 5e-4 m^2, so the whole 4 * 2 pi * 5e-4.
TEST(ThermalAwayFrom20C, ExposedAreaOfBothCoils) {
    EXPECT_NEAR(ExposedArea(0.02L, 0.03L, 0.01L), 8 * kPi * 5e-4L, 1e-15L);
}

// --- Winding styles ------------------------------------------------------------------------

Wire TestWire(long double bare, long double overall) {
    return {"test", bare, overall};
}

// A random winding fills the given share of its section: pi d^2/4 over the pitch squared.
TEST(WindingStyles, RandomPitchGivesTheFill) {
    const Wire w = TestWire(0.9e-3L, 1e-3L);
    for (const long double fill : {0.55L, 0.7L, 0.8L}) {
        const WoundBuild b = MakeBuild({WindingStyle::Random, fill}, w, 3, 4);
        EXPECT_NEAR(kPi * 1e-6L / 4 / (b.radialPitch * b.axialPitch), fill, 1e-12L);
        EXPECT_NEAR(b.depth, 3 * b.radialPitch, 1e-15L);
        EXPECT_NEAR(b.height, 4 * b.axialPitch, 1e-15L);
    }
}

// Orthocyclic: the first layer takes d, each further one sqrt(3)/2 d. A depth of
// d (1 + 2 sqrt(3)/2) holds three layers; 5.6 d of height holds 5 turns in the first layer and
// 5 in the shifted one.
TEST(WindingStyles, OrthocyclicFitCountsTheFirstLayer) {
    const Wire w = TestWire(0.9e-3L, 1e-3L);
    const long double d = 1e-3L, sq = 0.866025403784438646763723170752936183L;
    const WindingFit fit = FitWinding({}, w, d * (1 + 2 * sq) + 1e-9L, 5.6L * d);
    EXPECT_EQ(fit.layers, 3);
    EXPECT_EQ(fit.turnsPerLayer, 5);
    EXPECT_EQ(fit.turns, 15);
}

// Every style: the height is the top turn's centre plus half a pitch; the sheet's ends lie a
// quarter pitch in from the coil's ends for a shifted build, so the sheet is as long as one
// layer of n turns; and the mean turn offset is the mean of the turns' radii.
TEST(WindingStyles, BuildsAgreeWithTheirTurns) {
    const Wire w = TestWire(0.45e-3L, 0.5e-3L);
    for (const Winding style :
         {Winding{WindingStyle::Orthocyclic, 0}, Winding{WindingStyle::LayerOnLayer, 0},
          Winding{WindingStyle::Random, 0.65L}}) {
        for (const long long layers : {1LL, 2LL, 5LL}) {
            const WoundBuild b = MakeBuild(style, w, layers, 7);
            const std::vector<TurnPlace> places = TurnPlaces(b);
            ASSERT_EQ(places.size(), static_cast<std::size_t>(7 * layers));
            long double top = 0, radii = 0;
            for (const TurnPlace& p : places) {
                top = std::max(top, p.height);
                radii += p.radius;
            }
            const auto text = WindingName(style) + " " + std::to_string(layers);
            EXPECT_NEAR(b.height, top + b.axialPitch / 2, 1e-15L) << text;
            EXPECT_NEAR(MeanTurnOffset(b), radii / places.size(), 1e-15L) << text;
            const SheetSection s = EquivalentSheet(b);
            EXPECT_NEAR(s.farEnd - s.nearEnd, 7 * b.axialPitch, 1e-15L) << text;
            EXPECT_NEAR(s.outer - s.inner, layers * b.radialPitch, 1e-15L) << text;
        }
    }
}

// --- Catalogues ----------------------------------------------------------------------------

TEST(CatalogueColumns, EachValueComesFromItsOwnColumn) {
    const std::vector<Wire> wires =
        ParseWires("overall_x_mm,name,bare_mm\n0.560,A,0.500\n1.120,B,1.000\n", "t.csv", "x");
    ASSERT_EQ(wires.size(), 2u);
    EXPECT_NEAR(wires[0].bare, 0.5e-3L, 1e-15L);
    EXPECT_NEAR(wires[0].overall, 0.56e-3L, 1e-15L);
    EXPECT_NEAR(wires[1].bare, 1e-3L, 1e-15L);
    EXPECT_NEAR(wires[1].overall, 1.12e-3L, 1e-15L);
}

// Aluminium of the published handbooks: density 2.70 g/cm^3, specific heat 0.897 J/(g K),
// 2.83e-8 ohm m and 0.00403 /K at 20 C.
TEST(CatalogueColumns, AluminiumHasItsPublishedProperties) {
    const Material al = LoadMaterial("aluminium");
    EXPECT_NEAR(al.density, 2700, 10);
    EXPECT_NEAR(al.specificHeat, 897, 5);
    EXPECT_NEAR(al.resistivity20, 2.83e-8L, 0.01e-8L);
    EXPECT_NEAR(al.alpha, 0.00403L, 1e-6L);
    const Material cu = LoadMaterial("copper");
    EXPECT_NEAR(cu.density, 8890, 20);
    EXPECT_NEAR(cu.specificHeat, 386, 5);
}

// --- Goals ---------------------------------------------------------------------------------

Goals AluminiumGoals(long double ambient) {
    Goals g;
    g.material = LoadMaterial("aluminium");
    g.ambient = ambient;
    g.wires = {TestWire(0.5e-3L, 0.55e-3L)};
    return g;
}

// Class 130 at 40 C leaves 90 K; a --max-temp-rise above that does not widen it.
TEST(GoalsAwayFromDefaults, AllowedRiseIsTheClassAboveTheAmbient) {
    Goals g = AluminiumGoals(40);
    g.thermalClass = 130;
    EXPECT_NEAR(AllowedRise(g), 90, 1e-15L);
    g.maxTempRise = 100;
    EXPECT_NEAR(AllowedRise(g), 90, 1e-15L);
    g.maxTempRise = 60;
    EXPECT_NEAR(AllowedRise(g), 60, 1e-15L);
}

// The class limits the hot spot (69 K of 115 at 40 C under class 155: 0.6), --max-temp-rise
// the mean rise (50 of 200: 0.25).
TEST(GoalsAwayFromDefaults, TemperatureLoadOfTheHotSpot) {
    Goals g = AluminiumGoals(40);
    g.maxTempRise = 200;
    ThermalState t;
    t.rise = 50;
    t.hotSpot = 69;
    EXPECT_NEAR(TemperatureLoad(g, t), 0.6L, 1e-15L);
    g.maxTempRise = 62.5L;
    EXPECT_NEAR(TemperatureLoad(g, t), 0.8L, 1e-15L);
}

// Two cheeks of 2 mm between the coils: at least 4 mm. A sphere of 10 mm to be uniform needs
// the turns 5 % outside it: R1 at least 10.5 mm, whatever the smaller bore.
TEST(GoalsAwayFromDefaults, SearchBoxOfCheeksAndSphere) {
    Goals g = AluminiumGoals(40);
    g.cheek = 2e-3L;
    g.bore = 4e-3L;
    g.uniform = Uniformity{1e-3L, 10e-3L};
    const Box box = SearchBox(g);
    EXPECT_NEAR(box.gapMin, 4e-3L, 1e-15L);
    EXPECT_NEAR(box.R1min, 10.5e-3L, 1e-15L);
}

// --- A candidate, worked by hand -----------------------------------------------------------

struct Worked {
    Wire wire = TestWire(0.5e-3L, 0.55e-3L);
    Goals g;
    Candidate c;
};

// Four orthocyclic layers of ten turns of 0.5 mm aluminium wire (0.55 mm over the enamel) on
// R1 = 20 mm, 15 mm apart, with 2 mm cheeks, at a 45 C ambient.
Worked WorkedCandidate(bool currentSource, long double frequency) {
    Worked w;
    w.g = AluminiumGoals(45);
    w.g.cheek = 2e-3L;
    w.g.currentSource = currentSource;
    w.g.source = currentSource ? 0.8L : 6;
    w.g.frequency = frequency;
    w.g.B0 = 1e-3L;
    w.c.build = MakeBuild({}, w.wire, 4, 10);
    w.c.R1 = 0.02L;
    w.c.h = 0.015L;
    return w;
}

// The wire of both coils: each turn a circle of 2 pi (R1 + its offset), twice; its resistance
// rho L / (pi D^2 / 4) and its mass density L pi D^2 / 4.
TEST(CandidateByHand, ResistanceAndMassOfTheWoundTurns) {
    Worked w = WorkedCandidate(true, 0);
    w.c.wire = &w.wire;
    long double length = 0;
    for (const TurnPlace& p : TurnPlaces(w.c.build))
        length += 2 * 2 * kPi * (w.c.R1 + p.radius);
    const long double section = kPi * 0.25e-6L / 4;
    const Evaluation e = Evaluate(w.g, w.c, FieldModel::Turns);
    EXPECT_NEAR(e.resistance20, w.g.material.resistivity20 * length / section,
                1e-12L * e.resistance20);
    EXPECT_NEAR(e.mass, w.g.material.density * length * section, 1e-12L * e.mass);
    // At 45 C and above, the current source's power is I^2 R(T).
    EXPECT_NEAR(e.hot.power, 0.64L * e.hot.resistance, 1e-12L);
    EXPECT_GT(e.hot.resistance, e.resistance20 * (1 + 25 * kAlAlpha));
}

// At 400 Hz from a voltage source the current is U / sqrt(R^2 + (2 pi f L)^2).
TEST(CandidateByHand, AlternatingSupplyDrivesThroughTheImpedance) {
    Worked w = WorkedCandidate(false, 400);
    w.c.wire = &w.wire;
    const Evaluation e = Evaluate(w.g, w.c, FieldModel::Turns);
    ASSERT_GT(e.inductance, 0);
    const long double X = 2 * kPi * 400 * e.inductance;
    EXPECT_GT(X, 0.01L * e.hot.resistance);
    EXPECT_NEAR(e.hot.current, 6 / std::hypot(e.hot.resistance, X), 1e-12L * e.hot.current);
}

// Each --minimise ranks by its own quantity; the size is the cylinder that holds the pair and
// its cheeks: pi R2^2 (2 H + h + 2 cheek).
TEST(CandidateByHand, EveryMinimiseRanksByItsQuantity) {
    Worked w = WorkedCandidate(true, 0);
    w.c.wire = &w.wire;
    const Evaluation e = Evaluate(w.g, w.c, FieldModel::Turns);
    const long double R2 = w.c.R1 + w.c.build.depth;
    const long double size = kPi * R2 * R2 * (2 * w.c.build.height + w.c.h + 4e-3L);
    EXPECT_NEAR(e.size, size, 1e-12L * size);
    w.g.minimise = Minimise::Size;
    EXPECT_EQ(Objective(w.g, e), e.size);
    w.g.minimise = Minimise::Mass;
    EXPECT_EQ(Objective(w.g, e), e.mass);
    w.g.minimise = Minimise::Power;
    EXPECT_EQ(Objective(w.g, e), e.hot.power);
    EXPECT_NE(e.size, e.mass);
}

// A pair exactly as long as the --max-length allows, cheeks included, is at its limit.
TEST(CandidateByHand, LengthLimitCountsTheCheeks) {
    Worked w = WorkedCandidate(true, 0);
    w.c.wire = &w.wire;
    const Evaluation e = Evaluate(w.g, w.c, FieldModel::Turns);
    Box box = SearchBox(w.g);
    box.R2max = 1;
    box.lengthMax = 2 * e.geometry.H + e.geometry.h + 4e-3L;
    EXPECT_NEAR(LimitValues(w.g, box, e, Margins{})[kLength], 0, 1e-15L);
}

// --- The limits a design reports as binding ------------------------------------------------

// A design at 99 % of a limit is held by it: the report names it. At a 60 C ambient under
// class 155, a hot spot of 0.99 * 95 K binds and one of half that does not.
TEST(BindingReport, LimitsNearTheirBoundAreNamed) {
    Goals g = AluminiumGoals(60);
    g.B0 = 1e-3L;
    g.maxMass = 2;
    g.cheek = 1e-3L;
    const Box box = SearchBox(g);
    Evaluation e;
    e.B0 = g.B0;
    e.geometry = {0.05L, 0.06L, 0.01L, box.gapMin, 100};
    e.mass = 0.99L * 2;
    e.hot.rise = 0.99L * 95 * 0.9L;
    e.hot.hotSpot = 0.99L * 95;
    const std::vector<std::string> binding = BindingLimits(g, box, e, false);
    EXPECT_TRUE(Has(binding, "max-mass"));
    EXPECT_TRUE(Has(binding, "class"));
    EXPECT_TRUE(Has(binding, "cheek"));  // the gap at its least, two cheeks
    e.mass = 1;
    e.hot.hotSpot = 0.5L * 95;
    e.geometry.h = 2 * box.gapMin;
    const std::vector<std::string> free = BindingLimits(g, box, e, false);
    EXPECT_FALSE(Has(free, "max-mass"));
    EXPECT_FALSE(Has(free, "class"));
    EXPECT_FALSE(Has(free, "cheek"));
}

// --- The field about the centre ------------------------------------------------------------

// The field of loops at a point by the accuracy library's exact loop formula.
long double ExactBz(const std::vector<Loop>& loops, long double rho, long double z) {
    long double sum = 0;
    for (const Loop& l : loops)
        sum += varnel::exact::LoopField(l.radius, rho, l.radius - rho, z - l.z).axial;
    return sum;
}

// Two loops of 50 mm a little closer than Helmholtz's spacing (48 mm, not 50): the mid-plane
// field first rises, then falls. Its uniform extent, from the series, against a bisection on
// the exact loop field.
TEST(CentreSeries, MidPlaneExtentAgreesWithTheExactLoops) {
    const std::vector<Loop> loops = {{0.05L, 0.024L}, {0.05L, -0.024L}};
    const CentreExpansion e(loops, 1, 40);
    const long double b0 = ExactBz(loops, 0, 0);
    for (const long double tol : {1e-4L, 1e-3L}) {
        auto dev = [&](long double rho) { return std::fabs(ExactBz(loops, rho, 0) / b0 - 1); };
        long double lo = 0, hi = 0;
        while (dev(hi + 1e-4L) <= tol)
            hi += 1e-4L;
        lo = hi;
        hi += 1e-4L;
        for (int k = 0; k < 60; ++k)
            (dev((lo + hi) / 2) > tol ? hi : lo) = (lo + hi) / 2;
        const UniformExtents x = FindUniformExtents(loops, e, tol, 0.1L);
        EXPECT_NEAR(x.radial, lo, 1e-6L * lo) << tol;
        EXPECT_TRUE(x.radialReliable);
    }
}

// The sheet's field is singular at its inner near corner, (R1, h/2) from the centre.
TEST(CentreSeries, ReachIsTheNearestCorner) {
    const PairGeometry g{0.03L, 0.04L, 0.02L, 0.01L, 100};
    EXPECT_NEAR(ConvergenceRadius(g), std::hypot(0.03L, 0.005L), 1e-15L);
    EXPECT_NEAR(CentreExpansion(g, 1, 8).Reach(), std::hypot(0.03L, 0.005L), 1e-15L);
}

// One loop of radius a: on the axis Bz falls as (1 + z^2/a^2)^(-3/2), in its plane it rises
// half as fast. The deviation on a sphere of a/100 is the fall at the poles.
TEST(CentreSeries, SphereDeviationSeesTheFallOnTheAxis) {
    const std::vector<Loop> loop = {{0.1L, 0}};
    const long double fall = 1 - std::pow(1.0001L, -1.5L);
    const SphereDeviation d = DeviationOnSphere(CentreExpansion(loop, 1, 24), 1e-3L);
    EXPECT_NEAR(d.deviation, fall, 1e-6L * fall);
}

// --- A design as found and reported --------------------------------------------------------

// A voltage source of 3 V on the worked pair at 45 C: the calculator is given the resistivity
// at the winding's temperature, rho20 (1 + a (45 + rise - 20)); the cold winding at switch-on
// carries more current by R(hot)/R(45 C), and so makes more field.
TEST(FoundDesign, HotResistivityAndSwitchOnAtTheAmbient) {
    Worked w = WorkedCandidate(false, 0);
    w.g.source = 3;
    w.c.wire = &w.wire;
    const Evaluation e = Evaluate(w.g, w.c, FieldModel::Turns);
    ASSERT_GT(e.hot.rise, 1);
    const Placed placed{w.c, e, e.mass};
    Design d;
    Verify(w.g, SearchBox(w.g), placed, &d);
    const long double hot = 1 + kAlAlpha * (25 + e.hot.rise);
    EXPECT_NEAR(d.hotResistivity, w.g.material.resistivity20 * hot, 1e-12L * d.hotResistivity);
    const long double ratio = hot / (1 + 25 * kAlAlpha);
    EXPECT_NEAR(d.B0switchOn / d.B0exact, ratio, 1e-9L);
}

// --- Tolerances of a build -----------------------------------------------------------------

// The wire's tolerance: the enamel at its thinnest, down to the bare wire (a negative change);
// a taller coil keeps its layers' radii; a stray turn either way brackets the nominal field.
TEST(Robustness, TolerancesMoveTheRightWay) {
    Worked w = WorkedCandidate(true, 0);
    w.c.wire = &w.wire;
    const Evaluation e = Evaluate(w.g, w.c, FieldModel::Turns);
    const Placed placed{w.c, e, e.mass};
    bool sawWire = false;
    for (const Sensitivity& s : Sensitivities(w.g, placed)) {
        if (s.what != "wire")
            continue;
        sawWire = true;
        EXPECT_NEAR(s.change, -0.05e-3L, 1e-15L);
        EXPECT_GT(s.B0, 0);  // closer turns, more field
    }
    EXPECT_TRUE(sawWire);
    const std::vector<Loop> nominal = PairLoops(w.c.build, w.c.R1, w.c.h);
    for (const Loop& l : VariantLoops(w.c, "H", 1e-4L)) {
        EXPECT_TRUE(std::any_of(nominal.begin(), nominal.end(), [&](const Loop& n) {
            return std::fabs(n.radius - l.radius) < 1e-15L;
        })) << l.radius;
    }
    w.g.robust.turns = 1;
    const WorstCase worst = RobustWorst(w.g, w.c, 1);
    const long double b0 = AxialFieldOfLoops(nominal, 0, 1);
    // One turn of 40 on one coil of two: of the order of 1/80 of the field either way (the
    // outermost turn, left off, gives less than the mean).
    EXPECT_LT(worst.B0low / b0, 1 - 0.3L / 80);
    EXPECT_GT(worst.B0low / b0, 1 - 3.0L / 80);
    EXPECT_GT(worst.B0high / b0, 1 + 0.3L / 80);
    EXPECT_LT(worst.B0high / b0, 1 + 3.0L / 80);
}

// --- The search's bounds -------------------------------------------------------------------

// A voltage source holds --max-power only once R(hot) >= U^2 / Pmax; at the hottest the class
// allows (130 C whatever the ambient), R = 16 rho(130 C) N (R1 + offset) / D^2.
TEST(SearchBounds, LeastRadiusAtTheClassTemperature) {
    Worked w = WorkedCandidate(false, 0);
    w.g.source = 12;
    w.g.maxPower = 5;
    w.g.thermalClass = 130;
    w.g.ambient = 40;
    const WoundBuild b = MakeBuild({}, w.wire, 10, 20);
    const long double rho = w.g.material.resistivity20 * (1 + kAlAlpha * 110);
    const long double R1 = 144.0L / 5 * 0.25e-6L / (16 * rho * 200) - MeanTurnOffset(b);
    ASSERT_GT(R1, SearchBox(w.g).R1min);
    EXPECT_NEAR(LeastRadius(w.g, SearchBox(w.g), w.wire, b), R1, 1e-12L * R1);
}

// The bound of each --minimise at the least R1 and gap: the size with the cheeks; the power of
// a current source at the ambient's resistance (60 C here, 40 K above 20 C).
TEST(SearchBounds, ObjectiveBoundsAwayFromTheDefaults) {
    Worked w = WorkedCandidate(true, 0);
    w.g.ambient = 60;
    w.g.cheek = 3e-3L;
    w.g.source = 2;
    const Box box = SearchBox(w.g);
    const WoundBuild b = MakeBuild({}, w.wire, 6, 12);
    const long double R2 = box.R1min + b.depth;
    w.g.minimise = Minimise::Size;
    const long double size = kPi * R2 * R2 * (2 * b.height + box.gapMin + 6e-3L);
    EXPECT_NEAR(ObjectiveBound(w.g, box, w.wire, b), size, 1e-12L * size);
    w.g.minimise = Minimise::Power;
    const long double R = w.g.material.resistivity20 * 72 * 16 * (box.R1min + MeanTurnOffset(b)) /
                          0.25e-6L * (1 + 40 * kAlAlpha);
    EXPECT_NEAR(ObjectiveBound(w.g, box, w.wire, b), 4 * R, 1e-12L * 4 * R);
}

}  // namespace
