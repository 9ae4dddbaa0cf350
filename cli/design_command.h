// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace varnel {

// Adds the `design` subcommand (coil pairs from goals) to the application. RunDesign runs it
// once the command line is parsed and the subcommand was given; it returns the exit status:
// 0 designs, 1 no design meets the goals, 2 goals that make no sense, 130 Ctrl-C.
CLI::App* AddDesignCommand(CLI::App& app);

// A design option given an empty value ("--B0="), which the option parser would otherwise
// skip and fill with the next argument: the message that refuses it, or empty.
std::string EmptyDesignValue(int argc, char** argv);
int RunDesign();

}  // namespace varnel
