// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/finish.h"

#include <nlopt.hpp>

#include <cmath>
#include <vector>

#include "design/sensitivity.h"

namespace varnel::design {
namespace {

constexpr long double kMicrometre = 1e-6L;

long double WholeMicrometres(long double v, bool up) {
    const long double n = v / kMicrometre;
    return (up ? std::ceil(n - 1e-9L) : std::nearbyint(n)) * kMicrometre;
}

class TurnSearch {
  public:
    TurnSearch(const Goals& g, const Box& box, const Placed& start, std::stop_token stop)
        : g_(g), box_(box), start_(start), stop_(stop) {}

    // Minimises the objective over (R1, h) scaled to the start, every limit a constraint.
    Finished Run() {
        Finished out;
        if (Consider(start_.candidate))
            return Done(out);
        nlopt::opt opt(nlopt::LN_COBYLA, 2);
        opt.set_lower_bounds(std::vector<double>{static_cast<double>(box_.R1min / Scale(0)),
                                                 static_cast<double>(box_.gapMin / Scale(1))});
        opt.set_upper_bounds(std::vector<double>{1.5, 3.0});
        opt.set_min_objective(&TurnSearch::ObjectiveThunk, this);
        for (int i = 0; i < kLimits; ++i) {
            refs_[static_cast<std::size_t>(i)] = {this, i};
            opt.add_inequality_constraint(&TurnSearch::LimitThunk,
                                          &refs_[static_cast<std::size_t>(i)], 0);
        }
        opt.set_maxeval(300);
        opt.set_xtol_rel(1e-9);
        opt.set_initial_step(1e-3);
        std::vector<double> x = {1.0, 1.0};
        double value = 0;
        try {
            out.result = static_cast<int>(opt.optimize(x, value));
        } catch (const nlopt::forced_stop&) {
            out.result = static_cast<int>(nlopt::FORCED_STOP);
        } catch (const std::exception&) {
            out.result = static_cast<int>(nlopt::ROUNDOFF_LIMITED);
        }
        return Done(out);
    }

  private:
    struct Ref {
        TurnSearch* self = nullptr;
        int index = 0;
    };

    long double Scale(int i) const {
        return i == 0 ? start_.candidate.R1 : std::max(start_.candidate.h, box_.gapMin);
    }

    Finished Done(Finished out) const {
        out.design = best_;
        return out;
    }

    // Evaluates a candidate as printed; true when it meets every goal.
    bool Consider(const Candidate& raw) {
        const Candidate c = Printed(raw, box_);
        const Evaluation e = Evaluate(g_, c, FieldModel::Turns);
        limits_ = LimitValues(g_, box_, e, TurnMargins());
        ApplyRobust(g_, c, e, TurnMargins(), limits_);
        objective_ = Objective(g_, e);
        const bool meets = WorstLimit(limits_) <= 0;
        if (meets && (!best_ || objective_ < best_->objective))
            best_ = Placed{c, e, objective_};
        return meets;
    }

    void At(const double* x) {
        if (stop_.stop_requested())
            throw nlopt::forced_stop();
        if (seen_ && x[0] == last_[0] && x[1] == last_[1])
            return;
        seen_ = true;
        last_ = {x[0], x[1]};
        Candidate c = start_.candidate;
        c.R1 = static_cast<long double>(x[0]) * Scale(0);
        c.h = static_cast<long double>(x[1]) * Scale(1);
        Consider(c);
    }

    static double ObjectiveThunk(unsigned, const double* x, double*, void* data) {
        auto* self = static_cast<TurnSearch*>(data);
        self->At(x);
        return static_cast<double>(self->objective_ / self->start_.objective);
    }

    static double LimitThunk(unsigned, const double* x, double*, void* data) {
        auto* ref = static_cast<Ref*>(data);
        ref->self->At(x);
        return static_cast<double>(ref->self->limits_[static_cast<std::size_t>(ref->index)]);
    }

    const Goals& g_;
    const Box& box_;
    const Placed& start_;
    std::stop_token stop_;
    std::array<Ref, kLimits> refs_{};
    std::array<long double, kLimits> limits_{};
    long double objective_ = 0;
    std::array<double, 2> last_{};
    bool seen_ = false;
    std::optional<Placed> best_;
};

}  // namespace

Margins TurnMargins() {
    // B0 keeps a tenth of its tolerance for the 1 um setting of R1 and h; the rest only the
    // rounding of the printed numbers.
    return {0.1L, 1e-3L, 1e-5L};
}

Candidate Printed(const Candidate& c, const Box& box) {
    Candidate p = c;
    p.R1 = std::max(WholeMicrometres(c.R1, false), WholeMicrometres(box.R1min, true));
    p.h = std::max(WholeMicrometres(c.h, false), WholeMicrometres(box.gapMin, true));
    return p;
}

Finished FinishOnTurns(const Goals& g, const Box& box, const Placed& start, std::stop_token stop) {
    return TurnSearch(g, box, start, stop).Run();
}

}  // namespace varnel::design
