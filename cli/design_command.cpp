// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_command.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/echoed_text.h"
#include "cli/interrupt_watch.h"
#include "cli/output_file.h"
#include "cli/progress_bar.h"
#include "command/errors.h"
#include "command/number_styles.h"
#include "command/number_text.h"
#include "design/catalogue_gaps.h"
#include "design/design_json.h"
#include "design/search.h"
#include "study/calc_output.h"
#include "study/csv_table.h"
#include "study/parallel_runner.h"

namespace varnel {
namespace {

// Standard output's text, every write checked; a failure reaches main as an OutputError.
void PrintChecked(const std::string& text) {
    OutputFile out("-");
    out.Write(text);
    out.Commit();
}

using namespace design;

struct DesignOptions {
    double B0 = 0, B0Tol = 0.01;
    std::string uniform, wires = "metric", grade, winding = "orthocyclic", minimise = "mass",
                         material = "copper", format = "text", count = "5";
    std::optional<double> voltage, current, maxPower, maxTempRise, maxOuter, maxLength, maxMass;
    double frequency = 0, ambient = 20, bore = 0, heatTransfer = 12, thermalClass = 155;
    double windingConductivity = static_cast<double>(kDryWindingConductivity);
    double formerWall = 0, cheek = 0;
    double searchOuter = 0.3, searchLength = 0.6, searchInner = 1e-3, searchReach = 0.6;
    std::string robust;
    unsigned threads = 0;
    bool json = false, csv = false;
};

DesignOptions& Options() {
    static DesignOptions options;
    return options;
}

// --count read by the program's number rules ("1e2" is 100): a whole number from 1 to 100.
int Count(const std::string& text) {
    const std::optional<long double> read = ReadDigitsText(TrimText(text));
    if (!read)
        throw GoalError("--count: '" + text + "' is not a number");
    const long double n = *read;
    if (!(n >= 1 && n <= 100) || n != static_cast<long double>(static_cast<int>(n)))
        throw GoalError("--count: '" + text + "' is not a whole number from 1 to 100");
    return static_cast<int>(n);
}

// --robust h=0.1mm,R1=0.1mm,H=0.1mm,turns=1,wire: lengths in mm with "mm", else in m.
Tolerances ReadRobust(const std::string& text) {
    Tolerances t;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        start = comma + 1;
        if (item == "wire") {
            t.wire = true;
            continue;
        }
        const auto equals = item.find('=');
        const std::string name = item.substr(0, equals);
        std::string value = equals == std::string::npos ? "" : item.substr(equals + 1);
        long double scale = 1;
        if (value.ends_with("mm")) {
            value.resize(value.size() - 2);
            scale = 1e-3L;
        }
        const std::optional<long double> read = ReadDigitsText(TrimText(value));
        if (!read) {
            throw GoalError("--robust takes h=0.1mm,R1=0.1mm,H=0.1mm,turns=1,wire; '" + item +
                            "' is not one of them");
        }
        const long double v = *read * scale;
        if (name == "h")
            t.gap = v;
        else if (name == "R1")
            t.radius = v;
        else if (name == "H")
            t.height = v;
        else if (name == "turns" && (v == 0 || v == 1))
            t.turns = static_cast<long long>(v);
        else
            throw GoalError(
                "--robust takes h=0.1mm,R1=0.1mm,H=0.1mm,turns=1 (one turn at most),"
                "wire; '" +
                item + "' is not one of them");
    }
    return t;
}

Goals ReadGoals(const DesignOptions& o) {
    Goals g;
    g.B0 = o.B0;
    g.B0Tol = o.B0Tol;
    if (!o.uniform.empty()) {
        // The program's own reader, "." whatever the locale.
        const auto colon = o.uniform.find(':');
        const std::optional<long double> tol = ReadDigitsText(TrimText(o.uniform.substr(0, colon)));
        const std::optional<long double> radius =
            colon == std::string::npos ? std::nullopt
                                       : ReadDigitsText(TrimText(o.uniform.substr(colon + 1)));
        if (!tol || !radius)
            throw GoalError("--uniform takes TOL:RADIUS, such as 0.001:0.005");
        g.uniform = Uniformity{*tol, *radius};
    }
    if (o.voltage.has_value() == o.current.has_value())
        throw GoalError("give the supply: --voltage V or --current A");
    g.currentSource = o.current.has_value();
    g.source = g.currentSource ? *o.current : *o.voltage;
    g.frequency = o.frequency;
    auto copy = [](const std::optional<double>& v) {
        return v ? std::optional<long double>(*v) : std::nullopt;
    };
    g.maxPower = copy(o.maxPower);
    g.maxTempRise = copy(o.maxTempRise);
    g.maxOuter = copy(o.maxOuter);
    g.maxLength = copy(o.maxLength);
    g.maxMass = copy(o.maxMass);
    g.ambient = o.ambient;
    g.thermalClass = o.thermalClass;
    g.bore = o.bore;
    g.formerWall = o.formerWall;
    g.cheek = o.cheek;
    g.bounds = {o.searchOuter, o.searchLength, o.searchInner, o.searchReach};
    g.robust = ReadRobust(o.robust);
    g.heatTransfer = o.heatTransfer;
    g.windingConductivity = o.windingConductivity;
    g.count = Count(o.count);
    g.minimise = o.minimise == "power"  ? Minimise::Power
                 : o.minimise == "size" ? Minimise::Size
                                        : Minimise::Mass;
    try {
        g.winding = ParseWinding(o.winding);
    } catch (const std::invalid_argument& e) {
        throw GoalError(e.what());
    }
    g.material = LoadMaterial(o.material);
    g.wires = LoadWires(o.wires, o.grade);
    return g;
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? separator : "") + parts[i];
    return out;
}

// Text that came from a catalogue or an option: on a terminal its control characters are
// shown, not obeyed.
std::string Shown(const std::string& text, bool terminal) {
    return terminal ? TerminalSafe(text) : text;
}

// The whole message of an error: a catalogue's text may hold a NUL byte, where what() stops.
std::string WholeMessage(const std::exception& e) {
    if (const auto* c = dynamic_cast<const CatalogueError*>(&e))
        return c->message();
    return e.what();
}

void SayOnStderr(const std::string& message) {
    std::cerr << Shown(message, IsTerminal(2)) << "\n";
}

// A grade that leaves wires out says so; the search goes on with the others.
void SayGradeGap(const DesignOptions& o) {
    const std::string gap = GradeGapNote(o.wires, o.grade);
    if (!gap.empty())
        std::cerr << "varnel-calc design: " << gap << "\n";
}

// A sensitivity's name as a column: "h+", "R1-", "turn+", "wire".
std::string SensitivityName(const Sensitivity& x) {
    if (x.what == "wire")
        return x.what;
    return x.what + (x.change > 0 ? "+" : "-");
}

// How much each stray of the build moves B0 and the sphere's deviation, for the text.
std::string SensitivityText(const Design& d, const Goals& g) {
    std::string out;
    for (const Sensitivity& x : d.sensitivity) {
        std::string change = x.what == "turn" ? (x.change > 0 ? "+1 turn" : "-1 turn")
                                              : DigitsText(x.change * 1e3L, 3) + " mm";
        if (x.what != "turn" && x.change > 0)
            change = "+" + change;
        const std::string what = x.what == "turn" ? "one coil" : x.what;
        out += "\n      " + what + " " + change + ": B0 " + (x.B0 >= 0 ? "+" : "") +
               DigitsText(x.B0 * 100, 3) + " %";
        if (g.uniform)
            out += ", deviation " + DigitsText(x.deviation, 3);
    }
    return out;
}

void PrintText(std::ostream& out, const Answer& a, const Goals& g, bool terminal) {
    int rank = 0;
    for (const Design& d : a.designs) {
        const Evaluation& m = d.model;
        out << "#" << ++rank << "  wire " << Shown(d.wire.name, terminal) << " (bare "
            << DigitsText(d.wire.bare * 1e3L, 6) << " mm, overall "
            << DigitsText(d.wire.overall * 1e3L, 6) << " mm), " << WindingName(g.winding) << "\n"
            << "    R1 " << DigitsText(m.geometry.R1 * 1e3L, 6) << " mm  R2 "
            << DigitsText(m.geometry.R2 * 1e3L, 6) << " mm  H "
            << DigitsText(m.geometry.H * 1e3L, 6) << " mm  h " << DigitsText(m.geometry.h * 1e3L, 6)
            << " mm\n"
            << "    " << m.fit.turns << " turns per coil";
        if (m.fit.layers > 0)
            out << " in " << m.fit.layers << " layers of up to " << m.fit.turnsPerLayer;
        out << ", Lambda " << DigitsText(m.fit.lambda, 9) << "\n"
            << "    R " << DigitsText(d.R20, 4) << " Ohm at 20 C, " << DigitsText(d.Rhot, 4)
            << " Ohm hot;  L " << DigitsText(d.L, 4) << " H;  L/R " << DigitsText(d.timeConstant, 3)
            << " s\n"
            << "    I " << DigitsText(d.I, 4) << " A  U " << DigitsText(d.U, 4) << " V  P "
            << DigitsText(d.P, 4) << " W hot;  rise " << DigitsText(m.hot.rise, 3)
            << " K, hot spot " << DigitsText(m.hot.hotSpot, 3) << " K;  "
            << DigitsText(d.heatingRate, 3) << " K/s when pulsed\n"
            << "    settles with a time constant of " << DigitsText(d.thermalTimeConstant / 60, 3)
            << " min"
            << (g.currentSource
                    ? ""
                    : ";  B0 at switch-on, cold, " + DigitsText(d.B0switchOn * 1e3L, 5) + " mT")
            << "\n"
            << "    B0 " << DigitsText(d.B0exact * 1e3L, 6) << " mT exact ("
            << DigitsText(d.B0classic * 1e3L, 6) << " mT classic);  within "
            << DigitsText(d.extentsTol * 100, 3) << " %: |z| < "
            << DigitsText(d.extents.axial * 1e3L, 4) << " mm, x "
            << (d.extents.radialReliable ? "< " : ">= ") << DigitsText(d.extents.radial * 1e3L, 4)
            << " mm\n"
            << "    mass " << DigitsText(m.mass, 4) << " kg, " << DigitsText(m.wireLength, 4)
            << " m of wire;  binds: " << (d.binding.empty() ? "none" : Join(d.binding, ", "))
            << "\n"
            << "    as built, at the same current:" << SensitivityText(d, g) << "\n"
            << "    " << Shown(d.command, terminal) << "\n";
    }
    if (a.rejectedByCheck > 0) {
        out << a.rejectedByCheck << " more found by the model were refused by the recomputation.\n";
    }
}

// One row per design through the one CSV writer; texts from the catalogue pass the spreadsheet
// rule the studies use, and on a terminal the control characters are shown.
void PrintCsv(std::ostream& out, const Answer& a, const Goals& g, bool terminal) {
    const std::vector<std::string> columns = {"R1",
                                              "R2",
                                              "H",
                                              "h",
                                              "wire",
                                              "D",
                                              "D_overall",
                                              "Lambda",
                                              "turns",
                                              "layers",
                                              "R20",
                                              "R_hot",
                                              "L",
                                              "I",
                                              "U",
                                              "P_hot",
                                              "B0",
                                              "B0_exact",
                                              "uniform_axis",
                                              "uniform_radial",
                                              "dT",
                                              "dT_hot_spot",
                                              "thermal_time_constant",
                                              "B0_switch_on",
                                              "mass",
                                              "wire_length",
                                              "L_over_R",
                                              "heating_rate",
                                              "binding",
                                              "command"};
    std::vector<std::string> header = columns;
    if (!a.designs.empty()) {
        for (const Sensitivity& x : a.designs.front().sensitivity) {
            header.push_back("dB0_" + SensitivityName(x));
            if (g.uniform)
                header.push_back("deviation_" + SensitivityName(x));
        }
    }
    WriteCsvLine(out, header);
    for (const Design& d : a.designs) {
        const auto j = DesignJson(d, g);
        std::vector<std::string> cells;
        for (const std::string& c : columns) {
            std::string cell;
            if (c == "binding") {
                cell = Join(d.binding, " ");
            } else if (j[c].is_string()) {
                cell = SpreadsheetSafe(j[c].get<std::string>());
            } else {
                cell = Dump(j[c], -1);
            }
            cells.push_back(Shown(cell, terminal));
        }
        for (const Sensitivity& x : d.sensitivity) {
            cells.push_back(DigitsText(x.B0, 6));
            if (g.uniform)
                cells.push_back(DigitsText(x.deviation, 6));
        }
        WriteCsvLine(out, cells);
    }
}

}  // namespace

CLI::App* AddDesignCommand(CLI::App& app) {
    DesignOptions& o = Options();
    auto* d = app.add_subcommand("design", "coil pairs that give the field asked for, from goals");
    d->add_option("--B0", o.B0, "flux density at the centre, T (met hot)")->required();
    d->add_option("--B0-tol", o.B0Tol, "relative tolerance on B0 [0.01]");
    d->add_option("--uniform", o.uniform, "TOL:RADIUS: |B|/B0 - 1 within TOL in that sphere, m");
    d->add_option("--voltage", o.voltage, "RMS supply voltage, V");
    d->add_option("--current", o.current, "RMS supply current, A (a current source)");
    d->add_option("--f", o.frequency, "supply frequency, Hz [0]");
    d->add_option("--max-power", o.maxPower, "power limit, W (hot)");
    d->add_option("--max-temp-rise", o.maxTempRise,
                  "limit on the winding's mean temperature rise (by its resistance), K");
    d->add_option("--ambient", o.ambient, "ambient temperature, C [20]");
    d->add_option("--class", o.thermalClass,
                  "thermal class of the enamel, C: the hottest the winding may run [155]");
    d->add_option("--heat-transfer", o.heatTransfer,
                  "heat-transfer coefficient of the surfaces, W/(m^2 K) [12]");
    d->add_option("--winding-conductivity", o.windingConductivity,
                  "thermal conductivity of the winding across its turns, W/(m K), for the hot "
                  "spot [0.2, a dry winding; 0.5-1 impregnated]");
    d->add_option("--bore", o.bore,
                  "clear radius inside the former (a radius, not a diameter), m [0]");
    d->add_option("--former-wall", o.formerWall, "the former's wall: R1 = bore + wall, m [0]");
    d->add_option("--cheek", o.cheek,
                  "each coil's end plate: the gap between the windings is at least two, m [0]");
    d->add_option("--search-outer", o.searchOuter,
                  "the search's own bound on R2 when --max-outer is not given, m [0.3]");
    d->add_option("--search-length", o.searchLength,
                  "the search's own bound on 2H + h when --max-length is not given, m [0.6]");
    d->add_option("--search-inner", o.searchInner, "the search's own least R1, m [0.001]");
    d->add_option("--search-reach", o.searchReach,
                  "the --uniform sphere reaches at most this share of the distance to the "
                  "nearest turn [0.6]");
    d->add_option("--robust", o.robust,
                  "h=0.1mm,R1=0.1mm,H=0.1mm,turns=1,wire: designs that meet every goal across "
                  "these strays of the build, worst case");
    d->add_option("--max-outer", o.maxOuter, "largest outer radius R2, m");
    d->add_option("--max-length", o.maxLength, "largest length 2H + h, m");
    d->add_option("--max-mass", o.maxMass, "largest mass of wire, kg");
    d->add_option("--material", o.material, "copper or aluminium [copper]");
    d->add_option("--wires", o.wires, "metric, awg or a CSV FILE with the same columns [metric]");
    d->add_option("--grade", o.grade,
                  "enamel grade: the overall_GRADE_mm column (grade1..3, single, heavy) [first]");
    d->add_option("--winding", o.winding, "orthocyclic, layer or random[:FILL] [orthocyclic]");
    d->add_option("--minimise", o.minimise, "power, mass or size [mass]")
        ->check(CLI::IsMember({"power", "mass", "size"}));
    d->add_option("--count", o.count, "how many designs, 1 to 100 [5]");
    d->add_option("--threads", o.threads, "threads to search on [every core]")
        ->check(CLI::Range(1, 256));
    d->add_flag("--json", o.json, "the answer as JSON");
    d->add_flag("--csv", o.csv, "the designs as CSV");
    return d;
}

std::string EmptyDesignValue(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]) != "design")
        return "";
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--") && arg.size() > 3 && arg.ends_with("=") &&
            arg.find('=') == arg.size() - 1) {
            return std::string(arg.substr(0, arg.size() - 1)) +
                   ": the value after '=' is empty; give one";
        }
    }
    return "";
}

namespace {

// The goals the options give, checked; none after saying what is wrong with them.
std::optional<Goals> CheckedGoals(const DesignOptions& o) {
    try {
        Goals goals = ReadGoals(o);
        CheckGoals(goals);
        return goals;
    } catch (const std::exception& e) {
        if (o.json) {
            PrintChecked(Dump(nlohmann::ordered_json{{"error", WholeMessage(e)}}) + "\n");
        } else {
            SayOnStderr("varnel-calc design: " + WholeMessage(e));
        }
        return std::nullopt;
    }
}

nlohmann::ordered_json DesignsJson(const Answer& answer, const Goals& goals) {
    nlohmann::ordered_json designs = nlohmann::ordered_json::array();
    for (const Design& d : answer.designs)
        designs.push_back(DesignJson(d, goals));
    return designs;
}

// Stopped: as a study closes its array, a whole JSON object with what was found, marked stopped.
int SayStopped(const DesignOptions& o, const Answer& answer, const Goals& goals,
               const InterruptWatch& interrupts) {
    if (o.json) {
        nlohmann::ordered_json j;
        j["designs"] = DesignsJson(answer, goals);
        j["stopped"] = true;
        PrintChecked(Dump(j) + "\n");
    }
    std::cerr << "Interrupted: "
              << (o.json ? "the designs found so far written.\n" : "no design written.\n");
    return interrupts.ExitStatus();
}

int SayNoDesign(const DesignOptions& o, const Answer& answer, const Goals& goals) {
    if (o.json) {
        nlohmann::ordered_json j;
        j["error"] = answer.error;
        j["best"] = answer.best ? DesignJson(*answer.best, goals) : nlohmann::ordered_json();
        if (answer.closest)
            j["closest"] = ClosestJson(*answer.closest);
        PrintChecked(Dump(j) + "\n");
    } else {
        SayOnStderr(answer.error);
        if (answer.best)
            SayOnStderr("The closest: " + answer.best->command);
    }
    return 1;
}

void SayDesigns(const DesignOptions& o, const Answer& answer, const Goals& goals) {
    if (o.json) {
        nlohmann::ordered_json j;
        j["designs"] = DesignsJson(answer, goals);
        j["search"] = SearchJson(answer);
        PrintChecked(Dump(j) + "\n");
        return;
    }
    std::ostringstream text;
    const bool terminal = IsTerminal(1);
    if (o.csv) {
        PrintCsv(text, answer, goals, terminal);
    } else {
        PrintText(text, answer, goals, terminal);
    }
    PrintChecked(text.str());
}

}  // namespace

int RunDesign() {
    const DesignOptions& o = Options();
    const std::optional<Goals> goals = CheckedGoals(o);
    if (!goals)
        return 2;
    SayGradeGap(o);
    // Ctrl-C, SIGTERM and SIGHUP stop the search as they stop the other studies.
    const InterruptWatch interrupts;
    Answer answer;
    try {
        std::optional<ProgressBar> bar(std::in_place);
        answer = FindDesigns(
            *goals, interrupts.token(),
            [&bar](std::size_t done, std::size_t total) { bar->Update(done, total); },
            o.threads > 0 ? o.threads : DefaultThreads());
        bar.reset();  // its line ends before anything else is said
    } catch (const std::exception& e) {
        SayOnStderr("varnel-calc design: " + WholeMessage(e));
        return 2;
    }
    if (answer.interrupted)
        return SayStopped(o, answer, *goals, interrupts);
    if (answer.designs.empty())
        return SayNoDesign(o, answer, *goals);
    SayDesigns(o, answer, *goals);
    return 0;
}

}  // namespace varnel
