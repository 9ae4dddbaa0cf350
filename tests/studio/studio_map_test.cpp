// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "plot/pictures.h"
#include "studio/core/study_bridge.h"
#include "studio/inputs_panel.h"
#include "studio/map_view.h"
#include "studio/profiles_view.h"
#include "studio_fixture.h"
#include "study/calc_output.h"
#include "study/calc_request.h"

using varnel::studio::MapView;
using varnel::studio::StudioWindow;

namespace {

// The calculator's own field at (x, z) for the inputs shown: one calculation with the point
// typed into its x and z boxes, as varnel-calc --x --z would do it.
varnel::FieldValues CalculatorFieldAt(StudioWindow* window, double x, double z) {
    const auto texts = varnel::studio::TextsFor(window->inputsPanel()->inputs());
    varnel::CalcRequest request;
    for (std::size_t i = 0; i < request.texts.size(); ++i)
        request.texts[i] = texts.texts.at(static_cast<qsizetype>(i)).toStdString();
    request.texts[varnel::kXInput] = varnel::DigitsText(x, 15);
    request.texts[varnel::kZInput] = varnel::DigitsText(z, 15);
    request.currentSource = texts.currentSource;
    const varnel::CalcOutcome outcome = varnel::RunCalculation(request);
    if (outcome.kind != varnel::CalcOutcome::Kind::Results)
        qFatal("the calculator refused the point: %s", outcome.message.c_str());
    return outcome.field;
}

}  // namespace

class StudioMapTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        window = new StudioWindow;
        window->show();
        window->tabs()->setCurrentWidget(window->mapView());
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window) && map()->picture() && !map()->busy(), 30000);
    }
    void cleanupTestCase() { delete window; }

    // Pixels as fractions of the cells' rectangle: inside the bore, in the gap beside the
    // windings, outside them, and far up the axis.
    void readoutAtAPixelIsTheFieldComputedThere_data() {
        QTest::addColumn<double>("across");
        QTest::addColumn<double>("down");
        QTest::newRow("near the centre") << 0.05 << 0.5;
        QTest::newRow("in the bore") << 0.2 << 0.3;
        QTest::newRow("beside the gap") << 0.55 << 0.52;
        QTest::newRow("outside the windings") << 0.9 << 0.2;
        QTest::newRow("up the axis") << 0.01 << 0.02;
    }
    void readoutAtAPixelIsTheFieldComputedThere() {
        QFETCH(double, across);
        QFETCH(double, down);
        auto* canvas = map()->canvas();
        const varnel::MapLayout layout = canvas->layout();
        const QPoint pixel(qRound(layout.cells.left() + across * layout.cells.width()),
                           qRound(layout.cells.top() + down * layout.cells.height()));
        QTest::mouseMove(canvas, pixel);
        double x = 0, z = 0;
        QVERIFY(canvas->pointAt(pixel, &x, &z));
        const auto& r = map()->readout();
        QVERIFY(r.ok);
        QCOMPARE(r.x, x);
        QCOMPARE(r.z, z);
        const varnel::FieldValues f = CalculatorFieldAt(window, x, z);
        QCOMPARE(r.radial, static_cast<double>(f.radial));
        QCOMPARE(r.axial, static_cast<double>(f.axial));
        QCOMPARE(r.modulus, static_cast<double>(f.modulus));
        QCOMPARE(r.angle, static_cast<double>(f.angle));
        // And the label says so, in millitesla.
        const QString shown = window->findChild<QLabel*>("lReadout")->text();
        QVERIFY2(shown.contains(QLocale().toString(static_cast<double>(f.modulus) * 1000, 'g', 6)),
                 qPrintable(shown));
    }

    // The cells come from the fast model of the windings; away from the windings it is the
    // calculator's field but for the calculator's sampling, well under 0.1 % of B0 where the
    // samples are close together against the distance to them.
    void cellsAgreeWithTheCalculatorAwayFromTheWindings() {
        const auto& picture = *map()->picture();
        const double b0 = static_cast<double>(picture.centre);
        const std::size_t step = picture.points.size() / 37;
        int compared = 0;
        for (std::size_t k = 0; k < picture.points.size(); k += step) {
            const varnel::FieldPoint& p = picture.points[k];
            const double x = static_cast<double>(p.x), z = static_cast<double>(p.z);
            // Clear of either winding's section by more than the calculator's spacing of samples
            // round a ring (30 of them: 4.2 mm at the outer radius).
            const bool nearWinding = x > 0.004 && x < 0.026 && std::fabs(z) < 0.041;
            if (nearWinding)
                continue;
            const varnel::FieldValues f = CalculatorFieldAt(window, x, z);
            QVERIFY2(std::fabs(static_cast<double>(p.field.axial - f.axial)) < 1e-3 * b0,
                     qPrintable(QString("at %1, %2").arg(x).arg(z)));
            QVERIFY(std::fabs(static_cast<double>(p.field.radial - f.radial)) < 1e-3 * b0);
            ++compared;
        }
        QVERIFY(compared > 10);
    }

    // The 0.1 % contour crosses the axis where the uniform extent of the numbers (found with
    // the calculator's sums, as varnel-calc uniform finds it) says, within a cell.
    void theTenthOfAPercentContourCrossesTheAxisAtTheUniformExtent() {
        const auto& n = window->numbersView()->numbers();
        QCOMPARE(n.uniformityTolerance, 0.001);
        QVERIFY(n.uniformAxial.found);
        const auto& picture = *map()->picture();
        const int nz = picture.z.count;
        double crossing = 0;
        for (int j = nz / 2; j + 1 < nz; ++j) {
            const auto& a = picture.points[static_cast<std::size_t>(j)];
            const auto& b = picture.points[static_cast<std::size_t>(j + 1)];
            const double da = std::fabs(static_cast<double>(a.deviation)) - 1e-3;
            const double db = std::fabs(static_cast<double>(b.deviation)) - 1e-3;
            if (da < 0 && db >= 0) {
                crossing = static_cast<double>(a.z + (b.z - a.z) * da / (da - db));
                break;
            }
        }
        const double cell = static_cast<double>(picture.z.At(1) - picture.z.At(0));
        QVERIFY2(std::fabs(crossing - n.uniformAxial.metres) < cell,
                 qPrintable(QString("%1 against %2").arg(crossing).arg(n.uniformAxial.metres)));
    }

    // At 1200 x 800 the map's cells, at one scale on both axes, take most of the canvas's
    // height (the default pair's half-plane is taller than wide) and stay inside it; what they
    // leave is the room of the tick labels and axis names, fixed in text size.
    void theMapFillsTheCanvasAtOneScale() {
        window->resize(1200, 800);
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window) && !map()->busy(), 30000);
        auto* canvas = map()->canvas();
        const varnel::MapLayout l = canvas->layout();
        const double perMetreAcross = l.cells.width() / (l.x1 - l.x0);
        const double perMetreUp = l.cells.height() / (l.z1 - l.z0);
        QVERIFY(std::fabs(perMetreAcross / perMetreUp - 1) < 1e-9);
        QVERIFY(QRectF(canvas->rect()).contains(l.cells));
        QVERIFY2(l.cells.height() > 0.75 * canvas->height(),
                 qPrintable(QString("%1 of %2").arg(l.cells.height()).arg(canvas->height())));
    }

    // The map's text is the window's text size whatever the window's size: from 1000 x 700 to
    // 1600 x 1000 only the cells grow. At 800 x 600 the picture may shrink, but its tick labels
    // stay at least 9 pixels high.
    void theMapsTextKeepsItsSizeAsTheWindowGrows() {
        auto* canvas = map()->canvas();
        const double text = QFontInfo(canvas->font()).pixelSize() / varnel::kPictureTextUnits;
        window->resize(1000, 700);
        QTRY_VERIFY_WITH_TIMEOUT(!map()->busy(), 30000);
        const double middleScale = canvas->plotScale().scale;
        const double middleCells = canvas->layout().cells.height();
        window->resize(1600, 1000);
        QTRY_VERIFY_WITH_TIMEOUT(!map()->busy(), 30000);
        QCOMPARE(middleScale, text);
        QCOMPARE(canvas->plotScale().scale, text);
        QVERIFY2(canvas->layout().cells.height() > middleCells + 200,
                 qPrintable(
                     QString("%1 then %2").arg(middleCells).arg(canvas->layout().cells.height())));
        window->resize(800, 600);
        QTRY_VERIFY_WITH_TIMEOUT(!map()->busy(), 30000);
        QVERIFY(canvas->plotScale().scale <= text);
        QVERIFY2(canvas->plotScale().scale * varnel::kPictureTextUnits >= 9,
                 qPrintable(QString::number(canvas->plotScale().scale)));
        window->resize(1200, 800);
    }

    void wheelZoomsAndResetGoesBack() {
        const varnel::studio::MapArea before = map()->area();
        auto* canvas = map()->canvas();
        const QPointF centre = canvas->pictureArea().center();
        QWheelEvent wheel(centre, canvas->mapToGlobal(centre), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &wheel);
        QVERIFY(map()->area().z1 - map()->area().z0 < 0.9 * (before.z1 - before.z0));
        QTRY_VERIFY_WITH_TIMEOUT(!map()->busy(), 10000);
        QVERIFY(map()->picture()->z.stop - map()->picture()->z.start <
                0.9 * (before.z1 - before.z0));
        map()->resetView();
        QCOMPARE(map()->area().z1, before.z1);
        QCOMPARE(map()->area().x1, before.x1);
        QTRY_VERIFY_WITH_TIMEOUT(!map()->busy(), 10000);
    }

    void exportsWriteTheMapAsPngSvgAndCsv() {
        QTemporaryDir dir;
        const QString png = dir.filePath("map.png"), svg = dir.filePath("map.svg"),
                      csv = dir.filePath("map.csv");
        for (const QString& path : {png, svg, csv})
            QCOMPARE(map()->exportTo(path), QString());
        QImage image(png);
        QCOMPARE(image.size(), QSize(varnel::kPictureWidth, varnel::kPictureHeight));
        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        QVERIFY(svgFile.readAll().contains("<svg"));
        QFile csvFile(csv);
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csvFile.readAll().trimmed().split('\n');
        QCOMPARE(lines.first(), QByteArray("x,z,Bx,Bz,B,deviation,status,model"));
        QVERIFY2(lines.at(1).endsWith(",exact"), lines.at(1).constData());
        QCOMPARE(lines.size() - 1, static_cast<qsizetype>(map()->picture()->points.size()));
        // No file is left behind where writing cannot start.
        QVERIFY(!map()->exportTo(dir.filePath("no/such/folder/map.png")).isEmpty());
        // The profiles too, once computed.
        QTRY_VERIFY_WITH_TIMEOUT(window->profilesView()->ready(), 30000);
        QCOMPARE(window->profilesView()->exportTo(dir.filePath("profiles.png")), QString());
        QCOMPARE(QImage(dir.filePath("profiles.png")).height(), 2 * varnel::kPictureHeight);
    }

  private:
    MapView* map() const { return window->mapView(); }
    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioMapTest)
#include "studio_map_test.moc"
