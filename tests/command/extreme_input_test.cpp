#include <cfenv>
#include <map>
#include <string>
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

// Runs the command over the defaults with one box changed, after an earlier successful run,
// and checks the outcome is one of the four with the window as that outcome leaves it.
Outcome RunWith(std::string_view box, const std::string& text, std::string* message) {
    TextControls controls;
    CalcRecord rec;
    bCalcClick(controls, rec);
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

}  // namespace
}  // namespace varnel
