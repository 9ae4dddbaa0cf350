// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "command/control_names.h"
#include "command/decimal_separator.h"
#include "command/number_text.h"
#include "message_box_catcher.h"
#ifdef VARNEL_CALC_PATH
#include "run_program.h"
#endif
#include "ui/application_shell.h"
#include "ui/main_window.h"
#include "window_fixture.h"

using varnel::ui::Tf_V_Loops_V11;

class WindowBehaviourTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { varnel::ui::ConfigureApplication(*qApp); }

    void init() {
        opened = OpenWindow();
        QVERIFY(opened != nullptr);
        window = opened.get();
    }
    void cleanup() { opened.reset(); }

    void enterInAnyEditBoxCalculates_data() {
        QTest::addColumn<QString>("box");
        for (const char* box : {"eR1", "eLambda", "eRo", "eSource1", "eN", "eReady"}) {
            QTest::newRow(box) << box;
        }
    }
    void enterInAnyEditBoxCalculates() {
        QFETCH(QString, box);
        MessageBoxCatcher boxes;
        QTest::keyClick(edit(box), Qt::Key_Return);
        QCOMPARE(text("eN"), QString("229.2"));
        QCOMPARE(text("eK0"), QString("0.005683"));
        QCOMPARE(text("em"), QString("0.2952"));
        QCOMPARE(text("eReady"), QString("Готов ..."));
        QVERIFY(boxes.seen().isEmpty());
    }

    void keypadEnterCalculatesToo() {
        QTest::keyClick(edit("eH"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(text("eN"), QString("229.2"));
    }

    void enterWithModifiersDoesNotCalculate() {
        QTest::keyClick(edit("eR1"), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(edit("eR1"), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(text("eN"), QString());
    }

    void calculateButtonCalculates() {
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eL"), QString("0.001778"));
    }

    void enterOnClearClears() {
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eN"), QString("229.2"));
        button("bClear")->setFocus();
        QTest::keyClick(button("bClear"), Qt::Key_Return);
        for (const auto& box : varnel::kResultBoxes) {
            QCOMPARE(text(QString::fromUtf8(box.name.data(), box.name.size())), QString());
        }
        QCOMPARE(text("eR1"), QString("0.01"));
    }

    void escapeDoesNothing() {
        QTest::keyClick(edit("eR1"), Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window->isVisible());
        QCOMPARE(text("eN"), QString());
        QCOMPARE(text("eReady"), QString("Готов ..."));
    }

    void failedCheckGoesToTheStatusWithoutABox() {
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        edit("eR2")->setText("0.005");
        MessageBoxCatcher boxes;
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(text("eReady"), QString("Введите R2 > R1"));
        QCOMPARE(text("eN"), QString());
        QCOMPARE(text("em"), QString());
        QVERIFY(boxes.seen().isEmpty());
    }

    void conversionErrorShowsOneCriticalBoxAndKeepsTheResults() {
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        edit("eR1")->setText("abc");
        MessageBoxCatcher boxes;
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QCOMPARE(boxes.seen().size(), 1);
        const auto& seen = boxes.seen().front();
        QCOMPARE(seen.title, QString("Программа расчета системы катушек Варнеля V_Loops V1.1"));
        QCOMPARE(seen.text, QString("'abc' is not a valid floating point value."));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttonCount, 1);
        QCOMPARE(text("eN"), QString("229.2"));
        QCOMPARE(text("eReady"), QString("Готов ..."));
        QCOMPARE(text("eR1"), QString("abc"));
        QVERIFY(window->isEnabled());
    }

    void arithmeticErrorShowsItsMessageAndKeepsTheResults() {
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        edit("eRoe")->setText("1E4931");
        MessageBoxCatcher boxes;
        QTest::keyClick(edit("eRoe"), Qt::Key_Return);
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().front().text, QString("Floating point overflow."));
        QCOMPARE(text("eR"), QString("0.9186"));
        QCOMPARE(text("eReady"), QString("Готов ..."));
    }

    void errorEndingInAFullStopGetsNoSecondOne() {
        MessageBoxCatcher boxes;
        varnel::ui::RunGuarded(window, [] { throw std::runtime_error("Already complete."); });
        varnel::ui::RunGuarded(window, [] { throw std::runtime_error("Ends in a bracket)"); });
        QCOMPARE(boxes.seen().size(), 2);
        QCOMPARE(boxes.seen()[0].text, QString("Already complete."));
        QCOMPARE(boxes.seen()[1].text, QString("Ends in a bracket)"));
    }

    // Whatever is pasted into a box, a click ends in results, a status message or one error
    // box, and an error leaves the results as they were.
    void pastedTextsEndInOneOfTheOutcomes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::newRow("hundred thousand digits") << "eR2" << QString(100000, '9');
        QTest::newRow("Cyrillic") << "eD" << QString::fromUtf8("один");
        QTest::newRow("non-breaking space") << "eD" << QString::fromUtf8("\u00a00.001");
        QTest::newRow("control characters") << "eH" << QString("\t0.03\x01");
        QTest::newRow("embedded escape") << "eH"
                                         << QString(
                                                "0.0\x1b"
                                                "3");
        QTest::newRow("largest value") << "eRo" << QString("1E4932");
        QTest::newRow("denormal") << "eFREQ" << QString("1E-4950");
        QTest::newRow("minus zero") << "eR1" << QString("-0");
    }
    void pastedTextsEndInOneOfTheOutcomes() {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        const QString resultsBefore = text("eN") + text("em");
        QApplication::clipboard()->setText(pasted);
        edit(box)->selectAll();
        edit(box)->paste();
        MessageBoxCatcher boxes;
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);
        QVERIFY(boxes.seen().size() <= 1);
        if (boxes.seen().isEmpty()) {
            QVERIFY(text("eReady") == "Готов ..." || text("eReady").startsWith("Введите"));
            return;
        }
        const QString shown = boxes.seen().front().text;
        const QString typed =
            QString::fromStdString(varnel::TrimText(edit(box)->text().toStdString()));
        QVERIFY(shown == "'" + typed + "' is not a valid floating point value." ||
                shown == "Floating point overflow.");
        QCOMPARE(text("eN") + text("em"), resultsBefore);
        QCOMPARE(text("eReady"), QString("Готов ..."));
    }

#ifdef VARNEL_CALC_PATH
    // A pasted text longer than 32,767 characters (the usual limit of an edit box) is kept
    // whole, and the window computes from it what varnel-calc computes from the same text.
    void aLongPastedTextGivesWhatVarnelCalcGives_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("pasted");
        // Cut at 32,767 characters the exponent would be all zeros and R2 = 1, not 10.
        QTest::newRow("an exponent of 50,002 digits") << "eR2"
                                                      << "--R2"
                                                      << "1e" + QString(50000, '0') + "1";
        // Cut, the letter at the end would go and the rest read as a valid 0.001.
        QTest::newRow("a letter after 40,000 blanks") << "eD"
                                                      << "--D"
                                                      << "0.001" + QString(40000, ' ') + "x";
    }
    void aLongPastedTextGivesWhatVarnelCalcGives() {
        QFETCH(QString, box);
        QFETCH(QString, option);
        QFETCH(QString, pasted);
        QVERIFY(pasted.size() > 32767);
        QApplication::clipboard()->setText(pasted);
        edit(box)->setFocus();
        edit(box)->selectAll();
        QTest::keyClick(edit(box), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text(box).size(), pasted.size());
        MessageBoxCatcher boxes;
        QTest::mouseClick(button("bCalc"), Qt::LeftButton);

        const ProgramRun run =
            RunProgram(VARNEL_CALC_PATH, {"--json", (option + "=" + pasted).toStdString()});
        const QJsonObject json =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
        if (json.contains("error")) {
            QCOMPARE(boxes.seen().size(), 1);
            QCOMPARE(boxes.seen().front().text, json["error"].toString());
            return;
        }
        QVERIFY(boxes.seen().isEmpty());
        QCOMPARE(text("eReady"), json["status"].toString());
        const QJsonObject results = json["results"].toObject();
        QCOMPARE(results.size(), static_cast<qsizetype>(varnel::kResultBoxes.size()));
        for (auto it = results.begin(); it != results.end(); ++it)
            QCOMPARE(text(it.key()), it.value().toString());
    }
#endif

    // Kept last: it runs the application's event loop to its end, as the program does.
    void closingTheWindowEndsTheProgram() {
        bool timedOut = false;
        QTimer::singleShot(0, window,
                           [this] { QTest::mouseClick(button("bbExit"), Qt::LeftButton); });
        QTimer::singleShot(10000, qApp, [&timedOut] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        const int exitCode = QApplication::exec();
        QVERIFY(!timedOut);
        QCOMPARE(exitCode, 0);
        QVERIFY(!window->isVisible());
    }

  private:
    QLineEdit* edit(const QString& name) {
        return window->findChild<QLineEdit*>(name);
    }
    QPushButton* button(const QString& name) {
        return window->findChild<QPushButton*>(name);
    }
    QString text(const QString& name) {
        return edit(name)->text();
    }

    std::unique_ptr<Tf_V_Loops_V11> opened;
    Tf_V_Loops_V11* window = nullptr;
};

QTEST_MAIN(WindowBehaviourTest)
#include "window_behaviour_test.moc"
