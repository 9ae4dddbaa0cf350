// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "command/control_names.h"
#include "run_program.h"
#include "studio/core/design_inputs.h"
#include "studio/core/study_bridge.h"
#include "studio/inputs_panel.h"
#include "studio_fixture.h"

using varnel::studio::DesignInputs;
using varnel::studio::StudioWindow;

class StudioNumbersTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        window = new StudioWindow;
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
    }
    void cleanupTestCase() { delete window; }

    void init() {
        window->inputsPanel()->setInputs(DesignInputs{});
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
    }

    void decimalTextMovesThePointWithoutRounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("power");
        QTest::addColumn<QString>("text");
        QTest::newRow("millimetres to metres") << 12.3 << -3 << "0.0123";
        QTest::newRow("whole millimetres") << 10.0 << -3 << "0.01";
        QTest::newRow("metre from millimetres") << 1000.0 << -3 << "1";
        QTest::newRow("nano-ohm metres take an exponent") << 17.241 << -9 << "1.7241E-8";
        QTest::newRow("small but plain") << 0.001 << -3 << "0.000001";
        QTest::newRow("whole number unchanged") << 8890.0 << 0 << "8890";
        QTest::newRow("zero") << 0.0 << -3 << "0";
        QTest::newRow("negative") << -2.5 << 0 << "-2.5";
        QTest::newRow("tenth that has no exact binary") << 0.1 << 0 << "0.1";
    }
    void decimalTextMovesThePointWithoutRounding() {
        QFETCH(double, value);
        QFETCH(int, power);
        QFETCH(QString, text);
        QCOMPARE(varnel::studio::DecimalText(value, power), text);
    }

    void commandLineHoldsEveryInputInSiUnits() {
        QCOMPARE(window->commandLine(),
                 QString("varnel-calc --R1 0.01 --R2 0.02 --H 0.03 --h 0.01 --D 0.001 --Lambda "
                         "0.6 --Roe 1.7241E-8 --Ro 8890 --f 0 --source 1 --x 0 --z 0"));
        window->findChild<QRadioButton*>("rbCurrent")->setChecked(true);
        QVERIFY(window->commandLine().endsWith(" --current"));
    }

    // Each row changes some inputs from the defaults; the sixteen texts must then be those of
    // varnel-calc for the same inputs, and one of them is also worked out by hand.
    void inputChangeGivesTheNumbersOfVarnelCalc_data() {
        QTest::addColumn<QStringList>("changes");  // "name=value": a spin box or a list key
        QTest::addColumn<int>("handResult");
        QTest::addColumn<QString>("handText");
        using R = varnel::studio::Result;
        // N = H * 4 * (R2 - R1) * Lambda / (pi D^2) = 0.03 * 4 * 0.0075 * 0.6 / (3.1415926e-6)
        QTest::newRow("inner radius") << QStringList{"sbR1=12.5"} << int(R::Turns) << "171.9";
        // A current source of 2 A in a 1 mm wire: 2 * 4 / (pi * 1 mm^2) = 2.5465 A/mm^2.
        QTest::newRow("current source at 50 Hz")
            << QStringList{"rbCurrent=1", "sbSource=2", "sbFrequency=50"} << int(R::WireDensity)
            << "2.546";
        // m = 2703 * 2 * 0.65 * pi * 0.03 * (0.02^2 - 0.01^2) = 0.099353 kg.
        QTest::newRow("aluminium in layers")
            << QStringList{"cbMaterial=aluminium", "cbWinding=typical-layer"} << int(R::Mass)
            << "0.09935";
        QTest::newRow("field point off the axis")
            << QStringList{"sbX=3", "sbZ=4", "sbGap=12.5"} << -1 << "";
    }
    void inputChangeGivesTheNumbersOfVarnelCalc() {
        QFETCH(QStringList, changes);
        QFETCH(int, handResult);
        QFETCH(QString, handText);
        for (const QString& change : changes) {
            const QString name = change.section('=', 0, 0), value = change.section('=', 1);
            if (auto* spin = window->findChild<QDoubleSpinBox*>(name)) {
                spin->setValue(value.toDouble());
            } else if (auto* combo = window->findChild<QComboBox*>(name)) {
                combo->setCurrentIndex(combo->findData(value));
            } else {
                window->findChild<QRadioButton*>(name)->setChecked(true);
            }
        }
        QVERIFY(window->study()->busy());
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);

        const QJsonObject calc = VarnelCalc(window->commandLine());
        QCOMPARE(calc.value("status").toString(), QString("Готов ..."));
        const QJsonObject results = calc.value("results").toObject();
        for (int i = 0; i < varnel::studio::kResultCount; ++i) {
            const std::string_view box = varnel::kResultBoxes[std::size_t(i)].name;
            const QString expected =
                results.value(QString::fromLatin1(box.data(), qsizetype(box.size()))).toString();
            QVERIFY(!expected.isEmpty());
            QCOMPARE(cell(i, 1), expected);
        }
        if (handResult >= 0)
            QCOMPARE(cell(handResult, 1), handText);
    }

    void refusedInputsShowTheCalculatorsMessage() {
        Spin(window, "sbR2")->setValue(5);  // inside the inner radius
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
        const QJsonObject calc = VarnelCalc(window->commandLine());
        const QString message = calc.value("status").toString();
        QVERIFY(message.startsWith("Введите"));
        QVERIFY(window->findChild<QLabel*>("lStatus")->text().contains(message));
        for (int i = 0; i < varnel::studio::kResultCount; ++i)
            QCOMPARE(cell(i, 1), QString());
    }

    void numbersAreCopyableAsText() {
        auto* table = window->findChild<QTableWidget*>("twNumbers");
        table->clearSelection();
        window->numbersView()->copy();
        const QString all = QApplication::clipboard()->text();
        QVERIFY(all.startsWith("Quantity\tCalculator\tExact\t"));
        QVERIFY(all.contains("\nTurns of one coil N\t229.2\t"));
        QVERIFY(all.contains("\nInductance of the pair L, H\t0.001778\t"));

        table->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 1), true);
        window->numbersView()->copy();
        QCOMPARE(QApplication::clipboard()->text(), QString("229.2\n%1\n").arg(cell(1, 1)));
    }

    void exactValuesStandBesideTheCalculators() {
        using R = varnel::studio::Result;
        const auto& n = window->numbersView()->numbers();
        QCOMPARE(n.checkError, QString());
        QVERIFY(n.exact[std::size_t(R::CentreField)].has_value());
        // The classic sum and the integrals agree to well within a percent for the defaults.
        QVERIFY(
            qAbs(*n.classic[std::size_t(R::CentreField)] / *n.exact[std::size_t(R::CentreField)] -
                 1) < 0.01);
        QVERIFY(n.force.has_value() && *n.force < 0);  // currents in the same sense attract
        QVERIFY(n.uniformAxial.found && n.uniformRadial.found);
        QVERIFY(n.uniformAxial.metres > 0 && n.uniformAxial.metres < 0.01);
        // The steady rise balances the surfaces' loss, 12 W/(m^2 K) over both coils' four
        // faces, against U^2/R with R warmed by copper's 0.00393 /K.
        QVERIFY(n.temperature.has_value() && !n.temperature->runaway);
        const double pi = 3.14159265358979, R1 = 0.01, R2 = 0.02, H = 0.03;
        const double area = 2 * (2 * pi * (R1 + R2) * H + 2 * pi * (R2 * R2 - R1 * R1));
        const double R20 = n.texts[std::size_t(R::Resistance)].toDouble();
        const double rise = n.temperature->kelvin;
        QVERIFY(rise > 0);
        QVERIFY(qAbs(12 * area * rise / (1.0 / (R20 * (1 + 0.00393 * rise))) - 1) < 5e-3);
    }

  private:
    QString cell(int row, int column) {
        return window->findChild<QTableWidget*>("twNumbers")->item(row, column)->text();
    }

    static QJsonObject VarnelCalc(const QString& commandLine) {
        std::vector<std::string> args;
        const QStringList words = commandLine.split(' ');
        for (qsizetype i = 1; i < words.size(); ++i)
            args.push_back(words[i].toStdString());
        args.push_back("--json");
        const ProgramRun run = RunProgram(VARNEL_CALC_PATH, args);
        return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    }

    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioNumbersTest)
#include "studio_numbers_test.moc"
