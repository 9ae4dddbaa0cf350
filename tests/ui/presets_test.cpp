// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "command/decimal_separator.h"
#include "ui/application_shell.h"
#include "ui/main_window.h"
#include "window_fixture.h"

using varnel::ui::Tf_V_Loops_V11;

class PresetsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { varnel::ui::ConfigureApplication(*qApp); }

    void init() {
        opened = OpenWindow();
        QVERIFY(opened != nullptr);
        window = opened.get();
    }
    void cleanup() { opened.reset(); }

    void materialLabelsCheckTheirMaterialAndSetBothTexts_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("resistivity");
        QTest::addColumn<QString>("density");
        QTest::newRow("lRoe01") << "lRoe01"
                                << "rbCu"
                                << "1.67E-8"
                                << "8700";
        QTest::newRow("lRoe02") << "lRoe02"
                                << "rbAl"
                                << "2.69E-8"
                                << "2300";
        QTest::newRow("lRoe03") << "lRoe03"
                                << "rbFe"
                                << "9.71E-8"
                                << "8300";
        QTest::newRow("lRo01") << "lRo01"
                               << "rbCu"
                               << "1.67E-8"
                               << "8700";
        QTest::newRow("lRo02") << "lRo02"
                               << "rbAl"
                               << "2.69E-8"
                               << "2300";
        QTest::newRow("lRo03") << "lRo03"
                               << "rbFe"
                               << "9.71E-8"
                               << "8300";
    }
    void materialLabelsCheckTheirMaterialAndSetBothTexts() {
        QFETCH(QString, label);
        QFETCH(QString, radio);
        QFETCH(QString, resistivity);
        QFETCH(QString, density);
        edit("eRoe")->setText("typed");
        edit("eRo")->setText("typed");
        click(label);
        QVERIFY(radioButton(radio)->isChecked());
        QCOMPARE(text("eRoe"), resistivity);
        QCOMPARE(text("eRo"), density);
        for (const char* other : {"rbCu", "rbAl", "rbFe"}) {
            if (radio != other)
                QVERIFY(!radioButton(other)->isChecked());
        }
    }

    void aluminiumDensityLabelWhileCopperIsChecked() {
        QVERIFY(radioButton("rbCu")->isChecked());
        click("lRo02");
        QVERIFY(radioButton("rbAl")->isChecked());
        QVERIFY(!radioButton("rbCu")->isChecked());
        QCOMPARE(text("eRoe"), QString("2.69E-8"));
        QCOMPARE(text("eRo"), QString("2300"));
    }

    void radioButtonsSetTheirMaterialWhenTheyBecomeChecked() {
        QTest::mouseClick(radioButton("rbFe"), Qt::LeftButton);
        QCOMPARE(text("eRoe"), QString("9.71E-8"));
        QCOMPARE(text("eRo"), QString("8300"));
        QTest::mouseClick(radioButton("rbAl"), Qt::LeftButton);
        QCOMPARE(text("eRoe"), QString("2.69E-8"));
        QCOMPARE(text("eRo"), QString("2300"));
    }

    void clickOnTheCheckedRadioKeepsAHandEdit() {
        edit("eRoe")->setText("1.7E-8");
        QTest::mouseClick(radioButton("rbCu"), Qt::LeftButton);
        QVERIFY(radioButton("rbCu")->isChecked());
        QCOMPARE(text("eRoe"), QString("1.7E-8"));
        click("lRoe01");
        QCOMPARE(text("eRoe"), QString("1.67E-8"));
        QCOMPARE(text("eRo"), QString("8700"));
    }

    void packingPresetsTouchOnlyLambda_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("lambda");
        QTest::newRow("lLambda01") << "lLambda01"
                                   << "0.55";
        QTest::newRow("lLambda02") << "lLambda02"
                                   << "0.65";
        QTest::newRow("lLambda03") << "lLambda03"
                                   << "0.75";
    }
    void packingPresetsTouchOnlyLambda() {
        QFETCH(QString, label);
        QFETCH(QString, lambda);
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        const QMap<QString, QString> before = allTexts();
        click(label);
        QMap<QString, QString> after = allTexts();
        QCOMPARE(after.take("eLambda"), lambda);
        QMap<QString, QString> expected = before;
        expected.remove("eLambda");
        QCOMPARE(after, expected);
        QVERIFY(radioButton("rbCu")->isChecked());
    }

    void sourceCaptionsSwapAndLeaveTheSourceText() {
        auto* current = radioButton("rbSourceI");
        current->setEnabled(true);  // disabled in the window as it opens
        edit("eSource1")->setText("3");
        QTest::mouseClick(current, Qt::LeftButton);
        QCOMPARE(labelText("l_Source1"), QString("Действующий ток Id, А"));
        QCOMPARE(labelText("l_Results_Source2"), QString("Действующее напряжение Ud, В"));
        QCOMPARE(text("eSource1"), QString("3"));
        QTest::mouseClick(radioButton("rbSourceU"), Qt::LeftButton);
        QCOMPARE(labelText("l_Source1"), QString("Действующее напряжение Ud, В"));
        QCOMPARE(labelText("l_Results_Source2"), QString("Действующий ток Id, А"));
        QCOMPARE(text("eSource1"), QString("3"));
    }

    void currentSourceModeCalculatesTheVoltage() {
        radioButton("rbSourceI")->setEnabled(true);
        QTest::mouseClick(radioButton("rbSourceI"), Qt::LeftButton);
        edit("eSource1")->setText("2");
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eSource2"), QString("1.837"));  // 2 A through 0.918566 ohm
    }

    void clearEmptiesResultsEvenAfterAValidationMessage() {
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        edit("eLambda")->setText("1");
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eReady"), QString("Введите Lambda < 1"));
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        edit("eLambda")->setText("0.6");
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eN"), QString("229.2"));
        edit("eLambda")->setText("1");
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QTest::mouseClick(button("bClear"), Qt::LeftButton);
        QCOMPARE(text("eReady"), QString("Готов ..."));
        QCOMPARE(text("eN"), QString());
        QCOMPARE(text("eLambda"), QString("1"));
        QCOMPARE(text("eR1"), QString("0.01"));
    }

    void contactLinesChangeOnlyTheStatus_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("status");
        QTest::newRow("l_Contact_01") << "l_Contact_01"
                                      << "С уважением";
        QTest::newRow("l_Contact_03") << "l_Contact_03"
                                      << "—";
        QTest::newRow("l_Contact_04") << "l_Contact_04"
                                      << "—";
    }
    void contactLinesChangeOnlyTheStatus() {
        QFETCH(QString, label);
        QFETCH(QString, status);
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QMap<QString, QString> before = allTexts();
        click(label);
        QMap<QString, QString> after = allTexts();
        QCOMPARE(after.take("eReady"), status);
        before.remove("eReady");
        QCOMPARE(after, before);
    }

    void presetLabelsShowAPointingHand() {
        for (const char* name : {"lRoe01", "lRo03", "lLambda02", "l_Contact_01", "l_Contact_04"}) {
            QCOMPARE(window->findChild<QLabel*>(name)->cursor().shape(), Qt::PointingHandCursor);
        }
        QVERIFY(window->findChild<QLabel*>("l_Contact_02")->cursor().shape() !=
                Qt::PointingHandCursor);
    }

  private:
    void click(const QString& label) {
        QTest::mouseClick(window->findChild<QLabel*>(label), Qt::LeftButton, {}, QPoint(3, 3));
    }
    QLineEdit* edit(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QRadioButton* radioButton(const QString& n) { return window->findChild<QRadioButton*>(n); }
    QPushButton* button(const QString& name) { return window->findChild<QPushButton*>(name); }
    QString text(const QString& name) { return edit(name)->text(); }
    QString labelText(const QString& name) { return window->findChild<QLabel*>(name)->text(); }
    QMap<QString, QString> allTexts() {
        QMap<QString, QString> texts;
        for (QLineEdit* e : window->findChildren<QLineEdit*>())
            texts[e->objectName()] = e->text();
        return texts;
    }

    std::unique_ptr<Tf_V_Loops_V11> opened;
    Tf_V_Loops_V11* window = nullptr;
};

QTEST_MAIN(PresetsTest)
#include "presets_test.moc"
