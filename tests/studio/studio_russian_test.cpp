// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "studio/core/study_bridge.h"
#include "studio/map_view.h"
#include "studio/profiles_view.h"
#include "studio/studio_shell.h"
#include "studio_fixture.h"

using varnel::studio::StudioWindow;

// Runs in a process started with Russian language and regional settings.
class StudioRussianTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QLocale::system().language(), QLocale::Russian);
        varnel::studio::ConfigureStudio(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        window = new StudioWindow;
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(Settled(window), 30000);
    }
    void cleanupTestCase() { delete window; }

    void theTranslationIsFoundForTheSystemsLanguage() {
        QVERIFY(
            varnel::studio::InstallTranslations(*QCoreApplication::instance(), QLocale::system()));
        QCOMPARE(window->windowTitle(), QString("Без имени[*] — Студия катушек Варнеля"));
    }

    void noVisibleTextIsStillEnglish() {
        QStringList texts = {window->windowTitle()};
        for (QAction* menu : window->menuBar()->actions()) {
            texts << menu->text();
            if (menu->menu()) {
                for (QAction* a : menu->menu()->actions()) {
                    texts << a->text() << a->toolTip();
                    if (a->menu()) {
                        for (QAction* b : a->menu()->actions())
                            texts << b->text() << b->toolTip();
                    }
                }
            }
        }
        for (QWidget* w : window->findChildren<QWidget*>()) {
            texts << w->toolTip();
            if (auto* label = qobject_cast<QLabel*>(w))
                texts << label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(w))
                texts << button->text();
            if (auto* group = qobject_cast<QGroupBox*>(w))
                texts << group->title();
            if (auto* spin = qobject_cast<QDoubleSpinBox*>(w))
                texts << spin->suffix() << spin->specialValueText();
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
            }
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < tabs->count(); ++i)
                    texts << tabs->tabText(i);
            }
            if (auto* table = qobject_cast<QTableWidget*>(w)) {
                for (int c = 0; c < table->columnCount(); ++c) {
                    texts << table->horizontalHeaderItem(c)->text();
                    for (int r = 0; r < table->rowCount(); ++r)
                        texts << table->item(r, c)->text();
                }
            }
        }
        // Symbols of quantities (N, ZL, B0 ...) are one or two letters; a run of three Latin
        // letters is an English word, but for the standard's name and the program's.
        const QRegularExpression word("[A-Za-z]{3,}");
        const QStringList allowed = {"IEC", "varnel", "calc"};
        int checked = 0;
        for (const QString& text : texts) {
            auto it = word.globalMatch(text);
            while (it.hasNext()) {
                const QString w = it.next().captured();
                QVERIFY2(allowed.contains(w), qPrintable("English left: " + text));
            }
            checked += text.isEmpty() ? 0 : 1;
        }
        QVERIFY(checked > 100);
    }

    void numbersShowTheRegionalSeparatorButTheCalculatorReadsPoints() {
        QCOMPARE(Spin(window, "sbR1")->text(), QString("10,000 мм"));
        QVERIFY(window->commandLine().contains(" --R1 0.01 --R2 0.02 "));
        auto* table = window->findChild<QTableWidget*>("twNumbers");
        QCOMPARE(table->item(0, 1)->text(), QString("229,2"));  // as the calculator shows it here
        QCOMPARE(window->numbersView()->numbers().texts[0], QString("229.2"));
    }

    // The words painted in the map and the profiles are Russian too, in the exported files
    // as on the screen; a limit box at 0 says it sets none.
    void paintedWordsAreRussian() {
        QDoubleSpinBox* power = Spin(window, "sbGoalPower");
        const double was = power->value();
        power->setValue(0);
        QCOMPARE(power->text(), QString("без ограничения"));
        power->setValue(was);
        QTemporaryDir dir;
        QTRY_VERIFY_WITH_TIMEOUT(window->profilesView()->ready(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(window->mapView()->picture() != nullptr, 30000);
        const QString map = dir.filePath("map.svg"), profiles = dir.filePath("profiles.svg");
        QCOMPARE(window->mapView()->exportTo(map), QString());
        QCOMPARE(window->profilesView()->exportTo(profiles), QString());
        for (const QString& path : {map, profiles}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString svg = QString::fromUtf8(file.readAll());
            QVERIFY2(svg.contains("мм"), qPrintable(path));
            for (const char* english :
                 {"mT", ", mm", "axial", "(radial)", "Bx, radial", "within", "winding"})
                QVERIFY2(!svg.contains(english), qPrintable(path + ": " + english));
        }
        QFile file(profiles);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString svg = QString::fromUtf8(file.readAll());
        // Latin and Cyrillic runs of one label are written as separate texts.
        QVERIFY(svg.contains("мТл"));
        QVERIFY(svg.contains("осевая"));
        QVERIFY(svg.contains("радиальная"));
    }

    // The numbers on the plots' axes are written with the regional decimal comma: the profile
    // over 0 to 1.5 mm of its line has ticks every 0.2 mm (about eight over 1.5 mm, rounded to
    // 1, 2 or 5 of a decade), "0,2" to "1,4". varnel-calc's pictures keep the point.
    void paintedNumbersUseTheRegionalSeparator() {
        QTRY_VERIFY_WITH_TIMEOUT(window->profilesView()->ready(), 30000);
        varnel::ProfilePicture picture = window->profilesView()->styledPicture();
        QCOMPARE(picture.style.decimalSeparator, QChar(u','));
        picture.style.from = 0;
        picture.style.to = 1.5;
        const QStringList ticks = NumberTexts(varnel::ProfileFileBytes(picture, "ticks.svg"));
        QVERIFY2(ticks.contains("0,2") && ticks.contains("1,4"), qPrintable(ticks.join(" ")));
        for (const QString& tick : ticks)
            QVERIFY2(!tick.contains('.'), qPrintable(tick));

        QTRY_VERIFY_WITH_TIMEOUT(window->mapView()->picture() != nullptr, 30000);
        QTemporaryDir dir;
        const QString map = dir.filePath("map.svg");
        QCOMPARE(window->mapView()->exportTo(map), QString());
        QFile file(map);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList mapTicks = NumberTexts(file.readAll().toStdString());
        QVERIFY(!mapTicks.isEmpty());
        for (const QString& tick : mapTicks)
            QVERIFY2(!tick.contains('.'), qPrintable(tick));

        picture.style.decimalSeparator = u'.';
        QVERIFY(NumberTexts(varnel::ProfileFileBytes(picture, "ticks.svg")).contains("0.2"));
    }

    // A refused design goal is said in Russian with the studio's words, its numbers with the
    // decimal comma: copper's resistivity reaches zero at 20 - 1/0.00393 = -234.5 C; a bore of
    // 50 mm is R1 of at least 50 mm, beyond an outer limit of 30 mm.
    void refusedGoalsAreSaidInRussian() {
        varnel::studio::DesignGoals cold;
        cold.ambientC = -250;
        const QString ambient = varnel::studio::SearchDesigns(cold, {}, {}, 1).message;
        QVERIFY2(ambient.contains("Температура среды") && ambient.contains("-234,5"),
                 qPrintable(ambient));
        varnel::studio::DesignGoals narrow;
        narrow.boreMm = 50;
        narrow.maxOuterMm = 30;
        const QString bore = varnel::studio::SearchDesigns(narrow, {}, {}, 1).message;
        QVERIFY2(bore.contains("не меньше 50 мм") && bore.contains("30 мм"), qPrintable(bore));
        for (const QString& message : {ambient, bore})
            QVERIFY2(!message.contains("--") && !message.contains("must"), qPrintable(message));
    }

  private:
    // The texts of an SVG that are numbers ("-5", "0,2", "1.4").
    static QStringList NumberTexts(const std::string& svg) {
        static const QRegularExpression number(">\\s*(-?[0-9]+(?:[.,][0-9]+)?)\\s*</text>");
        QStringList texts;
        for (const auto& match : number.globalMatch(QString::fromStdString(svg)))
            texts << match.captured(1);
        return texts;
    }

    StudioWindow* window = nullptr;
};

QTEST_MAIN(StudioRussianTest)
#include "studio_russian_test.moc"
