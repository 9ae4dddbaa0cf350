// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/core/latest_result.h"

namespace varnel::studio {

LatestResult::LatestResult(int threads, QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(threads);
}

LatestResult::~LatestResult() {
    ++newest_;  // nothing still waiting starts, nothing finished is shown
    stop_.request_stop();
    pool_.waitForDone();
}

quint64 LatestResult::begin() {
    stop_.request_stop();
    stop_ = std::stop_source();
    setBusy(true);
    return ++newest_;
}

void LatestResult::drop() {
    ++newest_;
    stop_.request_stop();
    setBusy(false);
}

bool LatestResult::finish(quint64 ticket) {
    if (!newest(ticket))
        return false;
    setBusy(false);
    return true;
}

void LatestResult::setBusy(bool busy) {
    if (busy == busy_)
        return;
    busy_ = busy;
    Q_EMIT busyChanged(busy);
}

}  // namespace varnel::studio
