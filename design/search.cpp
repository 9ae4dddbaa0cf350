// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/search.h"

#include <algorithm>
#include <limits>
#include <mutex>

#include "design/finish.h"
#include "design/report.h"
#include "design/verify.h"
#include "design/wire_search.h"
#include "study/calc_output.h"
#include "study/parallel_runner.h"

namespace varnel::design {
namespace {

// The best objective of each wire searched so far; a build worse than the k-th of them cannot
// enter the answer. k keeps two in hand for designs the finish or the check refuses.
class SharedThreshold {
  public:
    explicit SharedThreshold(std::size_t k) : k_(k) {}

    void Add(long double objective) {
        std::lock_guard lock(mutex_);
        values_.push_back(objective);
        std::sort(values_.begin(), values_.end());
    }

    long double Value() const {
        std::lock_guard lock(mutex_);
        return values_.size() < k_ ? std::numeric_limits<long double>::infinity() : values_[k_ - 1];
    }

  private:
    std::size_t k_;
    mutable std::mutex mutex_;
    std::vector<long double> values_;
};

std::vector<WireResult> SearchEveryWire(const Goals& g, const Box& box, std::stop_token stop,
                                        const Progress& progress, unsigned threads,
                                        bool closestOnly) {
    const std::size_t wires = g.wires.size();
    std::vector<WireResult> results(wires);
    SharedThreshold shared(static_cast<std::size_t>(g.count) + 2);
    const std::function<long double()> threshold = [&shared] { return shared.Value(); };
    // Thin wires first: the lightest designs are of the thinnest wire that reaches B0, and
    // what they find bounds the thick wires' heavy builds.
    std::vector<std::size_t> order(wires);
    for (std::size_t i = 0; i < wires; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return g.wires[a].bare < g.wires[b].bare;
    });
    ParallelFor(
        wires, std::max(1u, threads),
        [&](std::size_t k) {
            const std::size_t i = order[k];
            results[i] = SearchWire(g, box, g.wires[i], threshold, stop, closestOnly);
            if (!results[i].best.empty())
                shared.Add(results[i].best.front().objective);
        },
        stop, progress);
    return results;
}

struct Ranked {
    Design design;
    long double objective;
    std::size_t wire;
};

// The best wires' builds finished on their turns and checked, until `count` designs hold.
std::vector<Ranked> FinishAndCheck(const Goals& g, const Box& box,
                                   const std::vector<WireResult>& results, std::stop_token stop,
                                   Answer& answer) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!results[i].best.empty())
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return results[a].best.front().objective < results[b].best.front().objective;
    });
    std::vector<Ranked> ranked;
    const std::size_t wanted = static_cast<std::size_t>(g.count);
    for (std::size_t i : order) {
        // Two more than asked, since the finish may reorder them a little.
        if (ranked.size() >= wanted + 2 || stop.stop_requested())
            break;
        for (const Placed& start : results[i].best) {
            const Finished f = FinishOnTurns(g, box, start, stop);
            answer.summaries[i].finish = f.result;
            if (!f.design)
                continue;
            Design d;
            if (Verify(g, box, *f.design, &d)) {
                ranked.push_back({d, f.design->objective, i});
                break;
            }
            ++answer.rejectedByCheck;
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Ranked& a, const Ranked& b) { return a.objective < b.objective; });
    if (ranked.size() > wanted)
        ranked.resize(wanted);
    return ranked;
}

// No design: the candidate that came closest, on its turns, and the sentence.
void ExplainNoDesign(const Goals& g, const Box& box, const std::vector<WireResult>& results,
                     Answer& answer) {
    const WireResult* closest = nullptr;
    for (const WireResult& r : results) {
        if (r.closest && (!closest || r.closestViolation < closest->closestViolation))
            closest = &r;
    }
    if (!closest) {
        answer.error = NoDesignMessage(g, box, nullptr);
        return;
    }
    const Candidate printed = Printed(closest->closest->candidate, box);
    const Placed p{printed, Evaluate(g, printed, FieldModel::Turns), 0};
    answer.error = NoDesignMessage(g, box, &p.eval);
    answer.closest = Closest{p.eval.B0,   p.eval.sphereDeviation, p.eval.hot.power, p.eval.hot.rise,
                             p.eval.mass, p.eval.hot.runaway};
    Design d;
    if (Verify(g, box, p, &d)) {
        // The closest meets every goal after all: a design, not an error.
        answer.error.clear();
        answer.closest.reset();
        answer.designs.push_back(d);
        return;
    }
    answer.best = d;
}

}  // namespace

Answer FindDesigns(const Goals& g, std::stop_token stop, const Progress& progress,
                   unsigned threads) {
    CheckGoals(g);
    const Box box = SearchBox(g);
    Answer answer;
    const std::vector<WireResult> results = SearchEveryWire(g, box, stop, progress, threads, false);
    for (std::size_t i = 0; i < results.size(); ++i) {
        WireSummary s;
        s.wire = g.wires[i].name;
        s.builds = results[i].builds;
        s.stopped = results[i].stopped;
        if (!results[i].best.empty())
            s.objective = results[i].best.front().objective;
        answer.summaries.push_back(s);
    }
    if (stop.stop_requested()) {
        // Stopped: the builds found so far are still finished and checked (a few evaluations
        // each), so that what is answered is the best found until then, every one sound.
        answer.interrupted = true;
        for (Ranked& r : FinishAndCheck(g, box, results, std::stop_token{}, answer))
            answer.designs.push_back(std::move(r.design));
        return answer;
    }
    for (Ranked& r : FinishAndCheck(g, box, results, stop, answer))
        answer.designs.push_back(std::move(r.design));
    if (stop.stop_requested()) {
        answer.interrupted = true;
        return answer;
    }
    if (answer.designs.empty()) {
        bool any = false;
        for (const WireResult& r : results)
            any = any || r.closest.has_value();
        // Wires that cannot reach B0 were left at once: looked at again for what comes closest.
        ExplainNoDesign(
            g, box, any ? results : SearchEveryWire(g, box, stop, progress, threads, true), answer);
        if (stop.stop_requested()) {
            answer.interrupted = true;
            answer.error.clear();
        }
    }
    return answer;
}

}  // namespace varnel::design
