// SPDX-License-Identifier: GPL-3.0-or-later
// What the studio shows against what the study computes for the same inputs, computed here
// independently: the exact field by the accuracy library, the classic field by the calculator,
// the temperature rise by the balance worked by hand. The inputs are asymmetric (the point at
// x 7, z 11 mm; R1 20, R2 35, H 15, h 12 mm) so that no swap of x and z or Bx and Bz can hide,
// and away from the defaults: aluminium, a current source, a 60 C ambient.
#include <QSemaphore>
#include <QtTest>
#include <atomic>
#include <cmath>

#include "accuracy/exact_coils.h"
#include "design/catalogue.h"
#include "design/thermal.h"
#include "studio/core/design_inputs.h"
#include "studio/core/study_bridge.h"
#include "studio/live_study.h"
#include "study/calc_request.h"
#include "study/field_study.h"

using namespace varnel;
using studio::DesignInputs;
using studio::Result;
using studio::StudyNumbers;

namespace {

DesignInputs Asymmetric() {
    DesignInputs in;
    in.innerRadiusMm = 20;
    in.outerRadiusMm = 35;
    in.heightMm = 15;
    in.gapMm = 12;
    in.wireDiameterMm = 0.5;
    in.packingFactor = 0.7;
    in.material = QStringLiteral("aluminium");
    in.resistivityNanoOhmM = 28.264;
    in.densityKgM3 = 2703;
    in.currentSource = true;
    in.source = 2;
    in.pointXMm = 7;
    in.pointZMm = 11;
    in.ambientC = 60;
    return in;
}

// The calculator's own run on the texts the studio gives it.
CalcOutcome Calculated(const DesignInputs& in) {
    const studio::CalculatorTexts t = studio::TextsFor(in);
    CalcRequest r;
    for (std::size_t i = 0; i < r.texts.size(); ++i)
        r.texts[i] = t.texts.at(static_cast<qsizetype>(i)).toStdString();
    r.currentSource = t.currentSource;
    return RunCalculation(r);
}

double At(const std::array<std::optional<double>, studio::kResultCount>& values, Result r) {
    return values[static_cast<std::size_t>(r)].value_or(NAN);
}

}  // namespace

class StudioBridgeValuesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // The point's x and z go to the calculator's x and z, in metres.
    void thePointReachesTheCalculatorAsTyped() {
        const studio::CalculatorTexts t = studio::TextsFor(Asymmetric());
        QCOMPARE(t.texts.at(10), QStringLiteral("0.007"));
        QCOMPARE(t.texts.at(11), QStringLiteral("0.011"));
        QVERIFY(t.currentSource);
    }

    // The exact Bx and Bz shown are the accuracy library's at (7, 11) mm for the calculator's
    // turns and current.
    void exactBxAndBzAreThoseOfThePoint() {
        const DesignInputs in = Asymmetric();
        const StudyNumbers n = studio::Refine(in, studio::Calculate(in));
        QVERIFY(n.checkError.isEmpty());
        const CalcOutcome c = Calculated(in);
        QCOMPARE(c.kind, CalcOutcome::Kind::Results);
        const exact::RefinedField f = exact::PairField(c.rec.R1, c.rec.R2, c.rec.H, c.rec.hh,
                                                       c.rec.N, 0.007L, 0.011L, c.rec.Id);
        const double bx = static_cast<double>(f.radial.value),
                     bz = static_cast<double>(f.axial.value);
        QVERIFY(std::fabs(bx) > 1e-3 * std::fabs(bz));
        QVERIFY(std::fabs(At(n.exact, Result::RadialField) - bx) <= 1e-9 * std::fabs(bx));
        QVERIFY(std::fabs(At(n.exact, Result::AxialField) - bz) <= 1e-9 * std::fabs(bz));
        // The classic beside it: the calculator's own Bxd and Bzd.
        QVERIFY(std::fabs(At(n.classic, Result::RadialField) -
                          static_cast<double>(c.field.radial)) <= 1e-12 * std::fabs(bx));
        QVERIFY(std::fabs(At(n.classic, Result::AxialField) - static_cast<double>(c.field.axial)) <=
                1e-12 * std::fabs(bz));
    }

    // The probe shows the calculator's Bx and Bz at the point it is put.
    void theProbeShowsTheFieldOfItsPoint() {
        DesignInputs in = Asymmetric();
        const CalcOutcome c = Calculated(in);
        in.pointXMm = 0;
        in.pointZMm = 0;
        const CalcOutcome base = StudyBase(CalcRequest{[&] {
            CalcRequest r;
            const studio::CalculatorTexts t = studio::TextsFor(in);
            for (std::size_t i = 0; i < r.texts.size(); ++i)
                r.texts[i] = t.texts.at(static_cast<qsizetype>(i)).toStdString();
            r.currentSource = true;
            return r;
        }()});
        const studio::PointField f = studio::FieldAtPoint(base, 0.007, 0.011);
        QVERIFY(f.ok);
        const double bx = static_cast<double>(c.field.radial),
                     bz = static_cast<double>(c.field.axial);
        QVERIFY(std::fabs(f.radial - bx) <= 1e-12 * std::fabs(bz));
        QVERIFY(std::fabs(f.axial - bz) <= 1e-12 * std::fabs(bz));
    }

    // Nothing exceeds a tolerance of 150 %: the extents shown are how far the search looked,
    // along the axis twice the outer face plus R2 (2 (15 + 6) + 35 = 77 mm), across the
    // mid-plane twice R2 (70 mm).
    void extentsNotFoundShowHowFarEachScanLooked() {
        DesignInputs in = Asymmetric();
        in.uniformityPercent = 150;
        const StudyNumbers n = studio::Refine(in, studio::Calculate(in));
        QVERIFY(!n.uniformAxial.found);
        QVERIFY(!n.uniformRadial.found);
        QVERIFY(std::fabs(n.uniformAxial.metres - 0.077) < 1e-12);
        QVERIFY(std::fabs(n.uniformRadial.metres - 0.070) < 1e-12);
    }

    // Aluminium fed 1.5 A at a 60 C ambient in still air (12 W/(m^2 K) over the cooled area):
    // g dT = I^2 R20 (1 + a (40 + dT)), so dT = I^2 R20 (1 + 40 a) / (g - I^2 R20 a), with
    // aluminium's coefficient from the materials table.
    void temperatureRiseOfAluminiumAt60C() {
        DesignInputs in = Asymmetric();
        in.source = 1.5;
        const long double alpha = design::LoadMaterial("aluminium").alpha;
        const long double g = 12 * design::CooledArea(0.020L, 0.035L, 0.015L, 0.012L);
        const long double p20 = 1.5L * 1.5L * 2;
        const double rise = static_cast<double>(p20 * (1 + 40 * alpha) / (g - p20 * alpha));
        const std::optional<studio::TemperatureRise> t = studio::EstimateTemperatureRise(in, 2, 0);
        QVERIFY(t.has_value());
        QVERIFY(!t->runaway);
        QVERIFY(rise > 1);
        QVERIFY(std::fabs(t->kelvin - rise) <= 1e-9 * rise);
        QVERIFY(std::fabs(t->current - 1.5) < 1e-12);
        QVERIFY(std::fabs(t->power - static_cast<double>(g) * rise) <= 1e-9 * t->power);
    }

    // The packing factor for 361 turns gives the calculator 361 turns.
    void packingForTurnsGivesThoseTurns() {
        DesignInputs in = Asymmetric();
        in.packingFactor = studio::PackingForTurns(in, 361);
        const CalcOutcome c = Calculated(in);
        QCOMPARE(c.kind, CalcOutcome::Kind::Results);
        QVERIFY(std::fabs(static_cast<double>(c.rec.N) - 361) < 1e-6);
    }

    // The default map shows the pair about its mid-plane, the outer faces with room to spare.
    void defaultMapIsCentredOnTheMidPlane() {
        const studio::MapArea a = studio::DefaultMapArea(Asymmetric());
        QCOMPARE(a.z0, -a.z1);
        QVERIFY(a.z1 >= 0.021 * 1.3 - 1e-12);
        QCOMPARE(a.x0, 0.0);
        QVERIFY(a.x1 >= 0.035);
    }

    // New inputs while the slow step of the old ones runs: the old step's result, when it
    // ends, is never shown.
    void aStaleRefinedResultIsNeverShown() {
        QSemaphore release;
        std::atomic<bool> refining{false};
        const studio::StudySteps steps{[](const DesignInputs& in) {
                                           StudyNumbers n;
                                           n.message = QString::number(in.source);
                                           return n;
                                       },
                                       [&](const DesignInputs& in, StudyNumbers n) {
                                           if (in.source == 1) {
                                               refining = true;
                                               release.tryAcquire(1, 20000);
                                           }
                                           n.checked = true;
                                           return n;
                                       }};
        studio::LiveStudy study(steps);
        QList<StudyNumbers> shown;
        connect(&study, &studio::LiveStudy::numbersReady, this,
                [&](const StudyNumbers& n) { shown.append(n); });
        DesignInputs first;
        first.source = 1;
        study.request(first);
        QTRY_VERIFY(refining.load());
        DesignInputs second;
        second.source = 2;
        study.request(second);
        QTRY_VERIFY(!shown.isEmpty() && shown.last().checked &&
                    shown.last().message == QStringLiteral("2"));
        release.release();
        study.waitForIdle();
        QTest::qWait(200);  // the old step's end, had it been queued for the window
        for (const StudyNumbers& n : shown)
            QVERIFY(!(n.checked && n.message == QStringLiteral("1")));
        QCOMPARE(shown.last().message, QStringLiteral("2"));
    }
};

QTEST_MAIN(StudioBridgeValuesTest)
#include "studio_bridge_values_test.moc"
