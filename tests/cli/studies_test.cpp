// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "run_program.h"
#include "scratch_dir.h"
#include "study/csv_table.h"

namespace {

using varnel::CsvRow;

ProgramRun Calc(const std::vector<std::string>& args) {
    return RunProgram(VARNEL_CALC_PATH, args);
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

// Rows of a CSV as column name -> field maps.
std::vector<std::map<std::string, std::string>> Table(const std::string& csv) {
    const std::vector<CsvRow> rows = varnel::ReadCsv(csv);
    std::vector<std::map<std::string, std::string>> table;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        std::map<std::string, std::string> row;
        for (std::size_t c = 0; c < rows[0].fields.size(); ++c) {
            row[rows[0].fields[c]] = rows[r].fields.at(c);
        }
        table.push_back(row);
    }
    return table;
}

TEST(Studies, BadRequestsExitWithTwoAndSayWhy) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const std::vector<Case> cases = {
        {{"sweep", "--vary", "R1=0:1:0"}, "the count must be 1 to 1000000"},
        {{"sweep", "--vary", "R1=1:0:3"}, "STOP is below START"},
        {{"sweep", "--vary", "Q=0:1:3"}, "there is no input named 'Q'"},
        {{"sweep", "--vary", "R1:0:1:3"}, "is not NAME=START:STOP:COUNT"},
        {{"map", "--x", "0:0.03", "--z", "0:1:2", "--out", TempPath("m.csv")}, "START:STOP:COUNT"},
        {{"map", "--x", "0:0.03:2", "--z", "0:1:2", "--out", TempPath("m.txt")},
         ".csv, .png or .svg"},
        {{"profile", "--axis", "z", "--range", "1:0:5", "--out", TempPath("p.csv")},
         "STOP is below START"},
        {{"batch", TempPath("missing.csv")}, "cannot read"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = Calc(c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args[1];
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
}

TEST(Studies, SweepMixesResultsChecksAndErrorsAndGoesOn) {
    // R1 = 0 fails a check, 0.02 equals R2 and fails another; D = 1E-1300 is a division by zero.
    const ProgramRun run = Calc({"sweep", "--vary", "R1=0:0.02:3", "--D", "0.001"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto table = Table(run.out);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].at("status"), "Введите R1 > 0");
    EXPECT_EQ(table[0].at("eN"), "");
    EXPECT_EQ(table[1].at("R1"), "0.01");
    EXPECT_EQ(table[1].at("eN"), "229.2");
    EXPECT_EQ(table[1].at("status"), "Готов ...");
    EXPECT_EQ(table[2].at("status"), "Введите R2 > R1");

    // Every row faults here: the table is still written whole, and the status says no row
    // could be calculated.
    const ProgramRun faults = Calc({"sweep", "--vary", "f=0:1:2", "--D", "1E-1300"});
    ASSERT_EQ(faults.exitCode, 1);
    const auto faultTable = Table(faults.out);
    ASSERT_EQ(faultTable.size(), 2u);
    EXPECT_EQ(faultTable[1].at("status"), "Floating point division by zero.");
}

TEST(Studies, BatchRowsWithChecksConversionErrorsAndMalformedLines) {
    const std::string path = TempPath("batch.csv");
    std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF"
                                             "R1,source,current,z\r\n"
                                          << "0.01,2,1,0\r\n"
                                          << "abc,1,0,0\r\n"
                                          << "0.01,1,0,0,surplus\r\n"
                                          << "0,1,0,0\r\n"
                                          << "\"0.01\",\"1\",0,\"-0.01\"\r\n";
    const ProgramRun run = Calc({"batch", path});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto table = Table(run.out);
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0].at("eSource2"), "1.837");  // a 2 A current source
    EXPECT_EQ(table[0].at("current"), "1");
    EXPECT_EQ(table[1].at("status"), "'abc' is not a valid floating point value.");
    EXPECT_EQ(table[2].at("status"), "line 4: 5 fields where the header has 4");
    EXPECT_EQ(table[3].at("status"), "Введите R1 > 0");
    EXPECT_EQ(table[4].at("status"), "Готов ...");
    EXPECT_EQ(table[4].at("z"), "-0.01");

    const ProgramRun json = Calc({"batch", path, "--json"});
    const auto array = nlohmann::json::parse(json.out);
    ASSERT_EQ(array.size(), 5u);
    EXPECT_EQ(array[0]["results"]["eN"], "229.2");
    EXPECT_EQ(array[1]["error"], "'abc' is not a valid floating point value.");
    EXPECT_EQ(array[3]["status"], "Введите R1 > 0");
}

// A map point of the classic model, computed on two threads, has the very numbers of a single
// calculation there.
TEST(Studies, MapPointsAreBitIdenticalToSingleCalculationsOnAnyThreads) {
    const std::string one = TempPath("map1.csv"), two = TempPath("map2.csv");
    ASSERT_EQ(Calc({"map", "--x", "0:0.03:4", "--z", "-0.02:0.02:5", "--out", one, "--threads", "1",
                    "--model", "classic"})
                  .exitCode,
              0);
    ASSERT_EQ(Calc({"map", "--x", "0:0.03:4", "--z", "-0.02:0.02:5", "--out", two, "--threads", "2",
                    "--model", "classic"})
                  .exitCode,
              0);
    EXPECT_EQ(ReadFile(one), ReadFile(two));
    const auto table = Table(ReadFile(two));
    ASSERT_EQ(table.size(), 20u);
    for (const auto& row : {table[7], table[13], table[19]}) {
        const ProgramRun single =
            Calc({"--json", "--full", "--x=" + row.at("x"), "--z=" + row.at("z")});
        const auto field = nlohmann::json::parse(single.out)["field"];
        EXPECT_EQ(row.at("Bx"), field["Bxd"]) << row.at("x") << ", " << row.at("z");
        EXPECT_EQ(row.at("Bz"), field["Bzd"]);
        EXPECT_EQ(row.at("B"), field["Bd"]);
        EXPECT_EQ(row.at("angle"), field["Fi0"]);
    }
}

TEST(Studies, MapIsSymmetricAboutTheMidPlane) {
    const std::string path = TempPath("sym.csv");
    ASSERT_EQ(Calc({"map", "--x", "0.005:0.025:3", "--z", "-0.03:0.03:7", "--out", path}).exitCode,
              0);
    const auto table = Table(ReadFile(path));
    ASSERT_EQ(table.size(), 21u);
    for (std::size_t ix = 0; ix < 3; ++ix) {
        for (std::size_t iz = 0; iz < 7; ++iz) {
            const auto& up = table[ix * 7 + iz];
            const auto& down = table[ix * 7 + (6 - iz)];
            const double bzUp = ReadNumber(up.at("Bz")), bzDown = ReadNumber(down.at("Bz"));
            const double bxUp = ReadNumber(up.at("Bx")), bxDown = ReadNumber(down.at("Bx"));
            EXPECT_NEAR(bzUp, bzDown, 1e-15 * std::fabs(bzUp)) << "axial even";
            EXPECT_NEAR(bxUp, -bxDown, 1e-12 * std::fabs(bzUp)) << "radial odd";
        }
    }
}

// Ctrl-C stops a long sweep cleanly: the rows written so far stay, in order and whole.
TEST(Studies, InterruptKeepsTheRowsWritten) {
    const ProgramRun run =
        RunProgram(VARNEL_CALC_PATH, {"sweep", "--vary", "R1=0.005:0.01:20000"}, 1500);
    EXPECT_EQ(run.exitCode, 130);
    EXPECT_NE(run.err.find("Interrupted: "), std::string::npos) << run.err;
    const auto table = Table(run.out);
    EXPECT_GT(table.size(), 0u);
    EXPECT_LT(table.size(), 20000u);
    for (const auto& row : table)
        EXPECT_EQ(row.at("status"), "Готов ...");
    EXPECT_EQ(run.out.back(), '\n');
}

TEST(Studies, PicturesAreWrittenAsPngAndSvg) {
    for (const std::string name : {"map.png", "map.svg"}) {
        const std::string path = TempPath(name);
        ASSERT_EQ(Calc({"map", "--x", "0:0.03:7", "--z", "-0.04:0.04:9", "--out", path}).exitCode,
                  0);
        const std::string data = ReadFile(path);
        if (name.ends_with(".png")) {
            EXPECT_EQ(data.substr(1, 3), "PNG");
        } else {
            EXPECT_NE(data.find("<svg"), std::string::npos);
        }
    }
    const std::string plot = TempPath("profile.png");
    ASSERT_EQ(Calc({"profile", "--axis", "z", "--range", "-0.05:0.05:21", "--out", plot}).exitCode,
              0);
    EXPECT_EQ(ReadFile(plot).substr(1, 3), "PNG");
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The numbers of an SVG attribute's text ("M90,456.2 L91.24,456.3", "233.235"), in order.
std::vector<double> SvgNumbers(std::string_view text) {
    std::vector<double> numbers;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (at < end) {
        double value = 0;
        const auto [next, error] = std::from_chars(at, end, value);
        if (error == std::errc()) {
            numbers.push_back(value);
            at = next;
        } else {
            ++at;
        }
    }
    return numbers;
}

// The text of the attribute `name` in the element starting at `at`.
std::string_view SvgAttribute(std::string_view svg, std::size_t at, const std::string& name) {
    const std::size_t start = svg.find(" " + name + "=\"", at) + name.size() + 3;
    return svg.substr(start, svg.find('"', start) - start);
}

// The map's frame: the largest rectangle the SVG outlines without filling it (the page and the
// cells are filled), as x0, y0, x1, y1.
std::vector<double> SvgFrame(std::string_view svg) {
    std::vector<double> frame;
    double largest = 0;
    for (auto at = svg.find("<rect "); at != std::string_view::npos;
         at = svg.find("<rect ", at + 1)) {
        if (!svg.substr(svg.rfind("<g ", at)).starts_with("<g fill=\"none\""))
            continue;
        const double x = SvgNumbers(SvgAttribute(svg, at, "x")).at(0);
        const double y = SvgNumbers(SvgAttribute(svg, at, "y")).at(0);
        const double w = SvgNumbers(SvgAttribute(svg, at, "width")).at(0);
        const double h = SvgNumbers(SvgAttribute(svg, at, "height")).at(0);
        if (w * h > largest) {
            largest = w * h;
            frame = {x, y, x + w, y + h};
        }
    }
    return frame;
}

// Field lines and the uniform sphere are drawn as curves of their own, on top of the contours
// the map always has; a colour the map does not know is refused before any work.
TEST(Studies, MapPictureOptionsAddFieldLinesAndSphere) {
    const std::vector<std::string> grid = {"map", "--x", "0:0.03:13", "--z", "-0.04:0.04:17"};
    auto withOut = [&grid](const std::string& path, std::vector<std::string> extra) {
        std::vector<std::string> args = grid;
        args.insert(args.end(), {"--out", path});
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const std::string plain = TempPath("plain.svg"), drawn = TempPath("drawn.svg");
    ASSERT_EQ(Calc(withOut(plain, {})).exitCode, 0);
    const ProgramRun run = Calc(withOut(drawn, {"--field-lines", "--sphere", "0.01"}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The contours are polylines, the field lines and the sphere paths.
    const std::string plainSvg = ReadFile(plain), drawnSvg = ReadFile(drawn);
    EXPECT_GT(Count(plainSvg, "<polyline"), 0u);
    EXPECT_GT(Count(drawnSvg, "<path"), Count(plainSvg, "<path"));
    EXPECT_EQ(Count(drawnSvg, "<circle"), 0u);
    // An SVG file keeps no clip, so the sphere (radius 10 mm about the centre, the map from
    // x = -1.25 mm) is drawn only inside the frame: its one arc ends on the frame's left edge,
    // 1.25 mm from the axis, and no point of it lies outside (the file rounds to 6 digits).
    const std::vector<double> frame = SvgFrame(drawnSvg);
    ASSERT_EQ(frame.size(), 4u);
    const std::size_t style = drawnSvg.find("stroke=\"#003cc8\"");
    ASSERT_NE(style, std::string::npos);
    const std::size_t path = drawnSvg.find("<path ", style);
    ASSERT_LT(path, drawnSvg.find("</g>", style));
    const std::vector<double> sphere = SvgNumbers(SvgAttribute(drawnSvg, path, "d"));
    ASSERT_GE(sphere.size(), 2 * 180u);
    const double slack = 0.01;
    for (std::size_t k = 0; k + 1 < sphere.size(); k += 2) {
        EXPECT_GE(sphere[k], frame[0] - slack) << k;
        EXPECT_LE(sphere[k], frame[2] + slack) << k;
        EXPECT_GE(sphere[k + 1], frame[1] - slack) << k;
        EXPECT_LE(sphere[k + 1], frame[3] + slack) << k;
    }
    EXPECT_NEAR(sphere.front(), frame[0], slack);
    EXPECT_NEAR(sphere[sphere.size() - 2], frame[0], slack);

    const std::string modulus = TempPath("modulus.svg");
    EXPECT_EQ(Calc(withOut(modulus, {"--colour", "modulus"})).exitCode, 0);
    const ProgramRun bad = Calc(withOut(TempPath("bad.svg"), {"--colour", "rainbow"}));
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("--colour"), std::string::npos) << bad.err;
}

// Russian regional settings make the C library read and write numbers with a decimal comma,
// and the Qt application a picture needs switches the C library to them: "0.01" read by the C
// library there is 0. The titles must read the coordinate as the program's own number rules do.
TEST(Studies, PictureTitlesReadTheCoordinateUnderACommaLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr)
        << "the ru_RU.UTF-8 locale is missing: tools/install-deps.sh generates it";
    std::setlocale(LC_ALL, "C");
    const struct {
        std::string axis, at, title;
    } cases[] = {
        {"z", "0.01", "Flux density along z at x = 10 mm"},
        {"x", "-0.0025", "Flux density along x at z = -2.5 mm"},
    };
    for (const auto& c : cases) {
        const std::string path = TempPath("locale_profile_" + c.axis + ".svg");
        const ProgramRun run = RunProgram(
            "/usr/bin/env", {"LC_ALL=ru_RU.UTF-8", "LANG=ru_RU.UTF-8", VARNEL_CALC_PATH, "profile",
                             "--axis", c.axis, "--range", "0:0.02:5", "--at", c.at, "--out", path});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(ReadFile(path).find(c.title), std::string::npos) << c.title;
    }
}

TEST(Studies, ProfileAlongTheAxisAndAcross) {
    const std::string path = TempPath("profile.csv");
    ASSERT_EQ(Calc({"profile", "--axis", "x", "--range", "0:0.01:3", "--at", "0.02", "--out", path})
                  .exitCode,
              0);
    const auto table = Table(ReadFile(path));
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[1].at("x"), "0.005");
    EXPECT_EQ(table[1].at("z"), "0.02");
    EXPECT_EQ(table[0].at("deviation").empty(), false);
}

// A thin pair spaced by its radius (Helmholtz): on the axis B(z)/B(0) - 1 = -1.152 (z/R)^4 to
// leading order (the closed-form loop field), so a tolerance of 1.152e-4 reaches z = 0.1 R.
TEST(Studies, UniformRegionOfAThinHelmholtzPair) {
    // R = 0.10005 m mean radius; coil centres 0.10005 m apart: H + h = R.
    const ProgramRun run = Calc({"uniform", "--json", "--tol", "1.152e-4", "--R1", "0.1", "--R2",
                                 "0.1001", "--H", "0.0001", "--h", "0.09995", "--D", "0.00001"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    const double axial = ReadNumber(json["axial"].get<std::string>());
    EXPECT_NEAR(axial / 0.10005, 0.1, 0.003);
    ASSERT_FALSE(json["radial"].is_null());

    // The extents agree with the engine's own field: just inside within, just outside not.
    for (const auto& [x, z] :
         {std::pair{0.0, axial}, {ReadNumber(json["radial"].get<std::string>()), 0.0}}) {
        for (double factor : {0.999, 1.001}) {
            const std::string path = TempPath("edge.csv");
            const std::string xs = std::to_string(x * factor), zs = std::to_string(z * factor);
            ASSERT_EQ(Calc({"profile", "--axis", "z", "--range", zs + ":" + zs + ":1", "--at", xs,
                            "--R1", "0.1", "--R2", "0.1001", "--H", "0.0001", "--h", "0.09995",
                            "--D", "0.00001", "--out", path})
                          .exitCode,
                      0);
            const double deviation =
                std::fabs(ReadNumber(Table(ReadFile(path))[0].at("deviation")));
            if (factor < 1) {
                EXPECT_LE(deviation, 1.152e-4) << x << ", " << z;
            } else {
                EXPECT_GT(deviation, 1.152e-4) << x << ", " << z;
            }
        }
    }
}

}  // namespace

namespace {

TEST(Check, ClassicValuesBesideExactOnesAtTheDefaults) {
    const ProgramRun run = Calc({"check", "--json", "--x=0.015", "--z=0.02"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::map<std::string, nlohmann::json> q;
    for (const auto& item : nlohmann::json::parse(run.out))
        q[item["quantity"]] = item;
    EXPECT_LT(std::fabs(q["pair inductance L"]["relative_difference"].get<double>()), 1e-3);
    EXPECT_LT(std::fabs(q["B0d"]["relative_difference"].get<double>()), 5e-4);
    // Inside the winding the 25 x 25 x 30 midpoint sum is about 0.75 % low.
    EXPECT_NEAR(q["Bzd at the point"]["relative_difference"].get<double>(), -0.0075, 0.001);
    EXPECT_LT(ReadNumber(q["force between the coils"]["exact"].get<std::string>()), 0);
    EXPECT_TRUE(q["force between the coils"]["classic"].is_null());
    const ProgramRun text = Calc({"check"});
    EXPECT_NE(text.out.find("pair inductance L"), std::string::npos);
}

}  // namespace

namespace {

long double Full(const std::string& text) {
    return ReadNumber(text);
}

// Each full-precision column of a sweep is the value the single calculation reports for the
// same inputs with --json --full: the current densities converted to A/mm^2 as shown, the
// Id_or_Ud column the current (voltage source) or the voltage (current source).
TEST(Studies, FullColumnsAreTheSingleCalculationsValues) {
    for (const bool current : {false, true}) {
        std::vector<std::string> sweep = {"sweep",     "--full",   "--vary",      "f=0:400:2",
                                          "--x=0.005", "--z=0.01", "--source=2.5"};
        std::vector<std::string> single = {"--json", "--full", "--x=0.005", "--z=0.01",
                                           "--source=2.5"};
        if (current) {
            sweep.push_back("--current");
            single.push_back("--current");
        }
        const ProgramRun run = Calc(sweep);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const auto table = Table(run.out);
        ASSERT_EQ(table.size(), 2u);
        for (const auto& row : table) {
            std::vector<std::string> args = single;
            args.push_back("--f=" + row.at("f"));
            const ProgramRun one = Calc(args);
            ASSERT_EQ(one.exitCode, 0) << one.err;
            const auto json = nlohmann::json::parse(one.out);
            auto value = [&](const char* name) { return Full(json["values"][name]); };
            auto field = [&](const char* name) { return Full(json["field"][name]); };
            const std::map<std::string, long double> expected = {
                {"N", value("N")},           {"R", value("R")},
                {"L", value("L")},           {"ZL", value("ZL")},
                {"ZRL", value("ZRL")},       {"Id_or_Ud", current ? value("Ud") : value("Id")},
                {"j", value("j") / 1000000}, {"jcond", value("jcond") / 1000000},
                {"P", value("P")},           {"B0d", field("B0d")},
                {"K0", value("K0")},         {"Bxd", field("Bxd")},
                {"Bzd", field("Bzd")},       {"Bd", field("Bd")},
                {"Fi0", field("Fi0")},       {"m", value("m")},
            };
            for (const auto& [column, v] : expected)
                EXPECT_EQ(Full(row.at(column)), v) << column << " at f = " << row.at("f");
        }
    }
}

// Off the axis the exact field must agree with the classic one in sign and closely in size;
// every exact value must come with the error estimate of a real refinement: above zero, yet
// far below the value.
TEST(Check, OffTheAxisTheExactFieldHasTheClassicSignsAndRealErrorEstimates) {
    const struct {
        const char* x;
        const char* z;
    } points[] = {{"0.005", "0.01"}, {"0.005", "-0.01"}, {"0.03", "0.02"}};
    for (const auto& p : points) {
        const ProgramRun run =
            Calc({"check", "--json", std::string("--x=") + p.x, std::string("--z=") + p.z});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        for (const auto& q : nlohmann::json::parse(run.out)) {
            const std::string name = q["quantity"];
            const long double exact = Full(q["exact"]);
            const long double error = Full(q["estimated_error"]);
            SCOPED_TRACE(name + " at x = " + p.x + ", z = " + p.z);
            if (name == "angle at the point") {
                const long double classic = Full(q["classic"]);
                EXPECT_EQ(std::signbit(exact), std::signbit(classic));
                EXPECT_NEAR(static_cast<double>(exact), static_cast<double>(classic), 0.5);
                continue;
            }
            EXPECT_GT(error, 0);
            EXPECT_LT(std::fabs(error / exact), 1e-9L);
            if (!q["classic"].is_null()) {
                const long double classic = Full(q["classic"]);
                EXPECT_EQ(std::signbit(exact), std::signbit(classic));
                EXPECT_LT(std::fabs(q["relative_difference"].get<double>()), 0.02);
            }
        }
    }
}

}  // namespace
