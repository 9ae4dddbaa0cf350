// SPDX-License-Identifier: GPL-3.0-or-later
#include <cfenv>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/errors.h"
#include "command/text_controls.h"
#include "separator_fixture.h"

namespace varnel {
namespace {

std::map<std::string, std::string> WindowTexts(const Controls& controls) {
    std::map<std::string, std::string> texts;
    for (const ResultBox& box : kResultBoxes)
        texts[std::string(box.name)] = controls.Text(box.name);
    texts["eReady"] = controls.Text(kStatusBox);
    return texts;
}

enum class Outcome { Results, CheckMessage, ConversionError, ArithmeticError };

using BoxTexts = std::vector<std::pair<std::string, std::string>>;

// Runs the command over the defaults with the given boxes changed, after an earlier successful
// run, and checks the outcome is one of the four with the window as that outcome leaves it.
Outcome RunWithTexts(const BoxTexts& changes, bool currentSource, std::string* message) {
    TextControls controls;
    CalcRecord rec;
    bCalcClick(controls, rec);
    controls.SetCurrentSource(currentSource);
    for (const auto& [box, text] : changes)
        controls.SetText(box, text);
    const auto before = WindowTexts(controls);
    Outcome outcome;
    try {
        bCalcClick(controls, rec);
        const std::string status = controls.Text(kStatusBox);
        outcome = status == kReadyText ? Outcome::Results : Outcome::CheckMessage;
        *message = status;
    } catch (const ConversionError& e) {
        outcome = Outcome::ConversionError;
        *message = e.message();
        EXPECT_EQ(WindowTexts(controls), before);
    } catch (const ArithmeticError& e) {
        outcome = Outcome::ArithmeticError;
        *message = e.message();
        EXPECT_EQ(WindowTexts(controls), before);
    }
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID), 0);
    return outcome;
}

Outcome RunWith(std::string_view box, const std::string& text, std::string* message) {
    return RunWithTexts({{std::string(box), text}}, false, message);
}

class ExtremeInputTest : public SeparatorTest {};

// Texts at the edges of what a person can type or paste, in every input box: each ends in one
// of the four outcomes, never in anything else.
TEST_F(ExtremeInputTest, EveryBoxSurvivesEveryExtremeText) {
    const std::vector<std::string> texts = {
        "1E4932",
        "-1E4932",
        "1E-4951",
        "1E-4950",
        "3.6E-4951",
        "-0",
        "1E0000000000000000000000001",
        "1E499",
        "1E-499",
        std::string(100000, '9'),
        "0." + std::string(99998, '0') + "1",
        "один",
        "\xC2\xA0"
        "1",
        std::string("1\0"
                    "2",
                    3),
        "1\x07",
        "\x1b[31m1",
        "1e+",
        ".",
    };
    for (const InputBox& box : kInputBoxes) {
        for (const std::string& text : texts) {
            std::string message;
            const Outcome outcome = RunWith(box.name, text, &message);
            if (outcome == Outcome::CheckMessage) {
                EXPECT_TRUE(message.starts_with("Введите")) << box.name << ": " << message;
            }
            if (outcome == Outcome::ConversionError) {
                EXPECT_TRUE(message.ends_with("' is not a valid floating point value"));
            }
        }
    }
}

TEST_F(ExtremeInputTest, SpecificOutcomes) {
    struct Case {
        const char* why;
        std::string box;
        std::string text;
        Outcome outcome;
        std::string message;
    };
    const std::string longDigits(100000, '9');
    const Case cases[] = {
        {"largest power of ten as R1", "eR1", "1E4932", Outcome::CheckMessage, "Введите R2 > R1"},
        {"minus zero radius", "eR1", "-0", Outcome::CheckMessage, "Введите R1 > 0"},
        {"minus zero point", "ez", "-0", Outcome::Results, "Готов ..."},
        {"below the least denormal reads as zero", "eFREQ", "1E-4951", Outcome::Results,
         "Готов ..."},
        {"a hundred thousand nines overflow", "eR2", longDigits, Outcome::ConversionError,
         "'" + longDigits + "' is not a valid floating point value"},
        {"a long fraction reads as zero", "eFREQ", "0." + std::string(99998, '0') + "1",
         Outcome::Results, "Готов ..."},
        {"Cyrillic", "eD", "один", Outcome::ConversionError,
         "'один' is not a valid floating point value"},
        {"non-breaking space stays", "eD",
         "\xC2\xA0"
         "0.001",
         Outcome::ConversionError,
         "'\xC2\xA0"
         "0.001' is not a valid floating point value"},
        {"control characters around are trimmed", "eD",
         "\x01\x1f"
         "0.001\x7",
         Outcome::Results, "Готов ..."},
        {"embedded NUL", "eH",
         std::string("0.0\0"
                     "3",
                     5),
         Outcome::ConversionError,
         std::string("'0.0") + '\0' + "3' is not a valid floating point value"},
        {"density beyond the range makes the mass overflow", "eRo", "1E4932",
         Outcome::ArithmeticError, "Floating point overflow"},
        {"many exponent digits stop reading", "eR1", "1E0000000000000000000000001",
         Outcome::CheckMessage, "Введите R2 > R1"},
    };
    for (const Case& c : cases) {
        std::string message;
        EXPECT_EQ(RunWith(c.box, c.text, &message), c.outcome) << c.why;
        EXPECT_EQ(message, c.message) << c.why;
    }
}

// Inputs at the overflow edge where one calculation raises two different faults: the message
// names the fault that arose first, as a processor that traps would stop there. With the
// defaults (R1 = 0.01, R2 = 0.02, H = 0.03, h = 0.01, D = 0.001, Lambda = 0.6) a coil of height
// Hc has l = Hc / 0.03 and N = 0.6 * 4 * 0.01 * Hc / (pi * 1e-6) = 7639 * Hc turns; the largest
// extended value is 1.19E4932, so 4*l*l overflows above Hc = 1.64E2464 and N*N*(R1 + R2) above
// Hc = 8.2E2461. An overflow of 4*l*l leaves k = 0, and the long-coil formula divides by k.
TEST_F(ExtremeInputTest, TheFirstFaultNamesTheMessage) {
    const std::string overflow = "Floating point overflow";
    const std::string divisionByZero = "Floating point division by zero";
    struct Case {
        const char* why;
        BoxTexts texts;
        bool currentSource;
        std::string message;
    };
    const Case cases[] = {
        // The coil of height 2H + h: 4*l*l overflows before the division by k = 0.
        {"a gap far past the edge", {{"ehh", "1E2470"}}, false, overflow},
        {"a gap just past the edge of 4*l*l", {{"ehh", "1.7E2464"}}, false, overflow},
        // Just below that edge 4*l*l holds, but N*N*(R1 + R2) overflows and the long-coil
        // formula then subtracts two infinities: overflow first, invalid operation after it.
        {"a gap just short of the edge of 4*l*l", {{"ehh", "1.6E2464"}}, false, overflow},
        // N = 7639 * 1E4931 overflows already, then 4*l*l, then the division by k.
        {"a gap whose turns overflow", {{"ehh", "1E4931"}}, false, overflow},
        // The resistance, 0.92 Ohm * H / 0.03, still holds; the coil of height H overflows
        // 4*l*l (l = 3.3E2466) and divides by k = 0.
        {"a height past the edge", {{"eH", "1E2465"}}, false, overflow},
        {"a height far past the edge", {{"eH", "1E4000"}}, false, overflow},
        {"a height past the edge over a tiny inner radius",
         {{"eR1", "1E-4000"}, {"eH", "1E2465"}},
         false,
         overflow},
        // The supply and the frequency come into the calculation only after the inductance,
        // whose overflow is the first fault even where they would overflow themselves.
        {"a gap past the edge, a current source at the edge",
         {{"ehh", "1E2470"}, {"eSource1", "1E4932"}},
         true,
         overflow},
        {"a gap past the edge, a voltage source at the edge",
         {{"ehh", "1.7E2464"}, {"eSource1", "1E4932"}},
         false,
         overflow},
        {"a gap past the edge, no current", {{"ehh", "1E2470"}, {"eSource1", "0"}}, true, overflow},
        {"a height past the edge, a frequency at the edge",
         {{"eH", "1E2465"}, {"eFREQ", "1E4932"}},
         false,
         overflow},
        // A disc coil: R1/R2 = 1E-5000 reads as 0, its logarithm divides by zero, and
        // 0 * log(0) is then an invalid operation; the resistance (about 3E1992 Ohm) holds.
        {"a disc whose radius ratio is below the range",
         {{"eR1", "1E-4000"}, {"eR2", "1E1000"}},
         false,
         divisionByZero},
        {"the same disc, a frequency at the edge",
         {{"eR1", "1E-4000"}, {"eR2", "1E1000"}, {"eFREQ", "1E4932"}},
         false,
         divisionByZero},
    };
    for (const Case& c : cases) {
        std::string message;
        EXPECT_EQ(RunWithTexts(c.texts, c.currentSource, &message), Outcome::ArithmeticError)
            << c.why;
        EXPECT_EQ(message, c.message) << c.why;
    }
}

}  // namespace
}  // namespace varnel
