// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/design_command.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/interrupt_watch.h"
#include "cli/output_file.h"
#include "cli/progress_bar.h"
#include "design/search.h"

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
                         material = "copper", format = "text";
    std::optional<double> voltage, current, maxPower, maxTempRise, maxOuter, maxLength, maxMass;
    double frequency = 0, ambient = 20, bore = 0, heatTransfer = 12, thermalClass = 155;
    double windingConductivity = static_cast<double>(kDryWindingConductivity);
    int count = 5;
    unsigned threads = 0;
    bool json = false, csv = false;
};

DesignOptions& Options() {
    static DesignOptions options;
    return options;
}

Goals ReadGoals(const DesignOptions& o) {
    Goals g;
    g.B0 = o.B0;
    g.B0Tol = o.B0Tol;
    if (!o.uniform.empty()) {
        const auto colon = o.uniform.find(':');
        char* end = nullptr;
        Uniformity u;
        u.tol = std::strtold(o.uniform.c_str(), &end);
        const bool tolOk = colon != std::string::npos && end == o.uniform.c_str() + colon;
        const std::string radius = colon == std::string::npos ? "" : o.uniform.substr(colon + 1);
        u.radius = std::strtold(radius.c_str(), &end);
        if (!tolOk || radius.empty() || end != radius.c_str() + radius.size())
            throw GoalError("--uniform takes TOL:RADIUS, such as 0.001:0.005");
        g.uniform = u;
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
    g.heatTransfer = o.heatTransfer;
    g.windingConductivity = o.windingConductivity;
    g.count = o.count;
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

std::string Num(long double v, int digits = 6) {
    return ShortNumber(v, digits);
}

std::string Join(const std::vector<std::string>& parts, const char* separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? separator : "") + parts[i];
    return out;
}

nlohmann::ordered_json DesignJson(const Design& d, const Goals& g) {
    const Evaluation& m = d.model;
    nlohmann::ordered_json j;
    j["R1"] = static_cast<double>(m.geometry.R1);
    j["R2"] = static_cast<double>(m.geometry.R2);
    j["H"] = static_cast<double>(m.geometry.H);
    j["h"] = static_cast<double>(m.geometry.h);
    j["wire"] = d.wire.name;
    j["D"] = static_cast<double>(d.wire.bare);
    j["D_overall"] = static_cast<double>(d.wire.overall);
    j["winding"] = WindingName(g.winding);
    j["Lambda"] = static_cast<double>(m.fit.lambda);
    j["turns"] = m.fit.turns;
    j["layers"] = m.fit.layers;
    j["turns_per_layer"] = m.fit.turnsPerLayer;
    j["R20"] = static_cast<double>(d.R20);
    j["R_hot"] = static_cast<double>(d.Rhot);
    j["L"] = static_cast<double>(d.L);
    j["I"] = static_cast<double>(d.I);
    j["U"] = static_cast<double>(d.U);
    j["P_hot"] = static_cast<double>(d.P);
    j["B0"] = static_cast<double>(d.B0classic);
    j["B0_exact"] = static_cast<double>(d.B0exact);
    j["uniform_tol"] = static_cast<double>(d.extentsTol);
    j["uniform_axis"] = static_cast<double>(d.extents.axial);
    j["uniform_radial"] = static_cast<double>(d.extents.radial);
    j["uniform_radial_is_lower_bound"] = !d.extents.radialReliable;
    if (g.uniform)
        j["sphere_deviation"] = static_cast<double>(d.sphereExact);
    j["dT"] = static_cast<double>(m.hot.rise);
    j["dT_hot_spot"] = static_cast<double>(m.hot.hotSpot);
    j["thermal_time_constant"] = static_cast<double>(d.thermalTimeConstant);
    j["B0_switch_on"] = static_cast<double>(d.B0switchOn);
    j["mass"] = static_cast<double>(m.mass);
    j["wire_length"] = static_cast<double>(m.wireLength);
    j["L_over_R"] = static_cast<double>(d.timeConstant);
    j["heating_rate"] = static_cast<double>(d.heatingRate);
    j["Roe_hot"] = static_cast<double>(d.hotResistivity);
    j["binding"] = d.binding;
    j["command"] = d.command;
    return j;
}

void PrintText(std::ostream& out, const Answer& a, const Goals& g) {
    int rank = 0;
    for (const Design& d : a.designs) {
        const Evaluation& m = d.model;
        out << "#" << ++rank << "  wire " << d.wire.name << " (bare " << Num(d.wire.bare * 1e3L)
            << " mm, overall " << Num(d.wire.overall * 1e3L) << " mm), " << WindingName(g.winding)
            << "\n"
            << "    R1 " << Num(m.geometry.R1 * 1e3L) << " mm  R2 " << Num(m.geometry.R2 * 1e3L)
            << " mm  H " << Num(m.geometry.H * 1e3L) << " mm  h " << Num(m.geometry.h * 1e3L)
            << " mm\n"
            << "    " << m.fit.turns << " turns per coil";
        if (m.fit.layers > 0)
            out << " in " << m.fit.layers << " layers of up to " << m.fit.turnsPerLayer;
        out << ", Lambda " << Num(m.fit.lambda, 9) << "\n"
            << "    R " << Num(d.R20, 4) << " Ohm at 20 C, " << Num(d.Rhot, 4) << " Ohm hot;  L "
            << Num(d.L, 4) << " H;  L/R " << Num(d.timeConstant, 3) << " s\n"
            << "    I " << Num(d.I, 4) << " A  U " << Num(d.U, 4) << " V  P " << Num(d.P, 4)
            << " W hot;  rise " << Num(m.hot.rise, 3) << " K, hot spot " << Num(m.hot.hotSpot, 3)
            << " K;  " << Num(d.heatingRate, 3) << " K/s when pulsed\n"
            << "    settles with a time constant of " << Num(d.thermalTimeConstant / 60, 3)
            << " min"
            << (g.currentSource
                    ? ""
                    : ";  B0 at switch-on, cold, " + Num(d.B0switchOn * 1e3L, 5) + " mT")
            << "\n"
            << "    B0 " << Num(d.B0exact * 1e3L, 6) << " mT exact (" << Num(d.B0classic * 1e3L, 6)
            << " mT classic);  within " << Num(d.extentsTol * 100, 3) << " %: |z| < "
            << Num(d.extents.axial * 1e3L, 4) << " mm, x "
            << (d.extents.radialReliable ? "< " : ">= ") << Num(d.extents.radial * 1e3L, 4)
            << " mm\n"
            << "    mass " << Num(m.mass, 4) << " kg, " << Num(m.wireLength, 4)
            << " m of wire;  binds: " << (d.binding.empty() ? "none" : Join(d.binding, ", "))
            << "\n"
            << "    " << d.command << "\n";
    }
    if (a.rejectedByCheck > 0) {
        out << a.rejectedByCheck << " more found by the model were refused by the recomputation.\n";
    }
}

void PrintCsv(std::ostream& out, const Answer& a, const Goals& g) {
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
    out << Join(columns, ",") << "\n";
    for (const Design& d : a.designs) {
        const auto j = DesignJson(d, g);
        std::vector<std::string> cells;
        for (const std::string& c : columns) {
            std::string cell;
            if (c == "binding") {
                cell = Join(d.binding, " ");
            } else if (j[c].is_string()) {
                cell = j[c].get<std::string>();
            } else {
                cell = j[c].dump();
            }
            if (cell.find_first_of(",\"") != std::string::npos) {
                std::string quoted = "\"";
                for (char ch : cell)
                    quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
                cell = quoted + "\"";
            }
            cells.push_back(cell);
        }
        out << Join(cells, ",") << "\n";
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
    d->add_option("--bore", o.bore, "least inner radius R1, m");
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
    d->add_option("--count", o.count, "how many designs [5]")->check(CLI::Range(1, 100));
    d->add_option("--threads", o.threads, "threads to search on [every core]")
        ->check(CLI::Range(1, 256));
    d->add_flag("--json", o.json, "the answer as JSON");
    d->add_flag("--csv", o.csv, "the designs as CSV");
    return d;
}

int RunDesign() {
    const DesignOptions& o = Options();
    Goals goals;
    try {
        goals = ReadGoals(o);
        CheckGoals(goals);
    } catch (const std::exception& e) {
        if (o.json) {
            PrintChecked(nlohmann::ordered_json{{"error", e.what()}}.dump(2) + "\n");
        } else {
            std::cerr << "varnel-calc design: " << e.what() << "\n";
        }
        return 2;
    }
    const unsigned threads =
        o.threads > 0 ? o.threads : std::max(1u, std::thread::hardware_concurrency());
    // Ctrl-C, SIGTERM and SIGHUP stop the search as they stop the other studies.
    const InterruptWatch interrupts;
    std::atomic<std::size_t> done{0}, total{1};
    std::atomic<bool> finished{false};
    Answer answer;
    std::exception_ptr failure;
    {
        std::jthread worker([&] {
            try {
                answer = FindDesigns(
                    goals, interrupts.token(),
                    [&](std::size_t d, std::size_t t) {
                        done = d;
                        total = t;
                    },
                    threads);
            } catch (...) {
                failure = std::current_exception();
            }
            finished = true;
        });
        ProgressBar bar;
        while (!finished) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            bar.Update(done.load(), total.load());
        }
        worker.join();
    }
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            std::cerr << "varnel-calc design: " << e.what() << "\n";
            return 2;
        }
    }
    if (answer.interrupted) {
        std::cerr << "Interrupted: no design written.\n";
        return interrupts.ExitStatus();
    }
    if (answer.designs.empty()) {
        if (o.json) {
            nlohmann::ordered_json j;
            j["error"] = answer.error;
            j["best"] = answer.best ? DesignJson(*answer.best, goals) : nlohmann::ordered_json();
            PrintChecked(j.dump(2) + "\n");
        } else {
            std::cerr << answer.error << "\n";
            if (answer.best)
                std::cerr << "The closest: " << answer.best->command << "\n";
        }
        return 1;
    }
    if (o.json) {
        nlohmann::ordered_json j;
        j["designs"] = nlohmann::ordered_json::array();
        for (const Design& d : answer.designs)
            j["designs"].push_back(DesignJson(d, goals));
        PrintChecked(j.dump(2) + "\n");
    } else {
        std::ostringstream text;
        if (o.csv) {
            PrintCsv(text, answer, goals);
        } else {
            PrintText(text, answer, goals);
        }
        PrintChecked(text.str());
    }
    return 0;
}

}  // namespace varnel
