// SPDX-License-Identifier: GPL-3.0-or-later
// Catalogues met with what is not a catalogue: the reader refuses it with file and line, never
// reads without bound, and reads numbers the same in every locale.
#include <clocale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "design/catalogue.h"

namespace {

using namespace varnel::design;

// The message a catalogue is refused with, or "accepted".
std::string Refusal(const std::string& text) {
    try {
        ParseWires(text, "mine.csv", "");
        return "accepted";
    } catch (const CatalogueError& e) {
        return e.message();
    }
}

const std::string kHeader = "name,bare_mm,overall_a_mm\n";

TEST(CatalogueInput, DuplicatesAndOversizeAreRefusedWithFileAndLine) {
    std::string large = kHeader;
    while (large.size() <= kMaxCatalogueBytes)
        large += "w" + std::to_string(large.size()) + ",0.5,0.55\n";
    struct Case {
        std::string text, message;
    };
    const std::vector<Case> cases = {
        {"name,bare_mm,overall_a_mm,name\n", "mine.csv:1: the column 'name' is given twice"},
        {" bare_mm ,name,bare_mm,overall_a_mm\n",
         "mine.csv:1: the column 'bare_mm' is given twice"},
        {kHeader + "w,0.5,0.55\nv,0.6,0.66\n\"w\",0.7,0.77\n",
         "mine.csv:4: the wire 'w' is given twice (first on line 2)"},
        {kHeader + "w,0.5,0.55\r\n" + std::string(kMaxCatalogueLine + 1, 'x') + "\r\n",
         "mine.csv:3: the line is longer than 4096 bytes"},
        {large, "mine.csv: larger than 4194304 bytes, too large for a catalogue"},
        // The message keeps the cell whole, past its NUL byte.
        {kHeader + std::string("w,0.5\0x,0.55\n", 13),
         std::string("mine.csv:2: bare_mm '0.5\0x'", 27)},
        {kHeader + "w,inf,0.55\n", "mine.csv:2: bare_mm 'inf' is not a number"},
        {kHeader + "w,1e5000,0.55\n", "mine.csv:2: bare_mm '1e5000' is not a number"},
    };
    for (const Case& c : cases) {
        const std::string said = Refusal(c.text);
        EXPECT_EQ(said.rfind(c.message, 0), 0u) << c.message << " | " << said;
    }
    // A line of exactly the longest length is still read.
    const std::string name(kMaxCatalogueLine - std::string(",0.5,0.55").size(), 'n');
    EXPECT_EQ(ParseWires(kHeader + name + ",0.5,0.55\n", "mine.csv", "").front().name, name);
}

// Numbers are read by the program's rules with "." whatever LC_NUMERIC says: under a Russian
// locale strtold stopped at the "." and every catalogue was refused.
TEST(CatalogueInput, NumbersReadTheSameUnderARussianLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "ru_RU.UTF-8") == nullptr)
        GTEST_SKIP() << "no ru_RU.UTF-8 locale on this machine";
    const auto wires = ParseWires(kHeader + "w,0.5,0.55\n", "mine.csv", "");
    const std::string comma = Refusal(kHeader + "w,\"0,5\",0.55\n");
    const Material copper = LoadMaterial("copper");
    std::setlocale(LC_ALL, saved.c_str());
    ASSERT_EQ(wires.size(), 1u);
    EXPECT_EQ(wires[0].bare, 0.5L / 1000);
    EXPECT_EQ(wires[0].overall, 0.55L / 1000);
    EXPECT_EQ(comma, "mine.csv:2: bare_mm '0,5' is not a number");
    EXPECT_EQ(copper.resistivity20, 1.7241e-8L);
}

// A material is named by its whole name or its first word, never by the start of one.
TEST(CatalogueInput, MaterialsByWholeWord) {
    EXPECT_EQ(LoadMaterial("copper").name, "copper_annealed_IEC60028");
    EXPECT_EQ(LoadMaterial("aluminium").name, "aluminium_EC_1350");
    EXPECT_EQ(LoadMaterial("copper_annealed_IEC60028").name, "copper_annealed_IEC60028");
    for (const char* name : {"cop", "c", "", "copper_annealed", "Copper", "aluminium_EC"})
        EXPECT_THROW(LoadMaterial(name), CatalogueError) << name;
}

// What is not a regular file is refused before it is read.
TEST(CatalogueInput, OnlyRegularFilesAreRead) {
    struct Case {
        const char* path;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"/", "cannot read /: it is a directory"},
        {"/dev/zero", "cannot read /dev/zero: it is not a regular file"},
        {"/dev/null", "cannot read /dev/null: it is not a regular file"},
        {"/no/such/catalogue.csv", "cannot read /no/such/catalogue.csv: "},
    };
    for (const Case& c : cases) {
        try {
            LoadWires(c.path, "");
            ADD_FAILURE() << c.path << ": accepted";
        } catch (const CatalogueError& e) {
            EXPECT_EQ(e.message().rfind(c.message, 0), 0u) << e.message();
        }
    }
}

}  // namespace
