// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"

#include "cli/version.h"
#include "study/parallel_runner.h"

namespace varnel {

void AddInputOptions(CLI::App& app, CalcRequest& request, bool withPoint) {
    for (std::size_t i = 0; i < kInputBoxes.size(); ++i) {
        if (!withPoint && (i == kXInput || i == kZInput))
            continue;
        const InputBox& in = kInputBoxes[i];
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

namespace {

// The version and the exit statuses, as --version and --help show them.
void DescribeProgram(CLI::App& app) {
    app.set_version_flag("--version",
                         "varnel-calc " VARNEL_VERSION
                         "\nCopyright (C) 2026 Varnel Coils developers.\n"
                         "License GPL-3.0-or-later: GNU GPL version 3 or later "
                         "<https://gnu.org/licenses/gpl.html>.\n"
                         "This is free software: you are free to change and redistribute it.\n"
                         "There is NO WARRANTY, to the extent permitted by law.");
    app.require_subcommand(0, 1);
    app.footer(
        "Exit status:\n"
        "  0    results written\n"
        "  1    an input check failed, or no point of a study could be calculated\n"
        "  2    a usage error, a text that is not a number, or failed arithmetic\n"
        "  3    an output could not be written (disk full, file too large, no such\n"
        "       directory); the old file, if any, is kept\n"
        "  129  a study stopped by SIGHUP, 130 by SIGINT (Ctrl-C), 143 by SIGTERM: the whole\n"
        "       rows written are kept\n"
        "  141  standard output was a pipe that closed (quietly)");
}

struct TableCommands {
    CLI::App* sweep;
    CLI::App* batch;
};

// sweep and batch: many calculations, a row each.
TableCommands AddTableCommands(CLI::App& app, CliOptions& o) {
    auto* sweep = app.add_subcommand("sweep", "one calculation per combination of varied inputs");
    sweep->add_option("--vary", o.vary, "NAME=START:STOP:COUNT; several make every combination")
        ->required();
    AddInputOptions(*sweep, o.request);

    auto* batch = app.add_subcommand("batch", "one calculation per row of a CSV file");
    batch->add_option("FILE", o.batchFile, "CSV with a header of input names (R1,...,z,current)")
        ->required();
    AddInputOptions(*batch, o.request);

    for (CLI::App* table : {sweep, batch}) {
        table->add_flag("--json", o.json, "a JSON array of single-calculation objects");
        table->add_flag("--full", o.full, "full-precision numbers instead of the shown texts");
        table->add_option("--out", o.out, "write to this file instead of standard output");
        table->add_option("--threads", o.threads, "threads to calculate on")
            ->check(CLI::Range(1, 256));
    }

    return {sweep, batch};
}

struct FieldCommands {
    CLI::App* map;
    CLI::App* profile;
    CLI::App* uniform;
};

// map, profile and uniform: the field at many points, by either model.
FieldCommands AddFieldCommands(CLI::App& app, CliOptions& o) {
    auto* map = app.add_subcommand("map", "the field on a grid of points, as CSV or a picture");
    map->add_option("--x", o.xRange, "radial range START:STOP:COUNT, m")->required();
    map->add_option("--z", o.zRange, "axial range START:STOP:COUNT, m")->required();
    map->add_option("--colour", o.colour, "picture: deviation or modulus [deviation]");
    map->add_flag("--field-lines", o.fieldLines, "picture: draw field lines");
    map->add_option("--sphere", o.sphere,
                    "picture: outline the uniform sphere of RADIUS, m (0 or more)");
    AddInputOptions(*map, o.request, false);

    auto* profile = app.add_subcommand("profile", "the field along a line, as CSV or a plot");
    profile->add_option("--axis", o.axis, "z (along the axis) or x (radially)")
        ->required()
        ->check(CLI::IsMember({"z", "x"}));
    profile->add_option("--range", o.range, "START:STOP:COUNT along the line, m")->required();
    profile->add_option("--at", o.at, "the other coordinate of the line, m [0]");
    AddInputOptions(*profile, o.request, false);

    for (CLI::App* field : {map, profile}) {
        field->add_option("--out", o.out, "FILE.csv, FILE.png or FILE.svg")->required();
        field->add_option("--threads", o.threads, "threads to calculate on")
            ->check(CLI::Range(1, 256));
    }

    auto* uniform = app.add_subcommand("uniform", "the region where the field is uniform");
    uniform
        ->add_option("--tol", o.tolerance, "tolerance on |B|/B0d - 1, above 0 and below 1 [0.001]")
        ->option_text("NUMBER");
    uniform->add_flag("--json", o.json, "write the extents as JSON");
    AddInputOptions(*uniform, o.request, false);
    for (CLI::App* field : {map, profile, uniform}) {
        field
            ->add_option("--model", o.model,
                         "exact (the windings' field, closed form across the height) or classic "
                         "(the calculator's sums) [exact]")
            ->check(CLI::IsMember({"exact", "classic"}));
    }

    return {map, profile, uniform};
}

}  // namespace

CommandLine::CommandLine(CliOptions& o)
    : options_(o),
      app_(
          "varnel-calc: the Varnel Coils calculation of a pair of coaxial coils in series.\n"
          "Each option sets the text of one input box of the window, exactly as typed there\n"
          "(use --NAME=TEXT for texts that start with '-' or are empty). The decimal separator\n"
          "is always '.', whatever the locale, so scripts give the same results everywhere.\n"
          "Without a subcommand it makes one calculation. An output file is replaced only\n"
          "when it has been written whole.",
          "varnel-calc") {
    o.threads = DefaultThreads();
    DescribeProgram(app_);
    AddInputOptions(app_, o.request);
    app_.add_flag("--json", o.json, "write the status and results as JSON");
    app_.add_flag("--full", o.full, "also every value at full precision");
    const TableCommands tables = AddTableCommands(app_, o);
    const FieldCommands fields = AddFieldCommands(app_, o);
    auto* check = app_.add_subcommand(
        "check", "the classic values beside high-accuracy ones, and the force between the coils");
    check->add_flag("--json", o.json, "write the comparison as JSON");
    AddInputOptions(*check, o.request);

    subcommands_ = {{tables.sweep, Subcommand::Sweep},     {tables.batch, Subcommand::Batch},
                    {fields.map, Subcommand::Map},         {fields.profile, Subcommand::Profile},
                    {fields.uniform, Subcommand::Uniform}, {check, Subcommand::Check}};
}

void CommandLine::Resolve() {
    options_.subcommand = Subcommand::Single;
    for (const auto& [app, which] : subcommands_) {
        if (app->parsed())
            options_.subcommand = which;
    }
}

}  // namespace varnel
