// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "study/calc_request.h"

namespace varnel {

enum class Subcommand { Single, Sweep, Batch, Map, Profile, Uniform, Check };

// Everything varnel-calc was asked, as parsed.
struct CliOptions {
    Subcommand subcommand = Subcommand::Single;
    CalcRequest request = CalcRequest::Defaults();
    bool json = false;
    bool full = false;
    unsigned threads = 1;
    std::string out;
    std::vector<std::string> vary;    // sweep
    std::string batchFile;            // batch
    std::string xRange, zRange;       // map
    std::string axis, range;          // profile
    std::string at = "0";             // profile
    std::string tolerance = "0.001";  // uniform, read by the program's number rules
    // The map's picture: deviation or modulus, field lines, the uniform sphere's radius (m).
    std::string colour = "deviation";
    std::string model = "exact";  // map, profile, uniform: exact or classic
    bool fieldLines = false;
    std::string sphere = "0";
};

// Adds --R1 ... --z (each a text taken exactly as given) and --current. Without the point,
// --x and --z are left to the caller.
void AddInputOptions(CLI::App& app, CalcRequest& request, bool withPoint = true);

// The command line's options and subcommands, filling `options` as they are parsed.
class CommandLine {
  public:
    explicit CommandLine(CliOptions& options);
    CLI::App& app() { return app_; }
    // After parsing: which subcommand was given, into options.subcommand.
    void Resolve();

  private:
    CliOptions& options_;
    CLI::App app_;
    std::vector<std::pair<CLI::App*, Subcommand>> subcommands_;
};

}  // namespace varnel
