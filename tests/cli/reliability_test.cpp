// SPDX-License-Identifier: GPL-3.0-or-later
// varnel-calc met with faults and hostile input, at the command line: what it writes, the
// status it ends with and what it says. The statuses these tests hold it to:
//   0   results written
//   1   an input check failed, or no point of a study could be computed
//   2   a usage error, an input that is not a number, or failed arithmetic
//   3   an output could not be written (disk full, file too large, no such directory); a
//       script can retry this one, unlike 2
//   129, 130, 143  stopped by SIGHUP, SIGINT (Ctrl-C), SIGTERM: 128 + the signal, as a shell
//       reports a program the signal ended, with the whole rows written kept
//   141 a broken pipe (128 + SIGPIPE), without a message
// GCC 12 with the sanitizers warns falsely about std::regex's internal std::function being used
// uninitialised; the warning is of the library's code, not this file's.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "run_program.h"
#include "scratch_dir.h"

namespace {

constexpr int kExitCheckFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWriteFailed = 3;

ProgramRun Calc(const std::vector<std::string>& args, const RunOptions& options = {}) {
    return RunProgram(VARNEL_CALC_PATH, args, options);
}

// In the test program's own folder, removed with its files when the program ends.
std::string TempPath(const std::string& name) {
    return ScratchPath(name);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Every line of a CSV text has as many fields as its header, and the text ends a line.
void ExpectWholeRows(const std::string& csv) {
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv.back(), '\n');
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    const auto commas = std::count(line.begin(), line.end(), ',');
    while (std::getline(in, line))
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), commas) << line;
}

// The first field of each line after the header, unquoted.
std::vector<std::string> FirstFields(const std::string& csv) {
    std::vector<std::string> fields;
    std::istringstream in(csv);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::string field;
        if (!line.empty() && line[0] == '"') {
            for (std::size_t i = 1; i < line.size(); ++i) {
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (line[i] == '"') {
                    break;
                } else {
                    field += line[i];
                }
            }
        } else {
            field = line.substr(0, line.find(','));
        }
        fields.push_back(field);
    }
    return fields;
}

// About ten seconds of rows, so that a signal always meets a study in progress.
const std::vector<std::string> kLongSweep = {"sweep", "--vary", "R1=0.005:0.01:20000"};

// ---------------------------------------------------------------------------------------------
// Writes are checked: a failure names the path and the system's reason and ends non-zero.

TEST(Writes, FullDeviceIsAFailureNamingTheReason) {
    // Through --out the path is named; on standard output the reason is enough.
    const ProgramRun out = Calc({"sweep", "--vary", "R1=0.005:0.015:3", "--out", "/dev/full"});
    EXPECT_EQ(out.exitCode, kExitWriteFailed);
    EXPECT_NE(out.err.find("/dev/full"), std::string::npos) << out.err;
    EXPECT_NE(out.err.find("No space left on device"), std::string::npos) << out.err;

    RunOptions toFull;
    toFull.stdoutPath = "/dev/full";
    const std::vector<std::vector<std::string>> commands = {
        {},          {"--json"}, {"sweep", "--vary", "R1=0.005:0.015:3"},
        {"uniform"}, {"check"},  {"check", "--json"},
    };
    for (const auto& args : commands) {
        const ProgramRun run = Calc(args, toFull);
        EXPECT_EQ(run.exitCode, kExitWriteFailed) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
    }
}

TEST(Writes, BrokenPipeWithSigpipeIgnoredEndsQuietlyAndNonZero) {
    RunOptions options;
    options.closeStdout = true;
    options.ignoreSigpipe = true;
    const ProgramRun run = Calc({"sweep", "--vary", "R1=0.005:0.015:300"}, options);
    EXPECT_EQ(run.exitCode, 141);
    EXPECT_EQ(run.err, "");
}

// With SIGPIPE left to its default a broken pipe ends the program at once, without a word.
TEST(Writes, BrokenPipeEndsQuietly) {
    RunOptions options;
    options.closeStdout = true;
    const ProgramRun run = Calc({"sweep", "--vary", "R1=0.005:0.015:300"}, options);
    EXPECT_TRUE(run.termSignal == SIGPIPE || run.exitCode == 141)
        << run.exitCode << " " << run.termSignal;
    EXPECT_EQ(run.err, "");
}

// A file-size limit stops the file short (EFBIG once SIGXFSZ is ignored, as it must be).
TEST(Writes, FileSizeLimitIsAFailureNamingThePath) {
    const std::string path = TempPath("size_limit.csv");
    std::remove(path.c_str());
    RunOptions options;
    options.limits = {{RLIMIT_FSIZE, 2000}};
    const ProgramRun run = Calc({"sweep", "--vary", "R1=0.005:0.015:50", "--out", path}, options);
    EXPECT_EQ(run.termSignal, 0);
    EXPECT_EQ(run.exitCode, kExitWriteFailed);
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("File too large"), std::string::npos) << run.err;
}

// ---------------------------------------------------------------------------------------------
// An existing output file is never replaced by a partial one.

TEST(ExistingFile, KeptWhenTheNewOneCannotBeWhole) {
    const std::string path = TempPath("kept.csv");
    const std::string old = "the previous results\n";
    WriteFile(path, old);
    RunOptions sizeLimit;
    sizeLimit.limits = {{RLIMIT_FSIZE, 2000}};
    const ProgramRun cut = Calc({"sweep", "--vary", "R1=0.005:0.015:50", "--out", path}, sizeLimit);
    EXPECT_NE(cut.exitCode, 0);
    EXPECT_TRUE(ReadFile(path) == old);

    for (const int signal : {SIGINT, SIGTERM}) {
        WriteFile(path, old);
        RunOptions stop;
        stop.signal = signal;
        stop.signalAfterMs = 1500;
        std::vector<std::string> args = kLongSweep;
        args.insert(args.end(), {"--out", path});
        const ProgramRun run = Calc(args, stop);
        EXPECT_EQ(run.exitCode, 128 + signal);
        EXPECT_TRUE(ReadFile(path) == old) << signal;
    }
    std::remove(path.c_str());
}

// ---------------------------------------------------------------------------------------------
// Memory stays bounded: rows are streamed, and what cannot fit is refused with its size.

const std::regex kSizeMessage("[0-9][0-9.,]* ?(bytes|[KMGT]i?B|pixels|cells|points)");

TEST(Memory, OversizedPicturesAreRefusedWithTheirSize) {
    // Refused before any work: without the refusal the CPU limit ends the run.
    RunOptions options;
    options.limits = {{RLIMIT_CPU, 3}};
    const std::vector<std::vector<std::string>> requests = {
        {"map", "--x", "0:0.01:10000", "--z", "0:0.01:10000", "--out", TempPath("huge.png")},
        {"map", "--x", "0:0.01:5000", "--z", "0:0.01:5000", "--out", TempPath("huge.svg")},
    };
    for (const auto& args : requests) {
        const ProgramRun run = Calc(args, options);
        EXPECT_EQ(run.termSignal, 0) << args.back();
        EXPECT_EQ(run.exitCode, kExitUsage) << args.back();
        EXPECT_TRUE(std::regex_search(run.err, kSizeMessage)) << run.err;
        EXPECT_EQ(run.err.find("bad_alloc"), std::string::npos) << run.err;
    }
}

// 4,000,000 rows held at once need gigabytes; streamed, the first rows appear at once under a
// 256 MiB address-space limit, and Ctrl-C then ends the run as usual.
TEST(Memory, LargeSweepStreamsUnderAnAddressSpaceLimit) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space for its shadow: no "
                    "program built with it starts under an address-space limit";
#endif
    RunOptions options;
    options.limits = {{RLIMIT_AS, 256ull << 20}};
    options.signal = SIGINT;
    options.signalAfterBytes = 4000;
    const ProgramRun run = Calc(
        {"sweep", "--vary", "R1=0.005:0.015:4000", "--vary", "H=0.01:0.03:1000", "--threads", "2"},
        options);
    EXPECT_EQ(run.termSignal, 0);
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_GE(Lines(run.out), 2u);
    ExpectWholeRows(run.out);
    EXPECT_EQ(run.err.find("bad_alloc"), std::string::npos) << run.err;
}

// ---------------------------------------------------------------------------------------------
// Signals: SIGTERM and SIGHUP stop a study as Ctrl-C does.

TEST(Signals, TerminateAndHangUpKeepWholeRowsAndSaySo) {
    const std::regex said("[0-9]+ of 20000 written");
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        RunOptions options;
        options.signal = signal;
        options.signalAfterBytes = 1;
        const ProgramRun run = Calc(kLongSweep, options);
        EXPECT_EQ(run.termSignal, 0) << signal;
        EXPECT_EQ(run.exitCode, 128 + signal) << signal;
        EXPECT_TRUE(std::regex_search(run.err, said)) << signal << ": " << run.err;
        ExpectWholeRows(run.out);
    }
}

TEST(Signals, JsonIsClosedWhenTerminated) {
    std::vector<std::string> args = kLongSweep;
    args.push_back("--json");
    for (const int signal : {SIGTERM, SIGHUP}) {
        RunOptions options;
        options.signal = signal;
        options.signalAfterBytes = 1;
        const ProgramRun run = Calc(args, options);
        EXPECT_EQ(run.exitCode, 128 + signal);
        const auto json = nlohmann::json::parse(run.out, nullptr, false);
        ASSERT_FALSE(json.is_discarded()) << signal;
        EXPECT_TRUE(json.is_array());
        EXPECT_GT(json.size(), 0u);
    }
}

// ---------------------------------------------------------------------------------------------
// Fail early: map and profile find out that their output cannot be made before computing.

TEST(FailEarly, UnwritableOutputGivesOneMessage) {
    const std::string dir = "/nonexistent-varnel-dir/";
    const std::vector<std::vector<std::string>> requests = {
        {"map", "--x", "0:0.01:3", "--z", "0:0.01:3", "--out", dir + "m.svg"},
        {"map", "--x", "0:0.01:3", "--z", "0:0.01:3", "--out", dir + "m.png"},
        {"map", "--x", "0:0.01:3", "--z", "0:0.01:3", "--out", dir + "m.csv"},
        {"profile", "--axis", "z", "--range", "0:0.01:3", "--out", dir + "p.svg"},
        {"profile", "--axis", "z", "--range", "0:0.01:3", "--out", dir + "p.png"},
        {"sweep", "--vary", "R1=0.005:0.015:3", "--out", dir + "s.csv"},
    };
    for (const auto& args : requests) {
        const ProgramRun run = Calc(args);
        EXPECT_EQ(run.exitCode, kExitWriteFailed) << args.back();
        EXPECT_EQ(Lines(run.err), 1u) << run.err;
        EXPECT_NE(run.err.find(args.back()), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("No such file or directory"), std::string::npos) << run.err;
    }
}

// ---------------------------------------------------------------------------------------------
// Batch input.

// A malformed row among rows ended by CR alone spoils that row only, as with LF.
TEST(Batch, CarriageReturnEndsALine) {
    const std::vector<std::string> rows = {"R1,R2",      "0.01,0.02",  "0.011,\"x\"y",
                                           "0.011,0.02", "0.012,0.02", "0.013,0.02"};
    std::string cr, lf;
    for (const std::string& row : rows) {
        cr += row + "\r";
        lf += row + "\n";
    }
    WriteFile(TempPath("cr.csv"), cr);
    WriteFile(TempPath("lf.csv"), lf);
    const ProgramRun withCr = Calc({"batch", TempPath("cr.csv")});
    const ProgramRun withLf = Calc({"batch", TempPath("lf.csv")});
    EXPECT_EQ(Lines(withLf.out), rows.size());
    EXPECT_EQ(withCr.out, withLf.out);
    EXPECT_EQ(withCr.exitCode, withLf.exitCode);
}

TEST(Batch, DuplicatedColumnIsAnErrorNamingIt) {
    WriteFile(TempPath("dup.csv"), "R2,H,R2\n0.02,0.03,0.025\n");
    const ProgramRun run = Calc({"batch", TempPath("dup.csv")});
    EXPECT_EQ(run.exitCode, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("R2"), std::string::npos) << run.err;
}

TEST(Batch, DashReadsStandardInput) {
    const std::string csv = "R1,H\n0.01,0.03\n0.012,0.025\n";
    WriteFile(TempPath("stdin.csv"), csv);
    RunOptions options;
    options.feedStdin = true;
    options.stdinText = csv;
    const ProgramRun fromStdin = Calc({"batch", "-"}, options);
    const ProgramRun fromFile = Calc({"batch", TempPath("stdin.csv")});
    EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.err;
    EXPECT_EQ(Lines(fromStdin.out), 3u);
    EXPECT_EQ(fromStdin.out, fromFile.out);
}

// ---------------------------------------------------------------------------------------------
// Ranges.

TEST(Ranges, EqualStartAndStopWithSeveralPointsIsRefused) {
    const std::vector<std::vector<std::string>> requests = {
        {"sweep", "--vary", "R1=0.005:0.005:3"},
        {"map", "--x", "0:0:3", "--z", "0:0.01:2", "--out", TempPath("flat.csv")},
        {"map", "--x", "0:0.01:3", "--z", "0.01:0.01:2", "--out", TempPath("flat.png")},
        {"profile", "--axis", "z", "--range", "0.01:0.01:3", "--out", TempPath("flat.svg")},
    };
    for (const auto& args : requests) {
        const ProgramRun run = Calc(args);
        EXPECT_EQ(run.exitCode, kExitUsage) << ::testing::PrintToString(args);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err, "");
    }
    // One point where START = STOP is a range of one value.
    EXPECT_EQ(Calc({"sweep", "--vary", "R1=0.005:0.005:1"}).exitCode, 0);
}

TEST(Ranges, OverflowingWidthNeverGivesNan) {
    const ProgramRun run = Calc({"sweep", "--vary", "R1=-1e4932:1e4932:3"});
    EXPECT_TRUE(run.exitCode == kExitUsage || run.exitCode == kExitCheckFailed) << run.exitCode;
    std::string lower = run.out + run.err;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    EXPECT_EQ(lower.find("nan"), std::string::npos) << run.out;
    EXPECT_EQ(lower.find("inf"), std::string::npos) << run.out;
}

TEST(Ranges, SameInputTwiceInVaryIsRefused) {
    const ProgramRun run =
        Calc({"sweep", "--vary", "R1=0.01:0.02:2", "--vary", "R1=0.012:0.018:2"});
    EXPECT_EQ(run.exitCode, kExitUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("R1"), std::string::npos) << run.err;
}

// ---------------------------------------------------------------------------------------------
// Exit codes and messages.

TEST(ExitCodes, EveryUsageErrorExitsTwo) {
    const std::vector<std::vector<std::string>> requests = {
        {"--bogus"},
        {"--R1"},
        {"sweep"},
        {"sweep", "--vary", "R1=0.01:0.02:2", "--threads", "0"},
        {"map", "--x", "0:0.01:2"},
        {"profile", "--axis", "y", "--range", "0:0.01:2", "--out", TempPath("p.csv")},
        {"uniform", "--tol", "0"},
        {"uniform", "--tol", "x"},
        {"frobnicate"},
    };
    for (const auto& args : requests) {
        const ProgramRun run = Calc(args);
        EXPECT_EQ(run.exitCode, kExitUsage) << ::testing::PrintToString(args);
        EXPECT_NE(run.err, "");
    }
}

TEST(ExitCodes, HelpListsEveryStatus) {
    const ProgramRun run = Calc({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const std::string status : {"0 ", "1 ", "2 ", "3 ", "129", "130", "141", "143"})
        EXPECT_NE(run.out.find(status), std::string::npos) << status;
}

TEST(ExitCodes, JsonFailuresPrintAJsonError) {
    const std::vector<std::vector<std::string>> requests = {
        {"--json", "--bogus"},
        {"sweep", "--json", "--vary", "R1=0.01:0.02"},
        {"sweep", "--json", "--vary", "R9=0.01:0.02:2"},
        {"check", "--json", "--R1=1E5000"},
        {"uniform", "--json", "--tol", "nan"},
    };
    for (const auto& args : requests) {
        const ProgramRun run = Calc(args);
        EXPECT_EQ(run.exitCode, kExitUsage) << ::testing::PrintToString(args);
        const auto json = nlohmann::json::parse(run.out, nullptr, false);
        ASSERT_TRUE(json.is_object()) << run.out;
        ASSERT_TRUE(json.contains("error")) << run.out;
        EXPECT_FALSE(json["error"].get<std::string>().empty());
    }
}

// x < 0 fails the input check at every point.
TEST(ExitCodes, StudyWhereEveryPointFailsIsNotASuccess) {
    const std::vector<std::vector<std::string>> requests = {
        {"profile", "--axis", "x", "--range=-0.02:-0.01:3", "--out", TempPath("fail.csv")},
        {"map", "--x=-0.02:-0.01:2", "--z", "0:0.01:2", "--out", TempPath("fail.csv")},
        {"map", "--x=-0.02:-0.01:2", "--z", "0:0.01:2", "--out", TempPath("fail.svg")},
    };
    for (const auto& args : requests)
        EXPECT_EQ(Calc(args).exitCode, kExitCheckFailed) << args.back();
}

TEST(ExitCodes, ToleranceAndSupplyMessagesSayWhatIsWrong) {
    const ProgramRun notANumber = Calc({"uniform", "--tol", "nan"});
    EXPECT_EQ(notANumber.exitCode, kExitUsage);
    EXPECT_NE(notANumber.err.find("--tol"), std::string::npos) << notANumber.err;
    EXPECT_EQ(notANumber.err.find("Invalid floating point operation"), std::string::npos);

    // Limits in plain words, not a 309-digit number.
    const ProgramRun zero = Calc({"uniform", "--tol", "0"});
    EXPECT_EQ(zero.exitCode, kExitUsage);
    EXPECT_NE(zero.err.find("--tol"), std::string::npos) << zero.err;
    EXPECT_FALSE(std::regex_search(zero.err, std::regex("[0-9]{20}"))) << zero.err;

    // Without a supply the field is zero everywhere and no region can be measured against it.
    const ProgramRun noSupply = Calc({"uniform", "--source", "0"});
    EXPECT_NE(noSupply.exitCode, 0);
    EXPECT_NE(noSupply.err.find("source"), std::string::npos) << noSupply.err;
    EXPECT_EQ(noSupply.err.find("Invalid floating point operation"), std::string::npos);
}

TEST(ExitCodes, FullWritesEachColumnOnce) {
    WriteFile(TempPath("full.csv"), "R1\n0.01\n");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"sweep", "--full", "--vary", "R1=0.01:0.02:2"},
                                               {"batch", "--full", TempPath("full.csv")}}) {
        const ProgramRun run = Calc(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string header = run.out.substr(0, run.out.find('\n'));
        std::vector<std::string> names;
        std::istringstream in(header);
        for (std::string name; std::getline(in, name, ',');)
            names.push_back(name);
        std::sort(names.begin(), names.end());
        const auto twice = std::adjacent_find(names.begin(), names.end());
        EXPECT_TRUE(twice == names.end()) << *twice << " twice in " << header;
    }
}

// --full widens the JSON and the study tables; the text of one calculation has no place for it.
TEST(ExitCodes, FullWhereItMeansNothingIsRefused) {
    const ProgramRun run = Calc({"--full"});
    EXPECT_EQ(run.exitCode, kExitUsage);
    EXPECT_NE(run.err.find("--full"), std::string::npos) << run.err;
}

TEST(ExitCodes, NoRuntimeDirectoryWarning) {
    RunOptions options;
    options.unsetEnv = {"XDG_RUNTIME_DIR"};
    const ProgramRun run =
        Calc({"map", "--x", "0:0.01:3", "--z", "0:0.01:3", "--out", TempPath("xdg.png")}, options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
}

// ---------------------------------------------------------------------------------------------
// CSV for spreadsheets: echoed texts a spreadsheet would run are neutralised, numbers are not.

TEST(Csv, FormulaTextsAreNeutralised) {
    const std::vector<std::string> texts = {"=1+1", "@SUM(A1)", "+cmd", "-cmd", "-1", "1E-3"};
    std::string csv = "R1\n";
    for (const std::string& t : texts)
        csv += t + "\n";
    WriteFile(TempPath("formula.csv"), csv);
    const ProgramRun run = Calc({"batch", TempPath("formula.csv")});
    const std::vector<std::string> cells = FirstFields(run.out);
    ASSERT_EQ(cells.size(), texts.size()) << run.out;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& cell = cells[i];
        const bool number = texts[i] == "-1" || texts[i] == "1E-3";
        if (number) {
            EXPECT_EQ(cell, texts[i]);
        } else {
            EXPECT_NE(cell.find(texts[i]), std::string::npos) << cell;
            EXPECT_EQ(std::string("=+@-").find(cell.front()), std::string::npos) << cell;
        }
    }
}

// On a terminal, an escape sequence in an echoed text is shown, not obeyed.
TEST(Terminal, ControlCharactersAreEscaped) {
    WriteFile(TempPath("escape.csv"), "R1\n\x1b]0;owned\x07\x1b[31mred\n");
    RunOptions options;
    options.terminal = true;
    const ProgramRun run = Calc({"batch", TempPath("escape.csv")}, options);
    // Failures print the output with its control characters made visible, not obeyed.
    std::string shown;
    for (const char c : run.out)
        shown += (c == '\x1b' || c == '\x07') ? std::string("<ctl>") : std::string(1, c);
    EXPECT_NE(run.out.find("R1"), std::string::npos) << shown;
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << shown;
    EXPECT_EQ(run.out.find('\x07'), std::string::npos) << shown;
}

// ---------------------------------------------------------------------------------------------
// check is honest far from its comfort zone.

// Coils a thousand kilometres apart act as two dipoles: M = mu0 m^2 / (2 pi s^3)
// with m = N pi (R1^2 + R1 R2 + R2^2) / 3 per ampere and s = H + h between the centres, and
// they attract. The error estimate printed is the one reached, far below the value.
TEST(Check, FarApartCoilsGiveTheDipoleMutualInductance) {
    const ProgramRun values = Calc({"--json", "--full", "--h=1e6"});
    ASSERT_EQ(values.exitCode, 0) << values.err;
    const long double N =
        ReadNumber(nlohmann::json::parse(values.out)["values"]["N"].get<std::string>());
    const long double pi = 3.141592653589793238462643383279502884L;
    const long double m = N * pi * (1e-4L + 2e-4L + 4e-4L) / 3;  // R1 = 0.01, R2 = 0.02
    const long double s = 0.03L + 1e6L;
    const long double dipole = 4e-7L * pi * m * m / (2 * pi * s * s * s);

    const ProgramRun run = Calc({"check", "--json", "--h=1e6"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::map<std::string, nlohmann::json> q;
    for (const auto& item : nlohmann::json::parse(run.out))
        q[item["quantity"]] = item;
    auto number = [&](const std::string& quantity, const std::string& field) {
        return ReadNumber(q.at(quantity).at(field).get<std::string>());
    };
    const long double mutual = number("mutual inductance", "exact");
    EXPECT_NEAR(static_cast<double>(mutual / dipole), 1, 1e-9);
    EXPECT_LT(number("mutual inductance", "estimated_error"), 1e-9L * mutual);
    const long double force = number("force between the coils", "exact");
    EXPECT_LT(force, 0);
    EXPECT_LT(number("force between the coils", "estimated_error"), -1e-9L * force);

    const ProgramRun text = Calc({"check", "--h=1e6"});
    EXPECT_EQ(text.out.find("below 1e-9"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("est. error"), std::string::npos) << text.out;
}

}  // namespace
