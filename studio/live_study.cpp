// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/live_study.h"

#include <QtConcurrent/QtConcurrentRun>

#include "studio/study_bridge.h"

namespace varnel::studio {

StudySteps StudySteps::Standard() {
    return {Calculate, Refine};
}

LiveStudy::LiveStudy(StudySteps steps, QObject* parent)
    : QObject(parent), steps_(std::move(steps)) {
    // One thread for the quick step of the newest inputs while a stale slow step ends.
    pool_.setMaxThreadCount(2);
    pause_.setSingleShot(true);
    pause_.setInterval(40);
    connect(&pause_, &QTimer::timeout, this, [this] { start(waiting_); });
}

LiveStudy::~LiveStudy() {
    ++generation_;  // nothing still queued starts, nothing finished is shown
    pool_.waitForDone();
}

void LiveStudy::request(const DesignInputs& inputs) {
    waiting_ = inputs;
    pause_.start();
    setBusy(true);
}

void LiveStudy::start(const DesignInputs& inputs) {
    pause_.stop();
    const quint64 generation = ++generation_;
    setBusy(true);
    const StudySteps steps = steps_;
    QtConcurrent::run(&pool_, [this, steps, inputs, generation]() -> std::optional<StudyNumbers> {
        if (!current(generation))
            return std::nullopt;
        return steps.calculate(inputs);
    }).then(this, [this, steps, inputs, generation](std::optional<StudyNumbers> quick) {
        if (!quick || !current(generation))
            return;
        Q_EMIT numbersReady(*quick);
        if (quick->kind != StudyNumbers::Kind::Results) {
            setBusy(false);
            return;
        }
        QtConcurrent::run(
            &pool_,
            [this, steps, inputs, generation, first = *quick]() -> std::optional<StudyNumbers> {
                if (!current(generation))
                    return std::nullopt;
                return steps.refine(inputs, first);
            })
            .then(this, [this, generation](std::optional<StudyNumbers> refined) {
                if (!refined || !current(generation))
                    return;
                Q_EMIT numbersReady(*refined);
                setBusy(false);
            });
    });
}

void LiveStudy::waitForIdle() {
    pool_.waitForDone();
}

void LiveStudy::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    Q_EMIT busyChanged(busy);
}

}  // namespace varnel::studio
