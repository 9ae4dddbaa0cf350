// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include "studio/design_view.h"
#include "studio/studio_shell.h"
#include "studio_fixture.h"

using varnel::studio::StudioWindow;

// The window from 800 x 600 up, in the language of the process (this suite runs in English and
// in Russian): nothing forces it wider or taller, and at 1200 px the design table's columns fit.
class StudioWindowSizeTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        varnel::studio::ConfigureStudio(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        window = new StudioWindow;
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
    }
    void cleanupTestCase() { delete window; }

    void everyTabFitsInEightHundredBySixHundred() {
        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("tabs"));
        QVERIFY(tabs);
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
            QVERIFY2(least.width() <= 800 && least.height() <= 600,
                     qPrintable(QString("%1: %2 x %3")
                                    .arg(tabs->tabText(i))
                                    .arg(least.width())
                                    .arg(least.height())));
            // A 1280 x 720 screen at 150 % is 853 x 480 of the window's pixels, less the title
            // bar and a panel: the window can be that small.
            QVERIFY2(least.width() <= 853 && least.height() <= 420,
                     qPrintable(QString("%1 x %2").arg(least.width()).arg(least.height())));
            window->resize(800, 600);
            QTRY_COMPARE(window->size(), QSize(800, 600));
        }
    }

    // At 800 x 600 the inputs column fits its width, in English and in Russian (this suite
    // runs in both): the long labels put their boxes under them instead of scrolling sideways.
    void theInputsNeedNoSidewaysScrollAtEightHundred() {
        window->resize(800, 600);
        QTRY_COMPARE(window->size(), QSize(800, 600));
        auto* scroll = window->findChild<QScrollArea*>(QStringLiteral("inputsScroll"));
        QVERIFY(scroll);
        QTRY_VERIFY(scroll->widget()->width() > 0);
        QVERIFY2(!scroll->horizontalScrollBar()->isVisible(),
                 qPrintable(QString("%1 px of inputs in %2 px")
                                .arg(scroll->widget()->minimumSizeHint().width())
                                .arg(scroll->viewport()->width())));
        QVERIFY(scroll->verticalScrollBar()->isVisible());  // the column is taller than 600
    }

    // At 1200 x 800 the designs of a search fit the table's width: no sideways scrolling.
    void theDesignColumnsFitAtTwelveHundred() {
        window->resize(1200, 800);
        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("tabs"));
        tabs->setCurrentWidget(window->designView());
        window->designView()->run();
        QTRY_VERIFY_WITH_TIMEOUT(!window->designView()->running(), 180000);
        QTableView* table = window->designView()->table();
        QVERIFY(table->model()->rowCount() > 0);
        QTRY_VERIFY(table->isVisible());
        const int columns = table->horizontalHeader()->length();
        QVERIFY2(
            columns <= table->viewport()->width(),
            qPrintable(
                QString("%1 px of columns in %2 px").arg(columns).arg(table->viewport()->width())));
    }

  private:
    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioWindowSizeTest)
#include "studio_window_size_test.moc"
