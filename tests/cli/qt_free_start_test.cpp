// SPDX-License-Identifier: GPL-3.0-or-later
// varnel-calc loads Qt only to draw a picture: the dynamic loader's own record of the libraries
// it loads (LD_DEBUG=libs, on stderr) names no libQt for a calculation or a study, and does
// name it for the picture writer a map picture runs.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run_program.h"

namespace {

ProgramRun CalcWithLoaderLog(const std::vector<std::string>& args) {
    RunOptions options;
    options.setEnv = {{"LD_DEBUG", "libs"}, {"QT_QPA_PLATFORM", "offscreen"}};
    return RunProgram(VARNEL_CALC_PATH, args, options);
}

bool LoadsQt(const ProgramRun& run) {
    return run.err.find("libQt") != std::string::npos;
}

// A private folder for the outputs, removed with what is in it however the test ends.
class Scratch {
  public:
    Scratch() {
        char name[] = "/tmp/varnel-qt-free-XXXXXX";
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
    bool Made() const { return !dir_.empty(); }

  private:
    std::string dir_;
};

TEST(QtFreeStart, CalculationsAndStudiesLoadNoQtLibrary) {
    const Scratch scratch;
    ASSERT_TRUE(scratch.Made());
    const std::vector<std::vector<std::string>> commands = {
        {},
        {"--json", "--f", "50", "--x=0.015", "--z=0.02"},
        {"sweep", "--vary", "R1=0.005:0.015:3"},
        {"profile", "--axis", "x", "--range", "0:0.01:3", "--out", scratch.Path("p.csv")},
        {"map", "--x", "0:0.01:2", "--z", "0:0.01:2", "--out", scratch.Path("m.csv")},
        {"uniform", "--tol", "0.01"},
        {"check", "--H", "0.02"},
    };
    for (const auto& args : commands) {
        const ProgramRun run = CalcWithLoaderLog(args);
        EXPECT_EQ(run.exitCode, 0) << (args.empty() ? "" : args[0]);
        // The loader does log: a run that logged nothing would prove nothing.
        EXPECT_NE(run.err.find("find library="), std::string::npos);
        EXPECT_FALSE(LoadsQt(run)) << (args.empty() ? "(calculation)" : args[0]);
    }
}

TEST(QtFreeStart, APictureIsDrawnByAChildThatLoadsQt) {
    const Scratch scratch;
    ASSERT_TRUE(scratch.Made());
    const std::string png = scratch.Path("map.png");
    const ProgramRun run =
        CalcWithLoaderLog({"map", "--x", "0:0.02:5", "--z", "-0.02:0.02:5", "--out", png});
    std::FILE* file = std::fopen(png.c_str(), "rb");
    unsigned char head[8] = {};
    const std::size_t got = file != nullptr ? std::fread(head, 1, sizeof head, file) : 0;
    if (file != nullptr)
        std::fclose(file);
    EXPECT_EQ(run.exitCode, 0) << run.err.substr(run.err.size() > 2000 ? run.err.size() - 2000 : 0);
    EXPECT_TRUE(LoadsQt(run));  // the writer's loads are logged to the same stderr
    ASSERT_EQ(got, sizeof head);
    EXPECT_EQ(head[1], 'P');  // \x89PNG
    EXPECT_EQ(head[2], 'N');
    EXPECT_EQ(head[3], 'G');
}

}  // namespace
