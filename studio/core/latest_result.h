// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <memory>
#include <stop_token>
#include <type_traits>
#include <utility>

namespace varnel::studio {

// Runs the work of a view off the user-interface thread so that only the newest result is
// shown. Starting a job asks the one before it to stop and drops its result; a job still
// waiting for a thread when a newer one starts is not run at all. The newest job's result comes
// back on this object's thread, also when the job was asked to stop by stop(): the work itself
// says what a stopped run returns.
class LatestResult : public QObject {
    Q_OBJECT
  public:
    // `threads`: how many jobs may run at once, the newest beside stopped ones winding down.
    explicit LatestResult(int threads, QObject* parent = nullptr);
    // Stops every job, waits for them to end and shows no result.
    ~LatestResult() override;

    // Runs `work(std::stop_token)` on the pool and, if no newer job has started by the time it
    // ends, calls `done(result)` on this object's thread.
    template <class Work, class Done>
    void start(Work work, Done done);

    // Asks the newest job to stop; its result still comes.
    void stop() { stop_.request_stop(); }
    // Drops the newest job's result, as if a newer job with nothing to show had started.
    void drop();
    // Whether the newest job has not yet shown its result.
    bool busy() const { return busy_; }
    // Waits for every job started, the stale ones too, to end.
    void waitForDone() { pool_.waitForDone(); }

  Q_SIGNALS:
    void busyChanged(bool busy);

  private:
    // A new newest job: the one before is stopped; returns the new job's ticket.
    quint64 begin();
    bool newest(quint64 ticket) const { return ticket == newest_.load(); }
    // Whether the result of `ticket` is to be shown; if so, no job is waiting any more.
    bool finish(quint64 ticket);
    void setBusy(bool busy);

    QThreadPool pool_;
    std::stop_source stop_;
    std::atomic<quint64> newest_{0};
    bool busy_ = false;
};

template <class Work, class Done>
void LatestResult::start(Work work, Done done) {
    using Outcome = std::invoke_result_t<Work&, std::stop_token>;
    const quint64 ticket = begin();
    pool_.start([this, ticket, token = stop_.get_token(), work, done]() mutable {
        if (!newest(ticket))
            return;  // a newer job came while this one waited for a thread
        auto result = std::make_shared<Outcome>(work(token));
        QMetaObject::invokeMethod(
            this,
            [this, ticket, result, done]() mutable {
                if (finish(ticket))
                    done(std::move(*result));
            },
            Qt::QueuedConnection);
    });
}

}  // namespace varnel::studio
