// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "design/catalogue.h"
#include "studio/design_view.h"
#include "studio/inputs_panel.h"
#include "studio_fixture.h"

using varnel::studio::DesignView;
using varnel::studio::StudioWindow;

// The real design search, held at its first report of progress until it is asked to stop: a
// cancel then always finds it under way, with no guess at how long a search lasts.
class HeldSearch {
  public:
    DesignView::Search search() {
        return [this](const varnel::studio::DesignGoals& goals, std::stop_token stop,
                      const varnel::studio::SearchProgress& progress, unsigned threads) {
            return varnel::studio::SearchDesigns(
                goals, stop,
                [this, stop, progress](std::size_t done, std::size_t total) {
                    progress(done, total);
                    underWay_ = true;
                    std::mutex mutex;
                    std::condition_variable_any woken;
                    std::unique_lock lock(mutex);
                    woken.wait(lock, stop, [] { return false; });
                    sawStop_ = true;
                },
                threads);
        };
    }
    bool underWay() const { return underWay_; }
    bool sawStop() const { return sawStop_; }

  private:
    std::atomic<bool> underWay_{false}, sawStop_{false};
};

class StudioDesignTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        window = new StudioWindow;
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
    }
    void cleanupTestCase() { delete window; }

    // Cancelled before it ends, the first run leaves the table as it was: empty. The search is
    // the real one, held at its first report of progress until it is cancelled, so that the
    // cancel reaches it under way however fast the machine.
    void cancelStopsARunAndKeepsTheTable() {
        HeldSearch held;
        design()->setSearch(held.search());
        design()->run();
        QVERIFY(design()->running());
        QTRY_VERIFY_WITH_TIMEOUT(held.underWay(), 60000);
        design()->cancel();
        QTRY_VERIFY_WITH_TIMEOUT(!design()->running(), 60000);
        QVERIFY(held.sawStop());
        QCOMPARE(table()->model()->rowCount(), 0);
        QVERIFY(design()->designs().isEmpty());
        design()->setSearch(varnel::studio::SearchDesigns);
    }

    // A whole run fills the table; a cancelled one after it leaves those rows as they were.
    void aWholeRunFillsTheTableAndACancelledOneLeavesIt() {
        design()->run();
        QTRY_VERIFY_WITH_TIMEOUT(!design()->running(), 120000);
        const int rows = table()->model()->rowCount();
        QVERIFY(rows > 0);
        QCOMPARE(rows, design()->designs().size());
        QStringList before;
        for (int r = 0; r < rows; ++r)
            before << table()->model()->index(r, 1).data().toString();
        HeldSearch held;
        design()->setSearch(held.search());
        design()->run();
        QTRY_VERIFY_WITH_TIMEOUT(held.underWay(), 60000);
        design()->cancel();
        QTRY_VERIFY_WITH_TIMEOUT(!design()->running(), 60000);
        design()->setSearch(varnel::studio::SearchDesigns);
        QCOMPARE(table()->model()->rowCount(), rows);
        for (int r = 0; r < rows; ++r)
            QCOMPARE(table()->model()->index(r, 1).data().toString(), before[r]);
    }

    // Sorted by power, the first row is the design of least power, and choosing it puts its
    // geometry, wire, winding, Lambda and supply into the inputs.
    void choosingARowLoadsItsInputs() {
        QVERIFY(!design()->designs().isEmpty());
        table()->sortByColumn(7, Qt::AscendingOrder);  // P, W
        const auto& designs = design()->designs();
        int least = 0;
        for (int i = 1; i < designs.size(); ++i) {
            if (designs[i].power < designs[least].power)
                least = i;
        }
        design()->choose(0);
        const varnel::studio::DesignInputs in = window->inputsPanel()->inputs();
        const varnel::studio::DesignInputs& want = designs[least].inputs;
        // To the boxes' decimals: three for lengths in mm and for Lambda, four for D.
        const struct {
            double shown, wanted, half;
        } fields[] = {
            {in.innerRadiusMm, want.innerRadiusMm, 5e-4},
            {in.outerRadiusMm, want.outerRadiusMm, 5e-4},
            {in.heightMm, want.heightMm, 5e-4},
            {in.gapMm, want.gapMm, 5e-4},
            {in.wireDiameterMm, want.wireDiameterMm, 5e-5},
            {in.packingFactor, want.packingFactor, 5e-4},
            {in.resistivityNanoOhmM, want.resistivityNanoOhmM, 5e-4},
            {in.source, want.source, 5e-5},
        };
        for (const auto& f : fields)
            QVERIFY2(qAbs(f.shown - f.wanted) <= f.half * 1.000001,
                     qPrintable(QString("%1 against %2").arg(f.shown).arg(f.wanted)));
        QCOMPARE(in.winding, QString("given"));
        QCOMPARE(in.currentSource, false);
        QCOMPARE(in.source, 12.0);  // the goals' supply
        // The calculator then gives the design's B0 for those inputs, within its tolerance,
        // with the winding hot as the search takes it (the calculator's own current is that of
        // the winding at 20 C).
        QTest::qWait(200);
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
        const auto& n = window->numbersView()->numbers();
        QVERIFY(n.temperature);
        const double b0 = n.temperature->centreField;
        QVERIFY2(qAbs(b0 / 0.010 - 1) < 0.011, qPrintable(QString::number(b0)));
    }

    // The rank column keeps "best first" whatever the sorting; the binds column names the
    // limits each design meets, in words.
    void rankAndBindsColumns() {
        const auto designs = design()->designs();
        QVERIFY(!designs.isEmpty());
        auto* model = table()->model();
        const int rank = model->columnCount() - 2, binds = model->columnCount() - 1;
        QCOMPARE(model->headerData(rank, Qt::Horizontal).toString(), QString("Rank"));
        table()->sortByColumn(7, Qt::DescendingOrder);  // by power: another order
        table()->sortByColumn(rank, Qt::AscendingOrder);
        for (int r = 0; r < model->rowCount(); ++r) {
            QCOMPARE(model->index(r, rank).data().toString(), QString::number(r + 1));
            const int i = model->index(r, 0).data(Qt::UserRole + 1).toInt();
            QCOMPARE(designs[i].rank, r + 1);
            QVERIFY(!model->index(r, binds).data().toString().isEmpty());
            QVERIFY(!model->index(r, binds).data().toString().contains(QLatin1Char('-')));
        }
        // The goals' power limit binds the best design of the default search (as
        // varnel-calc design reports it: "binds: max-power").
        QVERIFY(designs[0].binds.contains(QStringLiteral("max-power")));
        QVERIFY(model->index(0, binds).data().toString().contains(QStringLiteral("power")));
    }

    // Every row, loaded, gives the numbers the table shows for it, to the table's digits: the
    // turns, and hot (at the steady temperature the search found) the rise, current, power and
    // B0. The inputs panel holds the design exactly as the search handed it over.
    void loadingEveryRowGivesTheTablesNumbers() {
        const auto designs = design()->designs();
        QVERIFY(!designs.isEmpty());
        const QLocale locale;
        auto digits = [&](double v, int n) { return locale.toString(v, 'g', n); };
        for (int row = 0; row < designs.size(); ++row) {
            design()->choose(row);
            const QModelIndex index = table()->model()->index(row, 0);
            const auto& f = designs[table()->model()->data(index, Qt::UserRole + 1).toInt()];
            QCOMPARE(window->inputsPanel()->inputs(), f.inputs);
            QTest::qWait(200);  // past the pause that gathers changes
            QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 60000);
            const auto& n = window->numbersView()->numbers();
            using varnel::studio::Result;
            // The calculator's text of N, four digits: "361.0" for 361.
            QCOMPARE(n.texts[std::size_t(Result::Turns)].toDouble(), double(f.turns));
            const double turns = n.classic[std::size_t(Result::Turns)].value_or(
                n.texts[std::size_t(Result::Turns)].toDouble());
            QCOMPARE(qRound64(turns), f.turns);
            QVERIFY2(qAbs(turns - f.turns) < 1e-4, qPrintable(QString::number(turns, 'g', 12)));
            QVERIFY(n.temperature && !n.temperature->runaway);
            QCOMPARE(digits(n.temperature->kelvin, 3), digits(f.riseK, 3));
            QCOMPARE(digits(n.temperature->current, 4), digits(f.current, 4));
            QCOMPARE(digits(n.temperature->power, 4), digits(f.power, 4));
            QCOMPARE(digits(n.temperature->centreField * 1000, 5), digits(f.centreFieldMt, 5));
        }
    }

    // A limit box at 0 sets no limit and says so in words; any other value shows the number.
    void limitsAtZeroSayNoLimit() {
        struct Box {
            const char* name;
            QString none;
        };
        const Box boxes[] = {{"sbGoalPower", "no limit"}, {"sbGoalRise", "no limit"},
                             {"sbGoalOuter", "no limit"}, {"sbGoalLength", "no limit"},
                             {"sbGoalMass", "no limit"},  {"sbGoalSphere", "no uniformity goal"}};
        for (const Box& b : boxes) {
            QDoubleSpinBox* box = Spin(window, b.name);
            const double was = box->value();
            box->setValue(0);
            QCOMPARE(box->text(), b.none);
            box->setValue(5);
            QVERIFY2(box->text().startsWith("5"), qPrintable(box->text()));
            box->setValue(was);
        }
    }

    // The conductors offered are the metals of the one table of materials, in its order and
    // under its keys; the one chosen reaches the search's goals by its key.
    void conductorsComeFromTheMaterialsTable() {
        auto* box = window->findChild<QComboBox*>(QStringLiteral("cbGoalMaterial"));
        QVERIFY(box != nullptr);
        const std::vector<varnel::design::Material>& table = varnel::design::ShippedMaterials();
        QCOMPARE(box->count(), int(table.size()));
        for (std::size_t k = 0; k < table.size(); ++k)
            QCOMPARE(box->itemData(int(k)).toString(),
                     QString::fromStdString(varnel::design::MaterialKey(table[k])));
        const int was = box->currentIndex();
        const int aluminium = box->findData(QStringLiteral("aluminium"));
        QVERIFY(aluminium >= 0 && aluminium != box->findData(QStringLiteral("copper")));
        box->setCurrentIndex(aluminium);
        QCOMPARE(design()->goals().material, QStringLiteral("aluminium"));
        box->setCurrentIndex(was);
    }

    // A refused goal names the studio's boxes, not the command's options, and the command's
    // own sentence stays as it was.
    void refusedGoalsNameTheBoxes() {
        varnel::studio::DesignGoals goals;
        goals.currentSource = true;
        goals.source = -3;
        QCOMPARE(varnel::studio::SearchDesigns(goals, {}, {}, 1).message,
                 QStringLiteral("The current must be positive and at most 1e6 A."));
        goals.currentSource = false;
        QCOMPARE(varnel::studio::SearchDesigns(goals, {}, {}, 1).message,
                 QStringLiteral("The voltage must be positive and at most 1e6 V."));
        goals.source = 12;
        goals.boreMm = 50;
        goals.maxOuterMm = 30;
        QCOMPARE(varnel::studio::SearchDesigns(goals, {}, {}, 1).message,
                 QStringLiteral("The bore and the former's wall (R1 at least 50 mm) must lie "
                                "below the largest outer radius, 30 mm."));
    }

  private:
    DesignView* design() const { return window->designView(); }
    QTableView* table() const { return design()->table(); }
    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioDesignTest)
#include "studio_design_test.moc"
