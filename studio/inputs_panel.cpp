// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/inputs_panel.h"

#include "studio/number_spin_box.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

namespace varnel::studio {
namespace {

using I = DesignInputs;

// The letter after "&" in a translated menu title: the input labels leave it to the menu.
QChar MnemonicOf(const char* title) {
    const QString text = QCoreApplication::translate("varnel::studio::StudioWindow", title);
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

bool Near(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::fmax(1, std::fabs(b));
}

}  // namespace

InputsPanel::InputsPanel(Catalogue catalogue, QWidget* parent)
    : QWidget(parent), catalogue_(std::move(catalogue)) {
    setObjectName(QStringLiteral("inputsPanel"));
    column_ = new QVBoxLayout(this);
    column_->setSpacing(6);
    createGeometryGroup();
    createWireGroup();
    createMaterialGroup();
    createSupplyGroup();
    createPointGroup();
    createSurroundingsGroup();
    column_->addStretch(1);
    connectChoices();
    setInputs(DesignInputs{});
}

QGroupBox* InputsPanel::addGroup(const char* name, const QString& title, QFormLayout** form) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(QLatin1String(name));
    *form = new QFormLayout(group);
    (*form)->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    // Where a label and its box do not fit side by side (long Russian labels in a narrow
    // column), the box goes under its label rather than the column scrolling sideways.
    (*form)->setRowWrapPolicy(QFormLayout::WrapLongRows);
    (*form)->setVerticalSpacing(4);
    (*form)->setContentsMargins(8, 4, 8, 6);
    column_->addWidget(group);
    return group;
}

QDoubleSpinBox* InputsPanel::addSpin(QFormLayout* form, const SpinBoxRow& row) {
    auto* spin = new NumberSpinBox(this);
    spin->setObjectName(QLatin1String(row.name));
    const InputLimits& limits = LimitsOf(row.member);
    spin->setDecimals(limits.decimals);
    spin->setRange(limits.minimum, limits.maximum);
    spin->setSingleStep(row.step);
    spin->setSuffix(tr(row.suffix));
    spin->setToolTip(tr(row.tooltip));
    spin->setAccelerated(true);
    // Typed values apply as they are typed; the study's short pause gathers the keystrokes.
    spin->setKeyboardTracking(true);
    spin->setAlignment(Qt::AlignRight);
    form->addRow(labelFor(tr(row.label), spin), spin);
    auto* note = new QLabel(this);
    note->setObjectName(QLatin1String(row.name) + QStringLiteral("Note"));
    note->setWordWrap(true);
    QPalette red = note->palette();
    red.setColor(QPalette::WindowText, QColor(180, 0, 0));
    note->setPalette(red);
    note->hide();
    form->addRow(QString(), note);
    notes_.insert(spin, note);
    spins_.append({spin, row.member});
    connect(spin, &QDoubleSpinBox::valueChanged, this, [this, spin] { valueEdited(spin); });
    return spin;
}

QLabel* InputsPanel::labelFor(const QString& text, QWidget* buddy) {
    // Every label gets a letter of its own for Alt+letter, in whatever language it is in:
    // the first letter of its words not taken by another label or by a menu.
    if (mnemonics_.isEmpty()) {
        for (const char* menu : {"&File", "&Edit", "&Help"})
            mnemonics_.insert(MnemonicOf(menu));
    }
    QString shown = QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown[i].toLower();
        if (c.isLetter() && !mnemonics_.contains(c)) {
            mnemonics_.insert(c);
            shown.insert(i, QLatin1Char('&'));
            break;
        }
    }
    auto* label = new QLabel(shown, this);
    label->setBuddy(buddy);
    return label;
}

QComboBox* InputsPanel::addCombo(QFormLayout* form, const char* name, const QString& label,
                                 const QString& tooltip) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QLatin1String(name));
    combo->setToolTip(tooltip);
    // Long names of wires and materials must not widen the whole panel.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
    form->addRow(labelFor(label, combo), combo);
    return combo;
}

void InputsPanel::createGeometryGroup() {
    QFormLayout* form = nullptr;
    addGroup("gbCoils", tr("Coils"), &form);
    const SpinBoxRow rows[] = {
        {"sbR1", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Inner radius R1"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Inner radius of the winding of each coil, from the axis"),
         0.5, &I::innerRadiusMm},
        {"sbR2", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Outer radius R2"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Outer radius of the winding of each coil, from the axis"),
         0.5, &I::outerRadiusMm},
        {"sbH", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Height H"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Axial length of the winding of one coil"),
         0.5, &I::heightMm},
        {"sbGap", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Gap h"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Axial gap between the facing ends of the two coils"),
         0.5, &I::gapMm},
    };
    for (const SpinBoxRow& s : rows)
        addSpin(form, s);
}

void InputsPanel::createWireGroup() {
    QFormLayout* form = nullptr;
    addGroup("gbWire", tr("Wire and winding"), &form);
    wire_ = addCombo(form, "cbWire", tr("Wire"),
                     tr("A standard wire from the catalogue, or a diameter typed below"));
    wire_->addItem(tr("Diameter as typed"), kGivenKey);
    for (const WireEntry& w : catalogue_.wires)
        wire_->addItem(w.name, w.key);
    wire_->setEnabled(wire_->count() > 1);
    diameter_ = addSpin(
        form, {"sbD", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Wire diameter D"),
               QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
               QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Diameter of the bare conductor"),
               0.05, &I::wireDiameterMm});
    winding_ = addCombo(form, "cbWinding", tr("Winding"),
                        tr("How the turns lie, which sets the packing factor"));
    for (const WindingEntry& w : catalogue_.windings)
        winding_->addItem(w.name, w.key);
    packing_ = addSpin(
        form,
        {"sbLambda", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Packing factor λ"), "",
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Share of the winding's cross-section filled by conductor (below 1)"),
         0.01, &I::packingFactor});
}

void InputsPanel::createMaterialGroup() {
    QFormLayout* form = nullptr;
    addGroup("gbMaterial", tr("Conductor material"), &form);
    material_ = addCombo(form, "cbMaterial", tr("Material"),
                         tr("Fills in the resistivity and density of a standard conductor"));
    for (const MaterialEntry& m : catalogue_.materials)
        material_->addItem(m.name, m.key);
    resistivity_ = addSpin(
        form, {"sbRoe", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Resistivity ρ"),
               QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " nΩ·m"),
               QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                                 "Resistivity of the conductor at 20 °C, in nano-ohm metres"),
               0.1, &I::resistivityNanoOhmM});
    density_ = addSpin(form, {"sbRo", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Density"),
                              QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " kg/m³"),
                              QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                                                "Density of the conductor, for the mass of wire"),
                              10, &I::densityKgM3});
}

void InputsPanel::createSupplyGroup() {
    QFormLayout* form = nullptr;
    QGroupBox* group = addGroup("gbSupply", tr("Supply"), &form);
    voltage_ = new QRadioButton(tr("Voltage source"), group);
    voltage_->setObjectName(QStringLiteral("rbVoltage"));
    voltage_->setToolTip(tr("The supply holds the RMS voltage; the current follows"));
    current_ = new QRadioButton(tr("Current source"), group);
    current_->setObjectName(QStringLiteral("rbCurrent"));
    current_->setToolTip(tr("The supply holds the RMS current; the voltage follows"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(voltage_);
    modes->addButton(current_);
    // One above the other, so that the column stays narrow in every language.
    auto* row = new QVBoxLayout;
    row->addWidget(voltage_);
    row->addWidget(current_);
    form->addRow(row);
    source_ =
        addSpin(form, {"sbSource", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "RMS value"),
                       QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " V"),
                       QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                                         "RMS voltage of a voltage source or current of a current "
                                         "source"),
                       0.1, &I::source});
    addSpin(form, {"sbFrequency", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Frequency f"),
                   QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " Hz"),
                   QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                                     "Supply frequency; 0 for direct current"),
                   10, &I::frequencyHz});
}

void InputsPanel::createPointGroup() {
    QFormLayout* form = nullptr;
    addGroup("gbPoint", tr("Field"), &form);
    const SpinBoxRow rows[] = {
        {"sbX", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Point, radial x"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Distance of the field point from the axis"),
         0.5, &I::pointXMm},
        {"sbZ", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Point, axial z"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " mm"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "Axial position of the field point from the centre of the pair"),
         0.5, &I::pointZMm},
        {"sbTolerance", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Uniform within"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " %"),
         QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                           "How far |B| may depart from its value at the centre inside the uniform "
                           "region"),
         0.01, &I::uniformityPercent},
    };
    for (const SpinBoxRow& s : rows)
        addSpin(form, s);
}

void InputsPanel::createSurroundingsGroup() {
    QFormLayout* form = nullptr;
    addGroup("gbSurroundings", tr("Surroundings"), &form);
    addSpin(form,
            {"sbAmbient", QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", "Ambient temperature"),
             QT_TRANSLATE_NOOP("varnel::studio::InputsPanel", " °C"),
             QT_TRANSLATE_NOOP("varnel::studio::InputsPanel",
                               "Temperature of the air around the coils"),
             1, &I::ambientC});
}

void InputsPanel::connectChoices() {
    connect(wire_, &QComboBox::currentIndexChanged, this, [this] { wireChosen(); });
    connect(winding_, &QComboBox::currentIndexChanged, this, [this] { windingChosen(); });
    connect(material_, &QComboBox::currentIndexChanged, this, [this] { materialChosen(); });
    connect(current_, &QRadioButton::toggled, this, [this] { sourceModeChosen(); });
}

DesignInputs InputsPanel::inputs() const {
    DesignInputs in;
    for (const auto& [spin, member] : spins_)
        in.*member = spin->value();
    in.wire = wire_->currentData().toString();
    if (in.wire == kGivenKey)
        in.wire.clear();
    in.winding = winding_->currentData().toString();
    in.material = material_->currentData().toString();
    in.currentSource = current_->isChecked();
    return in;
}

void InputsPanel::setInputs(const DesignInputs& in) {
    quiet_ = true;
    auto choose = [](QComboBox* combo, const QString& key) {
        const int i = combo->findData(key.isEmpty() ? kGivenKey : key);
        const int given = combo->findData(kGivenKey);
        combo->setCurrentIndex(i >= 0 ? i : std::max(given, 0));
    };
    choose(wire_, in.wire);
    choose(winding_, in.winding);
    choose(material_, in.material);
    (in.currentSource ? current_ : voltage_)->setChecked(true);
    sourceModeChosen();
    for (const auto& [spin, member] : spins_)
        spin->setValue(in.*member);
    // A file's packing factor stands even where the style would now give another.
    packing_->setEnabled(!stylePacking());
    quiet_ = false;
    changed();
}

void InputsPanel::wireChosen() {
    const QString key = wire_->currentData().toString();
    for (const WireEntry& w : catalogue_.wires) {
        if (w.key == key && !quiet_) {
            quiet_ = true;
            diameter_->setValue(w.bareMm);
            quiet_ = false;
        }
    }
    applyStylePacking();
    changed();
}

void InputsPanel::windingChosen() {
    applyStylePacking();
    changed();
}

std::optional<double> InputsPanel::stylePacking() const {
    const int i = winding_->currentIndex();
    if (i < 0 || !catalogue_.packing)
        return std::nullopt;
    const int wire = wire_->currentIndex() - 1;  // the first entry is the typed diameter
    const double overall = wire >= 0 ? catalogue_.wires[wire].overallMm : 0;
    return catalogue_.packing(catalogue_.windings[i], diameter_->value(), overall);
}

void InputsPanel::applyStylePacking() {
    if (quiet_)
        return;
    const std::optional<double> packing = stylePacking();
    packing_->setEnabled(!packing);
    if (packing) {
        quiet_ = true;
        packing_->setValue(*packing);
        quiet_ = false;
    }
}

void InputsPanel::materialChosen() {
    const int i = material_->currentIndex();
    if (i >= 0 && catalogue_.materials[i].key != kGivenKey && !quiet_) {
        quiet_ = true;
        resistivity_->setValue(catalogue_.materials[i].resistivityNanoOhmM);
        density_->setValue(catalogue_.materials[i].densityKgM3);
        quiet_ = false;
    }
    changed();
}

void InputsPanel::sourceModeChosen() {
    source_->setSuffix(current_->isChecked() ? tr(" A") : tr(" V"));
    changed();
}

void InputsPanel::valueEdited(QDoubleSpinBox* spin) {
    // A value typed over a list's choice makes the choice "as typed".
    if (!quiet_) {
        quiet_ = true;
        if (spin == diameter_) {
            const int i = wire_->currentIndex() - 1;
            if (i >= 0 && !Near(catalogue_.wires[i].bareMm, spin->value()))
                wire_->setCurrentIndex(0);
            quiet_ = false;
            applyStylePacking();  // a style's factor may depend on the wire
            quiet_ = true;
        } else if (spin == resistivity_ || spin == density_) {
            const int i = material_->currentIndex();
            if (i >= 0 && catalogue_.materials[i].key != kGivenKey &&
                (!Near(catalogue_.materials[i].resistivityNanoOhmM, resistivity_->value()) ||
                 !Near(catalogue_.materials[i].densityKgM3, density_->value()))) {
                material_->setCurrentIndex(material_->findData(kGivenKey));
            }
        }
        quiet_ = false;
    }
    changed();
}

void InputsPanel::changed() {
    if (quiet_)
        return;
    checkValues();
    Q_EMIT inputsChanged();
}

void InputsPanel::checkValues() {
    const DesignInputs in = inputs();
    const QLocale locale;
    auto mm = [&](double v) { return locale.toString(v, 'g', 6); };
    QHash<QString, QString> why;
    if (in.outerRadiusMm <= in.innerRadiusMm) {
        why[QStringLiteral("sbR2")] =
            tr("R2 must be larger than R1 (%1 mm).").arg(mm(in.innerRadiusMm));
    } else if (in.wireDiameterMm >= in.outerRadiusMm - in.innerRadiusMm) {
        why[QStringLiteral("sbD")] = tr("The wire must be thinner than the winding, R2 − R1 = "
                                        "%1 mm.")
                                         .arg(mm(in.outerRadiusMm - in.innerRadiusMm));
    }
    if (!why.contains(QStringLiteral("sbD")) && in.wireDiameterMm >= in.heightMm)
        why[QStringLiteral("sbD")] =
            tr("The wire must be thinner than the height H = %1 mm.").arg(mm(in.heightMm));
    for (auto it = notes_.cbegin(); it != notes_.cend(); ++it) {
        QDoubleSpinBox* spin = it.key();
        const QString message = why.value(spin->objectName());
        it.value()->setText(message);
        it.value()->setVisible(!message.isEmpty());
        spin->setProperty("problem", !message.isEmpty());
        if (message.isEmpty()) {
            spin->setPalette(QPalette());
        } else {
            QPalette marked = spin->palette();
            marked.setColor(QPalette::Base, QColor(255, 218, 218));
            spin->setPalette(marked);
        }
    }
}

QString InputsPanel::problem(const QString& box) const {
    for (auto it = notes_.cbegin(); it != notes_.cend(); ++it) {
        if (it.key()->objectName() == box)
            return it.value()->isHidden() ? QString() : it.value()->text();
    }
    return {};
}

bool InputsPanel::hasProblems() const {
    for (const QLabel* note : notes_) {
        if (!note->isHidden())
            return true;
    }
    return false;
}

}  // namespace varnel::studio
