#pragma once

#include <array>
#include <string>

#include <CLI/CLI.hpp>

#include "command/text_controls.h"

namespace varnel {

// The inputs of one calculation as the user gives them on the command line: the texts typed
// into the window's boxes (defaults as the window opens) and the source mode.
struct CalcInputs {
    TextControls controls;
    bool currentSource = false;
    std::array<std::string, 12> optionTexts;  // as parsed, in the order of the options
};

// Adds --R1 ... --z (each a text taken exactly as given) and --current to `app`.
void AddInputOptions(CLI::App& app, CalcInputs& inputs);

// Moves the parsed texts into the controls; call after the app has parsed.
void ApplyInputOptions(CalcInputs& inputs);

}  // namespace varnel
