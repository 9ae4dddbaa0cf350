// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/search.h"

#include <nlopt.hpp>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "accuracy/exact_coils.h"
#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/errors.h"
#include "command/fp_guard.h"
#include "command/text_controls.h"
#include "engine/constants.h"
#include "engine/inductance.h"

namespace varnel::design {
namespace {

constexpr long double kPiTrue = 3.141592653589793238462643383279502884L;
constexpr int kSearchOrder = 24;  // terms of the expansion while searching
constexpr int kReportOrder = 40;  // and for the extents reported
constexpr long double kLeastGap = 1e-4L;

bool Given(const std::optional<long double>& v) {
    return v.has_value();
}

// The temperature limits as one value, at most 1 while both hold: the mean rise, which the
// winding's resistance tells, within the limit given; the hottest point within the class.
long double TemperatureLoad(const Goals& g, const ThermalState& t) {
    const long double byClass = t.hotSpot / (g.thermalClass - g.ambient);
    return Given(g.maxTempRise) ? std::max(t.rise / *g.maxTempRise, byClass) : byClass;
}

// The search box: the limits given, or generous ones where none is.
struct Box {
    long double R1min, R2max, lengthMax;
};

Box SearchBox(const Goals& g) {
    Box b;
    b.R1min = std::max(g.bore, 1e-3L);
    if (g.uniform)
        b.R1min = std::max(b.R1min, g.uniform->radius * 1.05L);
    b.R2max = g.maxOuter.value_or(std::max(0.3L, 3 * b.R1min));
    b.lengthMax = g.maxLength.value_or(2 * b.R2max);
    return b;
}

// The limits, each a value <= 0 when it holds.
enum Limit { kB0High, kB0Low, kUniform, kReach, kPower, kTemp, kOuter, kLength, kMass, kLimits };

// Each limit as a value that is <= 0 when it holds, scaled so that 1 is a limit's worth.
std::array<long double, kLimits> LimitValues(const Goals& g, const Box& box, const Evaluation& e,
                                             long double margin) {
    std::array<long double, kLimits> c{};
    const long double off = (e.B0 / g.B0 - 1) / g.B0Tol;
    c[kB0High] = off - margin;
    c[kB0Low] = -off - margin;
    c[kUniform] = -1;
    c[kReach] = -1;
    if (g.uniform) {
        const long double dev = std::isfinite(e.sphereDeviation) ? e.sphereDeviation : 1e3L;
        c[kUniform] = std::min(dev / g.uniform->tol, 1e3L) - std::min(margin, 0.85L);
        // The expansion is kept well inside its reach, where 24 terms suffice.
        c[kReach] = e.reachRatio / 0.6L - 1;
    }
    // The other limits are met with a hair to spare, for the rounding of the printed inputs.
    constexpr long double kHair = 1 - 1e-4L;
    c[kPower] = Given(g.maxPower) ? e.hot.power / *g.maxPower - kHair : -1;
    if (e.hot.runaway) {
        c[kTemp] = 10;
    } else {
        c[kTemp] = TemperatureLoad(g, e.hot) - kHair;
    }
    c[kOuter] = e.geometry.R2 / box.R2max - 1;
    c[kLength] = (2 * e.geometry.H + e.geometry.h) / box.lengthMax - 1;
    c[kMass] = Given(g.maxMass) ? e.mass / *g.maxMass - kHair : -1;
    for (long double& v : c) {
        if (!std::isfinite(v))
            v = 1e3L;
    }
    return c;
}

long double Objective(const Goals& g, const Evaluation& e) {
    switch (g.minimise) {
        case Minimise::Power:
            return e.hot.power;
        case Minimise::Mass:
            return e.mass;
        case Minimise::Size:
            return e.size;
    }
    return e.hot.power;
}

// Search coordinates in [0, 1]: R1 linear, the depth, H and h on log scales.
struct Coordinates {
    long double R1lo, R1hi, dlo, dhi, Hlo, Hhi, hlo, hhi;

    Coordinates(const Box& box, const Wire& w)
        : R1lo(box.R1min),
          R1hi(std::max(box.R1min * 1.001L, box.R2max - w.overall)),
          dlo(w.overall),
          dhi(std::max(w.overall * 1.001L, box.R2max - box.R1min)),
          Hlo(w.overall),
          Hhi(std::max(w.overall * 1.001L, box.lengthMax / 2)),
          hlo(kLeastGap),
          hhi(std::max(kLeastGap * 1.001L, box.lengthMax)) {}

    static long double Log(long double lo, long double hi, double u) {
        return lo * std::pow(hi / lo, static_cast<long double>(u));
    }
    std::array<long double, 4> Geometry(const double* u) const {
        const long double R1 = R1lo + (R1hi - R1lo) * u[0];
        const long double depth = Log(dlo, dhi, u[1]);
        return {R1, R1 + depth, Log(Hlo, Hhi, u[2]), Log(hlo, hhi, u[3])};
    }
};

// One local search and what it found: the best point that met every limit, and the best
// point by the merit used when none did.
struct Found {
    bool feasible = false;
    Evaluation eval;
    long double objective = 0;
    std::array<long double, kLimits> limits{};
    bool wholeTurns = false;  // found with whole turns, after the thorough search
};

enum class Aim { Design, ClosestB0 };

class LocalSearch {
  public:
    LocalSearch(const Goals& g, const Box& box, const Wire& w, Aim aim, bool whole,
                long double margin, std::stop_token stop)
        : g_(g),
          box_(box),
          wire_(w),
          coords_(box, w),
          aim_(aim),
          whole_(whole),
          margin_(margin),
          stop_(stop) {}

    void Run(std::array<double, 4> start, int evaluations, double step) {
        nlopt::opt opt(nlopt::LN_COBYLA, 4);
        opt.set_lower_bounds(std::vector<double>(4, 0.0));
        opt.set_upper_bounds(std::vector<double>(4, 1.0));
        opt.set_min_objective(&LocalSearch::ObjectiveThunk, this);
        for (int i = 0; i < kLimits; ++i) {
            if (aim_ == Aim::ClosestB0 && (i == kB0High || i == kB0Low))
                continue;
            constraints_[i] = {this, i};
            opt.add_inequality_constraint(&LocalSearch::ConstraintThunk, &constraints_[i], 0);
        }
        opt.set_maxeval(evaluations);
        opt.set_xtol_rel(1e-7);
        opt.set_initial_step(step);
        std::vector<double> x(start.begin(), start.end());
        double value = 0;
        try {
            opt.optimize(x, value);
        } catch (const std::exception&) {
            // A stop, or a round-off limit: what was seen so far stands.
        }
    }

    const Found& Result() const { return found_; }

  private:
    struct ConstraintRef {
        LocalSearch* self = nullptr;
        int index = 0;
    };

    const std::array<long double, kLimits>& At(const double* u) {
        if (stop_.stop_requested())
            throw nlopt::forced_stop();
        if (!cached_ || !std::equal(u, u + 4, last_.begin())) {
            std::copy(u, u + 4, last_.begin());
            const auto geo = coords_.Geometry(u);
            eval_ = Evaluate(g_, wire_, geo[0], geo[1], geo[2], geo[3], whole_);
            limits_ = LimitValues(g_, box_, eval_, margin_);
            cached_ = true;
            Consider();
        }
        return limits_;
    }

    long double Merit() const {
        if (aim_ == Aim::Design)
            return Objective(g_, eval_);
        const long double off = (eval_.B0 / g_.B0 - 1) / g_.B0Tol;
        return off * off;
    }

    void Consider() {
        long double worst = -1e300L;
        for (int i = 0; i < kLimits; ++i) {
            if (aim_ == Aim::ClosestB0 && (i == kB0High || i == kB0Low))
                continue;
            worst = std::max(worst, limits_[i]);
        }
        const bool feasible = worst <= 0 && eval_.fit.turns > 0;
        const long double merit = feasible ? Merit() : worst;
        const bool better = !seen_ || (feasible && !found_.feasible) ||
                            (feasible == found_.feasible && merit < found_.objective);
        if (better) {
            seen_ = true;
            found_ = {feasible, eval_, merit, limits_};
        }
    }

    static double ObjectiveThunk(unsigned, const double* u, double*, void* data) {
        auto* self = static_cast<LocalSearch*>(data);
        self->At(u);
        const long double m = self->Merit();
        return std::isfinite(m) ? static_cast<double>(m) : 1e300;
    }

    static double ConstraintThunk(unsigned, const double* u, double*, void* data) {
        auto* ref = static_cast<ConstraintRef*>(data);
        return static_cast<double>(ref->self->At(u)[ref->index]);
    }

    const Goals& g_;
    const Box& box_;
    const Wire& wire_;
    Coordinates coords_;
    Aim aim_;
    bool whole_;
    long double margin_;
    std::stop_token stop_;
    std::array<ConstraintRef, kLimits> constraints_{};
    std::array<double, 4> last_{};
    bool cached_ = false;
    Evaluation eval_;
    std::array<long double, kLimits> limits_{};
    bool seen_ = false;
    Found found_;
};

// Starting points spread over the box by a fixed low-discrepancy sequence, so the answer is
// the same on every run.
std::array<double, 4> StartPoint(int i) {
    constexpr std::array<double, 4> kGolden = {0.5698402909980532, 0.7548776662466927,
                                               0.3176648037221436, 0.4655712318767680};
    std::array<double, 4> u{};
    for (int k = 0; k < 4; ++k) {
        const double v = 0.5 + kGolden[k] * (i + 1);
        u[k] = 0.1 + 0.8 * (v - std::floor(v));
    }
    return u;
}

bool Better(const Found& a, const Found& b) {
    return (a.feasible && !b.feasible) || (a.feasible == b.feasible && a.objective < b.objective);
}

// A first look at a wire: one short search from the middle of the box.
Found ScreenWire(const Goals& g, const Box& box, const Wire& w, Aim aim, std::stop_token stop) {
    LocalSearch smooth(g, box, w, aim, false, aim == Aim::Design ? 0.5L : 0.98L, stop);
    smooth.Run(StartPoint(0), 250, 0.15);
    return smooth.Result();
}

// The best a wire gives: a search on the smooth turn count from more starts, then the same
// search on whole turns from the best, so the printed turns meet the goals themselves.
Found SearchWire(const Goals& g, const Box& box, const Wire& w, Aim aim, Found best,
                 std::stop_token stop) {
    constexpr int kStarts = 3;
    for (int s = 1; s <= kStarts && !stop.stop_requested(); ++s) {
        LocalSearch smooth(g, box, w, aim, false, aim == Aim::Design ? 0.5L : 0.98L, stop);
        smooth.Run(StartPoint(s), 400, 0.15);
        if (Better(smooth.Result(), best))
            best = smooth.Result();
    }
    if (stop.stop_requested())
        return best;
    Coordinates coords(box, w);
    const PairGeometry& geo = best.eval.geometry;
    auto unit = [](long double v, long double lo, long double hi, bool log) {
        const long double u = log ? std::log(v / lo) / std::log(hi / lo) : (v - lo) / (hi - lo);
        return static_cast<double>(std::clamp(u, 0.0L, 1.0L));
    };
    const std::array<double, 4> start = {unit(geo.R1, coords.R1lo, coords.R1hi, false),
                                         unit(geo.R2 - geo.R1, coords.dlo, coords.dhi, true),
                                         unit(geo.H, coords.Hlo, coords.Hhi, true),
                                         unit(geo.h, coords.hlo, coords.hhi, true)};
    LocalSearch whole(g, box, w, aim, true, aim == Aim::Design ? 0.9L : 0.99L, stop);
    whole.Run(start, 300, 0.01);
    Found result = whole.Result();
    result.wholeTurns = true;
    return result;
}

std::string Sentence(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += i + 1 == parts.size() ? " and " : ", ";
        out += parts[i];
    }
    return out;
}

std::string Quantity(long double v, const char* unit) {
    // Field in mT or uT as people say it; the others in their own unit.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3Lg %s", v, unit);
    return buffer;
}

std::string FieldText(long double tesla) {
    if (std::fabs(tesla) >= 1)
        return Quantity(tesla, "T");
    if (std::fabs(tesla) >= 1e-3L)
        return Quantity(tesla * 1e3L, "mT");
    return Quantity(tesla * 1e6L, "uT");
}

// The limits that bind at an evaluation: those within 2 % of their value.
std::vector<std::string> BindingLimits(const Goals& g, const Box& box, const Evaluation& e,
                                       bool phrases) {
    std::vector<std::string> out;
    const auto c = LimitValues(g, box, e, 1);
    auto add = [&](const std::string& name, const std::string& phrase) {
        out.push_back(phrases ? phrase : name);
    };
    if (g.uniform && (c[kUniform] > -0.2L || c[kReach] > -0.02L)) {
        add("uniform", "a uniformity of " + Quantity(g.uniform->tol * 100, "%") + " over " +
                           Quantity(g.uniform->radius * 1e3L, "mm"));
    }
    if (Given(g.maxPower) && c[kPower] > -0.02L)
        add("max-power", Quantity(*g.maxPower, "W"));
    // A runaway passes both.
    if (Given(g.maxTempRise) && (e.hot.runaway || e.hot.rise / *g.maxTempRise > 0.98L))
        add("max-temp-rise", "a temperature rise of " + Quantity(*g.maxTempRise, "K"));
    if (e.hot.runaway || e.hot.hotSpot / (g.thermalClass - g.ambient) > 0.98L)
        add("class", "a hot spot of " + Quantity(g.thermalClass, "C"));
    if (c[kOuter] > -0.02L) {
        add(Given(g.maxOuter) ? "max-outer" : "search-outer",
            "an outer radius of " + Quantity(box.R2max * 1e3L, "mm"));
    }
    if (c[kLength] > -0.02L) {
        add(Given(g.maxLength) ? "max-length" : "search-length",
            "a length of " + Quantity(box.lengthMax * 1e3L, "mm"));
    }
    if (Given(g.maxMass) && c[kMass] > -0.02L)
        add("max-mass", "a mass of " + Quantity(*g.maxMass, "kg"));
    if (g.bore > 0 && e.geometry.R1 < g.bore * 1.02L)
        add("bore", "a bore of " + Quantity(g.bore * 1e3L, "mm"));
    return out;
}

// The calculator's inputs for a design at its operating temperature.
std::vector<std::string> CalculatorInputs(const Goals& g, const Wire& w, const Evaluation& e,
                                          long double hotResistivity) {
    // The section is printed a little larger, never smaller, so the turns still fit it; Lambda
    // is worked out from the printed section, so the calculator counts the whole turns.
    const long double up = 1 + 1e-5L;
    const std::string R1 = ShortNumber(e.geometry.R1 * up, 6);
    const std::string R2 = ShortNumber(e.geometry.R2 * up * up, 6);
    const std::string H = ShortNumber(e.geometry.H * up, 6);
    const std::string D = ShortNumber(w.bare, 6);
    const long double depth = std::strtold(R2.c_str(), nullptr) - std::strtold(R1.c_str(), nullptr);
    const long double bare = std::strtold(D.c_str(), nullptr);
    const long double lambda = static_cast<long double>(e.fit.turns) * kPi * bare * bare /
                               (4 * std::strtold(H.c_str(), nullptr) * depth);
    std::vector<std::string> in = {"--R1",     R1,
                                   "--R2",     R2,
                                   "--H",      H,
                                   "--h",      ShortNumber(e.geometry.h, 6),
                                   "--D",      D,
                                   "--Lambda", ShortNumber(lambda, 15),
                                   "--Roe",    ShortNumber(hotResistivity, 6),
                                   "--Ro",     ShortNumber(g.material.density, 6),
                                   "--f",      ShortNumber(g.frequency, 6),
                                   "--source", ShortNumber(g.source, 9)};
    if (g.currentSource)
        in.push_back("--current");
    return in;
}

std::string Option(const std::vector<std::string>& in, const std::string& name) {
    for (std::size_t i = 0; i + 1 < in.size(); ++i) {
        if (in[i] == name)
            return in[i + 1];
    }
    return "";
}

// Recomputes a design from its printed inputs with the calculate command and the accuracy
// library; false when the recomputation does not bear the design out.
bool Verify(const Goals& g, const Box& box, const Wire& w, const Evaluation& found, Design* out) {
    const long double hotRho =
        g.material.resistivity20 * (1 + g.material.alpha * (g.ambient + found.hot.rise - 20));
    Design d;
    d.wire = w;
    d.hotResistivity = hotRho;
    d.inputs = CalculatorInputs(g, w, found, hotRho);

    TextControls controls;
    const std::array<std::pair<const char*, const char*>, 10> boxes = {{{"--R1", "eR1"},
                                                                        {"--R2", "eR2"},
                                                                        {"--H", "eH"},
                                                                        {"--h", "ehh"},
                                                                        {"--D", "eD"},
                                                                        {"--Lambda", "eLambda"},
                                                                        {"--Roe", "eRoe"},
                                                                        {"--Ro", "eRo"},
                                                                        {"--f", "eFREQ"},
                                                                        {"--source", "eSource1"}}};
    for (const auto& [option, name] : boxes)
        controls.SetText(name, Option(d.inputs, option));
    controls.SetText("ex", "0");
    controls.SetText("ez", "0");
    controls.SetCurrentSource(g.currentSource);
    CalcRecord rec;
    try {
        bCalcClick(controls, rec);
    } catch (const CommandError&) {
        return false;
    }
    if (controls.Text(kStatusBox) != kReadyText)
        return false;

    // The model again, from the geometry as printed, with the turns found.
    WindingFit fit = FitWinding(g.winding, w, rec.R2 - rec.R1, rec.H);
    const bool fits = fit.turns >= found.fit.turns;
    fit.turns = found.fit.turns;
    fit.lambda = rec.Lambda;
    d.model = EvaluateTurns(g, w, rec.R1, rec.R2, rec.H, rec.hh, fit, rec.N);
    d.R20 = d.model.resistance20;
    d.Rhot = rec.R;
    d.L = rec.L;
    d.I = rec.Id;
    d.U = rec.Ud;
    d.P = rec.P;
    d.B0classic = rec.K0 * std::fabs(rec.Id);
    const exact::RefinedField centre =
        exact::PairField(rec.R1, rec.R2, rec.H, rec.hh, rec.N, 0, 0, std::fabs(rec.Id));
    d.B0exact = centre.axial.value;
    d.timeConstant = rec.L / rec.R;
    d.heatingRate = rec.P / (rec.m * g.material.specificHeat);
    d.thermalTimeConstant = d.model.hot.timeConstant;
    d.B0switchOn = d.B0exact * d.model.hot.coldCurrent / d.model.hot.current;

    const CentreExpansion e(d.model.geometry, std::fabs(rec.Id), kReportOrder);
    d.extentsTol = g.uniform ? g.uniform->tol : 1e-3L;
    d.extents = FindUniformExtents(d.model.geometry, e, d.extentsTol);

    bool holds = fits && std::fabs(d.B0exact / g.B0 - 1) <= g.B0Tol;
    if (Given(g.maxPower))
        holds = holds && d.P <= *g.maxPower;
    if (Given(g.maxMass))
        holds = holds && rec.m <= *g.maxMass;
    if (Given(g.maxOuter))
        holds = holds && rec.R2 <= *g.maxOuter;
    if (Given(g.maxLength))
        holds = holds && 2 * rec.H + rec.hh <= *g.maxLength;
    holds = holds && rec.R1 >= g.bore && !d.model.hot.runaway;
    holds = holds && TemperatureLoad(g, d.model.hot) <= 1;
    if (g.uniform) {
        // Points on the sphere's surface, where the deviation is largest, by the integrals.
        constexpr std::array<long double, 5> kAngles = {
            0, 0.3926990816987241548L, 0.7853981633974483096L, 1.1780972450961724644L,
            1.5707963267948966192L};
        for (long double theta : kAngles) {
            const long double r = g.uniform->radius;
            const exact::RefinedField f =
                exact::PairField(rec.R1, rec.R2, rec.H, rec.hh, rec.N, r * std::sin(theta),
                                 r * std::cos(theta), std::fabs(rec.Id));
            const long double dev =
                std::fabs(std::hypot(f.radial.value, f.axial.value) / d.B0exact - 1);
            d.sphereExact = std::max(d.sphereExact, dev);
        }
        holds = holds && d.sphereExact <= g.uniform->tol;
    }
    d.binding = BindingLimits(g, box, d.model, false);
    std::string command = "varnel-calc";
    for (const std::string& part : d.inputs)
        command += " " + part;
    d.command = command;
    *out = d;
    return holds;
}

// Runs task(i) for i in [0, count) on `threads` threads, reporting each one done.
void InParallel(std::size_t count, unsigned threads, std::stop_token stop,
                const std::function<void(std::size_t)>& task, const std::function<void()>& done) {
    std::atomic<std::size_t> next{0};
    std::mutex report;
    auto worker = [&] {
        for (;;) {
            const std::size_t i = next.fetch_add(1);
            if (i >= count || stop.stop_requested())
                return;
            task(i);
            std::lock_guard lock(report);
            done();
        }
    };
    std::vector<std::jthread> pool;
    for (unsigned t = 0;
         t < std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(count))); ++t)
        pool.emplace_back(worker);
}

// Every wire screened, then the most promising searched thoroughly: the search's results,
// one per wire (those not searched keep their screening).
std::vector<Found> RunOverWires(const Goals& g, const Box& box, Aim aim, std::stop_token stop,
                                const Progress& progress, unsigned threads) {
    const std::size_t wires = g.wires.size();
    const std::size_t deep = std::min(wires, static_cast<std::size_t>(std::max(g.count + 3, 8)));
    const std::size_t total = wires + deep;
    std::size_t done = 0;
    auto tick = [&] {
        ++done;
        if (progress)
            progress(done, total);
    };
    std::vector<Found> found(wires);
    InParallel(
        wires, threads, stop,
        [&](std::size_t i) { found[i] = ScreenWire(g, box, g.wires[i], aim, stop); }, tick);
    std::vector<std::size_t> order(wires);
    for (std::size_t i = 0; i < wires; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return Better(found[a], found[b]); });
    order.resize(deep);
    InParallel(
        deep, threads, stop,
        [&](std::size_t k) {
            const std::size_t i = order[k];
            found[i] = SearchWire(g, box, g.wires[i], aim, found[i], stop);
        },
        tick);
    return found;
}

}  // namespace

std::string ShortNumber(long double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lg", digits, value);
    return buffer;
}

void CheckGoals(const Goals& g) {
    auto fail = [](const std::string& why) { throw GoalError(why); };
    if (!(g.B0 > 0) || !std::isfinite(g.B0))
        fail("--B0 must be a positive field in tesla");
    if (!(g.B0Tol > 0) || !(g.B0Tol < 1))
        fail("--B0-tol must lie between 0 and 1");
    if (g.uniform && (!(g.uniform->tol > 0) || !(g.uniform->tol < 1)))
        fail("--uniform: the tolerance must lie between 0 and 1");
    if (g.uniform && !(g.uniform->radius > 0))
        fail("--uniform: the radius must be positive");
    if (!(g.source > 0) || !std::isfinite(g.source))
        fail(g.currentSource ? "--current must be positive" : "--voltage must be positive");
    if (!(g.frequency >= 0))
        fail("--f must not be negative");
    auto positive = [&](const std::optional<long double>& v, const char* name) {
        if (v && !(*v > 0))
            fail(std::string(name) + " must be positive");
    };
    positive(g.maxPower, "--max-power");
    positive(g.maxTempRise, "--max-temp-rise");
    positive(g.maxOuter, "--max-outer");
    positive(g.maxLength, "--max-length");
    positive(g.maxMass, "--max-mass");
    if (!(g.bore >= 0))
        fail("--bore must not be negative");
    if (g.maxOuter && !(g.bore < *g.maxOuter))
        fail("--bore must be below --max-outer");
    if (g.uniform && g.maxOuter && !(g.uniform->radius < *g.maxOuter))
        fail("--uniform: the sphere does not fit inside --max-outer");
    if (!(g.heatTransfer >= 0))
        fail("--heat-transfer must not be negative");
    if (!(g.windingConductivity > 0) || !std::isfinite(g.windingConductivity))
        fail("--winding-conductivity must be a positive conductivity in W/(m K)");
    if (!(g.ambient > -273.15L))
        fail("--ambient lies below absolute zero");
    if (!(g.thermalClass > g.ambient))
        fail("--class: the insulation's class must lie above the ambient temperature");
    if (g.count < 1)
        fail("--count must be at least 1");
    if (g.wires.empty())
        fail("the wire catalogue is empty");
    if (!(g.material.resistivity20 > 0) || !(g.material.density > 0))
        fail("the material has no resistivity or density");
}

Evaluation Evaluate(const Goals& g, const Wire& w, long double R1, long double R2, long double H,
                    long double h, bool wholeTurns) {
    const WindingFit fit = FitWinding(g.winding, w, R2 - R1, H);
    const long double N =
        wholeTurns ? static_cast<long double>(fit.turns) : std::max(fit.idealTurns, 1e-9L);
    return EvaluateTurns(g, w, R1, R2, H, h, fit, N);
}

Evaluation EvaluateTurns(const Goals& g, const Wire& w, long double R1, long double R2,
                         long double H, long double h, const WindingFit& fit, long double N) {
    Evaluation e;
    const long double depth = R2 - R1;
    e.fit = fit;
    e.geometry = {R1, R2, H, h, N};
    // Two coils of N turns of mean length pi*(R1 + R2), the pi cancelling with the wire's.
    e.resistance20 = g.material.resistivity20 * N * 8 * (R1 + R2) / (w.bare * w.bare);
    if (g.frequency > 0) {
        const long double lambda = N * kPiTrue * w.bare * w.bare / (4 * H * depth);
        e.inductance = PairInductance(R1, R2, H, h, w.bare, lambda).inductance;
    }
    e.wireLength = 2 * N * kPiTrue * (R1 + R2);
    e.mass = g.material.density * e.wireLength * kPiTrue * w.bare * w.bare / 4;
    ThermalInput t;
    t.resistance20 = e.resistance20;
    t.alpha = g.material.alpha;
    t.ambient = g.ambient;
    t.reactance = 2 * kPiTrue * g.frequency * e.inductance;
    t.heatTransfer = g.heatTransfer;
    t.area = CooledArea(R1, R2, H, h);
    t.R1 = R1;
    t.R2 = R2;
    t.H = H;
    t.conductivity = g.windingConductivity;
    t.heatCapacity = e.mass * g.material.specificHeat;
    t.currentSource = g.currentSource;
    t.source = g.source;
    e.hot = SteadyState(t);
    e.B0 = AxialFieldOnAxis(e.geometry, 0, e.hot.current);
    if (g.uniform) {
        const CentreExpansion x(e.geometry, e.hot.current, kSearchOrder);
        e.reachRatio = g.uniform->radius / x.Reach();
        e.sphereDeviation = DeviationOnSphere(x, g.uniform->radius).deviation;
    }
    e.size = kPiTrue * R2 * R2 * (2 * H + h);
    return e;
}

Answer FindDesigns(const Goals& g, std::stop_token stop, const Progress& progress,
                   unsigned threads) {
    CheckGoals(g);
    const Box box = SearchBox(g);
    Answer answer;
    std::vector<Found> found = RunOverWires(g, box, Aim::Design, stop, progress, threads);
    if (stop.stop_requested()) {
        answer.interrupted = true;
        return answer;
    }
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (found[i].feasible && found[i].wholeTurns)
            order.push_back(i);
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return found[a].objective < found[b].objective;
    });
    for (std::size_t i : order) {
        if (answer.designs.size() >= static_cast<std::size_t>(g.count))
            break;
        Design d;
        if (Verify(g, box, g.wires[i], found[i].eval, &d)) {
            answer.designs.push_back(d);
        } else {
            ++answer.rejectedByCheck;
        }
    }
    if (!answer.designs.empty())
        return answer;

    // No design: the closest the limits allow, and the limits that hold it back.
    found = RunOverWires(g, box, Aim::ClosestB0, stop, progress, threads);
    if (stop.stop_requested()) {
        answer.interrupted = true;
        return answer;
    }
    std::optional<std::size_t> bestIndex;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const bool better = !bestIndex || (found[i].feasible && !found[*bestIndex].feasible) ||
                            (found[i].feasible == found[*bestIndex].feasible &&
                             found[i].objective < found[*bestIndex].objective);
        if (better)
            bestIndex = i;
    }
    const std::string goal = "no design reaches " + FieldText(g.B0);
    if (!bestIndex || !found[*bestIndex].feasible) {
        std::vector<std::string> why;
        if (bestIndex)
            why = BindingLimits(g, box, found[*bestIndex].eval, true);
        answer.error = "no design meets the limits" +
                       (why.empty() ? std::string() : " (" + Sentence(why) + ")") +
                       " with the wires of the catalogue";
        return answer;
    }
    const Found& best = found[*bestIndex];
    std::vector<std::string> why = BindingLimits(g, box, best.eval, true);
    if (why.empty())
        why.push_back(g.currentSource ? "the supply current" : "the supply voltage");
    answer.error =
        goal + " within " + Sentence(why) + "; the best reaches " + FieldText(best.eval.B0);
    Design d;
    const bool holds = Verify(g, box, g.wires[*bestIndex], best.eval, &d);
    if (holds) {
        // The closest meets the field after all: a design the first search missed.
        answer.error.clear();
        answer.designs.push_back(d);
        return answer;
    }
    answer.best = d;
    return answer;
}

long double SecondOrderRatio(const PairGeometry& g) {
    const CentreExpansion e(g, 1, 2);
    return e.Coefficients()[2] / e.Coefficients()[0];
}

namespace {

// The zero of f on [lo, hi] by NLopt's bounded local search on f^2, from the middle.
template <typename F>
long double ZeroBetween(const F& f, long double lo, long double hi) {
    struct Data {
        const F* f;
        long double lo, hi;
    } data{&f, lo, hi};
    nlopt::opt opt(nlopt::LN_BOBYQA, 1);
    opt.set_lower_bounds(std::vector<double>{0.0});
    opt.set_upper_bounds(std::vector<double>{1.0});
    opt.set_min_objective(
        [](unsigned, const double* u, double*, void* p) {
            const auto* d = static_cast<const Data*>(p);
            const long double v = (*d->f)(d->lo + (d->hi - d->lo) * u[0]);
            return static_cast<double>(v * v);
        },
        &data);
    opt.set_xtol_abs(1e-12);
    opt.set_ftol_abs(0);
    opt.set_maxeval(400);
    std::vector<double> x{0.5};
    double value = 0;
    try {
        opt.optimize(x, value);
    } catch (const std::exception&) {
    }
    return lo + (hi - lo) * x[0];
}

}  // namespace

long double MostUniformGap(long double R1, long double R2, long double H, long double hLow,
                           long double hHigh) {
    return ZeroBetween(
        [&](long double h) {
            // Scaled so the objective is of order one near the zero.
            return SecondOrderRatio({R1, R2, H, h, 1}) * R1 * R2;
        },
        hLow, hHigh);
}

long double MostUniformHeight(long double meanRadius, long double area, long double spacing,
                              long double HLow, long double HHigh) {
    return ZeroBetween(
        [&](long double H) {
            const long double depth = area / H;
            const PairGeometry g{meanRadius - depth / 2, meanRadius + depth / 2, H, spacing - H, 1};
            // The residue is of the order of the section's square: scale it up to order one.
            return SecondOrderRatio(g) * meanRadius * meanRadius * meanRadius * meanRadius / area;
        },
        HLow, HHigh);
}

}  // namespace varnel::design
