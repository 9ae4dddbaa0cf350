// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <limits>
#include <string>

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/number_text.h"
#include "ui/application_shell.h"
#include "ui/clickable_label.h"
#include "ui/contact_info.h"
#include "ui/pictures.h"

namespace varnel::ui {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Labels whose clicks run a handler.
bool IsClickable(std::string_view name) {
    return name.starts_with("lRo") || name.starts_with("lLambda") || name == "l_Contact_01" ||
           name == "l_Contact_03" || name == "l_Contact_04";
}

// A caption's numbers with the current decimal separator: only a "." between two digits is a
// separator, so "0.5 ... 0.6" keeps its ellipsis.
std::string CaptionWithDecimalSeparator(std::string_view pointText) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::string out;
    for (std::size_t i = 0; i < pointText.size(); ++i) {
        const bool separator = pointText[i] == '.' && i > 0 && i + 1 < pointText.size() &&
                               digit(pointText[i - 1]) && digit(pointText[i + 1]);
        out += separator ? WithDecimalSeparator(".") : std::string(1, pointText[i]);
    }
    return out;
}

// The result boxes' labels, in the order of the boxes.
constexpr std::string_view kResultLabels[] = {
    "l_Results_N",   "l_Results_R",       "l_Results_L",     "l_Results_ZL",
    "l_Results_ZRL", "l_Results_Source2", "l_Results_j",     "l_Results_jcond",
    "l_Results_P",   "l_Results_B0d",     "l_Results_K0",    "l_Results_Bxd",
    "l_Results_Bzd", "l_Results_Bd",      "l_Results_Fi_01", "l_Results_m",
};

// The window's focusable controls in tab order, group by group.
constexpr std::string_view kTabChain[] = {
    "bCalc",   "bClear",   "bbExit", "eR1",    "eR2",    "eH",   "ehh",       "eD",
    "eLambda", "rbCu",     "rbAl",   "rbFe",   "eRoe",   "eRo",  "rbSourceU", "rbSourceI",
    "eFREQ",   "eSource1", "ex",     "ez",     "eN",     "eR",   "eL",        "eZL",
    "eZRL",    "eSource2", "ej",     "ejcond", "eP",     "eB0d", "eK0",       "eBxd",
    "eBzd",    "eBd",      "eFi0",   "em",     "eReady",
};

// A group box caption in maroon, with the box's lines kept in the window-text colour.
void SetMaroonCaption(QWidget* box) {
    const QColor text = box->palette().color(QPalette::WindowText);
    QPalette maroon = box->palette();
    maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
    box->setPalette(maroon);
    for (QLabel* line : box->findChildren<QLabel*>()) {
        QPalette own = line->palette();
        own.setColor(QPalette::WindowText, text);
        line->setPalette(own);
    }
}

}  // namespace

Tf_V_Loops_V11::Tf_V_Loops_V11(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      controls_(this) {
    setObjectName("f_V_Loops_V11");
    setWindowTitle(Q(kWindowCaption));
    setWindowIcon(DrawWindowIcon());
    setFixedSize(kWindowWidth, kWindowHeight);

    createTopLevel();
    createNameGroup();
    createContactGroup();
    createPresetGroups();
    createSystemGroup();
    createSourceGroup();
    createPointGroup();
    createResultsGroup();
    setTabOrders();
    connectHandlers();
    auto* calc = findChild<QPushButton*>("bCalc");
    // bCalc is the default button and shows its frame wherever the focus is, except while
    // another push button has it (Enter then clicks that one). Outside a dialog a button drops
    // its default state whenever it loses the focus, so it is given back after each move.
    calc->setDefault(true);
    connect(qApp, &QApplication::focusChanged, this, [calc](QWidget*, QWidget* now) {
        auto* button = qobject_cast<QPushButton*>(now);
        calc->setDefault(button == nullptr || button == calc);
    });
    calc->setFocus();
}

QWidget* Tf_V_Loops_V11::addControls(QWidget* parent, std::span<const ControlSpec> controls) {
    QWidget* last = nullptr;
    for (const ControlSpec& control : controls) {
        QWidget* widget = nullptr;
        switch (control.kind) {
            case Kind::Label: {
                const QString caption = control.numberText
                                            ? Q(CaptionWithDecimalSeparator(control.text))
                                            : Q(control.text);
                auto* l = IsClickable(control.name) ? new ClickableLabel(caption, parent)
                                                    : new QLabel(caption, parent);
                widget = l;
                break;
            }
            case Kind::Edit: {
                const std::string text = control.numberText ? WithDecimalSeparator(control.text)
                                                            : std::string(control.text);
                auto* e = new QLineEdit(QString::fromStdString(text), parent);
                // A pasted text of any length is kept whole, as varnel-calc reads it.
                e->setMaxLength(std::numeric_limits<int>::max());
                widget = e;
                break;
            }
            case Kind::Radio: {
                auto* r = new QRadioButton(Q(control.text), parent);
                r->setChecked(control.checked);
                widget = r;
                break;
            }
            case Kind::Group:
                widget = new QGroupBox(Q(control.text), parent);
                break;
            case Kind::Button:
            case Kind::GlyphButton: {
                auto* b = new QPushButton(Q(control.text), parent);
                // Enter on a focused push button clicks it, as on a default button.
                b->setAutoDefault(true);
                if (control.kind == Kind::GlyphButton)
                    b->setIcon(DrawExitGlyph());
                widget = b;
                break;
            }
            case Kind::Picture: {
                auto* picture = new QLabel(parent);
                picture->setPixmap(DrawSketch());
                picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                widget = picture;
                break;
            }
        }
        widget->setObjectName(Q(control.name));
        if (control.width > 0) {
            widget->setGeometry(control.left, control.top, control.width, control.height);
        } else {
            widget->move(control.left, control.top);
            widget->adjustSize();
        }
        widget->setEnabled(!control.disabled);
        last = widget;
    }
    return last;
}

void Tf_V_Loops_V11::createTopLevel() {
    addControls(this, kTopLevel);
}

void Tf_V_Loops_V11::createNameGroup() {
    QWidget* box = group("gb_Name");
    addControls(box, kNameGroup);
    SetMaroonCaption(box);
}

void Tf_V_Loops_V11::createContactGroup() {
    QWidget* box = group("gb_Contact");
    int top = 16;
    for (const ContactLine& line : kContactLines) {
        const ControlSpec control{Kind::Label, line.name, 8, top, 0, 0, line.text};
        addControls(box, {&control, 1});
        top += 16;
    }
    SetMaroonCaption(box);
}

void Tf_V_Loops_V11::createPresetGroups() {
    addControls(group("gbRoe"), kRoeGroup);
    addControls(group("gbRo"), kRoGroup);
    addControls(group("gbLambda"), kLambdaGroup);
}

void Tf_V_Loops_V11::createSystemGroup() {
    addControls(group("gbSystem"), kSystemGroup);
    addControls(group("gbMaterial"), kMaterialGroup);
}

void Tf_V_Loops_V11::createSourceGroup() {
    addControls(group("gbSource"), kSourceGroup);
}

void Tf_V_Loops_V11::createPointGroup() {
    addControls(group("gbXZ"), kPointGroup);
}

void Tf_V_Loops_V11::createResultsGroup() {
    QWidget* box = group("gbResults");
    int top = 16;
    for (std::size_t i = 0; i < kResultBoxes.size(); ++i) {
        const ResultBox& result = kResultBoxes[i];
        const std::string_view caption =
            result.name == "eFi0" ? kAngleCaption : std::string_view(result.caption);
        const ControlSpec boxAndLabel[] = {
            {Kind::Edit, result.name, 8, top, 81, 21, ""},
            {Kind::Label, kResultLabels[i], 96, top + 8, 0, 0, caption},
        };
        addControls(box, boxAndLabel);
        top += 24;
    }
    addControls(box, kResultsExtras);
    label("l_Results_Fi_02")->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addControls(group("gb_Results_01"), kResultsNote);
}

void Tf_V_Loops_V11::setTabOrders() {
    for (std::size_t i = 0; i + 1 < std::size(kTabChain); ++i) {
        setTabOrder(findChild<QWidget*>(Q(kTabChain[i])), findChild<QWidget*>(Q(kTabChain[i + 1])));
    }
}

void Tf_V_Loops_V11::onClick(std::string_view labelName, void (Tf_V_Loops_V11::*handler)()) {
    auto* l = findChild<ClickableLabel*>(Q(labelName));
    connect(l, &ClickableLabel::clicked, this,
            [this, handler] { RunGuarded(this, [this, handler] { (this->*handler)(); }); });
}

void Tf_V_Loops_V11::onChecked(std::string_view radioName, void (Tf_V_Loops_V11::*handler)()) {
    // A radio button's handler runs when it becomes checked, never for a click on a checked one.
    connect(radio(radioName), &QRadioButton::toggled, this, [this, handler](bool checked) {
        if (checked)
            RunGuarded(this, [this, handler] { (this->*handler)(); });
    });
}

void Tf_V_Loops_V11::connectHandlers() {
    auto button = [this](const char* name) { return findChild<QPushButton*>(name); };
    connect(button("bCalc"), &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { bCalcClick(); }); });
    connect(button("bClear"), &QPushButton::clicked, this,
            [this] { RunGuarded(this, [this] { bClearClick(); }); });
    connect(button("bbExit"), &QPushButton::clicked, this, &QWidget::close);

    onClick("lRoe01", &Tf_V_Loops_V11::lRoe01Click);
    onClick("lRoe02", &Tf_V_Loops_V11::lRoe02Click);
    onClick("lRoe03", &Tf_V_Loops_V11::lRoe03Click);
    onClick("lRo01", &Tf_V_Loops_V11::lRo01Click);
    onClick("lRo02", &Tf_V_Loops_V11::lRo02Click);
    onClick("lRo03", &Tf_V_Loops_V11::lRo03Click);
    onClick("lLambda01", &Tf_V_Loops_V11::lLambda01Click);
    onClick("lLambda02", &Tf_V_Loops_V11::lLambda02Click);
    onClick("lLambda03", &Tf_V_Loops_V11::lLambda03Click);
    onClick("l_Contact_01", &Tf_V_Loops_V11::l_Contact_01Click);
    onClick("l_Contact_03", &Tf_V_Loops_V11::l_Contact_03Click);
    onClick("l_Contact_04", &Tf_V_Loops_V11::l_Contact_04Click);
    onChecked("rbCu", &Tf_V_Loops_V11::rbCuClick);
    onChecked("rbAl", &Tf_V_Loops_V11::rbAlClick);
    onChecked("rbFe", &Tf_V_Loops_V11::rbFeClick);
    onChecked("rbSourceU", &Tf_V_Loops_V11::rbSourceUClick);
    onChecked("rbSourceI", &Tf_V_Loops_V11::rbSourceIClick);
}

QWidget* Tf_V_Loops_V11::group(std::string_view name) const {
    return findChild<QGroupBox*>(Q(name));
}
QLineEdit* Tf_V_Loops_V11::edit(std::string_view name) const {
    return findChild<QLineEdit*>(Q(name));
}
QRadioButton* Tf_V_Loops_V11::radio(std::string_view name) const {
    return findChild<QRadioButton*>(Q(name));
}
QLabel* Tf_V_Loops_V11::label(std::string_view name) const {
    return findChild<QLabel*>(Q(name));
}

void Tf_V_Loops_V11::setInputText(std::string_view box, std::string_view pointText) {
    edit(box)->setText(QString::fromStdString(WithDecimalSeparator(pointText)));
}

void Tf_V_Loops_V11::bCalcClick() {
    varnel::bCalcClick(controls_, record_);
}

void Tf_V_Loops_V11::bClearClick() {
    ClearResults(controls_);
    controls_.SetText(kStatusBox, kReadyText);
}

void Tf_V_Loops_V11::setMaterial(const Material& material) {
    radio(material.radio)->setChecked(true);  // runs the radio button's handler if it was off
    setMaterialTexts(material);
}

void Tf_V_Loops_V11::lRoe01Click() {
    setMaterial(kCopper);
}
void Tf_V_Loops_V11::lRoe02Click() {
    setMaterial(kAluminium);
}
void Tf_V_Loops_V11::lRoe03Click() {
    setMaterial(kIron);
}
void Tf_V_Loops_V11::lRo01Click() {
    setMaterial(kCopper);
}
void Tf_V_Loops_V11::lRo02Click() {
    setMaterial(kAluminium);
}
void Tf_V_Loops_V11::lRo03Click() {
    setMaterial(kIron);
}

void Tf_V_Loops_V11::setMaterialTexts(const Material& material) {
    setInputText("eRoe", material.resistivity);
    setInputText("eRo", material.density);
}

void Tf_V_Loops_V11::rbCuClick() {
    setMaterialTexts(kCopper);
}
void Tf_V_Loops_V11::rbAlClick() {
    setMaterialTexts(kAluminium);
}
void Tf_V_Loops_V11::rbFeClick() {
    setMaterialTexts(kIron);
}

void Tf_V_Loops_V11::lLambda01Click() {
    setInputText("eLambda", kRandomWinding);
}
void Tf_V_Loops_V11::lLambda02Click() {
    setInputText("eLambda", kLayerWinding);
}
void Tf_V_Loops_V11::lLambda03Click() {
    setInputText("eLambda", kBarWinding);
}

void Tf_V_Loops_V11::setSourceCaptions(std::string_view source, std::string_view result) {
    for (auto [name, caption] : {std::pair{"l_Source1", source}, {"l_Results_Source2", result}}) {
        label(name)->setText(Q(caption));
        label(name)->adjustSize();
    }
}

void Tf_V_Loops_V11::rbSourceUClick() {
    setSourceCaptions(kVoltageCaption, kCurrentCaption);
}
void Tf_V_Loops_V11::rbSourceIClick() {
    setSourceCaptions(kCurrentCaption, kVoltageCaption);
}

void Tf_V_Loops_V11::l_Contact_01Click() {
    controls_.SetText(kStatusBox, kGreetingText);
}
void Tf_V_Loops_V11::l_Contact_03Click() {
    controls_.SetText(kStatusBox, kEmailText);
}
void Tf_V_Loops_V11::l_Contact_04Click() {
    controls_.SetText(kStatusBox, kWebText);
}

void Tf_V_Loops_V11::keyPressEvent(QKeyEvent* event) {
    // Enter anywhere but on a push button (which clicks itself) calculates; Escape does nothing.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (enter && (event->modifiers() & modifiers) == 0) {
        RunGuarded(this, [this] { bCalcClick(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

void Tf_V_Loops_V11::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange)
        ReadDecimalSeparator();
    QWidget::changeEvent(event);
}

void Tf_V_Loops_V11::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        if (const QScreen* s = screen()) {
            const QRect area = s->availableGeometry();
            const QRect frame = frameGeometry();
            move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
        }
    }
    QWidget::showEvent(event);
}

}  // namespace varnel::ui
