// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSemaphore>
#include <QtTest>
#include <atomic>

#include "studio/live_study.h"
#include "studio/numbers_view.h"
#include "studio/studio_window.h"

using varnel::studio::DesignInputs;
using varnel::studio::LiveStudy;
using varnel::studio::StudyNumbers;
using varnel::studio::StudySteps;

namespace {

// Steps that name the inputs they were given instead of calculating, and that hold the study
// of a source of `slowSource` until the test lets it go.
struct ScriptedSteps {
    double slowSource = -1;
    QSemaphore release;
    std::atomic<int> calculations{0};

    StudySteps steps() {
        return {[this](const DesignInputs& in) {
                    ++calculations;
                    if (in.source == slowSource)
                        release.tryAcquire(1, 20000);
                    StudyNumbers n;
                    n.message = QString::number(in.source);
                    return n;
                },
                [](const DesignInputs&, StudyNumbers n) {
                    n.checked = true;
                    return n;
                }};
    }
};

DesignInputs WithSource(double source) {
    DesignInputs in;
    in.source = source;
    return in;
}

}  // namespace

class StudioLiveTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void aStaleResultIsDroppedNeverShown() {
        ScriptedSteps script;
        script.slowSource = 1;
        LiveStudy study(script.steps());
        QStringList shown;
        connect(&study, &LiveStudy::numbersReady, this,
                [&](const StudyNumbers& n) { shown << n.message; });
        study.start(WithSource(1));
        QTRY_COMPARE(script.calculations.load(), 1);  // the first is being calculated ...
        study.start(WithSource(2));                   // ... when the inputs change again
        QTRY_VERIFY(!study.busy());
        QCOMPARE(shown, QStringList({"2", "2"}));  // quick and refined, of the newest only

        script.release.release();  // now the stale study ends
        study.waitForIdle();
        QTest::qWait(50);
        QCoreApplication::processEvents();
        QCOMPARE(shown, QStringList({"2", "2"}));
        QVERIFY(!study.busy());
    }

    void aWindowShowsOnlyItsNewestInputs() {
        ScriptedSteps script;
        script.slowSource = 3;
        varnel::studio::StudioWindow window(varnel::studio::BuiltInCatalogue(), script.steps());
        QTRY_VERIFY(!window.study()->busy());
        window.study()->start(WithSource(3));
        QTRY_COMPARE(script.calculations.load(), 2);
        window.study()->start(WithSource(4));
        QTRY_VERIFY(!window.study()->busy());
        QCOMPARE(window.numbersView()->numbers().message, QString("4"));
        script.release.release();
        window.study()->waitForIdle();
        QTest::qWait(50);
        QCOMPARE(window.numbersView()->numbers().message, QString("4"));
    }

    void aBurstOfChangesIsStudiedOnce() {
        ScriptedSteps script;
        LiveStudy study(script.steps());
        study.setPause(200);
        QStringList shown;
        connect(&study, &LiveStudy::numbersReady, this,
                [&](const StudyNumbers& n) { shown << n.message; });
        for (int source = 1; source <= 5; ++source)
            study.request(WithSource(source));
        QVERIFY(study.busy());
        QTRY_VERIFY(!study.busy());
        QCOMPARE(script.calculations.load(), 1);
        QCOMPARE(shown, QStringList({"5", "5"}));
    }
};

QTEST_MAIN(StudioLiveTest)
#include "studio_live_test.moc"
