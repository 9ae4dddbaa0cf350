#include "cli/calc_request.h"

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/error_text.h"
#include "command/errors.h"
#include "command/field_source.h"

namespace varnel {

std::optional<std::size_t> InputIndex(std::string_view option) {
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (kInputOptions[i].option == option)
            return i;
    }
    return std::nullopt;
}

CalcRequest CalcRequest::Defaults() {
    CalcRequest request;
    const TextControls window;
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        request.texts[i] = window.Text(kInputOptions[i].box);
    }
    return request;
}

void AddInputOptions(CLI::App& app, CalcRequest& request, bool withPoint) {
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        if (!withPoint && (i == kXInput || i == kZInput))
            continue;
        const InputOption& in = kInputOptions[i];
        std::string& text = request.texts[i];
        app.add_option("--" + std::string(in.option), text,
                       std::string(in.help) + " [" + text + "]")
            ->option_text("TEXT")
            ->expected(0, 1)
            ->allow_extra_args(false);
    }
    app.add_flag("--current", request.currentSource,
                 "current source: --source is the RMS current and the voltage is computed");
}

CalcOutcome RunCalculation(const CalcRequest& request) {
    CalcOutcome outcome;
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        outcome.controls.SetText(kInputOptions[i].box, request.texts[i]);
    }
    outcome.controls.SetCurrentSource(request.currentSource);
    ReusingFieldSource field(outcome.rec);
    try {
        bCalcClick(outcome.controls, outcome.rec, field);
    } catch (const CommandError& e) {
        outcome.kind = CalcOutcome::Kind::Error;
        outcome.message = ErrorDisplayText(e.message());
        return outcome;
    }
    outcome.message = outcome.controls.Text(kStatusBox);
    if (outcome.message != kReadyText) {
        outcome.kind = CalcOutcome::Kind::CheckFailed;
        return outcome;
    }
    // The questions the command asked, answered from the sums it left: the values behind the texts.
    const CalcRecord& rec = outcome.rec;
    outcome.field.centre = field.Modulus(0, 0, rec.Id);
    outcome.field.radial = field.Radial(rec.x, rec.z, rec.Id);
    outcome.field.axial = field.Axial(rec.x, rec.z, rec.Id);
    outcome.field.modulus = field.Modulus(rec.x, rec.z, rec.Id);
    outcome.field.angle = field.Angle(rec.x, rec.z);
    return outcome;
}

}  // namespace varnel
