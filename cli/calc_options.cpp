#include "cli/calc_options.h"

#include <array>
#include <string_view>

namespace varnel {
namespace {

struct InputOption {
    std::string_view option;  // as typed after "--"
    std::string_view box;
    std::string_view help;
};

constexpr std::array<InputOption, 12> kInputOptions = {{
    {"R1", "eR1", "inner radius of the winding, m"},
    {"R2", "eR2", "outer radius of the winding, m"},
    {"H", "eH", "height of one coil, m"},
    {"h", "ehh", "gap between the coils, m"},
    {"D", "eD", "wire diameter, m"},
    {"Lambda", "eLambda", "packing factor of the winding (< 1)"},
    {"Roe", "eRoe", "resistivity of the wire, Ohm*m"},
    {"Ro", "eRo", "density of the wire, kg/m^3"},
    {"f", "eFREQ", "supply frequency, Hz"},
    {"source", "eSource1", "RMS voltage of the supply, V (with --current: RMS current, A)"},
    {"x", "ex", "radial coordinate of the field point, m"},
    {"z", "ez", "axial coordinate of the field point from the centre, m"},
}};

static_assert(kInputOptions.size() == std::tuple_size_v<decltype(CalcInputs::optionTexts)>);

}  // namespace

void AddInputOptions(CLI::App& app, CalcInputs& inputs) {
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        const InputOption& in = kInputOptions[i];
        std::string& text = inputs.optionTexts[i];
        text = inputs.controls.Text(in.box);
        app.add_option("--" + std::string(in.option), text,
                       std::string(in.help) + " [" + text + "]")
            ->option_text("TEXT")
            ->expected(0, 1)
            ->allow_extra_args(false);
    }
    app.add_flag("--current", inputs.currentSource,
                 "current source: --source is the RMS current and the voltage is computed");
}

void ApplyInputOptions(CalcInputs& inputs) {
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        inputs.controls.SetText(kInputOptions[i].box, inputs.optionTexts[i]);
    }
    inputs.controls.SetCurrentSource(inputs.currentSource);
}

}  // namespace varnel
