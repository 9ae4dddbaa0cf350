// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "design/catalogue.h"

namespace {

using namespace varnel::design;

std::string Read(const std::string& name) {
    std::ifstream in(std::string(VARNEL_TEST_DATA_DIR) + "/" + name);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// AWG n: d = 0.127 mm * 92^((36 - n)/39), the table rounded to 0.1 um.
TEST(Catalogue, AwgBareDiametersFollowTheDefiningFormula) {
    const auto wires = ParseWires(Read("wires-awg.csv"), "wires-awg.csv", "heavy");
    ASSERT_FALSE(wires.empty());
    for (const Wire& w : wires) {
        const int n = std::stoi(w.name.substr(4));
        const long double d = 0.127e-3L * std::pow(92.0L, (36.0L - n) / 39.0L);
        EXPECT_NEAR(w.bare, d, 0.51e-7L) << w.name;
        EXPECT_GT(w.overall, w.bare) << w.name;
    }
}

TEST(Catalogue, ShippedTablesLoadWithTheirGrades) {
    const auto metric = LoadWires("metric", "");
    EXPECT_EQ(metric.size(), 49u);                     // R20 0.020 .. 5.000 mm
    EXPECT_EQ(metric.front().overall, 0.024L / 1000);  // grade 1 is the first overall column
    EXPECT_EQ(LoadWires("metric", "grade3").front().overall, 0.030L / 1000);
    // The single-build column is empty for AWG 0-13: those wires are left out.
    EXPECT_EQ(LoadWires("awg", "single").front().name, "AWG 14");
    const Material copper = LoadMaterial("copper");
    EXPECT_EQ(copper.resistivity20, 1.7241e-8L);
    EXPECT_EQ(copper.alpha, 0.00393L);
}

TEST(Catalogue, BadRowsAreRefusedWithTheirLine) {
    struct Case {
        const char* name;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"not a number", "name,bare_mm,overall_a_mm\nw1,0.1,0.12\nw2,0.2x,0.23\n",
         "mine.csv:3: bare_mm '0.2x' is not a number"},
        {"enamel thinner than nothing", "name,bare_mm,overall_a_mm\nw1,0.1,0.12\n\nw2,0.2,0.19\n",
         "mine.csv:4: overall_a_mm is below bare_mm"},
        {"field missing", "name,bare_mm,overall_a_mm\nw1,0.1\n", "mine.csv:2: 2 fields"},
        {"negative", "name,bare_mm,overall_a_mm\nw1,-0.1,0.12\n", "mine.csv:2: bare_mm must be"},
        {"quote left open", "name,bare_mm,overall_a_mm\nw1,0.1,0.12\n\"w2,0.2,0.23\n",
         "mine.csv:3: "},
        {"no bare column", "name,diameter,overall_a_mm\nw1,0.1,0.12\n", "mine.csv:1: no column"},
        {"empty", "", "mine.csv: the table is empty"},
    };
    for (const Case& c : cases) {
        try {
            ParseWires(c.text, "mine.csv", "");
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const CatalogueError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.name << ": " << e.what();
        }
    }
}

TEST(Catalogue, UserTableWithTheSameColumnsIsRead) {
    const auto wires =
        ParseWires("name,bare_mm,overall_x_mm\r\n\"my, wire\",0.5,0.55\r\n", "u.csv", "x");
    ASSERT_EQ(wires.size(), 1u);
    EXPECT_EQ(wires[0].name, "my, wire");
    EXPECT_EQ(wires[0].bare, 0.5L / 1000);
    EXPECT_THROW(ParseWires("name,bare_mm,overall_x_mm\nw,0.5,0.55\n", "u.csv", "y"),
                 CatalogueError);
}

}  // namespace
