// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>
#include <cmath>

#include "accuracy/flux_function.h"
#include "plot/pictures.h"
#include "studio/core/study_bridge.h"
#include "studio/map_view.h"
#include "study/map_flux.h"

using varnel::FieldLine;
using varnel::MapPicture;
using varnel::studio::DesignInputs;

namespace {

// A pair far from the defaults: thick, short, a wide gap, so the lines bend hard.
DesignInputs Asymmetric() {
    DesignInputs in;
    in.innerRadiusMm = 7;
    in.outerRadiusMm = 23;
    in.heightMm = 11;
    in.gapMm = 17;
    in.wireDiameterMm = 0.6;
    in.source = 3.3;
    return in;
}

// psi of the picture's pair by the accuracy library at a finer rule than the cells'.
double ExactPsi(const MapPicture& p, double x, double z) {
    const auto& r = p.rec;
    return static_cast<double>(
        varnel::exact::PairFluxFunction(r.R1, r.R2, r.H, r.hh, r.N, x, z, r.Id, 3));
}

}  // namespace

class StudioFieldLinesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void linesAreEqualStepsOfTheFluxFunction() {
        const DesignInputs in = Asymmetric();
        const varnel::studio::StudyMap map =
            varnel::studio::ComputeMap(in, varnel::studio::DefaultMapArea(in), 2);
        QVERIFY(map.picture);
        const MapPicture& p = *map.picture;
        const std::vector<FieldLine> lines = varnel::FieldLinesOf(p);
        QVERIFY2(lines.size() >= 10, qPrintable(QString::number(lines.size())));
        const double step = std::fabs(p.fluxStep);
        QVERIFY(step > 0);
        // At each line's points psi (computed anew, exactly) stays at the line's value within
        // 1 % of the step, so the flux between neighbouring lines is the step within 1 %
        // everywhere. (Between its points, within one cell, a line is a chord.)
        double worst = 0;
        for (const FieldLine& line : lines) {
            for (std::size_t k = 0; k < line.segments.size(); k += 7) {
                for (const QPointF& m : {line.segments[k].p1(), line.segments[k].p2()})
                    worst = std::max(worst, std::fabs(ExactPsi(p, m.x(), m.y()) - line.psi) / step);
            }
        }
        QVERIFY2(worst < 0.01, qPrintable(QString::number(worst)));
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const double between = lines[i].psi - lines[i - 1].psi;
            // One step, or two across psi = 0, which is the axis and is not drawn.
            const double steps = between / step;
            QVERIFY(std::fabs(steps - 1) < 1e-9 || std::fabs(steps - 2) < 1e-9);
        }
        // A tenth of the bore's flux per line: ten lines cross the mid-plane inside R1.
        int inBore = 0;
        for (const FieldLine& line : lines) {
            for (const QLineF& s : line.segments) {
                if (std::max(s.x1(), s.x2()) < static_cast<double>(p.rec.R1) &&
                    (s.y1() >= 0) != (s.y2() >= 0)) {
                    ++inBore;
                    break;
                }
            }
        }
        // The tenth passes through (R1, 0) itself, on either side of it by a rounding.
        QVERIFY2(inBore == varnel::kFieldLinesThroughBore - 1 ||
                     inBore == varnel::kFieldLinesThroughBore,
                 qPrintable(QString::number(inBore)));
    }

    void linesCloseThroughTheBoreAndStayWhenTheViewReturns() {
        varnel::studio::MapView view;
        view.resize(800, 600);
        view.setInputs(Asymmetric());
        QTRY_VERIFY_WITH_TIMEOUT(!view.busy() && view.picture(), 30000);
        const std::vector<FieldLine> before = varnel::FieldLinesOf(*view.picture());
        const varnel::studio::MapArea home = view.area();
        varnel::studio::MapArea out = home;
        out.x1 *= 2;
        out.z0 *= 2;
        out.z1 *= 2;
        view.setArea(out);
        QTRY_VERIFY_WITH_TIMEOUT(!view.busy() && view.picture(), 30000);
        // Zoomed out, the same levels: each level of the home view is still drawn.
        const std::vector<FieldLine> wide = varnel::FieldLinesOf(*view.picture());
        for (const FieldLine& line : before) {
            const bool found = std::any_of(wide.begin(), wide.end(),
                                           [&](const FieldLine& w) { return w.psi == line.psi; });
            QVERIFY2(found, qPrintable(QString::number(line.psi)));
        }
        view.setArea(home);
        QTRY_VERIFY_WITH_TIMEOUT(!view.busy() && view.picture(), 30000);
        const std::vector<FieldLine> after = varnel::FieldLinesOf(*view.picture());
        QCOMPARE(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            QCOMPARE(after[i].psi, before[i].psi);
            QCOMPARE(after[i].segments.size(), before[i].segments.size());
            for (std::size_t k = 0; k < after[i].segments.size(); ++k)
                QCOMPARE(after[i].segments[k], before[i].segments[k]);
        }
    }

    void theFluxFunctionMatchesTheMapsFieldAcrossTheMidPlane() {
        // B_z = (1/x) d psi / dx at the mid-plane, against the map's own field at its cells:
        // a swap of x and z, or of Bx and Bz, would fail here.
        const DesignInputs in = Asymmetric();
        const varnel::studio::StudyMap map =
            varnel::studio::ComputeMap(in, varnel::studio::DefaultMapArea(in), 2);
        QVERIFY(map.picture);
        const MapPicture& p = *map.picture;
        const int nz = p.z.count;
        const std::size_t mid = static_cast<std::size_t>(nz / 2);
        QVERIFY(std::fabs(static_cast<double>(p.z.At(nz / 2))) < 1e-3);
        for (int i : {3, 9, 20}) {
            const double x = static_cast<double>(p.x.At(i));
            const double z = static_cast<double>(p.z.At(nz / 2 + 5));
            const double h = 1e-6;
            const double bz = (ExactPsi(p, x + h, z) - ExactPsi(p, x - h, z)) / (2 * h) / x;
            const double bx = -(ExactPsi(p, x, z + h) - ExactPsi(p, x, z - h)) / (2 * h) / x;
            const auto& cell = p.points[static_cast<std::size_t>(i) * nz + mid + 5];
            const double scale = static_cast<double>(cell.field.modulus);
            QVERIFY2(
                std::fabs(bz - static_cast<double>(cell.field.axial)) < 1e-3 * scale,
                qPrintable(QString("%1 %2").arg(bz).arg(static_cast<double>(cell.field.axial))));
            QVERIFY2(
                std::fabs(bx - static_cast<double>(cell.field.radial)) < 1e-3 * scale,
                qPrintable(QString("%1 %2").arg(bx).arg(static_cast<double>(cell.field.radial))));
        }
    }
};

QTEST_MAIN(StudioFieldLinesTest)
#include "studio_field_lines_test.moc"
