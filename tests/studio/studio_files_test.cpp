// SPDX-License-Identifier: GPL-3.0-or-later
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "message_box_catcher.h"
#include "studio/core/design_file.h"
#include "studio/inputs_panel.h"
#include "studio_fixture.h"

using varnel::studio::DesignInputs;
using varnel::studio::StudioWindow;

class StudioFilesTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        window = new StudioWindow;
        window->show();
    }
    void cleanupTestCase() { delete window; }

    void savedDesignOpensWithTheSameInputs() {
        DesignInputs in;
        in.innerRadiusMm = 12.345;
        in.outerRadiusMm = 31.5;
        in.heightMm = 41.25;
        in.gapMm = 7.125;
        in.wireDiameterMm = 0.7125;
        in.winding = "typical-random";
        in.packingFactor = 0.55;
        in.material = "aluminium";
        in.resistivityNanoOhmM = 28.264;
        in.densityKgM3 = 2703;
        in.currentSource = true;
        in.source = 2.5;
        in.frequencyHz = 50;
        in.pointXMm = 1.5;
        in.pointZMm = -2.25;
        in.uniformityPercent = 0.01;
        in.ambientC = 35.5;
        window->inputsPanel()->setInputs(in);
        QCOMPARE(window->inputsPanel()->inputs(), in);

        const QString path = dir.filePath("pair.json");
        QVERIFY(window->saveDesign(path));
        QVERIFY(!window->isWindowModified());
        window->inputsPanel()->setInputs(DesignInputs{});
        QVERIFY(window->openDesign(path));
        QCOMPARE(window->inputsPanel()->inputs(), in);
        QVERIFY(window->windowTitle().startsWith("pair.json"));
    }

    void savingReplacesTheFileWholeAndLeavesNoTemporary() {
        const QString path = dir.filePath("replaced.json");
        writeFile(path, QByteArray(5000, 'x'));
        QVERIFY(window->saveDesign(path));
        const auto read = varnel::studio::OpenDesign(path);
        QVERIFY(std::holds_alternative<DesignInputs>(read));
        QCOMPARE(QDir(dir.path()).entryList({"replaced*"}, QDir::Files).size(), 1);
        QVERIFY(QFile(path).size() < 5000);
    }

    // Each file must be refused with a message naming why, and the inputs must stay.
    void unreadableFilesAreRefusedAndNothingChanges_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("says");
        const QByteArray good = varnel::studio::WriteDesign(DesignInputs{});
        QTest::newRow("cut short") << good.left(good.size() / 2) << "damaged";
        QTest::newRow("not JSON") << QByteArray("R1 = 10 mm\n") << "damaged";
        QTest::newRow("an array") << QByteArray("[1, 2]") << "damaged";
        QTest::newRow("no schema")
            << QByteArray(good).replace("\"schema\"", "\"scheme\"") << "damaged";
        QTest::newRow("a number as text")
            << QByteArray(good).replace("\"R1_mm\": 10", "\"R1_mm\": \"10\"") << "\"R1_mm\"";
        QTest::newRow("a missing number")
            << QByteArray(good).replace("\"h_mm\"", "\"hh_mm\"") << "\"h_mm\"";
        QTest::newRow("newer schema")
            << QByteArray(good).replace(
                   "\"schema\": " + QByteArray::number(varnel::studio::kDesignSchema),
                   "\"schema\": " + QByteArray::number(varnel::studio::kDesignSchema + 1))
            << "newer version";
        // A value its box cannot show would be changed silently by the box: refused instead.
        QTest::newRow("beyond its box")
            << QByteArray(good).replace("\"R1_mm\": 10", "\"R1_mm\": 1e300") << "\"R1_mm\" is";
        QTest::newRow("below its box")
            << QByteArray(good).replace("\"ambient_C\": 20", "\"ambient_C\": -100")
            << "\"ambient_C\" is -100, outside the range -60 to 200";
        QTest::newRow("a packing factor of 1")
            << QByteArray(good).replace("\"Lambda\": 0.6", "\"Lambda\": 1") << "\"Lambda\"";
    }
    void unreadableFilesAreRefusedAndNothingChanges() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, says);
        DesignInputs before;
        before.innerRadiusMm = 11;
        before.material = "given";
        before.resistivityNanoOhmM = 20;
        window->inputsPanel()->setInputs(before);
        const QString path = dir.filePath("refused.json");
        writeFile(path, bytes);
        const QString titleBefore = window->windowTitle();

        MessageBoxCatcher catcher;
        QVERIFY(!window->openDesign(path));
        QCOMPARE(catcher.seen().size(), 1);
        QCOMPARE(catcher.seen()[0].icon, QMessageBox::Warning);
        QVERIFY2(catcher.seen()[0].text.contains(says), qPrintable(catcher.seen()[0].text));
        QVERIFY(catcher.seen()[0].text.contains("not opened"));
        QCOMPARE(window->inputsPanel()->inputs(), before);
        QCOMPARE(window->windowTitle(), titleBefore);
    }

    // A file takes each number over exactly its box's range: the box's ends are read, a value
    // just past either end is refused.
    void designFilesHoldEachNumberToItsBoxsRange() {
        const std::pair<const char*, const char*> fields[] = {{"R1_mm", "sbR1"},
                                                              {"R2_mm", "sbR2"},
                                                              {"H_mm", "sbH"},
                                                              {"h_mm", "sbGap"},
                                                              {"D_mm", "sbD"},
                                                              {"Lambda", "sbLambda"},
                                                              {"resistivity_nOhm_m", "sbRoe"},
                                                              {"density_kg_m3", "sbRo"},
                                                              {"source", "sbSource"},
                                                              {"f_Hz", "sbFrequency"},
                                                              {"x_mm", "sbX"},
                                                              {"z_mm", "sbZ"},
                                                              {"uniformity_percent", "sbTolerance"},
                                                              {"ambient_C", "sbAmbient"}};
        const QJsonObject good =
            QJsonDocument::fromJson(varnel::studio::WriteDesign(DesignInputs{})).object();
        auto reads = [&](const char* key, double value) {
            QJsonObject o = good;
            o.insert(QLatin1String(key), value);
            return std::holds_alternative<DesignInputs>(
                varnel::studio::ReadDesign(QJsonDocument(o).toJson()));
        };
        for (const auto& [key, box] : fields) {
            const double low = Spin(window, box)->minimum(), high = Spin(window, box)->maximum();
            const double step = std::max(1e-3, (high - low) * 1e-3);
            QVERIFY2(reads(key, low) && reads(key, high), key);
            QVERIFY2(!reads(key, low - step) && !reads(key, high + step), key);
        }
    }

    void aChosenMaterialFillsItsValuesAndTypingOverItMakesItOwn() {
        window->inputsPanel()->setInputs(DesignInputs{});
        auto* material = window->findChild<QComboBox*>("cbMaterial");
        material->setCurrentIndex(material->findData("aluminium"));
        QCOMPARE(Spin(window, "sbRoe")->value(), 28.264);
        QCOMPARE(Spin(window, "sbRo")->value(), 2703.0);
        Spin(window, "sbRoe")->setValue(30);
        QCOMPARE(material->currentData().toString(), QString("given"));
        QCOMPARE(Spin(window, "sbRo")->value(), 2703.0);
    }

    // A catalogue from elsewhere: one wire with its insulation, and an orthocyclic winding
    // whose packing factor is pi / (2 sqrt 3) * (bare / overall)^2, hexagonal packing of the
    // insulated wires. For 0.5 mm in 0.55 mm: 0.9069 * 0.8264 = 0.7495.
    void aCataloguesWireAndWindingFillTheDiameterAndPackingFactor() {
        varnel::studio::Catalogue catalogue = varnel::studio::BuiltInCatalogue();
        catalogue.wires = {{"w050", "0.500 mm grade 1", 0.5, 0.55}};
        catalogue.windings.append({"ortho", "Orthocyclic", std::nullopt});
        catalogue.packing = [](const varnel::studio::WindingEntry& w, double bare,
                               double overall) -> std::optional<double> {
            if (w.key != "ortho")
                return w.packingFactor;
            if (overall <= 0)
                return std::nullopt;
            return 3.14159265358979 / (2 * std::sqrt(3.0)) * (bare / overall) * (bare / overall);
        };
        StudioWindow custom(catalogue, varnel::studio::StudySteps::Standard());
        auto* wire = custom.findChild<QComboBox*>("cbWire");
        auto* winding = custom.findChild<QComboBox*>("cbWinding");
        QVERIFY(wire->isEnabled());
        wire->setCurrentIndex(wire->findData("w050"));
        QCOMPARE(Spin(&custom, "sbD")->value(), 0.5);
        winding->setCurrentIndex(winding->findData("ortho"));
        // The style's factor to the box's nine decimals, so the turns it gives are kept.
        const double ortho = 3.14159265358979 / (2 * std::sqrt(3.0)) * (0.5 / 0.55) * (0.5 / 0.55);
        QCOMPARE(Spin(&custom, "sbLambda")->value(), std::round(ortho * 1e9) / 1e9);
        QVERIFY(!Spin(&custom, "sbLambda")->isEnabled());
        QCOMPARE(custom.inputsPanel()->inputs().wire, QString("w050"));

        Spin(&custom, "sbD")->setValue(0.6);  // no longer that wire: its insulation is unknown
        QCOMPARE(wire->currentData().toString(), QString("given"));
        QVERIFY(Spin(&custom, "sbLambda")->isEnabled());
        custom.study()->waitForIdle();
    }

    void closingWithChangesAsksAndCancelKeepsTheWindow() {
        Spin(window, "sbH")->setValue(33);
        QVERIFY(window->isWindowModified());
        QString asked;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            asked = box->text();
            box->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!window->close());
        QVERIFY(asked.contains("changed"));
        QVERIFY(window->isVisible());
        QCOMPARE(Spin(window, "sbH")->value(), 33.0);
    }

  private:
    static void writeFile(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    QTemporaryDir dir;
    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioFilesTest)
#include "studio_files_test.moc"
