// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QTabWidget>
#include <QUndoStack>
#include <QtTest>

#include "plot/pictures.h"
#include "studio/inputs_panel.h"
#include "studio/map_view.h"
#include "studio/profiles_view.h"
#include "studio_fixture.h"

using varnel::studio::StudioWindow;

// The map as a probe: a click sets the field point, the arrow keys move it by a cell, a drag
// draws a line whose profile opens; and the profiles' choices of line and quantity.
class StudioProbeTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        window = new StudioWindow;
        window->resize(1200, 800);
        window->show();
        window->tabs()->setCurrentWidget(window->mapView());
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(window->mapView()->picture() && !window->mapView()->busy(), 30000);
    }
    void cleanupTestCase() { delete window; }

    void aClickSetsTheFieldPoint() {
        varnel::studio::MapCanvas* canvas = window->mapView()->canvas();
        // x = 13 mm, z = -7 mm: unequal and of both signs, so a swap or a sign slip shows.
        const QPoint at = canvas->pixelAt(0.013, -0.007).toPoint();
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at);
        double x = 0, z = 0;
        QVERIFY(canvas->pointAt(at, &x, &z));
        QCOMPARE(Spin(window, "sbX")->value(), std::round(x * 1e6) / 1e3);
        QCOMPARE(Spin(window, "sbZ")->value(), std::round(z * 1e6) / 1e3);
        QVERIFY(qAbs(Spin(window, "sbX")->value() - 13) < 0.5);
        QVERIFY(qAbs(Spin(window, "sbZ")->value() + 7) < 0.5);
    }

    void arrowKeysMoveThePointByACell() {
        varnel::studio::MapCanvas* canvas = window->mapView()->canvas();
        const auto picture = window->mapView()->picture();
        const double cell =
            static_cast<double>(picture->x.stop - picture->x.start) / (picture->x.count - 1) * 1000;
        const double x = Spin(window, "sbX")->value(), z = Spin(window, "sbZ")->value();
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Up);
        QTest::keyClick(canvas, Qt::Key_Up);
        QVERIFY(qAbs(Spin(window, "sbX")->value() - (x + cell)) < 1.5e-3);
        QVERIFY(qAbs(Spin(window, "sbZ")->value() - (z + 2 * cell)) < 1.5e-3);
    }

    void aDragDrawsALineWhoseProfileOpens() {
        varnel::studio::MapCanvas* canvas = window->mapView()->canvas();
        const QPoint from = canvas->pixelAt(0.002, -0.02).toPoint();
        const QPoint to = canvas->pixelAt(0.012, 0.02).toPoint();
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        varnel::studio::ProfilesView* profiles = window->profilesView();
        QCOMPARE(window->tabs()->currentWidget(), profiles);
        QTRY_VERIFY_WITH_TIMEOUT(profiles->lineReady(), 30000);
        const auto line = profiles->shownPicture();
        QVERIFY(line && line->slanted);
        // Its ends are the points dragged between, and its field the calculator's there.
        const varnel::FieldPoint& first = line->points.front();
        const varnel::FieldPoint& last = line->points.back();
        double x0 = 0, z0 = 0, x1 = 0, z1 = 0;
        QVERIFY(canvas->pointAt(from, &x0, &z0));
        QVERIFY(canvas->pointAt(to, &x1, &z1));
        QVERIFY(qAbs(static_cast<double>(first.x) - x0) < 1e-9);
        QVERIFY(qAbs(static_cast<double>(last.z) - z1) < 1e-9);
        QVERIFY(last.z > first.z);
        // The deviation in ppm is a million times |B| / B0d - 1, in % a hundred times.
        profiles->showQuantity(2);
        QCOMPARE(profiles->styledPicture().style.deviationScale, 1e6);
        profiles->showQuantity(1);
        QCOMPARE(profiles->styledPicture().style.deviationScale, 100.0);
        profiles->showQuantity(0);
        profiles->showLine(0);
        QCOMPARE(profiles->shownPicture()->alongZ, true);
        QVERIFY(!profiles->shownPicture()->slanted);
    }

    // Ctrl+PgDn, Ctrl+PgUp and Ctrl+Tab switch tabs from a spin box without stepping it.
    void tabKeysSwitchTabsAndNeverChangeAValue() {
        QDoubleSpinBox* r1 = Spin(window, "sbR1");
        r1->setFocus();
        const double was = r1->value();
        window->tabs()->setCurrentIndex(0);
        QTest::keyClick(r1, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(window->tabs()->currentIndex(), 1);
        QTest::keyClick(r1, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(window->tabs()->currentIndex(), 2);
        QTest::keyClick(r1, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(window->tabs()->currentIndex(), 1);
        QCOMPARE(r1->value(), was);
    }

    // Undo goes back over a change of the inputs, redo forward again.
    void undoAndRedoStepThroughInputs() {
        QDoubleSpinBox* h = Spin(window, "sbH");
        const double was = h->value();
        QTest::qWait(1100);  // a new step, not merged with the probe's
        h->setValue(was + 7.25);
        QCOMPARE(window->inputsPanel()->inputs().heightMm, was + 7.25);
        window->undoStack()->undo();
        QCOMPARE(h->value(), was);
        window->undoStack()->redo();
        QCOMPARE(h->value(), was + 7.25);
        window->undoStack()->undo();
    }

  private:
    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioProbeTest)
#include "studio_probe_test.moc"
