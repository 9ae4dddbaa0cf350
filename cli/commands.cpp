// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>

#include "cli/echoed_text.h"
#include "cli/output_file.h"
#include "cli/picture_process.h"
#include "cli/progress_bar.h"
#include "command/errors.h"
#include "command/number_styles.h"
#include "command/number_text.h"
#include "plot/picture_size.h"
#include "study/accuracy_check.h"
#include "study/calc_output.h"
#include "study/csv_table.h"
#include "study/field_points_csv.h"
#include "study/field_study.h"
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

// A batch file, or standard input for "-".
std::string ReadInput(const std::string& path) {
    std::error_code ec;
    if (path != "-" && std::filesystem::is_directory(path, ec))
        throw IoError("cannot read " + path + ": it is a directory");
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
    if (tolerance < kSmallestUniformTolerance) {
        throw BadRequestError("--tol: '" + text + "' is finer than the field sums can resolve; " +
                              "the smallest tolerance they resolve is " +
                              DigitsText(kSmallestUniformTolerance, 3));
    }
    return tolerance;
}

// A picture's extent is drawn in millimetres in double precision: an extent beyond that range,
// or a width below it, would give a blank picture.
void CheckPictureExtent(const GridRange& range, const std::string& what) {
    const double start = static_cast<double>(range.start * 1000);
    const double stop = static_cast<double>(range.stop * 1000);
    if (!std::isfinite(start) || !std::isfinite(stop)) {
        throw BadRequestError(what + ": a picture reaches at most " +
                              DigitsText(std::numeric_limits<double>::max() / 1000, 3) +
                              " m from the centre");
    }
    if (range.count > 1 && !(stop - start >= std::numeric_limits<double>::min())) {
        throw BadRequestError(what + ": a picture's width is at least " +
                              DigitsText(std::numeric_limits<double>::min() / 1000, 3) +
                              " m; this range is narrower");
    }
}

std::string Extent(bool found, long double metres, long double scanned) {
    // Six digits of the double, as a stream writes them, but with "." whatever the locale.
    auto mm = [](long double m) { return QuantityText(static_cast<double>(m * 1000), 6, "mm"); };
    return found ? mm(metres) : "beyond " + mm(scanned) + " (the scan's end)";
}

FieldModel ModelOf(const CliOptions& options) {
    return options.model == "classic" ? FieldModel::Classic : FieldModel::Exact;
}

// The picture's colour, field lines and sphere as the map's options ask.
PictureRequest MapStyleOf(const CliOptions& options) {
    PictureRequest style;
    if (options.colour == "modulus")
        style.modulusColour = true;
    else if (options.colour != "deviation")
        throw BadRequestError("--colour: '" + options.colour + "' is not deviation or modulus");
    style.fieldLines = options.fieldLines;
    style.sphere = OptionNumber(options.sphere, "--sphere");
    if (!(style.sphere >= 0)) {
        throw BadRequestError("--sphere: '" + options.sphere +
                              "' is not a radius of 0 or more, in m (0 draws no sphere)");
    }
    return style;
}

}  // namespace

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
    std::size_t failed = 0;
    style.failedRows = &failed;
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
    if (written > 0 && failed == written) {
        std::cerr << "No row could be calculated: each says why in its status.\n";
        return kExitCheckFailed;
    }
    return kExitResults;
}

int RunField(const CliOptions& options, std::stop_token stop) {
    const bool isMap = options.subcommand == Subcommand::Map;
    const FieldModel model = ModelOf(options);
    PictureRequest request = isMap ? MapStyleOf(options) : PictureRequest{};
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
    if (picture) {
        CheckPictureSize(total, isMap, options.out);
        if (isMap) {
            CheckPictureExtent(x, "--x");
            CheckPictureExtent(z, "--z");
        } else {
            CheckPictureExtent(line, "--range");
        }
    }
    OutputFile out(options.out);
    const CalcOutcome base = StudyBase(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(base, false, &exitCode))
        return exitCode;

    std::vector<FieldPoint> points;  // for a picture, which needs them all
    std::size_t failed = 0;
    std::string firstFailure;
    if (!picture)
        out.Write(FieldPointsHeader(kEveryPointColumn));
    auto take = [&](const FieldPoint& p) {
        if (!p.status.empty() && failed++ == 0)
            firstFailure = p.status;
        if (picture) {
            points.push_back(p);
        } else {
            out.Write(FieldPointLine(p, model, kEveryPointColumn));
        }
    };
    std::optional<ProgressBar> bar(std::in_place);
    const Progress progress = [&bar](std::size_t n, std::size_t all) { bar->Update(n, all); };
    const std::size_t done =
        isMap ? StreamFieldGrid(base, x, z, options.threads, take, stop, progress, model)
              : StreamFieldProfile(base, options.axis == "z", line, options.at, options.threads,
                                   take, stop, progress, model);
    bar.reset();  // its line ends before anything else is said
    if (stop.stop_requested() && picture) {
        std::cerr << "Interrupted before the picture was complete; nothing written.\n";
        return kExitInterrupted;
    }
    if (stop.stop_requested())
        return Stopped(out, done, total);
    if (picture) {
        request.map = isMap;
        request.path = options.out;
        request.points = std::move(points);
        request.rec = base.rec;
        request.x = x;
        request.z = z;
        request.centre = CentreField(base, model);
        request.alongZ = options.axis == "z";
        request.at = at;
        out.Write(PictureFileBytes(request));
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
        if (base.rec.Id != 0 ||
            OptionNumber(options.request.texts[kSourceInput], "--source") != 0) {
            throw BadRequestError(
                "uniform: the field at the centre is too small for the program's numbers (B0d "
                "comes to 0), so there is no B0d to measure a region against; give a larger "
                "source");
        }
        throw BadRequestError(
            "uniform: the field is zero everywhere (the supply, --source, is 0), so there is no "
            "B0d to measure a region against; give a source other than 0");
    }
    const FieldModel model = ModelOf(options);
    const UniformRegion region = FindUniformRegion(base, tolerance, model);
    if (options.json) {
        auto extent = [](bool found, long double metres) {
            return found ? nlohmann::ordered_json(FullPrecisionText(metres))
                         : nlohmann::ordered_json(nullptr);
        };
        nlohmann::ordered_json j;
        j["tolerance"] = static_cast<double>(tolerance);
        j["model"] = FieldModelName(model);
        j["B0d"] = FullPrecisionText(region.centre);
        j["axial"] = extent(region.axialFound, region.axial);
        j["radial"] = extent(region.radialFound, region.radial);
        j["scanned"] = {{"axial", FullPrecisionText(region.scanAxial)},
                        {"radial", FullPrecisionText(region.scanRadial)}};
        PrintChecked(Dump(j) + "\n");
        return kExitResults;
    }
    std::ostringstream text;
    text << "Field within " << QuantityText(static_cast<double>(tolerance * 100), 6, "%")
         << " of B0d = " << FormatNumber(region.centre) << " T (" << FieldModelName(model)
         << " field):\n"
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
