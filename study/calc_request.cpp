// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/calc_request.h"

#include <optional>

#include "command/error_text.h"
#include "command/field_source.h"
#include "study/shared_sums.h"

namespace varnel {

CalcRequest CalcRequest::Defaults() {
    CalcRequest request;
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i)
        request.texts[i] = kInputBoxes[i].defaultText;
    return request;
}

CalcOutcome RunCalculation(const CalcRequest& request, SharedFieldSums* shared) {
    CalcOutcome outcome;
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i)
        outcome.controls.SetText(kInputBoxes[i].name, request.texts[i]);
    outcome.controls.SetCurrentSource(request.currentSource);
    ReusingFieldSource own(outcome.rec);
    std::optional<SharedSumsFieldSource> sharedSource;
    if (shared != nullptr)
        sharedSource.emplace(outcome.rec, *shared);
    FieldSource& field = shared != nullptr ? static_cast<FieldSource&>(*sharedSource) : own;
    const CommandOutcome command = Calculate(outcome.controls, outcome.rec, field);
    outcome.kind = command.kind;
    if (command.kind == CalcOutcome::Kind::Error) {
        outcome.message = ErrorDisplayText(command.message);
        outcome.error = command.error;
        return outcome;
    }
    outcome.message = command.message;
    if (command.kind != CalcOutcome::Kind::Results)
        return outcome;
    // The questions the command asked, answered from the sums it left: the values behind the texts.
    const CalcRecord& rec = outcome.rec;
    outcome.field.centre = field.Modulus(0, 0, rec.Id);
    outcome.field.radial = field.Radial(rec.x, rec.z, rec.Id);
    outcome.field.axial = field.Axial(rec.x, rec.z, rec.Id);
    outcome.field.modulus = field.Modulus(rec.x, rec.z, rec.Id);
    outcome.field.angle = field.Angle(rec.x, rec.z, rec.Id);
    return outcome;
}

}  // namespace varnel
