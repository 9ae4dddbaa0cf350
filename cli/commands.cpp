// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

#include "cli/echoed_text.h"
#include "cli/output_file.h"
#include "cli/progress_bar.h"
#include "command/errors.h"
#include "command/number_text.h"
#include "plot/pictures.h"
#include "study/accuracy_check.h"
#include "study/calc_output.h"
#include "study/csv_table.h"
#include "study/field_study.h"
#include "study/map_flux.h"
#include "study/study_errors.h"
#include "study/table_study.h"

namespace varnel {
namespace {

int ExitFor(const CalcOutcome& outcome) {
    switch (outcome.kind) {
        case CalcOutcome::Kind::Results:
            return kExitResults;
        case CalcOutcome::Kind::CheckFailed:
            return kExitCheckFailed;
        case CalcOutcome::Kind::Error:
            return kExitError;
    }
    return kExitError;
}

// A message that may echo an input text: on a terminal its control characters are shown.
void SayOnStderr(const std::string& message) {
    std::cerr << (IsTerminal(2) ? TerminalSafe(message) : message) << '\n';
}

// Standard output's text, written and flushed with every write checked.
void PrintChecked(const std::string& text) {
    OutputFile out("-");
    out.Write(text);
    out.Commit();
}

// A stopped study: what was written, and where; a file keeps its old contents, its whole new
// rows staying beside it.
int Stopped(OutputFile& out, std::size_t written, std::size_t total) {
    std::string where;
    if (!out.replacesFile()) {
        out.Commit();
    } else if (written > 0) {
        where = "; the whole rows are in " + out.Keep() + ", and " + out.path() + " is as it was";
    }
    std::cerr << "Interrupted: " << written << " of " << total << " written" << where << ".\n";
    return kExitInterrupted;
}

// A study needs a calculation that passes; its message otherwise (as JSON with --json), with
// the exit status.
bool BaseHolds(const CalcOutcome& base, bool json, int* exitCode) {
    if (base.kind == CalcOutcome::Kind::Results)
        return true;
    if (json) {
        PrintChecked(Dump(OutcomeJson(base, false)) + "\n");
    } else {
        SayOnStderr(base.message);
    }
    *exitCode = ExitFor(base);
    return false;
}

std::string PointCsv(const FieldPoint& p) {
    const bool ok = p.status.empty();
    auto full = [ok](long double v) { return ok ? FullPrecisionText(v) : std::string(); };
    std::ostringstream line;
    WriteCsvLine(line, {SpreadsheetSafe(p.xText), SpreadsheetSafe(p.zText), full(p.field.radial),
                        full(p.field.axial), full(p.field.modulus), full(p.field.angle),
                        full(p.deviation), p.status});
    return line.str();
}

// A batch file, or standard input for "-".
std::string ReadInput(const std::string& path) {
    if (path == "-") {
        std::string text{std::istreambuf_iterator<char>(std::cin),
                         std::istreambuf_iterator<char>()};
        if (std::cin.bad())
            throw IoError("cannot read standard input");
        return text;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoError("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A number given to an option, read by the program's own number rules.
long double OptionNumber(const std::string& text, const std::string& option) {
    try {
        return ParseNumber(TrimText(text));
    } catch (const ConversionError&) {
        throw BadRequestError(option + ": '" + text + "' is not a number");
    }
}

long double Tolerance(const std::string& text) {
    const long double tolerance = OptionNumber(text, "--tol");
    if (!(tolerance > 0 && tolerance < 1)) {
        throw BadRequestError("--tol: '" + text +
                              "' is not a fraction above 0 and below 1 (0.001 means 0.1 %)");
    }
    return tolerance;
}

std::string Extent(bool found, long double metres, long double scanned) {
    std::ostringstream s;
    if (found) {
        s << static_cast<double>(metres * 1000) << " mm";
    } else {
        s << "beyond " << static_cast<double>(scanned * 1000) << " mm (the scan's end)";
    }
    return s.str();
}

// The picture's colour, field lines and sphere as the map's options ask.
MapStyle MapStyleOf(const CliOptions& options) {
    MapStyle style;
    if (options.colour == "modulus")
        style.colour = MapColour::Modulus;
    else if (options.colour != "deviation")
        throw BadRequestError("--colour: '" + options.colour + "' is not deviation or modulus");
    style.fieldLines = options.fieldLines;
    style.sphere = static_cast<long double>(options.sphere);
    return style;
}

}  // namespace

bool WantsPicture(const CliOptions& options) {
    return (options.subcommand == Subcommand::Map || options.subcommand == Subcommand::Profile) &&
           IsPicturePath(options.out);
}

int RunSingle(const CliOptions& options) {
    if (options.full && !options.json) {
        throw BadRequestError(
            "--full widens the JSON (--json --full) and the sweep and batch tables; the text of "
            "one calculation has no place for it");
    }
    const CalcOutcome outcome = RunCalculation(options.request);
    if (options.json) {
        PrintChecked(Dump(OutcomeJson(outcome, options.full)) + "\n");
    } else if (outcome.kind == CalcOutcome::Kind::Results) {
        std::ostringstream text;
        PrintResultLines(text, outcome, options.request.currentSource);
        PrintChecked(text.str());
    } else {
        SayOnStderr(outcome.message);
    }
    return ExitFor(outcome);
}

int RunTable(const CliOptions& options, std::stop_token stop) {
    const StudyRows rows = options.subcommand == Subcommand::Sweep
                               ? SweepPlan(options.request, options.vary)
                               : BatchPlan(options.request, ReadInput(options.batchFile));
    // Made before the first row is calculated, so that an output that cannot be made costs
    // nothing.
    OutputFile out(options.out);
    StudyStyle style;
    style.format = options.json ? StudyFormat::Json : StudyFormat::Csv;
    style.full = options.full;
    style.threads = options.threads;
    style.echoed = SpreadsheetSafe;
    if (out.toStandardOutput() && IsTerminal(1))
        style.shown = TerminalSafe;
    const bool toPipe = out.toStandardOutput();
    std::optional<ProgressBar> bar(std::in_place);
    const std::size_t written = RunStudy(
        rows, style,
        [&](std::string_view text) {
            out.Write(text);
            // A reader on a pipe sees each row as it comes.
            if (toPipe)
                out.Flush();
        },
        stop, [&bar](std::size_t done, std::size_t all) { bar->Update(done, all); });
    bar.reset();  // its line ends before anything else is said
    if (stop.stop_requested())
        return Stopped(out, written, rows.count);
    out.Commit();
    return kExitResults;
}

int RunField(const CliOptions& options, std::stop_token stop) {
    const bool isMap = options.subcommand == Subcommand::Map;
    const MapStyle style = isMap ? MapStyleOf(options) : MapStyle{};
    const bool picture = IsPicturePath(options.out);
    if (!picture && !options.out.ends_with(".csv"))
        throw BadRequestError("--out: '" + options.out + "' does not end in .csv, .png or .svg");
    GridRange x, z, line;
    std::size_t total = 0;
    long double at = 0;
    if (isMap) {
        x = ParseGridRange(options.xRange, "--x");
        z = ParseGridRange(options.zRange, "--z");
        total = static_cast<std::size_t>(x.count) * static_cast<std::size_t>(z.count);
    } else {
        line = ParseGridRange(options.range, "--range");
        at = OptionNumber(options.at, "--at");
        total = static_cast<std::size_t>(line.count);
    }
    if (picture)
        CheckPictureSize(total, isMap, options.out);
    OutputFile out(options.out);
    const CalcOutcome base = StudyBase(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(base, false, &exitCode))
        return exitCode;

    std::vector<FieldPoint> points;  // for a picture, which needs them all
    std::size_t failed = 0;
    std::string firstFailure;
    if (!picture)
        out.Write("x,z,Bx,Bz,B,angle,deviation,status\n");
    auto take = [&](const FieldPoint& p) {
        if (!p.status.empty() && failed++ == 0)
            firstFailure = p.status;
        if (picture) {
            points.push_back(p);
        } else {
            out.Write(PointCsv(p));
        }
    };
    std::optional<ProgressBar> bar(std::in_place);
    const Progress progress = [&bar](std::size_t n, std::size_t all) { bar->Update(n, all); };
    const std::size_t done =
        isMap ? StreamFieldGrid(base, x, z, options.threads, take, stop, progress)
              : StreamFieldProfile(base, options.axis == "z", line, options.at, options.threads,
                                   take, stop, progress);
    bar.reset();  // its line ends before anything else is said
    if (stop.stop_requested() && picture) {
        std::cerr << "Interrupted before the picture was complete; nothing written.\n";
        return kExitInterrupted;
    }
    if (stop.stop_requested())
        return Stopped(out, done, total);
    if (isMap && picture) {
        MapPicture map{std::move(points), x, z, base.rec, base.field.centre, style, {}, 0};
        if (style.fieldLines) {
            const double current = static_cast<double>(base.rec.Id);
            map.flux = MapFluxGrid(base.rec, current, x, z, options.threads).psi;
            map.fluxStep = FieldLineStep(base.rec, current);
        }
        out.Write(MapFileBytes(map, options.out));
    } else if (picture) {
        out.Write(ProfileFileBytes(
            ProfilePicture{std::move(points), options.axis == "z", at, base.rec, {}}, options.out));
    }
    out.Commit();
    if (done > 0 && failed == done) {
        std::cerr << "No point could be calculated; the first says: " << firstFailure << '\n';
        return kExitCheckFailed;
    }
    return kExitResults;
}

int RunUniform(const CliOptions& options) {
    const long double tolerance = Tolerance(options.tolerance);
    const CalcOutcome base = StudyBase(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(base, options.json, &exitCode))
        return exitCode;
    if (base.field.centre == 0) {
        throw BadRequestError(
            "uniform: the field is zero everywhere (the supply, --source, is 0), so there is no "
            "B0d to measure a region against; give a source other than 0");
    }
    const UniformRegion region = FindUniformRegion(base, tolerance);
    if (options.json) {
        auto extent = [](bool found, long double metres) {
            return found ? nlohmann::ordered_json(FullPrecisionText(metres))
                         : nlohmann::ordered_json(nullptr);
        };
        nlohmann::ordered_json j;
        j["tolerance"] = static_cast<double>(tolerance);
        j["B0d"] = FullPrecisionText(base.field.centre);
        j["axial"] = extent(region.axialFound, region.axial);
        j["radial"] = extent(region.radialFound, region.radial);
        j["scanned"] = {{"axial", FullPrecisionText(region.scanAxial)},
                        {"radial", FullPrecisionText(region.scanRadial)}};
        PrintChecked(Dump(j) + "\n");
        return kExitResults;
    }
    std::ostringstream text;
    text << "Field within " << static_cast<double>(tolerance * 100)
         << " % of B0d = " << FormatNumber(base.field.centre) << " T:\n"
         << "  along the axis: |z| < " << Extent(region.axialFound, region.axial, region.scanAxial)
         << '\n'
         << "  radially, in the mid-plane: x < "
         << Extent(region.radialFound, region.radial, region.scanRadial) << '\n';
    PrintChecked(text.str());
    return kExitResults;
}

int RunCheck(const CliOptions& options) {
    const CalcOutcome outcome = RunCalculation(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(outcome, options.json, &exitCode))
        return exitCode;
    const auto quantities = CheckAccuracy(outcome);
    if (options.json) {
        PrintChecked(CheckJson(quantities) + "\n");
    } else {
        std::ostringstream text;
        PrintCheckTable(text, quantities);
        PrintChecked(text.str());
    }
    return kExitResults;
}

}  // namespace varnel
