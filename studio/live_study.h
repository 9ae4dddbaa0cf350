// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "studio/core/design_inputs.h"
#include "studio/core/latest_result.h"
#include "studio/core/study_numbers.h"

namespace varnel::studio {

// The two steps of a study: the quick calculation, then the exact values and extents on top.
struct StudySteps {
    std::function<StudyNumbers(const DesignInputs&)> calculate;
    std::function<StudyNumbers(const DesignInputs&, StudyNumbers)> refine;

    static StudySteps Standard();
};

// Studies the inputs off the user-interface thread as they change. A result of inputs that have
// changed since is dropped, never shown, and an older request still waiting for a thread is not
// started at all.
class LiveStudy : public QObject {
    Q_OBJECT
  public:
    explicit LiveStudy(StudySteps steps, QObject* parent = nullptr);
    ~LiveStudy() override;

    // Studies `inputs` after a short pause in which no newer request came.
    void request(const DesignInputs& inputs);
    // Studies `inputs` at once.
    void start(const DesignInputs& inputs);

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
    void refine(const DesignInputs& inputs, const StudyNumbers& quick);

    StudySteps steps_;
    // One thread for the quick step of the newest inputs while a stale slow step ends.
    LatestResult runner_{2};
    QTimer pause_;
    DesignInputs waiting_;
    bool busy_ = false;
};

}  // namespace varnel::studio
