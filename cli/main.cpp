#include <fstream>
#include <iostream>
#include <sstream>

#include <CLI/CLI.hpp>

#include "cli/accuracy_check.h"
#include "cli/calc_output.h"
#include "cli/calc_request.h"
#include "cli/csv_table.h"
#include "cli/design_command.h"
#include "cli/field_study.h"
#include "cli/grid.h"
#include "cli/parallel_runner.h"
#include "cli/plots.h"
#include "cli/table_study.h"
#include "cli/version.h"
#include "command/control_names.h"
#include "command/number_text.h"

namespace {

using namespace varnel;

constexpr int kExitResults = 0;
constexpr int kExitCheckFailed = 1;
constexpr int kExitError = 2;
constexpr int kExitInterrupted = 130;

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

int SingleCalculation(const CalcRequest& request, bool json, bool full) {
    const CalcOutcome outcome = RunCalculation(request);
    if (json) {
        std::cout << Dump(OutcomeJson(outcome, full)) << '\n';
    } else if (outcome.kind == CalcOutcome::Kind::Results) {
        PrintResultLines(std::cout, outcome, request.currentSource);
    } else {
        std::cerr << outcome.message << '\n';
    }
    return ExitFor(outcome);
}

// Where a study writes: the file named, or standard output.
class Output {
  public:
    explicit Output(const std::string& path) {
        if (path.empty() || path == "-")
            return;
        file_.open(path, std::ios::binary);
        if (!file_)
            throw UsageError("cannot write " + path);
    }
    std::ostream& stream() { return file_.is_open() ? file_ : std::cout; }

  private:
    std::ofstream file_;
};

int Finish(std::size_t written, std::size_t total) {
    if (!Interrupted())
        return kExitResults;
    std::cerr << "Interrupted: " << written << " of " << total << " written.\n";
    return kExitInterrupted;
}

// A study needs a calculation that passes at the centre; its message otherwise.
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
        throw UsageError("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "varnel-calc: the Varnel Coils calculation of a pair of coaxial coils in series.\n"
        "Each option sets the text of one input box of the window, exactly as typed there\n"
        "(use --NAME=TEXT for texts that start with '-' or are empty). The decimal separator\n"
        "is always '.', whatever the locale, so scripts give the same results everywhere.\n"
        "Without a subcommand it makes one calculation. Exit status: 0 results, 1 an input\n"
        "check failed, 2 a text is not a number, the arithmetic failed or a study was asked\n"
        "for wrongly, 130 a study stopped by Ctrl-C (what was written is kept).",
        "varnel-calc"};
    app.set_version_flag("--version", "varnel-calc " VARNEL_VERSION);
    app.require_subcommand(0, 1);
    CalcRequest request = CalcRequest::Defaults();
    AddInputOptions(app, request);
    bool json = false, full = false;
    app.add_flag("--json", json, "write the status and results as JSON");
    app.add_flag("--full", full, "also every value at full precision");
    unsigned threads = DefaultThreads();
    std::string out;

    auto* sweep = app.add_subcommand("sweep", "one calculation per combination of varied inputs");
    std::vector<std::string> vary;
    sweep->add_option("--vary", vary, "NAME=START:STOP:COUNT; several make every combination")
        ->required();
    AddInputOptions(*sweep, request);

    auto* batch = app.add_subcommand("batch", "one calculation per row of a CSV file");
    std::string batchFile;
    batch->add_option("FILE", batchFile, "CSV with a header of input names (R1,...,z,current)")
        ->required();
    AddInputOptions(*batch, request);

    for (CLI::App* table : {sweep, batch}) {
        table->add_flag("--json", json, "a JSON array of single-calculation objects");
        table->add_flag("--full", full, "full-precision numbers instead of the shown texts");
        table->add_option("--out", out, "write to this file instead of standard output");
        table->add_option("--threads", threads, "threads to calculate on")
            ->check(CLI::Range(1, 256));
    }

    auto* map = app.add_subcommand("map", "the field on a grid of points, as CSV or a picture");
    std::string xRange, zRange;
    map->add_option("--x", xRange, "radial range START:STOP:COUNT, m")->required();
    map->add_option("--z", zRange, "axial range START:STOP:COUNT, m")->required();
    AddInputOptions(*map, request, false);

    auto* profile = app.add_subcommand("profile", "the field along a line, as CSV or a plot");
    std::string axis, range, at = "0";
    profile->add_option("--axis", axis, "z (along the axis) or x (radially)")
        ->required()
        ->check(CLI::IsMember({"z", "x"}));
    profile->add_option("--range", range, "START:STOP:COUNT along the line, m")->required();
    profile->add_option("--at", at, "the other coordinate of the line, m [0]");
    AddInputOptions(*profile, request, false);

    for (CLI::App* field : {map, profile}) {
        field->add_option("--out", out, "FILE.csv, FILE.png or FILE.svg")->required();
        field->add_option("--threads", threads, "threads to calculate on")
            ->check(CLI::Range(1, 256));
    }

    auto* uniform = app.add_subcommand("uniform", "the region where the field is uniform");
    double tolerance = 0.001;
    uniform->add_option("--tol", tolerance, "tolerance on |B|/B0d - 1 [0.001]")
        ->check(CLI::PositiveNumber);
    uniform->add_flag("--json", json, "write the extents as JSON");
    AddInputOptions(*uniform, request, false);

    auto* check = app.add_subcommand(
        "check", "the classic values beside high-accuracy ones, and the force between the coils");
    check->add_flag("--json", json, "write the comparison as JSON");
    AddInputOptions(*check, request);

    CLI::App* design = AddDesignCommand(app);
    CLI11_PARSE(app, argc, argv);
    if (design->parsed())
        return RunDesign();

    try {
        if (sweep->parsed() || batch->parsed()) {
            const std::vector<StudyRow> rows = sweep->parsed()
                                                   ? SweepRows(request, vary)
                                                   : BatchRows(request, ReadFile(batchFile));
            Output output(out);
            const std::size_t written = RunStudy(rows, json ? StudyFormat::Json : StudyFormat::Csv,
                                                 full, threads, output.stream());
            return Finish(written, rows.size());
        }
        if (map->parsed() || profile->parsed()) {
            const CalcOutcome base = StudyBase(request);
            int exitCode = kExitResults;
            if (!BaseHolds(base, &exitCode))
                return exitCode;
            const bool picture = IsPicturePath(out);
            if (!picture && !out.ends_with(".csv")) {
                throw UsageError("--out: '" + out + "' does not end in .csv, .png or .svg");
            }
            std::vector<FieldPoint> points;
            std::size_t total = 0;
            GridRange x, z, line;
            if (map->parsed()) {
                x = ParseGridRange(xRange, "--x");
                z = ParseGridRange(zRange, "--z");
                total = static_cast<std::size_t>(x.count) * static_cast<std::size_t>(z.count);
                points = FieldGrid(base, x, z, threads);
            } else {
                line = ParseGridRange(range, "--range");
                total = static_cast<std::size_t>(line.count);
                points = FieldProfile(base, axis == "z", line, at, threads);
            }
            if (Interrupted() && picture) {
                std::cerr << "Interrupted before the picture was complete; nothing written.\n";
                return kExitInterrupted;
            }
            if (!picture) {
                Output output(out);
                WritePointsCsv(output.stream(), points);
            } else if (map->parsed()) {
                RenderMap(points, x, z, base, out);
            } else {
                RenderProfile(points, axis == "z", at, base, out);
            }
            return Finish(points.size(), total);
        }
        if (check->parsed()) {
            const CalcOutcome outcome = RunCalculation(request);
            int exitCode = kExitResults;
            if (!BaseHolds(outcome, &exitCode))
                return exitCode;
            const auto quantities = CheckAccuracy(outcome);
            if (json) {
                std::cout << CheckJson(quantities) << '\n';
            } else {
                PrintCheckTable(std::cout, quantities);
            }
            return kExitResults;
        }
        if (uniform->parsed()) {
            const CalcOutcome base = StudyBase(request);
            int exitCode = kExitResults;
            if (!BaseHolds(base, &exitCode))
                return exitCode;
            const UniformRegion region = FindUniformRegion(base, tolerance);
            if (json) {
                nlohmann::ordered_json j;
                j["tolerance"] = tolerance;
                j["B0d"] = FullPrecisionText(base.field.centre);
                j["axial"] = region.axialFound
                                 ? nlohmann::ordered_json(FullPrecisionText(region.axial))
                                 : nlohmann::ordered_json(nullptr);
                j["radial"] = region.radialFound
                                  ? nlohmann::ordered_json(FullPrecisionText(region.radial))
                                  : nlohmann::ordered_json(nullptr);
                j["scanned"] = {{"axial", FullPrecisionText(region.scanAxial)},
                                {"radial", FullPrecisionText(region.scanRadial)}};
                std::cout << Dump(j) << '\n';
            } else {
                auto extent = [](bool found, long double metres, long double scanned) {
                    std::ostringstream s;
                    if (found) {
                        s << static_cast<double>(metres * 1000) << " mm";
                    } else {
                        s << "beyond " << static_cast<double>(scanned * 1000)
                          << " mm (the scan's end)";
                    }
                    return s.str();
                };
                std::cout << "Field within " << tolerance * 100
                          << " % of B0d = " << FormatNumber(base.field.centre) << " T:\n"
                          << "  along the axis: |z| < "
                          << extent(region.axialFound, region.axial, region.scanAxial) << '\n'
                          << "  radially, in the mid-plane: x < "
                          << extent(region.radialFound, region.radial, region.scanRadial) << '\n';
            }
            return kExitResults;
        }
    } catch (const UsageError& e) {
        std::cerr << "varnel-calc: " << e.what() << '\n';
        return kExitError;
    }
    return SingleCalculation(request, json, full);
}
