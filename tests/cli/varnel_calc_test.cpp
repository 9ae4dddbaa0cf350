// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "run_program.h"

namespace {

ProgramRun Calc(const std::vector<std::string>& args) {
    return RunProgram(VARNEL_CALC_PATH, args);
}

TEST(VarnelCalc, DefaultsPrintTheSixteenResultsWithTheirCaptions) {
    const ProgramRun run = Calc({});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Число витков одного соленоида N: 229.2\n"), std::string::npos);
    EXPECT_NE(run.out.find("Индуктивность системы L, Гн: 0.001778\n"), std::string::npos);
    EXPECT_NE(run.out.find("Общая масса провода m, кг: 0.2952\n"), std::string::npos);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 16);
}

TEST(VarnelCalc, JsonCarriesStatusResultsAndFullValues) {
    const ProgramRun run = Calc({"--json", "--full", "--f", "50", "--x=0.015", "--z=0.02"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["status"], "Готов ...");
    EXPECT_EQ(json["results"].size(), 16u);
    EXPECT_EQ(json["results"]["eK0"], "0.005683");
    EXPECT_EQ(json["results"]["eFi0"], "3.539");
    EXPECT_EQ(json["values"].size(), 24u);
    // Every digit of the extended value: 229.183121961771863... has more than 17 digits.
    const std::string turns = json["values"]["N"];
    EXPECT_EQ(turns.substr(0, 12), "229.18312196");
    EXPECT_GE(turns.size(), 20u);
}

TEST(VarnelCalc, CurrentSourceShowsTheVoltageCaption) {
    const ProgramRun run = Calc({"--current", "--source", "2"});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Действующее напряжение Ud, В: 1.837\n"), std::string::npos);
}

TEST(VarnelCalc, TextsPassThroughUntouched) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    };
    const std::vector<Case> cases = {
        {{"--R1="}, 2, "'' is not a valid floating point value.\n"},
        {{"--R1=  1 0\t"}, 2, "'1 0' is not a valid floating point value.\n"},
        {{"--z=-0.01"}, 0, ""},
        {{"--R1=-1"}, 1, "Введите R1 > 0\n"},
        {{"--h", "0"}, 1, "Введите h > 0\n"},
        {{"--H=--5"}, 2, "'--5' is not a valid floating point value.\n"},
        {{"--Roe=1E4931"}, 2, "Floating point overflow.\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Calc(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
        EXPECT_EQ(run.err, c.err) << c.args[0];
    }
}

TEST(VarnelCalc, JsonReportsChecksAndErrors) {
    const ProgramRun failed = Calc({"--json", "--Lambda", "1"});
    EXPECT_EQ(failed.exitCode, 1);
    const auto status = nlohmann::json::parse(failed.out);
    EXPECT_EQ(status["status"], "Введите Lambda < 1");
    EXPECT_TRUE(status["results"].empty());

    const ProgramRun error = Calc({"--json", "--x=1E2000"});
    EXPECT_EQ(error.exitCode, 2);
    EXPECT_EQ(nlohmann::json::parse(error.out)["error"], "Floating point overflow.");
}

TEST(VarnelCalc, UnknownOptionIsAUsageError) {
    const ProgramRun run = Calc({"--R3", "1"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err, "");
}

TEST(VarnelCalc, VersionNamesTheLicence) {
    const ProgramRun run = Calc({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("varnel-calc ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("GPL-3.0-or-later"), std::string::npos) << run.out;
}

}  // namespace
