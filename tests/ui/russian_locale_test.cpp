// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "command/decimal_separator.h"
#include "ui/application_shell.h"
#include "ui/main_window.h"

// Runs in a process started with Russian regional settings (decimal separator ",").
class RussianLocaleTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        varnel::ui::ConfigureApplication(*qApp);
        window = new varnel::ui::Tf_V_Loops_V11;
        window->show();
    }
    void cleanupTestCase() { delete window; }

    void separatorComesFromTheRegionalSettings() { QCOMPARE(varnel::DecimalSeparator(), U','); }

    void defaultTextsUseTheRegionalSeparatorAndCalculate() {
        QCOMPARE(text("eR1"), QString("0,01"));
        QCOMPARE(text("eRoe"), QString("1,67E-8"));
        QCOMPARE(text("eRo"), QString("8700"));
        QTest::mouseClick(window->findChild<QPushButton*>("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eReady"), QString("Готов ..."));
        QCOMPARE(text("eN"), QString("229,2"));
        QCOMPARE(text("eK0"), QString("0,005683"));
    }

    void presetTextsAndCaptionsUseTheRegionalSeparator() {
        QTest::mouseClick(window->findChild<QLabel*>("lRoe02"), Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(text("eRoe"), QString("2,69E-8"));
        QTest::mouseClick(window->findChild<QLabel*>("lLambda01"), Qt::LeftButton, {},
                          QPoint(3, 3));
        QCOMPARE(text("eLambda"), QString("0,55"));
        // The captions show their numbers as the boxes do; the ellipsis stays.
        QCOMPARE(window->findChild<QLabel*>("lRoe01")->text(), QString("Медь (Cu) 1,67E-8"));
        QCOMPARE(window->findChild<QLabel*>("lRoe02")->text(), QString("Алюминий (Al) 2,69E-8"));
        QCOMPARE(window->findChild<QLabel*>("lLambda01")->text(),
                 QString("Намотка внавал 0,5 ... 0,6"));
        QCOMPARE(window->findChild<QLabel*>("lRo01")->text(), QString("Медь (Cu) 8700"));
        QTest::mouseClick(window->findChild<QPushButton*>("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eReady"), QString("Готов ..."));
    }

  private:
    QString text(const QString& name) { return window->findChild<QLineEdit*>(name)->text(); }
    varnel::ui::Tf_V_Loops_V11* window = nullptr;
};

QTEST_MAIN(RussianLocaleTest)
#include "russian_locale_test.moc"
