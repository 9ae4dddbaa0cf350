// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

#include "studio/numbers_view.h"
#include "studio/table_number.h"

using varnel::studio::NumbersView;
using varnel::studio::Result;
using varnel::studio::StudyNumbers;
using varnel::studio::TemperatureRise;

// The warnings of the Numbers table, from numbers made up for each case, and the tables' one
// number format.
class StudioWarningsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void aCurrentDensityPastTheClassIsMarked_data() {
        QTest::addColumn<double>("hottest");
        QTest::addColumn<bool>("runaway");
        QTest::addColumn<bool>("marked");
        // Class F, 155 C: a hot spot of 170 C passes it, one of 150 C does not; a runaway
        // passes any class whatever its last temperature.
        QTest::newRow("past the class") << 170.0 << false << true;
        QTest::newRow("within the class") << 150.0 << false << false;
        QTest::newRow("runaway") << 40.0 << true << true;
    }
    void aCurrentDensityPastTheClassIsMarked() {
        QFETCH(double, hottest);
        QFETCH(bool, runaway);
        QFETCH(bool, marked);
        NumbersView view;
        StudyNumbers n;
        n.checked = true;
        TemperatureRise t;
        t.kelvin = 95;
        t.runaway = runaway;
        t.current = 1.25;
        t.power = 7.5;
        t.hottestC = hottest;
        t.thermalClassC = 155;
        n.temperature = t;
        view.showNumbers(n);
        auto* table = view.findChild<QTableWidget*>(QStringLiteral("twNumbers"));
        QVERIFY(table);
        for (const Result r : {Result::WindingDensity, Result::WireDensity}) {
            const QTableWidgetItem* cell = table->item(static_cast<int>(r), 1);
            QCOMPARE(!cell->toolTip().isEmpty(), marked);
            QCOMPARE(cell->font().bold(), marked);
        }
        // The other rows' calculator cells stay unmarked.
        QVERIFY(table->item(static_cast<int>(Result::Power), 1)->toolTip().isEmpty());
        const QString status = view.findChild<QLabel*>(QStringLiteral("lStatus"))->text();
        QCOMPARE(status.contains(QStringLiteral("155")), marked);
        if (marked && !runaway)
            QVERIFY2(status.contains(QStringLiteral("170")), qPrintable(status));
    }

    // One format: the digits chosen for the table, the user's separator, no digit groups (as
    // in the calculator's texts), no "-0".
    void tableNumbersHaveTheTablesDigitsInTheUsersFormat() {
        const QLocale english(QLocale::English), russian(QLocale::Russian);
        QCOMPARE(varnel::studio::TableNumber(1234.5678, 6, english), QStringLiteral("1234.57"));
        QCOMPARE(varnel::studio::TableNumber(1234.5678, 4, russian), QStringLiteral("1235"));
        QCOMPARE(varnel::studio::TableNumber(0.0123456, 4, russian), QStringLiteral("0,01235"));
        QCOMPARE(varnel::studio::TableNumber(-0.0, 6, english), QStringLiteral("0"));
    }
};

QTEST_MAIN(StudioWarningsTest)
#include "studio_warnings_test.moc"
