// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <functional>

#include "studio/design_inputs.h"
#include "studio/study_numbers.h"

namespace varnel::studio {

// The two steps of a study: the quick calculation, then the exact values and extents on top.
struct StudySteps {
    std::function<StudyNumbers(const DesignInputs&)> calculate;
    std::function<StudyNumbers(const DesignInputs&, StudyNumbers)> refine;

    static StudySteps Standard();
};

// Studies the inputs off the user-interface thread as they change. Each request gets a new
// generation; a result that arrives for an older generation is dropped, never shown, and an
// older request still waiting for a thread is not started at all.
class LiveStudy : public QObject {
    Q_OBJECT
  public:
    explicit LiveStudy(StudySteps steps, QObject* parent = nullptr);
    ~LiveStudy() override;

    // Studies `inputs` after a short pause in which no newer request came.
    void request(const DesignInputs& inputs);
    // Studies `inputs` at once.
    void start(const DesignInputs& inputs);

    quint64 generation() const { return generation_.load(); }
    bool busy() const { return busy_; }
    void setPause(int milliseconds) { pause_.setInterval(milliseconds); }
    // Waits for every step already started, stale or not, to end.
    void waitForIdle();

  Q_SIGNALS:
    // The numbers of the newest request: first the quick step's, then the refined ones.
    void numbersReady(const varnel::studio::StudyNumbers& numbers);
    void busyChanged(bool busy);

  private:
    void setBusy(bool busy);
    bool current(quint64 generation) const { return generation_.load() == generation; }

    StudySteps steps_;
    QThreadPool pool_;
    QTimer pause_;
    DesignInputs waiting_;
    std::atomic<quint64> generation_{0};
    bool busy_ = false;
};

}  // namespace varnel::studio
