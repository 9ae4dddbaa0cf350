// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/number_styles.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace varnel {
namespace {

struct WriteCase {
    const char* name;
    std::string text, expected;
};

// Each expectation is the value rounded by hand to the digits asked for.
TEST(NumberStyles, WritesEachStyleAsItsRuleSays) {
    const WriteCase cases[] = {
        {"six digits of a radius", DigitsText(0.04383794L, 6), "0.0438379"},
        {"%g's exponent below 1e-4", DigitsText(1.7241e-8L, 5), "1.7241e-08"},
        {"%g's exponent from 10^digits", DigitsText(1234567.0L, 3), "1.23e+06"},
        {"no trailing zeros", DigitsText(2.5L, 6), "2.5"},
        {"every digit of 1/4", FullPrecisionText(0.25L), "0.25"},
        {"shortest of a tenth", ShortestText(0.1), "0.1"},
        {"shortest of a third: 16 digits", ShortestText(1.0 / 3), "0.3333333333333333"},
        {"a quantity rounds up", QuantityText(12.35001L, 3, "mm"), "12.4 mm"},
        {"a negative quantity", QuantityText(-0.0001234L, 2, "T"), "-0.00012 T"},
        {"fixed pads with zeros", FixedText(2.5L, 3), "2.500"},
        {"fixed rounds", FixedText(1234.5678L, 2), "1234.57"},
        {"fixed without decimals", FixedText(7.0L, 0), "7"},
        {"millimetres to metres", ShiftedText(12.3, -3), "0.0123"},
        {"metres to millimetres", ShiftedText(0.5, 3), "500"},
        {"a negative shift inside the digits", ShiftedText(-1234.5, -2), "-12.345"},
        {"a tiny value takes an exponent", ShiftedText(17.241, -9), "1.7241E-8"},
        {"a huge value takes an exponent", ShiftedText(2.5e18, 3), "2.5E21"},
        {"zero stays zero", ShiftedText(0.0, 5), "0"},
        {"not finite", ShiftedText(std::numeric_limits<double>::infinity(), 0), "nan"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, c.expected);
    }
}

struct ReadCase {
    const char* name;
    std::string_view text;
    std::optional<long double> value;
};

TEST(NumberStyles, ReadsSignsAndPointsButNoWordsOrCommas) {
    const ReadCase cases[] = {
        {"a leading plus", "+2.5", 2.5L},
        {"a point first", "-.5", -0.5L},
        {"two signs", "+-1", std::nullopt},
        {"a lone sign", "-", std::nullopt},
        {"infinity is no number of ours", "inf", std::nullopt},
        {"nor is nan", "-nan", std::nullopt},
        {"a comma", "0,5", std::nullopt},
        {"below the range", "1e-5000", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadDigitsText(c.text), c.value);
    }
}

TEST(NumberStyles, ShiftedTextReadsBackAsTheShiftedValue) {
    // 0.1 mm is 1e-4 m; the text must carry no tail of binary digits such as 1.0000000000000001e-4.
    struct Case {
        double mm, metres;
    };
    for (const Case c : {Case{0.1, 1e-4}, Case{12.3, 0.0123}, Case{0.035, 3.5e-5}, Case{1000, 1}}) {
        const std::optional<long double> metres = ReadDigitsText(ShiftedText(c.mm, -3));
        ASSERT_TRUE(metres);
        EXPECT_EQ(static_cast<double>(*metres), c.metres);
    }
}

// Under Russian regional settings the C library writes "0,5": every style still writes ".".
class NumberStylesRussian : public testing::Test {
  protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
            GTEST_SKIP() << "no ru_RU.UTF-8 locale on this machine";
    }
    void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

  private:
    std::string saved_;
};

TEST_F(NumberStylesRussian, WritesAndReadsPointsWhateverTheLocale) {
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(DigitsText(0.5L, 6), "0.5");
    EXPECT_EQ(QuantityText(1.25L, 3, "mm"), "1.25 mm");
    EXPECT_EQ(FixedText(0.5L, 2), "0.50");
    EXPECT_EQ(ShortestText(0.75), "0.75");
    EXPECT_EQ(ShiftedText(1.5, -3), "0.0015");
    EXPECT_EQ(ReadDigitsText("0.5"), 0.5L);
    EXPECT_EQ(ReadDigitsText("0,5"), std::nullopt);
}

}  // namespace
}  // namespace varnel
