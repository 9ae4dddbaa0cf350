// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSet>
#include <QWidget>

#include "studio/core/catalogue.h"
#include "studio/core/design_inputs.h"

class QButtonGroup;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QRadioButton;
class QVBoxLayout;

namespace varnel::studio {

// The inputs of one design as spin boxes with units and lists, grouped as the user thinks of
// them: the coils, the wire and its winding, the material, the supply, the field point and
// the surroundings. It knows nothing of the calculation.
class InputsPanel : public QWidget {
    Q_OBJECT
  public:
    explicit InputsPanel(Catalogue catalogue, QWidget* parent = nullptr);

    DesignInputs inputs() const;
    // Shows these inputs and says so once through inputsChanged.
    void setInputs(const DesignInputs& inputs);
    // Why the value of the box named `box` cannot be used, as its note says; empty if it can.
    QString problem(const QString& box) const;
    bool hasProblems() const;

  Q_SIGNALS:
    void inputsChanged();

  private:
    // One spin box of the form: its name, label, unit, what the tooltip says and its range.
    struct SpinBoxRow {
        const char* name;
        const char* label;
        const char* suffix;
        const char* tooltip;
        double step;
        double DesignInputs::*member;
    };

    void createGeometryGroup();
    void createWireGroup();
    void createMaterialGroup();
    void createSupplyGroup();
    void createPointGroup();
    void createSurroundingsGroup();
    void connectChoices();

    QGroupBox* addGroup(const char* name, const QString& title, QFormLayout** form);
    QDoubleSpinBox* addSpin(QFormLayout* form, const SpinBoxRow& row);
    QLabel* labelFor(const QString& text, QWidget* buddy);
    QComboBox* addCombo(QFormLayout* form, const char* name, const QString& label,
                        const QString& tooltip);

    void wireChosen();
    void windingChosen();
    // The packing factor of the winding style with the wire shown; none: typed.
    std::optional<double> stylePacking() const;
    void applyStylePacking();
    void materialChosen();
    void sourceModeChosen();
    void valueEdited(QDoubleSpinBox* spin);
    void changed();
    // Marks each box whose value cannot be used and says why beside it; clears the rest.
    void checkValues();

    Catalogue catalogue_;
    QVBoxLayout* column_ = nullptr;
    QList<QPair<QDoubleSpinBox*, double DesignInputs::*>> spins_;
    QComboBox* wire_ = nullptr;
    QComboBox* winding_ = nullptr;
    QComboBox* material_ = nullptr;
    QDoubleSpinBox* diameter_ = nullptr;
    QDoubleSpinBox* packing_ = nullptr;
    QDoubleSpinBox* resistivity_ = nullptr;
    QDoubleSpinBox* density_ = nullptr;
    QDoubleSpinBox* source_ = nullptr;
    QRadioButton* voltage_ = nullptr;
    QRadioButton* current_ = nullptr;
    QHash<QDoubleSpinBox*, QLabel*> notes_;
    QSet<QChar> mnemonics_;
    bool quiet_ = false;  // while the panel itself sets values
};

}  // namespace varnel::studio
