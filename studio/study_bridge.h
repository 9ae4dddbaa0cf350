#pragma once

#include <QStringList>

#include "studio/design_inputs.h"
#include "studio/study_numbers.h"

// The one place the studio reaches the calculation: it turns the inputs into the calculator's
// input texts and asks the study code for numbers. Nothing of the calculation's own types
// passes this header.
namespace varnel::studio {

// The calculator's twelve input texts in its order (R1 ... z) and the source mode, every value
// in SI units written with "." as the calculator reads it when the separator is ".".
struct CalculatorTexts {
    QStringList texts;
    bool currentSource = false;
};
CalculatorTexts TextsFor(const DesignInputs& inputs);

// The quick step: one calculation, as the calculator window and varnel-calc do it.
StudyNumbers Calculate(const DesignInputs& inputs);

// The slow step on top of the quick one: exact values, the force between the coils, the
// uniform extents and the temperature rise.
StudyNumbers Refine(const DesignInputs& inputs, StudyNumbers numbers);

// The temperature rise of the winding in still air at the inputs' ambient temperature. None
// yet: the thermal model of the design library will answer here.
std::optional<TemperatureRise> EstimateTemperatureRise(const DesignInputs& inputs,
                                                       const StudyNumbers& numbers);

// The varnel-calc arguments that calculate these inputs, without the program's name.
QStringList CommandLineArguments(const DesignInputs& inputs);

}  // namespace varnel::studio
