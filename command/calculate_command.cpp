// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/calculate_command.h"

#include <array>
#include <cmath>
#include <string>

#include "command/control_names.h"
#include "command/errors.h"
#include "command/field_source.h"
#include "command/fp_guard.h"
#include "command/number_text.h"
#include "engine/circuit.h"
#include "engine/inductance.h"

namespace varnel {
namespace {

// A field component smaller than this share of the modulus is shown as "0".
constexpr long double kNegligibleComponent = 1e-6L;
// An angle of at most this many degrees is shown as "0".
constexpr long double kNegligibleAngle = 1e-4L;
// Current densities are stored in A/m^2 and shown in A/mm^2.
constexpr long double kSquareMillimetresPerSquareMetre = 1000000;

long double ReadNumber(const Controls& controls, std::string_view box) {
    return ParseNumber(TrimText(controls.Text(box)));
}

bool VoltageSource(const Controls& controls) {
    return controls.IsChecked(kVoltageSourceRadio);
}
bool CurrentSource(const Controls& controls) {
    return controls.IsChecked(kCurrentSourceRadio);
}

// Each value goes into the record as soon as its box is read, so a bad text further on leaves
// the earlier fields updated.
void ReadInputs(const Controls& controls, CalcRecord& rec) {
    for (const InputBox& box : kInputBoxes) {
        if (box.field != nullptr) {
            rec.*box.field = ReadNumber(controls, box.name);
        } else {
            // The source box: the voltage or the current, by the chosen source.
            if (VoltageSource(controls))
                rec.Ud = ReadNumber(controls, box.name);
            if (CurrentSource(controls))
                rec.Id = ReadNumber(controls, box.name);
        }
    }
}

// The inductance's formulas test the flags after each step that can fault, so that a tall coil
// whose overflow later makes a division by zero reports the overflow.
void CheckInductanceStep(const long double& value) {
    Checked(value);
}

void ComputeCircuit(const Controls& controls, CalcRecord& rec, FieldSource& field) {
    rec.R = Checked(Resistance(rec));
    InductanceAndTurns pair{};
    {
        const FaultCheckScope firstFault(&CheckInductanceStep);
        pair = PairInductance(rec.R1, rec.R2, rec.H, rec.hh, rec.D, rec.Lambda);
    }
    // The record holds the turns of the last coil height the inductance was summed over until
    // the turns of one coil replace them; the field reads N from the record.
    rec.N = pair.turns;
    rec.L = Checked(pair.inductance);
    rec.N = Checked(TurnsOfOneCoil(rec));
    rec.omega = Checked(AngularFrequency(rec));
    rec.ZL = Checked(Reactance(rec));
    rec.ZRL = Checked(ImpedanceModulus(rec));
    if (VoltageSource(controls))
        rec.Id = Checked(CurrentFromVoltage(rec));
    if (CurrentSource(controls))
        rec.Ud = Checked(VoltageFromCurrent(rec));
    rec.j = Checked(WindingCurrentDensity(rec));
    rec.jcond = Checked(WireCurrentDensity(rec));
    rec.P = Checked(Power(rec));
    rec.K0 = Checked(field.Modulus(0, 0, 1));
    rec.m = Checked(WireMass(rec));
}

std::string Shown(long double value) {
    return FormatNumber(Checked(value), 4, 4);
}

// A component's text: "0" where it is a negligible share of the field there.
template <typename Component>
std::string ComponentText(FieldSource& field, const CalcRecord& rec, Component component) {
    if (Checked(field.Modulus(rec.x, rec.z, rec.Id)) == 0)
        return "0";
    const long double share =
        Checked((field.*component)(rec.x, rec.z, rec.Id) / field.Modulus(rec.x, rec.z, rec.Id));
    if (IsNegligibleShare(share))
        return "0";
    return Shown((field.*component)(rec.x, rec.z, rec.Id));
}

using ResultTexts = std::array<std::string, kResultBoxes.size()>;

// The sixteen texts in the order of the result boxes.
ResultTexts MakeResultTexts(const Controls& controls, const CalcRecord& rec, FieldSource& field) {
    ResultTexts texts;
    std::size_t next = 0;
    auto put = [&](std::string text) { texts[next++] = std::move(text); };
    put(Shown(rec.N));
    put(Shown(rec.R));
    put(Shown(rec.L));
    put(Shown(rec.ZL));
    put(Shown(rec.ZRL));
    std::string source;
    if (VoltageSource(controls))
        source = Shown(rec.Id);
    if (CurrentSource(controls))
        source = Shown(rec.Ud);
    put(source);
    put(Shown(rec.j / kSquareMillimetresPerSquareMetre));
    put(Shown(rec.jcond / kSquareMillimetresPerSquareMetre));
    put(Shown(rec.P));
    put(Shown(field.Modulus(0, 0, rec.Id)));
    put(Shown(rec.K0));
    put(ComponentText(field, rec, &FieldSource::Radial));
    put(ComponentText(field, rec, &FieldSource::Axial));
    put(Shown(field.Modulus(rec.x, rec.z, rec.Id)));
    put(IsNegligibleAngle(Checked(field.Angle(rec.x, rec.z, rec.Id)))
            ? "0"
            : Shown(field.Angle(rec.x, rec.z, rec.Id)));
    put(Shown(rec.m));
    return texts;
}

}  // namespace

bool IsNegligibleShare(long double componentOverModulus) {
    return std::fabs(componentOverModulus) <= kNegligibleComponent;
}

bool IsNegligibleAngle(long double degrees) {
    return std::fabs(degrees) <= kNegligibleAngle;
}

std::optional<std::string_view> FirstFailedCheck(const CalcRecord& rec) {
    if (!(rec.R1 > 0))
        return "Введите R1 > 0";
    if (!(rec.R2 > rec.R1))
        return "Введите R2 > R1";
    if (!(rec.H > 0))
        return "Введите H > 0";
    if (!(rec.hh > 0))
        return "Введите h > 0";
    if (!(rec.D > 0))
        return "Введите D > 0";
    if (!(rec.D <= rec.R2 - rec.R1))
        return "Введите D < R2 - R1";
    if (!(rec.D <= rec.H))
        return "Введите D < H";
    if (!(rec.Lambda > 0))
        return "Введите Lambda > 0";
    if (!(rec.Lambda < 1))
        return "Введите Lambda < 1";
    if (!(rec.Roe > 0))
        return "Введите Roe > 0";
    if (!(rec.Ro > 0))
        return "Введите Ro > 0";
    if (!(rec.FREQ >= 0))
        return "Введите частоту >= 0";
    if (!(rec.x >= 0))
        return "Введите x >= 0";
    return std::nullopt;
}

void ClearResults(Controls& controls) {
    for (const ResultBox& box : kResultBoxes)
        controls.SetText(box.name, "");
}

CommandOutcome bCalcClick(Controls& controls, CalcRecord& rec, FieldEvaluation evaluation) {
    ReusingFieldSource reusing(rec);
    RecomputingFieldSource recomputing(rec);
    return bCalcClick(controls, rec,
                      evaluation == FieldEvaluation::Reuse
                          ? static_cast<FieldSource&>(reusing)
                          : static_cast<FieldSource&>(recomputing));
}

CommandOutcome bCalcClick(Controls& controls, CalcRecord& rec, FieldSource& field) {
    CommandOutcome outcome = Calculate(controls, rec, field);
    if (outcome.error)
        std::rethrow_exception(outcome.error);
    return outcome;
}

CommandOutcome Calculate(Controls& controls, CalcRecord& rec, FieldSource& field) {
    CommandOutcome outcome;
    try {
        ResetFloatingPointEnvironment();
        ReadInputs(controls, rec);
    } catch (const CommandError& e) {
        outcome.kind = CommandOutcome::Kind::Error;
        outcome.message = e.message();
        outcome.error = std::current_exception();
        return outcome;
    }
    if (const auto failed = FirstFailedCheck(rec)) {
        controls.SetText(kStatusBox, *failed);
        ClearResults(controls);
        outcome.kind = CommandOutcome::Kind::CheckFailed;
        outcome.message = *failed;
        return outcome;
    }

    // Every text is made before any is shown: a fault half-way leaves the window as it was.
    const std::string statusBefore = controls.Text(kStatusBox);
    controls.SetText(kStatusBox, kWaitText);
    ResultTexts texts;
    try {
        ComputeCircuit(controls, rec, field);
        texts = MakeResultTexts(controls, rec, field);
    } catch (const CommandError& e) {
        controls.SetText(kStatusBox, statusBefore);
        ClearFloatingPointFaults();
        outcome.kind = CommandOutcome::Kind::Error;
        outcome.message = e.message();
        outcome.error = std::current_exception();
        return outcome;
    } catch (...) {
        controls.SetText(kStatusBox, statusBefore);
        ClearFloatingPointFaults();
        throw;
    }
    for (std::size_t i = 0; i < texts.size(); ++i)
        controls.SetText(kResultBoxes[i].name, texts[i]);
    controls.SetText(kStatusBox, kReadyText);
    ClearFloatingPointFaults();
    outcome.message = kReadyText;
    return outcome;
}

}  // namespace varnel
