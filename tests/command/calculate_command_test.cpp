// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/calculate_command.h"

#include <cfenv>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "command/control_names.h"
#include "command/errors.h"
#include "command/field_source.h"
#include "command/number_text.h"
#include "command/text_controls.h"
#include "separator_fixture.h"

namespace varnel {
namespace {

using Texts = std::map<std::string, std::string>;

Texts ResultTexts(const Controls& controls) {
    Texts texts;
    for (const ResultBox& box : kResultBoxes)
        texts[std::string(box.name)] = controls.Text(box.name);
    return texts;
}

class CalculateCommandTest : public SeparatorTest {
  protected:
    // Runs the command with the window's defaults changed as given.
    void Run(const Texts& inputs = {}) {
        for (const auto& [box, text] : inputs)
            controls.SetText(box, text);
        bCalcClick(controls, rec);
    }
    std::string Shown(std::string_view box) const { return controls.Text(box); }

    TextControls controls;
    CalcRecord rec;
};

// Worked by hand from the defaults (R1 0.01, R2 0.02, H 0.03, h 0.01, D 0.001, Lambda 0.6,
// Roe 1.67E-8, Ro 8700, f 0, Ud 1, point at the centre):
//   N = 0.03*4*0.01*0.6/(pi*1e-6) = 229.1831; R = 1.67e-8*16*0.6*0.03*3e-4*2/(pi*1e-12) =
//   0.918566; f = 0 so ZL = 0, ZRL = R, Id = 1/R = 1.088654; j = 0.6*4*Id/(pi*1e-6) =
//   0.831670e6 A/m^2; jcond = 4*Id/(pi*1e-6) = 1.386117e6; P = Id^2*R = 1.088654;
//   m = 8700*2*0.6*pi*0.03*3e-4 = 0.295184; K0 = 5.683e-3 T/A and B0d = K0*Id = 6.187e-3 T.
TEST_F(CalculateCommandTest, DefaultsGiveTheHandWorkedResults) {
    Run();
    const Texts expected = {
        {"eN", "229.2"},      {"eR", "0.9186"},      {"eL", "0.001778"},  {"eZL", "0"},
        {"eZRL", "0.9186"},   {"eSource2", "1.089"}, {"ej", "0.8317"},    {"ejcond", "1.386"},
        {"eP", "1.089"},      {"eB0d", "0.006187"},  {"eK0", "0.005683"}, {"eBxd", "0"},
        {"eBzd", "0.006187"}, {"eBd", "0.006187"},   {"eFi0", "0"},       {"em", "0.2952"},
    };
    EXPECT_EQ(ResultTexts(controls), expected);
    EXPECT_EQ(Shown("eReady"), "Готов ...");
    EXPECT_NEAR(static_cast<double>(rec.R), 0.918566, 1e-6);
    EXPECT_NEAR(static_cast<double>(rec.N), 229.1831, 1e-4);
    EXPECT_EQ(rec.ZL, 0.0L);
    EXPECT_EQ(rec.ZRL, rec.R);
    EXPECT_NEAR(static_cast<double>(rec.Id), 1.088654, 1e-6);
    EXPECT_NEAR(static_cast<double>(rec.j), 0.831670e6, 1);
    EXPECT_NEAR(static_cast<double>(rec.m), 0.295184, 1e-6);
}

TEST_F(CalculateCommandTest, CommaSeparatorReadsAndWritesWithComma) {
    SetDecimalSeparator(U',');
    Run({{"eR1", "0,01"},
         {"eR2", "0,02"},
         {"eH", "0,03"},
         {"ehh", "0,01"},
         {"eD", "0,001"},
         {"eLambda", "0,6"},
         {"eRoe", "1,67E-8"}});
    EXPECT_EQ(Shown("eN"), "229,2");
    EXPECT_EQ(Shown("eRoe"), "1,67E-8");
    EXPECT_EQ(Shown("eK0"), "0,005683");
}

TEST_F(CalculateCommandTest, PointDefaultsFailUnderCommaSeparator) {
    SetDecimalSeparator(U',');
    try {
        Run();
        FAIL() << "the point was accepted";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'0.01' is not a valid floating point value");
    }
}

TEST_F(CalculateCommandTest, BlanksAroundNumbersAreAccepted) {
    Run({{"eR1", "  0.01\t"}, {"eSource1", "\n1 "}});
    EXPECT_EQ(Shown("eN"), "229.2");
    EXPECT_EQ(Shown("eSource2"), "1.089");
}

TEST_F(CalculateCommandTest, ChecksReportTheFirstFailureInTheirOrder) {
    struct Case {
        Texts inputs;
        const char* message;
    };
    const Case cases[] = {
        {{{"eR1", "0"}}, "Введите R1 > 0"},
        {{{"eR1", "-0.01"}}, "Введите R1 > 0"},
        {{{"eR2", "0.01"}}, "Введите R2 > R1"},
        {{{"eH", "0"}}, "Введите H > 0"},
        {{{"ehh", "0"}}, "Введите h > 0"},
        {{{"eD", "0"}}, "Введите D > 0"},
        {{{"eD", "0.0100001"}}, "Введите D < R2 - R1"},
        {{{"eH", "0.0005"}}, "Введите D < H"},
        // D above both R2 - R1 and H: the thickness is checked first.
        {{{"eD", "0.05"}}, "Введите D < R2 - R1"},
        {{{"eLambda", "0"}}, "Введите Lambda > 0"},
        {{{"eLambda", "1"}}, "Введите Lambda < 1"},
        {{{"eRoe", "0"}}, "Введите Roe > 0"},
        {{{"eRo", "-5"}}, "Введите Ro > 0"},
        {{{"eFREQ", "-1"}}, "Введите частоту >= 0"},
        {{{"ex", "-0.001"}}, "Введите x >= 0"},
        {{{"eR1", "0"}, {"eLambda", "2"}}, "Введите R1 > 0"},
        {{{"eD", "0"}, {"eRoe", "0"}, {"ex", "-1"}}, "Введите D > 0"},
        {{{"eLambda", "1"}, {"eFREQ", "-1"}}, "Введите Lambda < 1"},
    };
    for (const Case& c : cases) {
        TextControls fresh;
        CalcRecord record;
        bCalcClick(fresh, record);  // results to be emptied
        for (const auto& [box, text] : c.inputs)
            fresh.SetText(box, text);
        const CommandOutcome outcome = bCalcClick(fresh, record);
        EXPECT_EQ(fresh.Text("eReady"), c.message);
        EXPECT_EQ(outcome.kind, CommandOutcome::Kind::CheckFailed);
        EXPECT_EQ(outcome.message, c.message);
        for (const ResultBox& box : kResultBoxes)
            EXPECT_EQ(fresh.Text(box.name), "") << box.name;
    }
}

TEST_F(CalculateCommandTest, BoundaryValuesPassTheChecks) {
    const Texts cases[] = {
        {{"eD", "0.01"}},           // D = R2 - R1: a one-layer winding
        {{"eH", "0.001"}},          // D = H
        {{"eFREQ", "0"}},           // zero frequency
        {{"ez", "-0.02"}},          // z is not checked
        {{"eSource1", "-1"}},       // nor the source
        {{"eLambda", "0.999999"}},  // just below one
    };
    for (const Texts& inputs : cases) {
        TextControls fresh;
        CalcRecord record;
        for (const auto& [box, text] : inputs)
            fresh.SetText(box, text);
        bCalcClick(fresh, record);
        EXPECT_EQ(fresh.Text("eReady"), "Готов ...") << inputs.begin()->first;
        EXPECT_NE(fresh.Text("eN"), "");
    }
}

TEST_F(CalculateCommandTest, FailedCheckKeepsComputedFieldsAndStoresInputs) {
    Run();
    const long double resistance = rec.R;
    Run({{"eR2", "0.005"}, {"eRoe", "2.69E-8"}});
    EXPECT_EQ(rec.R2, 0.005L);
    EXPECT_EQ(rec.Roe, 2.69e-8L);
    EXPECT_EQ(rec.R, resistance);
}

// A text that is not a number stops the reading at its box: the boxes before it are stored,
// those after it are not read, and the window is left alone.
TEST_F(CalculateCommandTest, ConversionErrorStopsReadingAtItsBox) {
    struct Field {
        const char* box;
        long double CalcRecord::*member;
    };
    const std::vector<Field> readOrder = {
        {"eR1", &CalcRecord::R1},      {"eR2", &CalcRecord::R2}, {"eH", &CalcRecord::H},
        {"ehh", &CalcRecord::hh},      {"eD", &CalcRecord::D},   {"eLambda", &CalcRecord::Lambda},
        {"eRoe", &CalcRecord::Roe},    {"eRo", &CalcRecord::Ro}, {"eFREQ", &CalcRecord::FREQ},
        {"eSource1", &CalcRecord::Ud}, {"ex", &CalcRecord::x},   {"ez", &CalcRecord::z},
    };
    constexpr long double kSentinel = 7;
    for (std::size_t bad = 0; bad < readOrder.size(); ++bad) {
        TextControls fresh;
        CalcRecord record;
        for (const Field& f : readOrder)
            record.*f.member = kSentinel;
        record.Id = kSentinel;
        fresh.SetText("eN", "old");
        fresh.SetText("eReady", "status before");
        fresh.SetText(readOrder[bad].box, "abc");
        EXPECT_THROW(bCalcClick(fresh, record), ConversionError) << readOrder[bad].box;
        for (std::size_t i = 0; i < readOrder.size(); ++i) {
            const bool read = i < bad;
            EXPECT_EQ(record.*readOrder[i].member != kSentinel, read)
                << readOrder[i].box << " with the bad text in " << readOrder[bad].box;
        }
        EXPECT_EQ(record.Id, kSentinel);  // not read in voltage-source mode
        EXPECT_EQ(fresh.Text("eN"), "old");
        EXPECT_EQ(fresh.Text("eReady"), "status before");
    }
}

TEST_F(CalculateCommandTest, CurrentSourceReadsACurrentAndShowsTheVoltage) {
    controls.SetCurrentSource(true);
    rec.Ud = 123;
    Run({{"eSource1", "2"}});
    // Ud = ZRL*Id = 0.918566*2; j = 0.6*4*2/(pi*1e-6); P = 4*R; B0d = 2*K0.
    EXPECT_EQ(rec.Id, 2.0L);
    EXPECT_NEAR(static_cast<double>(rec.Ud), 1.837132, 1e-6);
    EXPECT_EQ(Shown("eSource2"), "1.837");
    EXPECT_EQ(Shown("ej"), "1.528");
    EXPECT_EQ(Shown("eP"), "3.674");
    EXPECT_EQ(Shown("eB0d"), "0.01137");
}

TEST_F(CalculateCommandTest, SourceModesAreInverseAtTheSameImpedance) {
    Run({{"eFREQ", "50"}});
    const long double current = rec.Id;
    TextControls currentMode;
    currentMode.SetCurrentSource(true);
    currentMode.SetText("eFREQ", "50");
    currentMode.SetText("eSource1", FormatNumber(current, 18, 4));
    CalcRecord other;
    bCalcClick(currentMode, other);
    EXPECT_NEAR(static_cast<double>(other.Ud), 1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(rec.Id * rec.ZRL), 1.0, 1e-15);
}

TEST_F(CalculateCommandTest, NegativeVoltageGivesNegativeCurrentAndPositivePower) {
    Run({{"eSource1", "-1"}});
    EXPECT_EQ(Shown("eSource2"), "-1.089");
    EXPECT_EQ(Shown("ej"), "-0.8317");
    EXPECT_EQ(Shown("ejcond"), "-1.386");
    EXPECT_EQ(Shown("eP"), "1.089");
    EXPECT_EQ(Shown("eB0d"), "0.006187");
    EXPECT_EQ(Shown("eBzd"), "-0.006187");
    EXPECT_EQ(Shown("eBxd"), "0");
    EXPECT_EQ(std::fabs(ParseNumber(Shown("eFi0"))), 180.0L);
}

TEST_F(CalculateCommandTest, NonZeroFrequencyGivesReactanceAndImpedance) {
    Run({{"eFREQ", "50"}});
    // ZL = 2*pi*50*L with L = 1.778e-3 H: 0.5586 ohm; ZRL = sqrt(R^2 + ZL^2) = 1.0751 ohm.
    EXPECT_NEAR(static_cast<double>(ParseNumber(Shown("eZL"))), 0.5586, 0.0003);
    EXPECT_NEAR(static_cast<double>(ParseNumber(Shown("eZRL"))), 1.0751, 0.0003);
    EXPECT_NEAR(static_cast<double>(ParseNumber(Shown("eSource2"))), 1 / 1.0751, 0.0003);
    EXPECT_EQ(rec.ZL, rec.omega * rec.L);
}

// Each fault names itself, and the window keeps every text it had before the click.
TEST_F(CalculateCommandTest, ArithmeticFaultsReachTheirMessagesAndLeaveTheWindowAlone) {
    struct Case {
        const char* why;
        Texts inputs;
        const char* message;
    };
    const Case cases[] = {
        {"resistivity times 16 leaves the range", {{"eRoe", "1E4931"}}, "Floating point overflow"},
        {"D^4 underflows to a zero divisor",
         {{"eD", "1E-1300"}},
         "Floating point division by zero"},
        {"0/0 in the resistance",
         {{"eR1", "1E-2500"}, {"eR2", "2E-2500"}, {"eD", "5E-2501"}},
         "Invalid floating point operation"},
        {"the cube of a far point's distance", {{"ex", "1E2000"}}, "Floating point overflow"},
        {"a huge frequency", {{"eFREQ", "1E4932"}}, "Floating point overflow"},
    };
    for (const Case& c : cases) {
        TextControls fresh;
        CalcRecord record;
        bCalcClick(fresh, record);
        const Texts before = ResultTexts(fresh);
        for (const auto& [box, text] : c.inputs)
            fresh.SetText(box, text);
        try {
            bCalcClick(fresh, record);
            ADD_FAILURE() << c.why << ": no fault";
        } catch (const ArithmeticError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.why;
        }
        EXPECT_EQ(ResultTexts(fresh), before) << c.why;
        EXPECT_EQ(fresh.Text("eReady"), "Готов ...") << c.why;
        EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID), 0) << c.why;
    }
}

TEST_F(CalculateCommandTest, StatusBeforeAFaultIsKeptWhateverItWas) {
    Run({{"eR1", "0"}});
    ASSERT_EQ(Shown("eReady"), "Введите R1 > 0");
    EXPECT_THROW(Run({{"eR1", "0.01"}, {"eRoe", "1E4931"}}), ArithmeticError);
    EXPECT_EQ(Shown("eReady"), "Введите R1 > 0");
    EXPECT_EQ(Shown("eN"), "");
}

TEST_F(CalculateCommandTest, FlagsRaisedBeforeTheCommandDoNotFailIt) {
    std::feraiseexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO);
    Run();
    EXPECT_EQ(Shown("eReady"), "Готов ...");
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT & ~FE_UNDERFLOW), 0);
}

TEST_F(CalculateCommandTest, ClearResultsEmptiesOnlyTheResults) {
    Run();
    ClearResults(controls);
    for (const ResultBox& box : kResultBoxes)
        EXPECT_EQ(Shown(box.name), "") << box.name;
    EXPECT_EQ(Shown("eReady"), "Готов ...");
    EXPECT_EQ(Shown("eR1"), "0.01");
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

TEST(ZeroRules, ThresholdsAreInclusive) {
    EXPECT_TRUE(IsNegligibleShare(1e-6L));
    EXPECT_TRUE(IsNegligibleShare(-1e-6L));
    EXPECT_FALSE(IsNegligibleShare(std::nextafter(1e-6L, 1.0L)));
    EXPECT_TRUE(IsNegligibleShare(0));
    EXPECT_TRUE(IsNegligibleAngle(1e-4L));
    EXPECT_TRUE(IsNegligibleAngle(-1e-4L));
    EXPECT_FALSE(IsNegligibleAngle(std::nextafter(1e-4L, 1.0L)));
    EXPECT_FALSE(IsNegligibleAngle(360));
}

class FieldResultsTest : public SeparatorTest {};

// The inductance leaves the turns of a coil of height H + h in N; the command must put one
// coil's turns back before the field reads them (otherwise K0 would be 7.577e-3 T/A).
TEST_F(FieldResultsTest, FieldReadsTheTurnsOfOneRealCoil) {
    TextControls controls;
    CalcRecord rec;
    bCalcClick(controls, rec);
    EXPECT_NEAR(static_cast<double>(rec.N), 229.1831, 1e-4);
    EXPECT_EQ(controls.Text("eN"), "229.2");
    EXPECT_EQ(controls.Text("eK0"), "0.005683");
    EXPECT_EQ(controls.Text("eBd"), controls.Text("eB0d"));
}

TEST_F(FieldResultsTest, PointsShowTheirComponentsByTheShareRule) {
    struct Case {
        const char* where;
        const char* x;
        const char* z;
        const char* radial;  // "0" or "shown"
        const char* axial;
        const char* angle;
    };
    const Case cases[] = {
        // On the axis near the coils the radial residual is 3e-9 of the field: "0".
        {"axis near the coils", "0", "0.02", "0", "shown", "0"},
        // A metre out its share is 1.1e-6: shown, although the field is tiny; the angle,
        // atan(1.1e-6) = 6.3e-5 degrees, is still "0".
        {"axis far away", "0", "1", "shown", "shown", "0"},
        // In the mid-plane outside the coils the field is along -Z.
        {"mid-plane outside", "0.05", "0", "0", "shown", "shown"},
        {"inside the winding", "0.015", "0.02", "shown", "shown", "shown"},
    };
    for (const Case& c : cases) {
        TextControls controls;
        CalcRecord rec;
        controls.SetText("ex", c.x);
        controls.SetText("ez", c.z);
        bCalcClick(controls, rec);
        auto kind = [](const std::string& text) { return text == "0" ? "0" : "shown"; };
        EXPECT_STREQ(kind(controls.Text("eBxd")), c.radial) << c.where;
        EXPECT_STREQ(kind(controls.Text("eBzd")), c.axial) << c.where;
        EXPECT_STREQ(kind(controls.Text("eFi0")), c.angle) << c.where;
        EXPECT_NE(controls.Text("eBd"), "0") << c.where;
    }
}

TEST_F(FieldResultsTest, ExamplePointInsideTheWinding) {
    TextControls controls;
    CalcRecord rec;
    controls.SetText("ex", "0.015");
    controls.SetText("ez", "0.02");
    bCalcClick(controls, rec);
    // B at the point scales with Id = 1.088654 A: radial 2.093e-4*Id, axial 3.385e-3*Id;
    // the angle does not depend on a positive current. The tolerances add the rounding of the
    // reference values to that of the four shown digits.
    EXPECT_NEAR(static_cast<double>(ParseNumber(controls.Text("eBxd"))), 2.2785e-4, 1.1e-7);
    EXPECT_NEAR(static_cast<double>(ParseNumber(controls.Text("eBzd"))), 3.6851e-3, 1.1e-6);
    EXPECT_EQ(controls.Text("eFi0"), "3.539");
}

// The reused sums must not change a single shown text.
TEST_F(FieldResultsTest, ReusedAndRecomputedFieldGiveIdenticalTexts) {
    struct Case {
        const char* x;
        const char* z;
        const char* source;
        bool current;
    };
    const Case cases[] = {
        {"0", "0", "1", false},     {"0.015", "0.02", "1", false}, {"0.03", "-0.01", "2.5", true},
        {"0", "0.02", "-1", false}, {"0.05", "0", "0", false},     {"0.015", "0.02", "-3", true},
    };
    for (const Case& c : cases) {
        Texts shown[2];
        for (int path = 0; path < 2; ++path) {
            TextControls controls;
            controls.SetCurrentSource(c.current);
            controls.SetText("ex", c.x);
            controls.SetText("ez", c.z);
            controls.SetText("eSource1", c.source);
            controls.SetText("eFREQ", "50");
            CalcRecord rec;
            bCalcClick(controls, rec,
                       path == 0 ? FieldEvaluation::Reuse : FieldEvaluation::Recompute);
            shown[path] = ResultTexts(controls);
        }
        EXPECT_EQ(shown[0], shown[1]) << c.x << ", " << c.z << ", " << c.source;
    }
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// The command's outcome as a value: what the status box and the error box would say, with
// the error itself kept for a caller that throws it.
TEST_F(CalculateCommandTest, OutcomeComesBackAsAValue) {
    struct Case {
        const char* box;
        const char* text;
        CommandOutcome::Kind kind;
        std::string message;
    };
    const Case cases[] = {
        {"eD", "0.001", CommandOutcome::Kind::Results, "Готов ..."},
        {"eLambda", "1", CommandOutcome::Kind::CheckFailed, "Введите Lambda < 1"},
        {"eD", "abc", CommandOutcome::Kind::Error, "'abc' is not a valid floating point value"},
        {"eRo", "1E4932", CommandOutcome::Kind::Error, "Floating point overflow"},
    };
    for (const Case& c : cases) {
        TextControls fresh;
        fresh.SetText(c.box, c.text);
        CalcRecord record;
        ReusingFieldSource field(record);
        const CommandOutcome outcome = Calculate(fresh, record, field);
        EXPECT_EQ(outcome.kind, c.kind) << c.text;
        EXPECT_EQ(outcome.message, c.message) << c.text;
        EXPECT_EQ(outcome.error != nullptr, c.kind == CommandOutcome::Kind::Error) << c.text;
        if (c.kind == CommandOutcome::Kind::Results) {
            EXPECT_EQ(fresh.Text("eN"), "229.2");
        }
    }
    TextControls bad;
    bad.SetText("eRo", "1E4932");
    CalcRecord record;
    ReusingFieldSource field(record);
    EXPECT_THROW(std::rethrow_exception(Calculate(bad, record, field).error), ArithmeticError);
}

}  // namespace
}  // namespace varnel
