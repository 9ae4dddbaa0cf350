// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/live_study.h"

#include "studio/core/study_bridge.h"

namespace varnel::studio {

StudySteps StudySteps::Standard() {
    return {Calculate, Refine};
}

LiveStudy::LiveStudy(StudySteps steps, QObject* parent)
    : QObject(parent), steps_(std::move(steps)) {
    pause_.setSingleShot(true);
    pause_.setInterval(40);
    connect(&pause_, &QTimer::timeout, this, [this] { start(waiting_); });
}

LiveStudy::~LiveStudy() = default;

void LiveStudy::request(const DesignInputs& inputs) {
    waiting_ = inputs;
    pause_.start();
    setBusy(true);
}

void LiveStudy::start(const DesignInputs& inputs) {
    pause_.stop();
    setBusy(true);
    runner_.start(
        [calculate = steps_.calculate, inputs](std::stop_token) { return calculate(inputs); },
        [this, inputs](const StudyNumbers& quick) {
            Q_EMIT numbersReady(quick);
            if (quick.kind == StudyNumbers::Kind::Results)
                refine(inputs, quick);
            else
                setBusy(false);
        });
}

// The slow step, dropped like the quick one when newer inputs come first.
void LiveStudy::refine(const DesignInputs& inputs, const StudyNumbers& quick) {
    runner_.start(
        [refine = steps_.refine, inputs, quick](std::stop_token) { return refine(inputs, quick); },
        [this](const StudyNumbers& refined) {
            Q_EMIT numbersReady(refined);
            setBusy(false);
        });
}

void LiveStudy::waitForIdle() {
    runner_.waitForDone();
}

void LiveStudy::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    Q_EMIT busyChanged(busy);
}

}  // namespace varnel::studio
