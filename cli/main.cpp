#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/calc_options.h"
#include "cli/calc_output.h"
#include "cli/version.h"
#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/error_text.h"
#include "command/errors.h"

namespace {

constexpr int kExitResults = 0;
constexpr int kExitCheckFailed = 1;
constexpr int kExitError = 2;

}  // namespace

int main(int argc, char** argv) {
    using namespace varnel;
    CLI::App app{
        "varnel-calc: the Varnel Coils calculation of a pair of coaxial coils in series.\n"
        "Each option sets the text of one input box of the window, exactly as typed there\n"
        "(use --NAME=TEXT for texts that start with '-' or are empty). The decimal separator\n"
        "is always '.', whatever the locale, so scripts give the same results everywhere.\n"
        "Exit status: 0 results, 1 an input check failed, 2 a text is not a number or the\n"
        "arithmetic failed.",
        "varnel-calc"};
    app.set_version_flag("--version", "varnel-calc " VARNEL_VERSION);
    CalcInputs inputs;
    AddInputOptions(app, inputs);
    bool json = false;
    bool full = false;
    app.add_flag("--json", json, "write the status and results as JSON");
    app.add_flag("--full", full, "with --json: also every record value at full precision");
    CLI11_PARSE(app, argc, argv);
    ApplyInputOptions(inputs);

    // A conversion or arithmetic error, worded as the window's error box words it.
    auto reportError = [json](const CommandError& error) {
        const std::string message = ErrorDisplayText(error.message());
        if (json) {
            std::cout << ErrorJson(message) << '\n';
        } else {
            std::cerr << message << '\n';
        }
        return kExitError;
    };
    CalcRecord rec;
    try {
        bCalcClick(inputs.controls, rec);
    } catch (const CommandError& e) {
        return reportError(e);
    }

    const std::string status = inputs.controls.Text(kStatusBox);
    const bool passed = status == kReadyText;
    if (json) {
        std::cout << ResultJson(inputs.controls, rec, full) << '\n';
    } else if (passed) {
        PrintResultLines(std::cout, inputs.controls, inputs.currentSource);
    } else {
        std::cerr << status << '\n';
    }
    return passed ? kExitResults : kExitCheckFailed;
}
