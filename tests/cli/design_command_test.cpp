// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "run_program.h"

namespace {

ProgramRun Calc(const std::vector<std::string>& args) {
    return RunProgram(VARNEL_CALC_PATH, args);
}

// The words of a command line, without the program's name.
std::vector<std::string> Words(const std::string& command) {
    std::vector<std::string> words;
    std::size_t pos = command.find(' ');
    while (pos != std::string::npos) {
        const std::size_t next = command.find(' ', pos + 1);
        words.push_back(command.substr(pos + 1, next == std::string::npos ? next : next - pos - 1));
        pos = next;
    }
    return words;
}

double Exact(const nlohmann::json& check, const std::string& quantity) {
    for (const auto& q : check) {
        if (q["quantity"] == quantity)
            return std::stod(q["exact"].get<std::string>());
    }
    return NAN;
}

// 10 mT, uniform to 0.1 % over a 5 mm sphere, 12 V, at most 20 W, a 40 mm bore, 60 K: each
// design, recomputed from its own command line, meets the goals.
TEST(DesignCommand, ExampleDesignsReproduceInTheCalculator) {
    const ProgramRun run = Calc({"design", "--B0", "0.01", "--uniform", "0.001:0.005", "--voltage",
                                 "12", "--max-power", "20", "--bore", "0.04", "--max-temp-rise",
                                 "60", "--count", "3", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto answer = nlohmann::json::parse(run.out);
    ASSERT_FALSE(answer["designs"].empty());
    for (const auto& d : answer["designs"]) {
        for (const char* key :
             {"R1", "R2", "H", "h", "wire", "D", "turns", "Lambda", "B0", "B0_exact", "I", "U",
              "P_hot", "dT", "mass", "uniform_axis", "uniform_radial", "binding", "command"}) {
            EXPECT_TRUE(d.contains(key)) << key;
        }
        EXPECT_GE(d["R1"].get<double>(), 0.04);
        EXPECT_LE(d["dT"].get<double>(), 60);
        std::vector<std::string> args = Words(d["command"]);
        args.push_back("--json");
        args.push_back("--full");
        const ProgramRun calc = Calc(args);
        ASSERT_EQ(calc.exitCode, 0) << calc.err;
        const auto values = nlohmann::json::parse(calc.out)["values"];
        EXPECT_LE(std::stod(values["P"].get<std::string>()), 20);
        EXPECT_NEAR(std::stod(values["N"].get<std::string>()), d["turns"].get<double>(), 1e-6);
        EXPECT_NEAR(std::stod(values["Id"].get<std::string>()), d["I"].get<double>(), 1e-9);
        args.insert(args.begin(), "check");
        args.pop_back();  // check has no --full
        const ProgramRun check = Calc(args);
        ASSERT_EQ(check.exitCode, 0) << check.err;
        const double b0 = Exact(nlohmann::json::parse(check.out), "B0d");
        EXPECT_LE(std::fabs(b0 / 0.01 - 1), 0.01) << d["command"];
    }
}

TEST(DesignCommand, AnswersInTextAndCsv) {
    const std::vector<std::string> goals = {"design", "--B0",        "0.01", "--voltage",
                                            "12",     "--max-power", "20",   "--bore",
                                            "0.04",   "--count",     "2"};
    const ProgramRun text = Calc(goals);
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("#1  wire "), std::string::npos);
    EXPECT_NE(text.out.find("varnel-calc --R1 "), std::string::npos);
    std::vector<std::string> csv = goals;
    csv.push_back("--csv");
    const ProgramRun table = Calc(csv);
    ASSERT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(table.out.rfind("R1,R2,H,h,wire,", 0), 0u);
}

TEST(DesignCommand, GoalsThatCannotBeMetExitOneWithTheBest) {
    const ProgramRun run = Calc({"design", "--B0", "0.05", "--voltage", "12", "--max-power", "10",
                                 "--max-outer", "0.06", "--bore", "0.02", "--json"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const auto answer = nlohmann::json::parse(run.out);
    EXPECT_EQ(answer["error"].get<std::string>().rfind("no design reaches 50 mT within", 0), 0u);
    EXPECT_TRUE(answer["best"].contains("B0_exact"));
}

TEST(DesignCommand, NonsenseGoalsExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"design", "--B0", "-0.01", "--voltage", "12"},
        {"design", "--B0", "0.01", "--B0-tol", "1", "--voltage", "12"},
        {"design", "--B0", "0.01", "--voltage", "12", "--bore", "0.05", "--max-outer", "0.04"},
        {"design", "--B0", "0.01", "--voltage", "12", "--uniform", "1.5:0.005"},
        {"design", "--B0", "0.01"},
        {"design", "--B0", "0.01", "--voltage", "12", "--wires", "/nonexistent.csv"},
    };
    for (const auto& args : cases) {
        const ProgramRun run = Calc(args);
        EXPECT_EQ(run.exitCode, 2) << args[2] << " " << run.err;
        EXPECT_NE(run.err, "");
    }
}

// Aluminium at 30 C with a class-105 enamel: no point of the winding past 105 C, the mean below
// it by the radial conduction's excess, and the cold winding at switch-on drawing more by
// Rhot / Rcold = (1 + 0.00403 (30 + dT - 20)) / (1 + 0.00403 (30 - 20)), the field with it.
TEST(DesignCommand, HotSpotWithinTheClassAndTheFieldAtSwitchOn) {
    const ProgramRun run = Calc({"design", "--B0", "0.02", "--voltage", "24", "--material",
                                 "aluminium", "--ambient", "30", "--class", "105", "--max-power",
                                 "30", "--bore", "0.02", "--count", "2", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto answer = nlohmann::json::parse(run.out);
    ASSERT_FALSE(answer["designs"].empty());
    for (const auto& d : answer["designs"]) {
        const double rise = d["dT"].get<double>(), hot = d["dT_hot_spot"].get<double>();
        EXPECT_GT(hot, rise);
        EXPECT_LE(hot, 105 - 30);
        EXPECT_NEAR(d["B0_switch_on"].get<double>() / d["B0_exact"].get<double>(),
                    (1 + 0.00403 * (30 + rise - 20)) / (1 + 0.00403 * 10), 1e-9);
        EXPECT_GT(d["thermal_time_constant"].get<double>(), 0);
    }
}

}  // namespace
