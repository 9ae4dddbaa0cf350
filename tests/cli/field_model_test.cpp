// SPDX-License-Identifier: GPL-3.0-or-later
// map, profile and uniform by either field model: exact unless told, recorded in the CSV and
// the JSON, the exact one agreeing with the accuracy library's integrals and the classic one
// with the calculator; the two apart by the sums' sampling error.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "accuracy/exact_coils.h"
#include "run_program.h"

namespace {

class Scratch {
  public:
    Scratch() {
        char name[] = "/tmp/varnel-model-XXXXXX";
        if (mkdtemp(name) != nullptr)
            dir_ = name;
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  private:
    std::string dir_;
};

// The rows of a CSV file without quoted fields, by the header's names.
std::vector<std::map<std::string, std::string>> Rows(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> header;
    std::vector<std::map<std::string, std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::stringstream s(line);
        for (std::string cell; std::getline(s, cell, ',');)
            cells.push_back(cell);
        if (line.back() == ',')
            cells.emplace_back();
        if (header.empty()) {
            header = cells;
            continue;
        }
        std::map<std::string, std::string> row;
        for (std::size_t i = 0; i < header.size() && i < cells.size(); ++i)
            row[header[i]] = cells[i];
        rows.push_back(row);
    }
    return rows;
}

ProgramRun Calc(const std::vector<std::string>& args) {
    return RunProgram(VARNEL_CALC_PATH, args);
}

// A pair away from the defaults, fed by a current source of 2.5 A.
const std::vector<std::string> kPair = {"--R1", "0.012", "--R2",      "0.027",    "--H", "0.021",
                                        "--h",  "0.008", "--current", "--source", "2.5"};

std::vector<std::string> With(std::vector<std::string> args) {
    args.insert(args.end(), kPair.begin(), kPair.end());
    return args;
}

TEST(FieldModel, ExactUnlessToldAndAgreesWithTheIntegrals) {
    const Scratch scratch;
    const std::string path = scratch.Path("map.csv");
    ASSERT_EQ(Calc(With({"map", "--x", "0:0.03:4", "--z", "-0.01:0.02:4", "--out", path})).exitCode,
              0);
    const auto rows = Rows(path);
    ASSERT_EQ(rows.size(), 16u);
    // N for this pair: H (R2 - R1) Lambda / (pi/4 D^2) with the defaults D = 0.001, Lambda 0.6.
    const long double N = 0.021L * 0.015L * 0.6L / (3.1415926L / 4 * 0.001L * 0.001L);
    for (const auto& row : rows) {
        EXPECT_EQ(row.at("model"), "exact");
        const long double x = std::stold(row.at("x")), z = std::stold(row.at("z"));
        const auto ref = varnel::exact::PairField(0.012L, 0.027L, 0.021L, 0.008L, N, x, z, 2.5L);
        const long double modulus = std::hypot(ref.radial.value, ref.axial.value);
        EXPECT_NEAR(std::stod(row.at("Bx")) / modulus, ref.radial.value / modulus, 1e-9)
            << row.at("x") << ", " << row.at("z");
        EXPECT_NEAR(std::stod(row.at("Bz")) / modulus, ref.axial.value / modulus, 1e-9)
            << row.at("x") << ", " << row.at("z");
    }
}

TEST(FieldModel, ClassicIsTheCalculatorsAndRecordedSo) {
    const Scratch scratch;
    const std::string path = scratch.Path("profile.csv");
    ASSERT_EQ(Calc(With({"profile", "--axis", "x", "--range", "0.005:0.015:2", "--at", "0.013",
                         "--model", "classic", "--out", path}))
                  .exitCode,
              0);
    const auto rows = Rows(path);
    ASSERT_EQ(rows.size(), 2u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.at("model"), "classic");
        const ProgramRun single =
            Calc(With({"--json", "--full", "--x=" + row.at("x"), "--z=" + row.at("z")}));
        const auto field = nlohmann::json::parse(single.out)["field"];
        EXPECT_EQ(row.at("Bx"), field["Bxd"]);
        EXPECT_EQ(row.at("Bz"), field["Bzd"]);
    }
}

// The long pair of README's table: the classic sum's 25 layers put B0d 4.0 % low; uniform
// reports each model's own B0d, and says which.
TEST(FieldModel, UniformNamesItsModelAndTheLongPairShowsTheSamplingError) {
    const std::vector<std::string> longPair = {"uniform", "--json", "--tol", "0.01",
                                               "--R1",    "0.01",   "--R2",  "0.012",
                                               "--H",     "0.2",    "--h",   "0.02"};
    auto run = [&](const char* model) {
        std::vector<std::string> args = longPair;
        if (model != nullptr)
            args.insert(args.end(), {"--model", model});
        const ProgramRun r = Calc(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return nlohmann::json::parse(r.out);
    };
    const auto exactJson = run(nullptr), classicJson = run("classic");
    EXPECT_EQ(exactJson["model"], "exact");
    EXPECT_EQ(classicJson["model"], "classic");
    const double exactB0 = std::stod(exactJson["B0d"].get<std::string>());
    const double classicB0 = std::stod(classicJson["B0d"].get<std::string>());
    EXPECT_NEAR(classicB0 / exactB0 - 1, -0.040, 0.0005);
    EXPECT_EQ(Calc({"uniform", "--model", "fast"}).exitCode, 2);
}

}  // namespace
