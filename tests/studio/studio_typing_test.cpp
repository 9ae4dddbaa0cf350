// SPDX-License-Identifier: GPL-3.0-or-later
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "studio/core/design_file.h"
#include "studio/design_view.h"
#include "studio/inputs_panel.h"
#include "studio/map_view.h"
#include "studio_fixture.h"

using varnel::studio::DesignInputs;
using varnel::studio::StudioWindow;

namespace {

// Types `text` into the box key by key, as a user does, over whatever it held.
void Type(QDoubleSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, text);
}

}  // namespace

// Every value typed is the value used: both separators in both languages, a message beside a
// box whose value cannot be used, gone once it can, and files with values no box can show.
class StudioTypingTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        window = new StudioWindow;
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
    }
    void cleanupTestCase() { delete window; }

    void everyBoxReadsBothSeparators_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QStringList boxes;
        for (QDoubleSpinBox* spin : window->findChildren<QDoubleSpinBox*>())
            boxes << spin->objectName();
        QVERIFY(boxes.size() >= 25);  // the inputs and the design goals
        for (const QString& box : boxes) {
            for (const char* language : {"en", "ru"}) {
                for (const char* text : {"12.5", "12,5"}) {
                    QTest::addRow("%s %s %s", qPrintable(box), language, text)
                        << box << QString(language) << QString(text);
                }
            }
        }
    }
    void everyBoxReadsBothSeparators() {
        QFETCH(QString, box);
        QFETCH(QString, language);
        QFETCH(QString, text);
        auto* spin = window->findChild<QDoubleSpinBox*>(box);
        QVERIFY(spin);
        const QLocale before = spin->locale();
        const double was = spin->value();
        const bool enabled = spin->isEnabled();
        spin->setEnabled(true);  // the |B| scale's boxes wait for the |B| colouring
        spin->setLocale(
            QLocale(language == QStringLiteral("ru") ? QLocale::Russian : QLocale::English));
        // 12.5 where the box takes it; the packing factor (below 1) takes 0.125 the same way.
        const bool fits = spin->maximum() >= 12.5;
        QString typed = text;
        if (!fits)
            typed = QStringLiteral("0") + text.at(2) + QStringLiteral("125");
        Type(spin, typed);
        const double expected = fits ? 12.5 : 0.125;
        QCOMPARE(spin->value(), expected);
        // The text keeps every digit typed, with the language's own separator.
        const QString shown = spin->text();
        QVERIFY2(shown.contains(fits ? QStringLiteral("12") + spin->locale().decimalPoint() + "5"
                                     : QStringLiteral("0") + spin->locale().decimalPoint() + "125"),
                 qPrintable(shown));
        spin->setValue(was);
        spin->setLocale(before);
        spin->setEnabled(enabled);
    }

    void aSecondSeparatorIsRefused() {
        QDoubleSpinBox* spin = Spin(window, "sbH");
        const double was = spin->value();
        Type(spin, QStringLiteral("12.5.3"));
        // The second "." is refused as it is typed; what the box shows is what it uses.
        QCOMPARE(spin->value(), 12.53);
        QVERIFY2(spin->text().startsWith(QStringLiteral("12.53")), qPrintable(spin->text()));
        spin->setValue(was);
    }

    void aValueThatCannotBeUsedIsMarkedUntilMended() {
        varnel::studio::InputsPanel* panel = window->inputsPanel();
        Spin(window, "sbR1")->setValue(25);  // R2 is 20 mm
        QVERIFY(!panel->problem(QStringLiteral("sbR2")).isEmpty());
        QVERIFY(panel->problem(QStringLiteral("sbR2")).contains(QStringLiteral("R1")));
        QVERIFY(Spin(window, "sbR2")->property("problem").toBool());
        // The map says why it has no picture instead of computing for ever.
        varnel::studio::MapView* map = window->mapView();
        QTRY_VERIFY_WITH_TIMEOUT(!map->busy(), 20000);
        QVERIFY(!map->picture());
        auto* readout = map->findChild<QLabel*>(QStringLiteral("lReadout"));
        QVERIFY(readout->text().contains(QStringLiteral("R2")));

        Spin(window, "sbR1")->setValue(11);
        QVERIFY(panel->problem(QStringLiteral("sbR2")).isEmpty());
        QVERIFY(!panel->hasProblems());
        QVERIFY(!Spin(window, "sbR2")->property("problem").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(map->picture() != nullptr, 20000);
        QVERIFY(!readout->text().contains(QStringLiteral("R2")));

        // A wire thicker than the winding marks the wire, and File > New mends it.
        Spin(window, "sbD")->setValue(12);
        QVERIFY(!panel->problem(QStringLiteral("sbD")).isEmpty());
        panel->setInputs(DesignInputs{});
        QVERIFY(!panel->hasProblems());
    }

    void aFileValueNoBoxCanShowIsRefusedByName_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("value");
        for (const auto& l : varnel::studio::kInputLimits) {
            const double span = std::max(1.0, l.maximum - l.minimum);
            QTest::addRow("%s below", l.key) << QString(l.key) << l.minimum - span / 4 - 1;
            QTest::addRow("%s above", l.key) << QString(l.key) << l.maximum + span / 4 + 1;
        }
    }
    void aFileValueNoBoxCanShowIsRefusedByName() {
        QFETCH(QString, key);
        QFETCH(double, value);
        QJsonObject o =
            QJsonDocument::fromJson(varnel::studio::WriteDesign(DesignInputs{})).object();
        o.insert(key, value);
        const auto read = varnel::studio::ReadDesign(QJsonDocument(o).toJson());
        const QString* message = std::get_if<QString>(&read);
        QVERIFY2(message, "the file was read");
        QVERIFY2(message->contains(QLatin1Char('"') + key + QLatin1Char('"')),
                 qPrintable(*message));
        QVERIFY2(message->contains(QLocale().toString(value, 'g', 15)), qPrintable(*message));
    }

    void everyValueInRangeIsReadAsWritten() {
        // The edges of every range stand, so a refusal above is the range and nothing else.
        DesignInputs in;
        for (const auto& l : varnel::studio::kInputLimits)
            in.*l.member = l.minimum;
        const auto read = varnel::studio::ReadDesign(varnel::studio::WriteDesign(in));
        QVERIFY(std::holds_alternative<DesignInputs>(read));
        QCOMPARE(std::get<DesignInputs>(read), in);
    }

    // The design goals are saved with the inputs and come back with them.
    void theDesignGoalsTravelWithTheFile() {
        varnel::studio::DesignGoals goals;
        goals.centreFieldMt = 7.125;
        goals.centreTolerancePercent = 2.25;
        goals.uniformPercent = 0.05;
        goals.uniformRadiusMm = 3.5;
        goals.currentSource = true;
        goals.source = 2.5;
        goals.frequencyHz = 50;
        goals.maxPowerW = 15.5;
        goals.maxTempRiseK = 45;
        goals.maxOuterMm = 80;
        goals.maxLengthMm = 120;
        goals.maxMassKg = 2.5;
        goals.ambientC = 35;
        goals.boreMm = 25;
        goals.wires = QStringLiteral("awg");
        goals.winding = QStringLiteral("layer");
        goals.material = QStringLiteral("aluminium");
        goals.minimise = QStringLiteral("power");
        goals.count = 3;
        varnel::studio::DesignView* design = window->designView();
        design->setGoals(goals);
        QCOMPARE(design->goals(), goals);  // the boxes hold them as they are
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("goals.json"));
        QVERIFY(window->saveDesign(path));
        design->setGoals(varnel::studio::DesignGoals{});
        QVERIFY(window->openDesign(path));
        QCOMPARE(design->goals(), goals);
        // A file without goals (an older one) leaves the window's goals as they are.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(varnel::studio::WriteDesign(DesignInputs{}));
        file.close();
        QVERIFY(window->openDesign(path));
        QCOMPARE(design->goals(), goals);
        design->setGoals(varnel::studio::DesignGoals{});
    }

  private:
    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioTypingTest)
#include "studio_typing_test.moc"
