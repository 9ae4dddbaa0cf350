// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/commands.h"
#include "cli/design_command.h"
#include "cli/echoed_text.h"
#include "cli/interrupt_watch.h"
#include "cli/options.h"
#include "cli/output_file.h"
#include "command/error_text.h"
#include "command/errors.h"
#include "study/calc_output.h"
#include "study/study_errors.h"

namespace {
using namespace varnel;

int Run(const CliOptions& options) {
    switch (options.subcommand) {
        case Subcommand::Single:
            return RunSingle(options);
        case Subcommand::Sweep:
        case Subcommand::Batch:
        case Subcommand::Map:
        case Subcommand::Profile: {
            const InterruptWatch interrupts;
            const bool table =
                options.subcommand == Subcommand::Sweep || options.subcommand == Subcommand::Batch;
            const int status = table ? RunTable(options, interrupts.token())
                                     : RunField(options, interrupts.token());
            return status == kExitInterrupted ? interrupts.ExitStatus() : status;
        }
        case Subcommand::Uniform:
            return RunUniform(options);
        case Subcommand::Check:
            return RunCheck(options);
    }
    return kExitError;
}

// A failure said on stderr, or with --json as a JSON object on standard output.
int Fail(const std::string& message, bool json, int status = kExitError) {
    if (json) {
        try {
            OutputFile out("-");
            out.Write(Dump(nlohmann::ordered_json{{"error", message}}) + "\n");
            out.Commit();
            return status;
        } catch (const OutputError&) {  // then said on stderr
        }
    }
    std::cerr << "varnel-calc: " << (IsTerminal(2) ? TerminalSafe(message) : message) << '\n';
    return status;
}

bool JsonAsked(int argc, char** argv) {
    return std::any_of(argv + 1, argv + argc,
                       [](const char* a) { return !std::strcmp(a, "--json"); });
}

// Every usage error ends with 2; --help and --version are answers, with 0 once written whole.
int UsageFailure(CLI::App& app, const CLI::ParseError& e, int argc, char** argv) {
    if (e.get_exit_code() == 0) {
        app.exit(e);
        if (std::cout.flush())
            return 0;
        return Fail("cannot write standard output: " + varnel::SystemReason(errno), false,
                    kExitWriteFailed);
    }
    if (JsonAsked(argc, argv))
        return Fail(e.what(), true);
    app.exit(e);
    return kExitError;
}

}  // namespace

int main(int argc, char** argv) {
    IgnoreFaultSignals();
    CliOptions options;
    CommandLine commandLine(options);
    CLI::App& app = commandLine.app();
    CLI::App* design = AddDesignCommand(app);
    if (const std::string empty = EmptyDesignValue(argc, argv); !empty.empty())
        return Fail(empty, JsonAsked(argc, argv));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return UsageFailure(app, e, argc, argv);
    }
    commandLine.Resolve();
    try {
        if (design->parsed())
            return RunDesign();
        return Run(options);
    } catch (const OutputError& e) {
        // A reader that has gone away wants no message, only the status a shell expects.
        if (e.error() == EPIPE)
            return kExitBrokenPipe;
        return Fail(e.what(), false, kExitWriteFailed);
    } catch (const BadRequestError& e) {
        return Fail(e.what(), options.json);
    } catch (const IoError& e) {
        return Fail(e.what(), options.json);
    } catch (const CommandError& e) {
        return Fail(ErrorDisplayText(e.message()), options.json);
    } catch (const std::exception& e) {
        return Fail(std::string("internal error: ") + e.what(), options.json);
    } catch (...) {
        return Fail("internal error of an unknown kind", options.json);
    }
}
