// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/wire_search.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <tuple>

#include "engine/constants.h"

namespace varnel::design {
namespace {

constexpr std::size_t kBuildBudget = 60000;  // builds per wire at most
constexpr std::size_t kClosestBudget = 400;  // builds per wire looked at for the closest
constexpr std::size_t kKept = 3;             // best builds kept for the finish
// The scan of R1 upwards: the first step 4 %, each further one half as large again, so a
// build that needs a far larger R1 is reached in a few steps; bisection then finds the least.
constexpr long double kR1Step = 0.04L;

// Meets: every goal holds. Short: B0 falls short at the least gap, and a larger R1 only
// lowers it. Dead: a limit that a larger R1 only makes worse fails. Other: a larger R1 may help.
enum class Status { Meets, Short, Dead, Other };

struct Trial {
    Status status = Status::Other;
    long double h = 0;
    Evaluation eval;
    long double violation = 0;
};

// A gap at which the facing end faces cool as freely as the outer ones, m.
constexpr long double kWideGap = 1;

// R1 fixed: the gap chosen, then the candidate evaluated.
class GapChoice {
  public:
    GapChoice(const Goals& g, const Box& box, const Wire& w, const WoundBuild& b, long double R1)
        : g_(g), box_(box), w_(w), b_(b), R1_(R1) {}

    Trial Choose() {
        Trial t;
        // The gap changes the heat only through the end faces that face each other across it,
        // which cool fully a few millimetres apart: a build is passed over only when it fails
        // with the gap that cools most (and, for the power, at the least gap as well).
        const Heat wide = HeatOf(g_, w_, b_, R1_, kWideGap);
        if (wide.hot.runaway)
            return Evaluated(box_.gapMin);
        const Heat narrow = HeatOf(g_, w_, b_, R1_, box_.gapMin);
        const long double leastPower =
            narrow.hot.runaway ? wide.hot.power : std::min(wide.hot.power, narrow.hot.power);
        if (g_.maxPower && leastPower > *g_.maxPower * (1 - SheetMargins().other)) {
            t = Evaluated(box_.gapMin);
            t.status = g_.currentSource && g_.frequency == 0 ? Status::Dead : Status::Other;
            return t;
        }
        // The coolest winding carries the most current (a voltage source): the most field.
        current_ = wide.hot.current;
        const long double tol = g_.B0Tol * (1 - SheetMargins().b0);
        const long double lo = g_.B0 * (1 - tol), hi = g_.B0 * (1 + tol);
        if (Field(box_.gapMin) < lo) {
            t = Evaluated(box_.gapMin);
            t.status = Status::Short;
            return t;
        }
        // The current at the gap that gives B0, and the gap again with it: the faces' share
        // settles within a few passes.
        for (int pass = 0; pass < 3; ++pass) {
            const Heat at = HeatOf(g_, w_, b_, R1_, GapForField(g_.B0));
            if (at.hot.runaway)
                break;
            current_ = at.hot.current;
        }
        const long double hT = GapForField(g_.B0);
        const long double hA = Field(box_.gapMin) <= hi ? box_.gapMin : GapForField(hi);
        const long double hB = GapForField(lo);
        const long double preferred = g_.minimise == Minimise::Size ? hA : hT;
        if (!g_.uniform)
            return Evaluated(preferred);
        return Evaluated(UniformGap(hA, hB, preferred));
    }

  private:
    long double Field(long double h) const {
        return CentreFieldPerAmpere(b_, R1_, h, FieldModel::Sheet) * current_;
    }

    // The field falls as the coils part: brackets by steps that grow from the least gap (the
    // same whatever the limits), then bisection.
    long double GapForField(long double target) const {
        long double lo = box_.gapMin, hi = lo;
        const long double step = R1_ / 50;
        for (int k = 0; k < 40 && Field(hi) > target; ++k) {
            lo = hi;
            hi = box_.gapMin + step * (std::pow(2.0L, k + 1) - 1);
        }
        for (int k = 0; k < 60 && hi - lo > 1e-8L * hi; ++k) {
            const long double mid = (lo + hi) / 2;
            (Field(mid) > target ? lo : hi) = mid;
        }
        return (lo + hi) / 2;
    }

    long double Deviation(long double h) const {
        return SphereOf(b_, R1_, h, g_.uniform->radius, FieldModel::Sheet).deviation;
    }

    // The gap in [a, b] nearest `preferred` whose deviation holds, by the least deviation
    // (golden section) and bisection toward the preferred gap.
    long double UniformGap(long double a, long double b, long double preferred) const {
        const long double limit = g_.uniform->tol * (1 - SheetMargins().uniform);
        if (Deviation(preferred) <= limit)
            return preferred;
        constexpr long double kGolden = 0.618033988749894848204586834365638118L;
        long double lo = a, hi = b;
        long double x1 = hi - kGolden * (hi - lo), x2 = lo + kGolden * (hi - lo);
        long double f1 = Deviation(x1), f2 = Deviation(x2);
        for (int k = 0; k < 40 && hi - lo > 1e-4L * hi; ++k) {
            if (f1 < f2) {
                hi = x2;
                x2 = x1;
                f2 = f1;
                x1 = hi - kGolden * (hi - lo);
                f1 = Deviation(x1);
            } else {
                lo = x1;
                x1 = x2;
                f1 = f2;
                x2 = lo + kGolden * (hi - lo);
                f2 = Deviation(x2);
            }
        }
        long double good = (lo + hi) / 2, bad = preferred;
        if (Deviation(good) > limit)
            return good;
        for (int k = 0; k < 50 && std::fabs(bad - good) > 1e-6L * good; ++k) {
            const long double mid = (good + bad) / 2;
            (Deviation(mid) <= limit ? good : bad) = mid;
        }
        return good;
    }

    Trial Evaluated(long double h) const {
        Trial t;
        t.h = h;
        t.eval = Evaluate(g_, {&w_, b_, R1_, h}, FieldModel::Sheet);
        t.violation = WorstLimit(LimitValues(g_, box_, t.eval, SheetMargins()));
        t.status = t.violation <= 0 ? Status::Meets : Status::Other;
        return t;
    }

    const Goals& g_;
    const Box& box_;
    const Wire& w_;
    const WoundBuild& b_;
    long double R1_;
    long double current_ = 0;
};

// Orders the builds by their bound; ties by layers, then turns, so the order is one.
struct Queued {
    long double bound;
    long long layers, perLayer;
    bool operator>(const Queued& o) const {
        return std::tie(bound, layers, perLayer) > std::tie(o.bound, o.layers, o.perLayer);
    }
};

class BuildSearch {
  public:
    BuildSearch(const Goals& g, const Box& box, const Wire& w,
                const std::function<long double()>& threshold, std::stop_token stop, bool closest)
        : g_(g), box_(box), w_(w), threshold_(threshold), stop_(stop), closestOnly_(closest) {}

    WireResult Run() {
        if (!closestOnly_ && !CanReach()) {
            result_.stopped = "no build reaches B0";
            return result_;
        }
        Push(1, 1);
        while (!queue_.empty()) {
            if (stop_.stop_requested()) {
                result_.stopped = "stopped";
                return result_;
            }
            const Queued q = queue_.top();
            queue_.pop();
            if (q.bound > Threshold()) {
                result_.stopped = "bound";
                return result_;
            }
            if (result_.builds >= (closestOnly_ ? kClosestBudget : kBuildBudget)) {
                result_.stopped = "budget";
                return result_;
            }
            ++result_.builds;
            const WoundBuild b = MakeBuild(g_.winding, w_, q.layers, q.perLayer);
            const Hope hope = Hopes(b);
            if (hope.here) {
                Place(b);
            } else if (closestOnly_) {
                const long double R1 = std::min(LeastRadius(g_, box_, w_, b), box_.R2max - b.depth);
                Trial t;
                t.h = box_.gapMin;
                t.eval = Evaluate(g_, {&w_, b, R1, t.h}, FieldModel::Sheet);
                t.violation = WorstLimit(LimitValues(g_, box_, t.eval, SheetMargins()));
                Note(b, R1, t);
            }
            if (!hope.more)
                continue;
            Push(q.layers, q.perLayer + 1);
            if (q.perLayer == 1)
                Push(q.layers + 1, 1);
        }
        result_.stopped = "every build";
        return result_;
    }

  private:
    long double Threshold() const {
        long double t = threshold_();
        if (result_.best.size() >= kKept)
            t = std::min(t, result_.best.back().objective);
        return t;
    }

    // With a voltage source B0 <= mu0 U A / (4 pi rho R1^2) whatever the turns: the field per
    // ampere of a turn of radius a, mu0 / (2 a), over its resistance, rho 2 pi a / A.
    bool CanReach() const {
        if (g_.currentSource)
            return true;
        const long double rho =
            g_.material.resistivity20 * (1 + g_.material.alpha * (g_.ambient - 20));
        const long double area = kTruePi * w_.bare * w_.bare / 4;
        const long double most =
            4e-7L * kTruePi * g_.source * area / (4 * kTruePi * rho * box_.R1min * box_.R1min);
        return most >= g_.B0 * (1 - g_.B0Tol);
    }

    void Push(long long layers, long long perLayer) {
        const WoundBuild b = MakeBuild(g_.winding, w_, layers, perLayer);
        if (box_.R1min + b.depth > box_.R2max)
            return;
        if (2 * b.height + box_.gapMin + 2 * g_.cheek > box_.lengthMax)
            return;
        queue_.push({ObjectiveBound(g_, box_, w_, b), layers, perLayer});
    }

    // Whether this build can meet the goals, and whether any build with more layers or turns
    // per layer can.
    struct Hope {
        bool here = true, more = true;
    };

    // The field at the least R1 and gap at the coldest current bounds what the build gives.
    // With a current source the power at the least R1 and the coldest resistance bounds it
    // from below and only grows with more turns. With a voltage source the field per volt
    // only falls as turns are added where each added turn gives less field per length of wire
    // than those before: outside them, where every turn's radius exceeds its axial distance
    // from the centre over sqrt(2) (the field per length, a / (a^2 + z^2)^(3/2), then falls
    // with a and with z).
    Hope Hopes(const WoundBuild& b) const {
        Hope hope;
        if (g_.maxMass && ObjectiveMass(b) > *g_.maxMass)
            return {false, false};
        const long double N = static_cast<long double>(b.turns);
        const long double Ramb = g_.material.resistivity20 * N * 16 *
                                 (box_.R1min + MeanTurnOffset(b)) / (w_.bare * w_.bare) *
                                 (1 + g_.material.alpha * (g_.ambient - 20));
        long double current = g_.source;
        if (g_.currentSource) {
            if (g_.maxPower && current * current * Ramb > *g_.maxPower)
                return {false, false};
            // The rise at the coldest resistance over every surface: the power and the surface
            // both grow as R1 + depth/2, so the bound holds for every R1, and it grows with
            // the turns, N / (H + depth).
            const long double area =
                ExposedArea(box_.R1min, box_.R1min + b.depth, b.height) * g_.heatTransfer;
            if (!(area > 0) || current * current * Ramb / area > AllowedRise(g_))
                return {false, false};
        } else {
            current = g_.source / Ramb;
        }
        const long double least = g_.B0 * (1 - g_.B0Tol);
        const long double most =
            CentreFieldPerAmpere(b, box_.R1min, box_.gapMin, FieldModel::Sheet) * current;
        hope.here = most >= least;
        // Where the power holds, further out, the field and (with a voltage source) the
        // current are less.
        const long double R1 = LeastRadius(g_, box_, w_, b);
        if (hope.here && R1 > box_.R1min) {
            const long double ratio = (box_.R1min + MeanTurnOffset(b)) / (R1 + MeanTurnOffset(b));
            hope.here =
                CentreFieldPerAmpere(b, R1, box_.gapMin, FieldModel::Sheet) * current * ratio >=
                least;
        }
        if (!hope.here && !g_.currentSource) {
            const long double reach = box_.gapMin / 2 + b.height + b.axialPitch * 1.5L;
            hope.more = (box_.R1min + b.firstLayer) * 1.4142135623730950488L > reach;
        }
        return hope;
    }

    long double ObjectiveMass(const WoundBuild& b) const {
        return g_.material.density * 4 * kTruePi * static_cast<long double>(b.turns) *
               (box_.R1min + MeanTurnOffset(b)) * kTruePi * w_.bare * w_.bare / 4;
    }

    void Place(const WoundBuild& b) {
        long double R1 = StartRadius(b);
        const long double R1max = box_.R2max - b.depth;
        if (g_.minimise == Minimise::Mass &&
            ObjectiveMass(b) * (R1 + MeanTurnOffset(b)) / (box_.R1min + MeanTurnOffset(b)) >
                Threshold())
            return;
        if (Screened(b, R1, R1max))
            return;
        std::optional<long double> below;
        long double step = kR1Step;
        while (R1 <= R1max && !stop_.stop_requested()) {
            const Trial t = GapChoice(g_, box_, w_, b, R1).Choose();
            Note(b, R1, t);
            if (t.status == Status::Meets) {
                Refine(b, below, R1, t);
                return;
            }
            if (t.status == Status::Short || t.status == Status::Dead)
                return;
            const long double objective = Objective(g_, t.eval);
            if (g_.minimise != Minimise::Power && objective > Threshold())
                return;
            below = R1;
            R1 = R1 == R1max ? R1max * 2 : std::min(R1 * (1 + step), R1max);
            step *= 1.5L;
        }
    }

    // A build is passed over when it fails, other than by falling short of B0, at the largest
    // R1 that could still beat the best found: the sphere's uniformity, a voltage source's power
    // and a field too strong all improve as R1 grows, so no smaller R1 meets them either.
    bool Screened(const WoundBuild& b, long double R1, long double R1max) {
        if (g_.minimise != Minimise::Mass)
            return false;
        const long double t = Threshold();
        if (!std::isfinite(t))
            return false;
        const long double offset = MeanTurnOffset(b);
        const long double last =
            std::min(R1max, t / ObjectiveMass(b) * (box_.R1min + offset) - offset);
        if (!(last > R1))
            return !(last == R1) && last < R1;
        const Trial trial = GapChoice(g_, box_, w_, b, last).Choose();
        return trial.status == Status::Other;
    }

    // With a voltage source and a power limit, the power falls as R1 grows: start where it holds.
    long double StartRadius(const WoundBuild& b) const {
        const long double lo = LeastRadius(g_, box_, w_, b);
        if (g_.currentSource || !g_.maxPower)
            return lo;
        auto power = [&](long double R1) { return HeatOf(g_, w_, b, R1, box_.gapMin).hot.power; };
        if (power(lo) <= *g_.maxPower)
            return lo;
        long double a = lo, c = lo * 1.1L;
        for (int k = 0; k < 80 && power(c) > *g_.maxPower; ++k) {
            a = c;
            c *= 1.1L;
        }
        for (int k = 0; k < 50 && c - a > 1e-7L * c; ++k) {
            const long double mid = (a + c) / 2;
            (power(mid) > *g_.maxPower ? a : c) = mid;
        }
        return std::max(lo, a);
    }

    // The least R1 between one that failed and one that meets, by bisection.
    void Refine(const WoundBuild& b, std::optional<long double> below, long double R1, Trial t) {
        if (below && g_.minimise != Minimise::Power) {
            long double lo = *below, hi = R1;
            for (int k = 0; k < 24 && hi - lo > 1e-6L * hi; ++k) {
                const long double mid = (lo + hi) / 2;
                const Trial m = GapChoice(g_, box_, w_, b, mid).Choose();
                if (m.status == Status::Meets) {
                    hi = mid;
                    t = m;
                } else {
                    lo = mid;
                }
            }
            R1 = hi;
        }
        Keep({{&w_, b, R1, t.h}, t.eval, Objective(g_, t.eval)});
    }

    void Keep(const Placed& p) {
        auto& best = result_.best;
        const auto at = std::find_if(best.begin(), best.end(),
                                     [&](const Placed& q) { return p.objective < q.objective; });
        best.insert(at, p);
        if (best.size() > kKept)
            best.pop_back();
    }

    void Note(const WoundBuild& b, long double R1, const Trial& t) {
        if (!result_.best.empty() || t.violation >= result_.closestViolation)
            return;
        result_.closestViolation = t.violation;
        result_.closest = Placed{{&w_, b, R1, t.h}, t.eval, Objective(g_, t.eval)};
    }

    const Goals& g_;
    const Box& box_;
    const Wire& w_;
    const std::function<long double()>& threshold_;
    std::stop_token stop_;
    std::priority_queue<Queued, std::vector<Queued>, std::greater<>> queue_;
    bool closestOnly_ = false;
    WireResult result_;
};

}  // namespace

long double LeastRadius(const Goals& g, const Box& box, const Wire& w, const WoundBuild& b) {
    if (g.currentSource || !g.maxPower || g.frequency > 0)
        return box.R1min;
    // A voltage source's power, U^2/R, holds only once R at the hottest allowed reaches
    // U^2/Pmax; R grows with R1 as 16 rho N (R1 + offset) / D^2.
    const long double hottest = g.ambient + AllowedRise(g);
    const long double rho = g.material.resistivity20 * (1 + g.material.alpha * (hottest - 20));
    const long double needed = g.source * g.source / *g.maxPower;
    const long double N = static_cast<long double>(b.turns);
    const long double R1 = needed * w.bare * w.bare / (16 * rho * N) - MeanTurnOffset(b);
    return std::max(box.R1min, R1);
}

Margins SheetMargins() {
    return {0.03L, 0.01L, 1e-4L};
}

long double ObjectiveBound(const Goals& g, const Box& box, const Wire& w, const WoundBuild& b) {
    const long double N = static_cast<long double>(b.turns);
    switch (g.minimise) {
        case Minimise::Mass:
            return g.material.density * 4 * kTruePi * N *
                   (LeastRadius(g, box, w, b) + MeanTurnOffset(b)) * kTruePi * w.bare * w.bare / 4;
        case Minimise::Size: {
            const long double R2 = box.R1min + b.depth;
            return kTruePi * R2 * R2 * (2 * b.height + box.gapMin + 2 * g.cheek);
        }
        case Minimise::Power:
            if (g.currentSource) {
                const long double R = g.material.resistivity20 * N * 16 *
                                      (box.R1min + MeanTurnOffset(b)) / (w.bare * w.bare) *
                                      (1 + g.material.alpha * (g.ambient - 20));
                return g.source * g.source * R;
            }
            return 0;  // a voltage source's power falls as turns are added: no bound
    }
    return 0;
}

WireResult SearchWire(const Goals& g, const Box& box, const Wire& w,
                      const std::function<long double()>& threshold, std::stop_token stop,
                      bool closestOnly) {
    return BuildSearch(g, box, w, threshold, stop, closestOnly).Run();
}

}  // namespace varnel::design
