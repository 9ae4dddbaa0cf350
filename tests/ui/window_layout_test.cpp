// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include "command/decimal_separator.h"
#include "ui/application_shell.h"
#include "ui/main_window.h"
#include "ui/pictures.h"

using varnel::ui::Tf_V_Loops_V11;

namespace {

enum class K { Label, Edit, Radio, Group, Button, Picture };

// Every control of the window as the design gives it. A width of 0 is a label sized to its
// text, where only the position is given.
struct Expected {
    const char* parent;
    const char* name;
    K kind;
    int left, top, width, height;
    const char* text;
    bool enabled = true;
    bool checked = false;
};

const Expected kControls[] = {
    {"f_V_Loops_V11", "bCalc", K::Button, 392, 664, 75, 25, "Расчет"},
    {"f_V_Loops_V11", "bClear", K::Button, 576, 664, 75, 25, "Очистить"},
    {"f_V_Loops_V11", "bbExit", K::Button, 752, 664, 75, 25, "Выход"},
    {"f_V_Loops_V11", "gbSystem", K::Group, 16, 200, 345, 305, "Параметры системы:"},
    {"f_V_Loops_V11", "gbSource", K::Group, 16, 512, 345, 97, "Параметры источника питания:"},
    {"f_V_Loops_V11", "gbXZ", K::Group, 16, 616, 345, 89,
     "Координаты точки расчета магнитной индукции"},
    {"f_V_Loops_V11", "gbResults", K::Group, 376, 200, 465, 409, "Расчетные значения:"},
    {"f_V_Loops_V11", "gb_Name", K::Group, 216, 8, 393, 113,
     "Программа Varnel Coils (V_Loops) V1.1:"},
    {"f_V_Loops_V11", "gb_Contact", K::Group, 616, 8, 225, 113, "Контактная информация:"},
    {"f_V_Loops_V11", "gbRoe", K::Group, 216, 128, 225, 65, "Удельное сопротивление Roe, Ом * м:"},
    {"f_V_Loops_V11", "gbRo", K::Group, 448, 128, 161, 65, "Плотность Ro, кг/куб. м:"},
    {"f_V_Loops_V11", "gbLambda", K::Group, 616, 128, 225, 65, "Фактор упаковки Lambda:"},
    {"f_V_Loops_V11", "eReady", K::Edit, 376, 616, 465, 21, "Готов ..."},
    {"f_V_Loops_V11", "Image1", K::Picture, 16, 8, 193, 185, ""},
    {"gb_Name", "l_Mame_01", K::Label, 8, 16, 0, 0,
     "Расчет параметров и магнитного поля системы катушек Варнеля:"},
    {"gb_Name", "l_Name_02", K::Label, 8, 32, 0, 0,
     "Число витков, активное и реактивное сопротивление, индуктивность,"},
    {"gb_Name", "l_Name_03", K::Label, 8, 48, 0, 0,
     "потребляемый ток или приложенное напряжение, плотность тока,"},
    {"gb_Name", "l_Name_04", K::Label, 8, 64, 0, 0,
     "рассеиваемая мощность, магнитная индукция в заданной точке,"},
    {"gb_Name", "l_Name_05", K::Label, 8, 80, 0, 0,
     "коэффициент преобразования по току, масса провода."},
    {"gbRoe", "lRoe01", K::Label, 8, 16, 0, 0, "Медь (Cu) 1.67E-8"},
    {"gbRoe", "lRoe02", K::Label, 8, 32, 0, 0, "Алюминий (Al) 2.69E-8"},
    {"gbRoe", "lRoe03", K::Label, 8, 48, 0, 0, "Железо (Fe) 9.71E-8"},
    {"gbRo", "lRo01", K::Label, 8, 16, 0, 0, "Медь (Cu) 8700"},
    {"gbRo", "lRo02", K::Label, 8, 32, 0, 0, "Алюминий (Al) 2300"},
    {"gbRo", "lRo03", K::Label, 8, 48, 0, 0, "Железо (Fe) 8300"},
    {"gbLambda", "lLambda01", K::Label, 8, 16, 0, 0, "Намотка внавал 0.5 ... 0.6"},
    {"gbLambda", "lLambda02", K::Label, 8, 32, 0, 0, "Намотка виток к витку 0.6 ... 0.7"},
    {"gbLambda", "lLambda03", K::Label, 8, 48, 0, 0, "Намотка шиной 0.7 ... 0.8"},
    {"gbSystem", "eR1", K::Edit, 8, 16, 81, 21, "0.01"},
    {"gbSystem", "eR2", K::Edit, 8, 40, 81, 21, "0.02"},
    {"gbSystem", "eH", K::Edit, 8, 64, 81, 21, "0.03"},
    {"gbSystem", "ehh", K::Edit, 8, 88, 81, 21, "0.01"},
    {"gbSystem", "eD", K::Edit, 8, 112, 81, 21, "0.001"},
    {"gbSystem", "eLambda", K::Edit, 8, 136, 81, 21, "0.6"},
    {"gbSystem", "eRoe", K::Edit, 8, 248, 81, 21, "1.67E-8"},
    {"gbSystem", "eRo", K::Edit, 8, 272, 81, 21, "8700"},
    {"gbSystem", "l_System_R1", K::Label, 96, 24, 0, 0, "Внутренний радиус R1, м"},
    {"gbSystem", "l_System_R2", K::Label, 96, 48, 0, 0, "Внешний радиус R2, м"},
    {"gbSystem", "l_System_H", K::Label, 96, 72, 0, 0, "Высота одного соленоида H, м"},
    {"gbSystem", "l_System_hh", K::Label, 96, 96, 0, 0, "Расстояние между соленоидами h, м"},
    {"gbSystem", "l_System_D", K::Label, 96, 120, 0, 0, "Диаметр провода D, м"},
    {"gbSystem", "l_System_Lambda", K::Label, 96, 144, 0, 0, "Фактор упаковки Lambda (<1)"},
    {"gbSystem", "l_System_Roe", K::Label, 96, 256, 0, 0,
     "Удельное сопротивление провода Roe, Ом * м"},
    {"gbSystem", "l_System_Ro", K::Label, 96, 280, 0, 0,
     "Плотность материала провода Ro, кг/куб. м"},
    {"gbSystem", "l_System_01", K::Label, 144, 184, 0, 0, "Выберите материал обмоточного"},
    {"gbSystem", "l_System_02", K::Label, 144, 200, 0, 0, "провода или задайте его свойства"},
    {"gbSystem", "gbMaterial", K::Group, 8, 168, 129, 73, "Материал провода:"},
    {"gbMaterial", "rbCu", K::Radio, 8, 16, 113, 17, "Медь (Cu)", true, true},
    {"gbMaterial", "rbAl", K::Radio, 8, 32, 113, 17, "Алюминий (Al)"},
    {"gbMaterial", "rbFe", K::Radio, 8, 48, 113, 17, "Железо (Fe)"},
    {"gbSource", "rbSourceU", K::Radio, 8, 16, 137, 17, "Источник напряжения", true, true},
    {"gbSource", "rbSourceI", K::Radio, 168, 16, 113, 17, "Источник тока", false, false},
    {"gbSource", "eFREQ", K::Edit, 8, 40, 81, 21, "0"},
    {"gbSource", "eSource1", K::Edit, 8, 64, 81, 21, "1"},
    {"gbSource", "l_Sourse_FREQ", K::Label, 96, 48, 0, 0, "Частота f, Гц"},
    {"gbSource", "l_Source1", K::Label, 96, 72, 0, 0, "Действующее напряжение Ud, В"},
    {"gbXZ", "l_XY_01", K::Label, 8, 16, 0, 0, "относительно центра системы Варнеля:"},
    {"gbXZ", "ex", K::Edit, 8, 32, 81, 21, "0", false},
    {"gbXZ", "ez", K::Edit, 8, 56, 81, 21, "0", false},
    {"gbXZ", "l_XY_02", K::Label, 96, 40, 0, 0, "Радиальная координата x, м"},
    {"gbXZ", "l_XY_03", K::Label, 96, 64, 0, 0, "Аксиальная координата z, м"},
    {"gbResults", "eN", K::Edit, 8, 16, 81, 21, ""},
    {"gbResults", "eR", K::Edit, 8, 40, 81, 21, ""},
    {"gbResults", "eL", K::Edit, 8, 64, 81, 21, ""},
    {"gbResults", "eZL", K::Edit, 8, 88, 81, 21, ""},
    {"gbResults", "eZRL", K::Edit, 8, 112, 81, 21, ""},
    {"gbResults", "eSource2", K::Edit, 8, 136, 81, 21, ""},
    {"gbResults", "ej", K::Edit, 8, 160, 81, 21, ""},
    {"gbResults", "ejcond", K::Edit, 8, 184, 81, 21, ""},
    {"gbResults", "eP", K::Edit, 8, 208, 81, 21, ""},
    {"gbResults", "eB0d", K::Edit, 8, 232, 81, 21, ""},
    {"gbResults", "eK0", K::Edit, 8, 256, 81, 21, ""},
    {"gbResults", "eBxd", K::Edit, 8, 280, 81, 21, ""},
    {"gbResults", "eBzd", K::Edit, 8, 304, 81, 21, ""},
    {"gbResults", "eBd", K::Edit, 8, 328, 81, 21, ""},
    {"gbResults", "eFi0", K::Edit, 8, 352, 81, 21, ""},
    {"gbResults", "em", K::Edit, 8, 376, 81, 21, ""},
    {"gbResults", "l_Results_N", K::Label, 96, 24, 0, 0, "Число витков одного соленоида N"},
    {"gbResults", "l_Results_R", K::Label, 96, 48, 0, 0, "Активное сопротивление системы R, Ом"},
    {"gbResults", "l_Results_L", K::Label, 96, 72, 0, 0, "Индуктивность системы L, Гн"},
    {"gbResults", "l_Results_ZL", K::Label, 96, 96, 0, 0,
     "Индуктивное сопротивление системы ZL, Ом"},
    {"gbResults", "l_Results_ZRL", K::Label, 96, 120, 0, 0, "Полное сопротивление системы, Ом"},
    {"gbResults", "l_Results_Source2", K::Label, 96, 144, 0, 0, "Действующий ток Id, А"},
    {"gbResults", "l_Results_j", K::Label, 96, 168, 0, 0, "Плотность тока в обмотке j, А/кв. мм"},
    {"gbResults", "l_Results_jcond", K::Label, 96, 192, 0, 0, "Плотность тока в проводе, А/кв. мм"},
    {"gbResults", "l_Results_P", K::Label, 96, 216, 0, 0, "Рассеиваемая в системе мощность P, Вт"},
    {"gbResults", "l_Results_B0d", K::Label, 96, 240, 0, 0, "Индукция в центре системы B0d, Тл"},
    {"gbResults", "l_Results_K0", K::Label, 96, 264, 0, 0,
     "Коэффициент преобразования в центре системы K0 = B0d/Id, Тл/А"},
    {"gbResults", "l_Results_Bxd", K::Label, 96, 288, 0, 0,
     "Радиальная компонента магнитной индукции Bxd (x, z), Тл"},
    {"gbResults", "l_Results_Bzd", K::Label, 96, 312, 0, 0,
     "Аксиальная компонента магнитной индукции Bzd (x, z), Тл"},
    {"gbResults", "l_Results_Bd", K::Label, 96, 336, 0, 0,
     "Модуль магнитной индукции Bd (x, z), Тл"},
    {"gbResults", "l_Results_Fi_01", K::Label, 96, 360, 0, 0, "Угол магнитной индукции с осью Z"},
    {"gbResults", "l_Results_Fi_02", K::Label, 280, 360, 9, 17, "φ"},
    {"gbResults", "l_Results_Fi03", K::Label, 288, 360, 0, 0, "(x, z), градусов"},
    {"gbResults", "l_Results_m", K::Label, 96, 384, 0, 0, "Общая масса провода m, кг"},
    {"gbResults", "gb_Results_01", K::Group, 336, 0, 129, 161, ""},
    {"gb_Results_01", "l_gb01_Results_01", K::Label, 8, 8, 0, 0, "Значения"},
    {"gb_Results_01", "l_gb01_Results_02", K::Label, 8, 24, 0, 0, "магнитной индукции"},
    {"gb_Results_01", "l_gb01_Results_03", K::Label, 8, 40, 0, 0, "и плотности тока"},
    {"gb_Results_01", "l_gb01_Results_04", K::Label, 8, 56, 0, 0, "действующие,"},
    {"gb_Results_01", "l_gb01_Results_05", K::Label, 8, 72, 0, 0, "рассеиваемая "},
    {"gb_Results_01", "l_gb01_Results_06", K::Label, 8, 88, 0, 0, "мощность средняя."},
    {"gb_Results_01", "l_gb01_Results_07", K::Label, 8, 104, 0, 0, "Соединение"},
    {"gb_Results_01", "l_gb01_Results_08", K::Label, 8, 120, 0, 0, "соленоидов системы"},
    {"gb_Results_01", "l_gb01_Results_09", K::Label, 8, 136, 0, 0, "последовательное."},
};

// The focusable controls in the order Tab visits them.
const char* const kTabOrder[] = {
    "bCalc",   "bClear",   "bbExit", "eR1",    "eR2",    "eH",   "ehh",       "eD",
    "eLambda", "rbCu",     "rbAl",   "rbFe",   "eRoe",   "eRo",  "rbSourceU", "rbSourceI",
    "eFREQ",   "eSource1", "ex",     "ez",     "eN",     "eR",   "eL",        "eZL",
    "eZRL",    "eSource2", "ej",     "ejcond", "eP",     "eB0d", "eK0",       "eBxd",
    "eBzd",    "eBd",      "eFi0",   "em",     "eReady",
};

QString TextOf(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    return {};
}

bool IsKind(QWidget* w, K kind) {
    switch (kind) {
        case K::Label:
            return qobject_cast<QLabel*>(w) != nullptr;
        case K::Edit:
            return qobject_cast<QLineEdit*>(w) != nullptr;
        case K::Radio:
            return qobject_cast<QRadioButton*>(w) != nullptr;
        case K::Group:
            return qobject_cast<QGroupBox*>(w) != nullptr;
        case K::Button:
            return qobject_cast<QPushButton*>(w) != nullptr;
        case K::Picture: {
            auto* l = qobject_cast<QLabel*>(w);
            return l != nullptr && !l->pixmap().isNull();
        }
    }
    return false;
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        varnel::ui::ConfigureApplication(*qApp);
        varnel::SetDecimalSeparator(U'.');
        window = new Tf_V_Loops_V11;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanupTestCase() { delete window; }

    void everyControlHasItsKindPlaceTextAndState_data() {
        QTest::addColumn<int>("row");
        for (int i = 0; i < static_cast<int>(std::size(kControls)); ++i) {
            QTest::newRow(kControls[i].name) << i;
        }
    }
    void everyControlHasItsKindPlaceTextAndState() {
        QFETCH(int, row);
        const Expected& c = kControls[row];
        auto* w = window->findChild<QWidget*>(c.name);
        QVERIFY2(w != nullptr, c.name);
        QCOMPARE(w->parentWidget()->objectName(), QString(c.parent));
        QVERIFY(IsKind(w, c.kind));
        QCOMPARE(w->pos(), QPoint(c.left, c.top));
        if (c.width > 0)
            QCOMPARE(w->size(), QSize(c.width, c.height));
        QCOMPARE(TextOf(w), QString::fromUtf8(c.text));
        QCOMPARE(w->isEnabled(), c.enabled);
        if (auto* r = qobject_cast<QRadioButton*>(w))
            QCOMPARE(r->isChecked(), c.checked);
        // No caption is clipped: a label is as wide as its text, a button fits its caption.
        if (c.kind == K::Label && c.width == 0) {
            QVERIFY(w->width() >= w->fontMetrics().horizontalAdvance(TextOf(w)));
        }
        if (c.kind == K::Radio)
            QVERIFY2(w->sizeHint().width() <= w->width(), c.name);
        if (c.kind == K::Button) {
            const int glyph = qobject_cast<QPushButton*>(w)->icon().isNull() ? 0 : 20;
            QVERIFY2(w->fontMetrics().horizontalAdvance(TextOf(w)) + glyph + 8 <= w->width(),
                     c.name);
        }
        if (c.kind == K::Group) {
            QVERIFY2(w->fontMetrics().horizontalAdvance(TextOf(w)) + 16 <= w->width(), c.name);
        }
    }

    // Labels, boxes and buttons that share a parent never overlap one another. Controls placed
    // edge to edge (a radio button 17 high every 16 pixels) may share their last pixel row.
    void siblingsDoNotOverlap() {
        QList<QWidget*> all = window->findChildren<QWidget*>();
        all.append(window);
        for (QWidget* parent : all) {
            QList<QWidget*> children;
            for (QObject* o : parent->children()) {
                auto* w = qobject_cast<QWidget*>(o);
                if (w != nullptr && !w->objectName().isEmpty() && !w->isWindow())
                    children.append(w);
            }
            for (int i = 0; i < children.size(); ++i) {
                for (int j = i + 1; j < children.size(); ++j) {
                    const QRect a = children[i]->geometry().adjusted(0, 0, -1, -1);
                    const QRect b = children[j]->geometry().adjusted(0, 0, -1, -1);
                    QVERIFY2(!a.intersects(b), qPrintable(children[i]->objectName() + " and " +
                                                          children[j]->objectName()));
                }
            }
        }
    }

    void tabVisitsTheControlsInTheirOrder() {
        QStringList expected;
        for (const char* name : kTabOrder)
            expected << name;
        QStringList visited;
        QWidget* w = window->findChild<QWidget*>("bCalc");
        for (int steps = 0; steps < 1000 && visited.size() < expected.size(); ++steps) {
            if (expected.contains(w->objectName()) && !visited.contains(w->objectName())) {
                visited << w->objectName();
            }
            w = w->nextInFocusChain();
        }
        QCOMPARE(visited, expected);
    }

    void windowIsFixedCentredWithoutMaximize() {
        QCOMPARE(window->windowTitle(), QString("Varnel Coils V1.1"));
        QCOMPARE(window->objectName(), QString("f_V_Loops_V11"));
        QCOMPARE(window->size(), QSize(852, 713));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window->windowFlags() & Qt::WindowCloseButtonHint);
        const QPoint screenCentre = window->screen()->availableGeometry().center();
        QVERIFY((window->frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        QVERIFY(!window->windowIcon().isNull());
    }

    void focusStartsOnCalculate() {
        QCOMPARE(QApplication::focusWidget(), window->findChild<QWidget*>("bCalc"));
    }

    // bCalc is the default button: its default frame shows while the focus is in an edit box
    // (it looks otherwise than the same button not default) and goes on showing after that.
    void calculateShowsTheDefaultFrameWhileAnEditBoxHasTheFocus() {
        auto* calc = window->findChild<QPushButton*>("bCalc");
        auto* box = window->findChild<QLineEdit*>("eR1");
        box->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QVERIFY(calc->isDefault());
        const QImage framed = calc->grab().toImage();
        calc->setDefault(false);
        const QImage plain = calc->grab().toImage();
        calc->setDefault(true);
        QVERIFY(framed != plain);
        // Another push button with the focus takes the frame, as in a dialog, and gives it back.
        auto* clear = window->findChild<QPushButton*>("bClear");
        clear->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), clear);
        QVERIFY(!calc->isDefault());
        box->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QVERIFY(calc->isDefault());
        calc->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), calc);
    }

    // Each letter of the sketch stands clear of its lines: no pixel of a letter touches a pixel
    // of a line, side or corner. The letters are the pixels the sketch darkens only with them.
    void sketchLettersStandClearOfTheLines() {
        const QImage with = varnel::ui::DrawSketch().toImage();
        const QImage without = varnel::ui::DrawSketch(varnel::ui::SketchLetters::LeftOut).toImage();
        QCOMPARE(with.size(), QSize(191, 182));
        auto dark = [](const QImage& image, int x, int y) {
            return qGray(image.pixel(x, y)) < 128;
        };
        int letterPixels = 0;
        QStringList touching;
        for (int y = 1; y + 1 < with.height(); ++y) {
            for (int x = 1; x + 1 < with.width(); ++x) {
                if (!dark(with, x, y) || dark(without, x, y))
                    continue;
                ++letterPixels;
                bool touches = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        touches = touches || dark(without, x + dx, y + dy);
                if (touches)
                    touching << QString("(%1,%2)").arg(x).arg(y);
            }
        }
        QVERIFY(letterPixels > 100);
        QVERIFY2(touching.isEmpty(), qPrintable(touching.join(' ')));
    }

    void groupCaptionsInMaroonWithLinesInWindowText() {
        for (const char* name : {"gb_Name", "gb_Contact"}) {
            auto* box = window->findChild<QGroupBox*>(name);
            QCOMPARE(box->palette().color(QPalette::WindowText), QColor(128, 0, 0));
            for (QLabel* line : box->findChildren<QLabel*>()) {
                QCOMPARE(line->palette().color(QPalette::WindowText),
                         window->palette().color(QPalette::WindowText));
            }
        }
    }

  private:
    Tf_V_Loops_V11* window = nullptr;
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
