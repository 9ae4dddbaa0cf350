// SPDX-License-Identifier: GPL-3.0-or-later
// The surfaces added after the calculator, met with hostile input: `design` and its catalogues,
// the studies' ranges and pictures, and the exact check at the ends of the number range. Each
// test is a reproducer that once failed.
#include <signal.h>
#include <sys/resource.h>

#include <cfenv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "run_program.h"
#include "scratch_dir.h"
#include "study/csv_table.h"
#include "study/grid.h"
#include "study/table_study.h"

namespace {

using namespace varnel;

ProgramRun Calc(const std::vector<std::string>& args, const RunOptions& options = {}) {
    return RunProgram(VARNEL_CALC_PATH, args, options);
}

std::string Written(const std::string& name, const std::string& text) {
    const std::string path = ScratchPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// A catalogue of wires of one size (0.5 mm bare, 0.55 mm overall) under the names given, so
// that a search can use each of them alike.
std::string Catalogue(const std::string& name, const std::vector<std::string>& wires) {
    std::string text = "name,bare_mm,overall_grade1_mm\n";
    for (const std::string& w : wires)
        text += CsvField(w) + ",0.5,0.55\n";
    return Written(name, text);
}

// 10 mT from 12 V within 20 W: reachable with 0.5 mm wire.
std::vector<std::string> Design(const std::string& wires, std::vector<std::string> more = {},
                                const std::string& count = "3") {
    std::vector<std::string> args = {"design",      "--B0",      "0.01",    "--voltage", "12",
                                     "--max-power", "20",        "--wires", wires,       "--count",
                                     count,         "--threads", "1"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// --- design: the answer survives any bytes -------------------------------------------------

// A wire name or a path that is not UTF-8 is written with U+FFFD in its place; the answer
// stays a JSON object (it was "internal error: [json.exception.type_error.316]", nothing
// written).
TEST(DesignBytes, JsonReplacesBytesThatAreNotUtf8) {
    const ProgramRun found = Calc(Design(Catalogue("bytes.csv", {"\xff\xfe"}), {"--json"}));
    ASSERT_EQ(found.exitCode, 0) << found.err;
    const auto answer = nlohmann::json::parse(found.out);
    EXPECT_EQ(answer["designs"][0]["wire"], "\xEF\xBF\xBD\xEF\xBF\xBD");

    const ProgramRun missing = Calc(Design(ScratchPath("\xff.csv"), {"--json"}));
    EXPECT_EQ(missing.exitCode, 2);
    const auto error = nlohmann::json::parse(missing.out);
    EXPECT_NE(error["error"].get<std::string>().find("cannot read"), std::string::npos)
        << missing.out;
}

// Names that split a row or that a spreadsheet would run go through the one CSV writer and
// the studies' spreadsheet rule.
TEST(DesignBytes, CsvQuotesLineBreaksAndNeutralisesFormulas) {
    const std::vector<std::string> names = {"two\nlines", "=1+1", "@SUM(A1)"};
    const ProgramRun run = Calc(Design(Catalogue("formulas.csv", names), {"--csv"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<CsvRow> rows = ReadCsv(run.out);
    ASSERT_EQ(rows.size(), 4u) << run.out;
    std::size_t wireColumn = 0;
    while (wireColumn < rows[0].fields.size() && rows[0].fields[wireColumn] != "wire")
        ++wireColumn;
    ASSERT_LT(wireColumn, rows[0].fields.size());
    std::multiset<std::string> wires;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].fields.size(), rows[0].fields.size()) << run.out;
        wires.insert(rows[i].fields[wireColumn]);
    }
    EXPECT_EQ(wires, (std::multiset<std::string>{"two\nlines", "'=1+1", "'@SUM(A1)"}));
}

// An escape sequence in a catalogue's name is shown on a terminal, not obeyed.
TEST(DesignBytes, TerminalSeesEscapesShown) {
    RunOptions terminal;
    terminal.terminal = true;
    const ProgramRun run = Calc(Design(Catalogue("escape.csv", {"\x1b]0;pwned\x07"})), terminal);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(run.out.find('\x07'), std::string::npos);
    EXPECT_NE(run.out.find("\\x1B]0;pwned\\x07"), std::string::npos) << run.out;
}

// --- design: what it reads ------------------------------------------------------------------

// Each refused with status 2 and a sentence naming what is wrong, at once and without reading
// more than a catalogue's worth: /dev/zero read 856 MB in 15 s before.
TEST(DesignReading, CataloguesThatAreNotOneAreRefused) {
    const std::string longLine = Written(
        "long.csv", "name,bare_mm,overall_grade1_mm\n" + std::string(5000, 'w') + ",0.5,0.55\n");
    std::string big = "name,bare_mm,overall_grade1_mm\n";
    for (int i = 0; big.size() <= 4u * 1024 * 1024; ++i)
        big += "wire " + std::to_string(i) + ",0.5,0.55\n";
    const std::string large = Written("large.csv", big);
    const std::string twice = Written("twice.csv", "name,bare_mm,overall_grade1_mm,bare_mm\n");
    const std::string sameName =
        Written("same.csv", "name,bare_mm,overall_grade1_mm\nw,0.5,0.55\nx,0.6,0.66\nw,0.7,0.77\n");
    struct Case {
        std::vector<std::string> more;
        std::string says;
    };
    const std::vector<Case> cases = {
        {{"--wires", "/dev/zero"}, "/dev/zero: it is not a regular file"},
        {{"--wires", ScratchDir::Path()}, "it is a directory"},
        {{"--wires", longLine}, "long.csv:2: the line is longer than 4096 bytes"},
        {{"--wires", large}, "too large for a catalogue"},
        {{"--wires", twice}, "twice.csv:1: the column 'bare_mm' is given twice"},
        {{"--wires", sameName}, "same.csv:4: the wire 'w' is given twice (first on line 2)"},
        {{"--material", "cop"}, "no material 'cop'"},
        {{"--count", "1e3"}, "--count: '1e3' is not a whole number from 1 to 100"},
        {{"--count", "2.5"}, "--count: '2.5' is not a whole number from 1 to 100"},
    };
    // An unbounded read would run out of time, or of a GiB of address space. AddressSanitizer
    // reserves terabytes for its shadow and cannot start under such a limit: there, time alone.
    RunOptions bounded;
    bounded.limits = {{RLIMIT_CPU, 20}};
#if !defined(__SANITIZE_ADDRESS__)
    bounded.limits.push_back({RLIMIT_AS, 1024ul * 1024 * 1024});
#endif
    for (const Case& c : cases) {
        std::vector<std::string> args = {"design", "--B0", "0.01", "--voltage", "12"};
        args.insert(args.end(), c.more.begin(), c.more.end());
        const ProgramRun run = Calc(args, bounded);
        EXPECT_EQ(run.exitCode, 2) << c.says << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

// A cell holding a NUL byte is named whole in the message, not cut at the NUL.
TEST(DesignReading, MessagesKeepTheirBytesPastANul) {
    static constexpr char kText[] = "name,bare_mm,overall_grade1_mm\nw,0.5\0tail,0.55\n";
    static constexpr char kSays[] = "'0.5\0tail' is not a number";
    const std::string path = Written("nul.csv", std::string(kText, sizeof kText - 1));
    const ProgramRun run = Calc({"design", "--B0", "0.01", "--voltage", "12", "--wires", path});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(std::string(kSays, sizeof kSays - 1)), std::string::npos) << run.err;
}

// --count by the program's number rules; the whole word of a material; an empty value is
// refused by name, not filled with the next option ("Could not convert: --B0 = --voltage").
TEST(DesignReading, OptionsReadAsTheProgramReadsNumbersAndWords) {
    const std::string wires = Catalogue("plain.csv", {"a", "b", "c"});
    const ProgramRun run = Calc(Design(wires, {"--material", "copper", "--json"}, "1e2"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["designs"].size(), 3u);  // every wire, of 100 asked

    const ProgramRun empty = Calc({"design", "--B0=", "--voltage", "12"});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_NE(empty.err.find("--B0: the value after '=' is empty"), std::string::npos) << empty.err;
}

// Ctrl-C during `design --json` leaves a whole JSON object marked stopped, status 130.
TEST(DesignReading, InterruptedJsonIsStillAnObject) {
    RunOptions options;
    options.signal = SIGINT;
    options.signalAfterMs = 200;
    const ProgramRun run =
        Calc({"design", "--B0", "0.01", "--uniform", "0.001:0.005", "--voltage", "12",
              "--max-power", "20", "--wires", "awg", "--count", "5", "--threads", "1", "--json"},
             options);
    ASSERT_EQ(run.exitCode, 130) << run.err;
    const auto answer = nlohmann::json::parse(run.out);
    EXPECT_EQ(answer["stopped"], true);
    ASSERT_TRUE(answer["designs"].is_array());
    // What was found before the signal is written, and only designs that were checked: each
    // meets B0 within 1 %, the power and the uniformity asked.
    for (const auto& d : answer["designs"]) {
        EXPECT_LE(std::fabs(d["B0_exact"].get<double>() / 0.01 - 1), 0.01);
        EXPECT_LE(d["P_hot"].get<double>(), 20);
        EXPECT_LE(d["sphere_deviation"].get<double>(), 0.001);
    }
}

// --- studies: ranges ------------------------------------------------------------------------

// START + i (STOP - START) / (COUNT - 1) without overflow, STOP exactly at the end; the ends
// exactly as typed.
TEST(StudyRanges, PointsNeverOverflowAndEndsStayAsTyped) {
    struct Case {
        const char* range;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        // The middle of -1e4932 and 0 is -5e4931; the product 2 x 1e4932 would overflow.
        {"-1e4932:0:3", {"-1e4932", "-5e+4931", "0"}},
        {"0.010000000000000001:0.03:2", {"0.010000000000000001", "0.03"}},
        {" 1E-3 :2E-3:2", {"1E-3", "2E-3"}},
    };
    // Ends 2e-18 apart: the point between needs more than 15 digits to stay apart from them
    // (and here all 21, the extended value between them not being the nearest to 0.01...02).
    const std::vector<std::string> close =
        GridTexts(ParseGridRange("0.010000000000000001:0.010000000000000003:3", "--vary R1"));
    ASSERT_EQ(close.size(), 3u);
    EXPECT_EQ(close[1].substr(0, 22), "0.01000000000000000200") << close[1];
    for (const Case& c : cases) {
        const GridRange r = ParseGridRange(c.range, "--vary R1");
        EXPECT_EQ(GridTexts(r), c.texts) << c.range;
        EXPECT_EQ(r.At(r.count - 1), r.stop) << c.range;
        std::feclearexcept(FE_ALL_EXCEPT);
        for (int i = 0; i < r.count; ++i)
            EXPECT_TRUE(std::isfinite(r.At(i))) << c.range << " " << i;
        // No overflow raised on the way, for a calculation's fault check to find later.
        EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID), 0) << c.range;
    }
}

// A study's row is what the single calculation gives for the same text.
TEST(StudyRanges, RowsCalculateTheEndsAsTyped) {
    const ProgramRun sweep = Calc({"sweep", "--vary", "R2=0.010000000000000001:0.03:2"});
    const ProgramRun single = Calc({"--R2=0.010000000000000001"});
    ASSERT_EQ(single.exitCode, 1);
    const std::vector<CsvRow> rows = ReadCsv(sweep.out);
    ASSERT_EQ(rows.size(), 3u) << sweep.out;
    EXPECT_EQ(rows[1].fields.back() + "\n", single.err);
    EXPECT_EQ(rows[1].fields[1], "0.010000000000000001");

    const ProgramRun overflow = Calc({"sweep", "--vary", "R1=-1e4932:0:3"});
    EXPECT_EQ(overflow.out.find("inf"), std::string::npos) << overflow.out;
}

// Every row failing is status 1, as map and profile give; one row through is 0.
TEST(StudyRanges, StudiesWhereEveryRowFailsEndWithOne) {
    const std::string allFail = Written("fail.csv", "R1,R2\n0.02,0.01\n-1,0.02\n");
    const std::string oneGood = Written("good.csv", "R1,R2\n0.02,0.01\n0.01,0.02\n");
    const std::string malformed = Written("bad.csv", "R1,R2\n\"0.01,0.02\n");
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {
        {{"sweep", "--vary", "R1=-1e4932:0:3"}, 1},
        {{"sweep", "--json", "--vary", "R1=0.03:0.04:2"}, 1},
        {{"sweep", "--vary", "R1=0.01:0.03:3"}, 0},
        {{"batch", allFail}, 1},
        {{"batch", malformed}, 1},
        {{"batch", oneGood}, 0},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Calc(c.args);
        EXPECT_EQ(run.exitCode, c.status) << c.args.back() << ": " << run.err;
        EXPECT_FALSE(run.out.empty());
    }
}

// --- studies: pictures and messages ---------------------------------------------------------

// Extents beyond or below double range drew blank pictures with status 0.
TEST(StudyMessages, PicturesBeyondTheirRangeAreRefused) {
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const std::string png = ScratchPath("blank.png"), svg = ScratchPath("blank.svg");
    const std::vector<Case> cases = {
        {{"map", "--x", "0:1e400:3", "--z", "0:1e400:3", "--out", png}, "--x: a picture reaches"},
        {{"map", "--x", "0:0.01:3", "--z", "0:1e-4940:3", "--out", png},
         "--z: a picture's width is at least"},
        {{"profile", "--axis", "z", "--range", "0:1e-4940:3", "--out", svg},
         "--range: a picture's width"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Calc(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    EXPECT_FALSE(std::filesystem::exists(svg));
}

// Each message says what is so: not "is 0" for a source that is not, not "No such file" for a
// file that is there, no 309-digit bound, no "Could not convert", no "no header" for a folder.
TEST(StudyMessages, MessagesSayWhatIsSo) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string says, never;
    };
    const std::vector<Case> cases = {
        {{"uniform", "--source=1E-4950"}, 2, "too small for the program's numbers", "is 0"},
        {{"sweep", "--vary", "R1=0.01:0.02:2", "--out", "/proc/version"},
         3,
         "cannot be made beside it",
         "cannot create"},
        {{"map", "--sphere", "-1", "--x", "0:0.01:2", "--z", "0:0.01:2", "--out",
          ScratchPath("s.csv")},
         2,
         "--sphere: '-1' is not a radius of 0 or more",
         "179769"},
        {{"batch", ScratchDir::Path()}, 2, "it is a directory", "header"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Calc(c.args);
        EXPECT_EQ(run.exitCode, c.status) << c.says << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find(c.never), std::string::npos) << run.err;
        EXPECT_LT(run.err.size(), 300u) << run.err;
    }
}

// --- the exact check at the ends of the range -----------------------------------------------

std::map<std::string, nlohmann::json> CheckQuantities(const std::vector<std::string>& inputs) {
    std::vector<std::string> args = {"check", "--json"};
    args.insert(args.end(), inputs.begin(), inputs.end());
    const ProgramRun run = Calc(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::map<std::string, nlohmann::json> q;
    for (const auto& item : nlohmann::json::parse(run.out))
        q[item["quantity"]] = item;
    return q;
}

long double Exact(const std::map<std::string, nlohmann::json>& q, const std::string& name) {
    return std::stold(q.at(name).at("exact").get<std::string>());
}

// At the smallest x the program holds the field is that of the axis: Bx is x times a finite
// slope (0 at this x), |B| is Bz, the angle 0. It printed -nan for all three.
TEST(ExactCheck, TheSmallestXGivesTheAxisField) {
    const ProgramRun text = Calc({"check", "--x=3.6E-4951"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_EQ(text.out.find("nan"), std::string::npos) << text.out;
    const auto q = CheckQuantities({"--x=3.6E-4951"});
    const auto axis = CheckQuantities({});
    EXPECT_EQ(Exact(q, "Bxd at the point"), 0);
    EXPECT_EQ(Exact(q, "Bd at the point"), Exact(q, "Bzd at the point"));
    EXPECT_EQ(Exact(q, "angle at the point"), 0);
    EXPECT_NEAR(static_cast<double>(Exact(q, "Bzd at the point") / Exact(axis, "B0d")), 1, 1e-15);
}

// Coils 1e1000 m apart attract as two dipoles: M = mu0 m^2 / (2 pi s^3) with m = N pi (R1^2 +
// R1 R2 + R2^2) / 3 per ampere, so F = I^2 dM/ds = -3 mu0 m^2 I^2 / (2 pi s^4), about -2e-4008 N
// at the defaults (s = 1e1000: H is lost beside it). It was 0, with an error of 0.
TEST(ExactCheck, CoilsFarApartAttractAsDipoles) {
    const ProgramRun values = Calc({"--json", "--full", "--h=1e1000"});
    ASSERT_EQ(values.exitCode, 0) << values.err;
    const auto v = nlohmann::json::parse(values.out)["values"];
    const long double N = std::stold(v["N"].get<std::string>());
    const long double I = std::stold(v["Id"].get<std::string>());
    const long double pi = 3.141592653589793238462643383279502884L;
    const long double m = N * pi * (1e-4L + 2e-4L + 4e-4L) / 3;  // R1 = 0.01, R2 = 0.02
    const long double s = 1e1000L;
    const long double force = -3 * 4e-7L * pi * m * m * I * I / (2 * pi * s * s * s * s);
    const auto q = CheckQuantities({"--h=1e1000"});
    EXPECT_NEAR(static_cast<double>(Exact(q, "force between the coils") / force), 1, 1e-9);
}

// The field sums resolve tolerances down to 1e-10, where the extents still follow the
// quadratic law (a tolerance 100 times finer, an extent 10 times smaller); finer ones are
// refused, naming that smallest.
TEST(ExactCheck, UniformToleranceWithinWhatTheSumsResolve) {
    const ProgramRun fine = Calc({"uniform", "--tol", "1E-300"});
    EXPECT_EQ(fine.exitCode, 2);
    EXPECT_NE(fine.err.find("the smallest tolerance they resolve is 1e-10"), std::string::npos)
        << fine.err;
    auto extents = [](const std::string& tol) {
        const ProgramRun run = Calc({"uniform", "--json", "--tol", tol});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const auto j = nlohmann::json::parse(run.out);
        return std::pair{std::stold(j["axial"].get<std::string>()),
                         std::stold(j["radial"].get<std::string>())};
    };
    const auto coarse = extents("1e-8"), finest = extents("1e-10");
    EXPECT_NEAR(static_cast<double>(coarse.first / finest.first), 10, 0.1);
    EXPECT_NEAR(static_cast<double>(coarse.second / finest.second), 10, 0.1);
}

}  // namespace
