// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string_view>

#include "study/calc_output.h"

namespace varnel {
namespace {

struct DigitsCase {
    const char* name;
    std::string_view text;
    std::optional<long double> value;
};

// Texts as the wire tables, the design's printed inputs and --uniform write them. The values are
// the compiler's own reading of the same literals, correctly rounded as from_chars must be.
TEST(ReadDigitsText, ReadsPointTextsAndRefusesTheRest) {
    const DigitsCase cases[] = {
        {"resistivity of the tables", "1.7241e-08", 1.7241e-08L},
        {"a printed radius", "0.0438379", 0.0438379L},
        {"a negative value", "-0.25", -0.25L},
        {"an exponent with a plus", "2.5E+3", 2500.0L},
        {"a whole number", "8890", 8890.0L},
        {"a comma is not the separator", "0,5", std::nullopt},
        {"an empty text", "", std::nullopt},
        {"a blank before", " 1", std::nullopt},
        {"something after", "1.5 mm", std::nullopt},
        {"beyond the extended range", "1e5000", std::nullopt},
    };
    for (const DigitsCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadDigitsText(c.text), c.value);
    }
}

TEST(ReadDigitsText, ReadsBackWhatDigitsTextWrites) {
    for (long double v : {1.96374e-08L, 0.733438256611793L, 12.0L, 3.0e-300L}) {
        EXPECT_EQ(ReadDigitsText(FullPrecisionText(v)), v);
        // Six digits read back within half a unit of the sixth.
        const long double six = ReadDigitsText(DigitsText(v, 6)).value_or(0);
        EXPECT_LE(std::fabs(six - v), 5e-6L * std::fabs(v));
    }
}

}  // namespace
}  // namespace varnel
