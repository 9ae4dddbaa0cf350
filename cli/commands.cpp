#include "cli/commands.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/progress_bar.h"
#include "command/errors.h"
#include "command/number_text.h"
#include "plot/pictures.h"
#include "study/accuracy_check.h"
#include "study/calc_output.h"
#include "study/csv_table.h"
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

// Where a study writes: the file named, or standard output.
class Output {
  public:
    explicit Output(const std::string& path) {
        if (path.empty() || path == "-")
            return;
        file_.open(path, std::ios::binary);
        if (!file_)
            throw IoError("cannot write " + path);
    }
    std::ostream& stream() { return file_.is_open() ? file_ : std::cout; }

  private:
    std::ofstream file_;
};

int Finish(const std::stop_token& stop, std::size_t written, std::size_t total) {
    if (!stop.stop_requested())
        return kExitResults;
    std::cerr << "Interrupted: " << written << " of " << total << " written.\n";
    return kExitInterrupted;
}

// A study needs a calculation that passes; its message otherwise, with the exit status.
bool BaseHolds(const CalcOutcome& base, int* exitCode) {
    if (base.kind == CalcOutcome::Kind::Results)
        return true;
    std::cerr << base.message << '\n';
    *exitCode = ExitFor(base);
    return false;
}

void WritePointsCsv(std::ostream& out, const std::vector<FieldPoint>& points) {
    WriteCsvLine(out, {"x", "z", "Bx", "Bz", "B", "angle", "deviation", "status"});
    for (const FieldPoint& p : points) {
        const bool ok = p.status.empty();
        auto full = [ok](long double v) { return ok ? FullPrecisionText(v) : std::string(); };
        WriteCsvLine(out,
                     {p.xText, p.zText, full(p.field.radial), full(p.field.axial),
                      full(p.field.modulus), full(p.field.angle), full(p.deviation), p.status});
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw IoError("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The line's other coordinate for a picture's title, read by the program's own number rules.
long double LineCoordinate(const std::string& at) {
    try {
        return ParseNumber(TrimText(at));
    } catch (const ConversionError&) {
        throw BadRequestError("--at: '" + at + "' is not a number");
    }
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
    const CalcOutcome outcome = RunCalculation(options.request);
    if (options.json) {
        std::cout << Dump(OutcomeJson(outcome, options.full)) << '\n';
    } else if (outcome.kind == CalcOutcome::Kind::Results) {
        PrintResultLines(std::cout, outcome, options.request.currentSource);
    } else {
        std::cerr << outcome.message << '\n';
    }
    return ExitFor(outcome);
}

int RunTable(const CliOptions& options, std::stop_token stop) {
    const std::vector<StudyRow> rows =
        options.subcommand == Subcommand::Sweep
            ? SweepRows(options.request, options.vary)
            : BatchRows(options.request, ReadFile(options.batchFile));
    Output output(options.out);
    ProgressBar bar;
    const std::size_t written =
        RunStudy(rows, options.json ? StudyFormat::Json : StudyFormat::Csv, options.full,
                 options.threads, output.stream(), stop,
                 [&bar](std::size_t done, std::size_t total) { bar.Update(done, total); });
    return Finish(stop, written, rows.size());
}

int RunField(const CliOptions& options, std::stop_token stop) {
    const bool isMap = options.subcommand == Subcommand::Map;
    const MapStyle style = isMap ? MapStyleOf(options) : MapStyle{};
    const CalcOutcome base = StudyBase(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(base, &exitCode))
        return exitCode;
    const bool picture = IsPicturePath(options.out);
    if (!picture && !options.out.ends_with(".csv"))
        throw BadRequestError("--out: '" + options.out + "' does not end in .csv, .png or .svg");
    std::vector<FieldPoint> points;
    std::size_t total = 0;
    GridRange x, z, line;
    auto bar = std::make_unique<ProgressBar>();
    const Progress progress = [&bar](std::size_t done, std::size_t all) { bar->Update(done, all); };
    if (isMap) {
        x = ParseGridRange(options.xRange, "--x");
        z = ParseGridRange(options.zRange, "--z");
        total = static_cast<std::size_t>(x.count) * static_cast<std::size_t>(z.count);
        points = FieldGrid(base, x, z, options.threads, stop, progress);
    } else {
        line = ParseGridRange(options.range, "--range");
        total = static_cast<std::size_t>(line.count);
        points = FieldProfile(base, options.axis == "z", line, options.at, options.threads, stop,
                              progress);
    }
    const std::size_t done = points.size();
    bar.reset();  // its line ended before anything else is said
    if (stop.stop_requested() && picture) {
        std::cerr << "Interrupted before the picture was complete; nothing written.\n";
        return kExitInterrupted;
    }
    if (!picture) {
        Output output(options.out);
        WritePointsCsv(output.stream(), points);
    } else if (isMap) {
        WriteMap(MapPicture{std::move(points), x, z, base.rec, base.field.centre, style},
                 options.out);
    } else {
        WriteProfile(
            ProfilePicture{
                std::move(points), options.axis == "z", LineCoordinate(options.at), base.rec, {}},
            options.out);
    }
    return Finish(stop, done, total);
}

int RunUniform(const CliOptions& options) {
    const CalcOutcome base = StudyBase(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(base, &exitCode))
        return exitCode;
    const double tolerance = options.tolerance;
    const UniformRegion region = FindUniformRegion(base, tolerance);
    if (options.json) {
        auto extent = [](bool found, long double metres) {
            return found ? nlohmann::ordered_json(FullPrecisionText(metres))
                         : nlohmann::ordered_json(nullptr);
        };
        nlohmann::ordered_json j;
        j["tolerance"] = tolerance;
        j["B0d"] = FullPrecisionText(base.field.centre);
        j["axial"] = extent(region.axialFound, region.axial);
        j["radial"] = extent(region.radialFound, region.radial);
        j["scanned"] = {{"axial", FullPrecisionText(region.scanAxial)},
                        {"radial", FullPrecisionText(region.scanRadial)}};
        std::cout << Dump(j) << '\n';
        return kExitResults;
    }
    std::cout << "Field within " << tolerance * 100
              << " % of B0d = " << FormatNumber(base.field.centre) << " T:\n"
              << "  along the axis: |z| < "
              << Extent(region.axialFound, region.axial, region.scanAxial) << '\n'
              << "  radially, in the mid-plane: x < "
              << Extent(region.radialFound, region.radial, region.scanRadial) << '\n';
    return kExitResults;
}

int RunCheck(const CliOptions& options) {
    const CalcOutcome outcome = RunCalculation(options.request);
    int exitCode = kExitResults;
    if (!BaseHolds(outcome, &exitCode))
        return exitCode;
    const auto quantities = CheckAccuracy(outcome);
    if (options.json) {
        std::cout << CheckJson(quantities) << '\n';
    } else {
        PrintCheckTable(std::cout, quantities);
    }
    return kExitResults;
}

}  // namespace varnel
