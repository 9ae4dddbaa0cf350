// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
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
            return ReadNumber(q["exact"].get<std::string>());
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
        EXPECT_LE(ReadNumber(values["P"].get<std::string>()), 20);
        EXPECT_NEAR(ReadNumber(values["N"].get<std::string>()), d["turns"].get<double>(), 1e-6);
        EXPECT_NEAR(ReadNumber(values["Id"].get<std::string>()), d["I"].get<double>(), 1e-9);
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

// The former's options, the search's own bounds and --robust are read; a grade that leaves
// wires out says which; a Russian locale changes nothing.
TEST(DesignCommand, FormerBoundsRobustGradeAndLocale) {
    const std::vector<std::string> base = {"design", "--B0",        "0.01", "--voltage",
                                           "12",     "--max-power", "20",   "--bore",
                                           "0.03",   "--count",     "1",    "--json"};
    std::vector<std::string> former = base;
    for (const char* word :
         {"--former-wall", "0.002", "--cheek", "0.003", "--robust", "h=0.1mm,R1=0.1mm,turns=1"})
        former.push_back(word);
    const ProgramRun run = Calc(former);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto d = nlohmann::json::parse(run.out)["designs"][0];
    EXPECT_GE(d["R1"].get<double>(), 0.032 - 1e-12);  // bore + wall
    EXPECT_GE(d["h"].get<double>(), 0.006 - 1e-12);   // two cheeks
    EXPECT_EQ(d["sensitivity"].size(), 9u);

    std::vector<std::string> awg = base;
    for (const char* word : {"--wires", "awg", "--grade", "heavy"})
        awg.push_back(word);
    const ProgramRun heavy = Calc(awg);
    EXPECT_NE(heavy.err.find("leaves out "), std::string::npos) << heavy.err;
    EXPECT_NE(heavy.err.find("AWG 10, "), std::string::npos) << heavy.err;
    EXPECT_NE(heavy.err.find("AWG 23"), std::string::npos) << heavy.err;

    std::vector<std::string> bounded = base;
    for (const char* word : {"--search-outer", "0.033"})
        bounded.push_back(word);
    const ProgramRun own = Calc(bounded);
    ASSERT_EQ(own.exitCode, 0) << own.err;
    const auto binding = nlohmann::json::parse(own.out)["designs"][0]["binding"];
    EXPECT_NE(std::find(binding.begin(), binding.end(), "search-outer"), binding.end()) << own.out;

    RunOptions russian;
    russian.setEnv = {{"LC_ALL", "ru_RU.UTF-8"}};
    std::vector<std::string> random = base;
    for (const char* word : {"--winding", "random:0.55", "--wires", "metric"})
        random.push_back(word);
    const ProgramRun ru = RunProgram(VARNEL_CALC_PATH, random, russian);
    const ProgramRun c = Calc(random);
    ASSERT_EQ(c.exitCode, 0) << c.err;
    EXPECT_EQ(ru.exitCode, c.exitCode) << ru.err;
    // The designs alike; how many builds each other wire looked at depends on the threads.
    EXPECT_EQ(nlohmann::json::parse(ru.out)["designs"], nlohmann::json::parse(c.out)["designs"]);
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
