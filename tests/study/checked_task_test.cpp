// SPDX-License-Identifier: GPL-3.0-or-later
// A value computed on a second thread: its floating-point faults become the caller's error,
// its flags stay on its own thread, and the accuracy check that computes the mutual inductance
// so gives the values the accuracy library gives on one thread, bit for bit.
#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "accuracy/exact_coils.h"
#include "command/control_names.h"
#include "command/errors.h"
#include "command/fp_guard.h"
#include "command/number_text.h"
#include "study/accuracy_check.h"
#include "study/calc_request.h"
#include "study/checked_task.h"

namespace varnel {
namespace {

// Values the compiler cannot fold, so the faulting operation happens at run time.
volatile long double gZero = 0;
volatile long double gHuge = 1e4000L;
volatile long double gMinusOne = -1;

struct FaultCase {
    const char* what;
    long double (*work)();
    const char* message;
};

TEST(CheckedTask, FaultOnTheSecondThreadBecomesTheCallersError) {
    const std::vector<FaultCase> cases = {
        {"division by zero", [] { return 1 / gZero; }, "Floating point division by zero"},
        {"overflow", [] { return gHuge * gHuge * gHuge; }, "Floating point overflow"},
        {"invalid", [] { return std::sqrt(gMinusOne); }, "Invalid floating point operation"},
    };
    for (const FaultCase& c : cases) {
        ResetFloatingPointEnvironment();
        CheckedTask<long double> task(c.work);
        try {
            (void)task.Get();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ArithmeticError& e) {
            EXPECT_EQ(e.message(), c.message) << c.what;
        }
        // The fault was raised and cleared on the task's thread, never on this one.
        EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT), 0) << c.what;
    }
}

TEST(CheckedTask, CallersFlagsAreNotTheTasks) {
    ResetFloatingPointEnvironment();
    long double infinity = 1 / gZero;  // division by zero raised here, before the task
    PinValue(infinity);                // and not moved past it by the compiler
    CheckedTask<long double> task([] { return 3 * gMinusOne; });
    EXPECT_EQ(task.Get(), -3);  // the caller's raised flag is not the task's fault
    EXPECT_NE(std::fetestexcept(FE_DIVBYZERO), 0);
    EXPECT_TRUE(std::isinf(infinity));
    ResetFloatingPointEnvironment();
}

// Asymmetric pairs (R1, R2, H, h in metres; the far one has h > H, where the force comes from
// the filaments' own dM/du): the check's mutual inductance and force, computed beside the
// self-inductance, are the accuracy library's on this thread, every bit, and so is the self.
TEST(CheckedTask, CheckValuesAreTheOneThreadValues) {
    struct Shape {
        const char *R1, *R2, *H, *h;
    };
    for (const Shape& s :
         {Shape{"0.013", "0.031", "0.017", "0.006"}, Shape{"0.007", "0.012", "0.009", "0.023"}}) {
        CalcRequest r = CalcRequest::Defaults();
        r.texts[*InputIndex("R1")] = WithDecimalSeparator(s.R1);
        r.texts[*InputIndex("R2")] = WithDecimalSeparator(s.R2);
        r.texts[*InputIndex("H")] = WithDecimalSeparator(s.H);
        r.texts[*InputIndex("h")] = WithDecimalSeparator(s.h);
        r.texts[*InputIndex("D")] = WithDecimalSeparator("0.0004");
        r.texts[*InputIndex("source")] = WithDecimalSeparator("3");
        r.currentSource = true;
        const CalcOutcome base = RunCalculation(r);
        ASSERT_EQ(base.kind, CalcOutcome::Kind::Results) << base.message;
        const CalcRecord& rec = base.rec;
        const std::vector<CheckedQuantity> q = CheckAccuracy(base);
        const exact::Refined self = exact::SelfInductance(rec.R1, rec.R2, rec.H, rec.N);
        const exact::MutualResult m = exact::MutualInductance(rec.R1, rec.R2, rec.H, rec.hh, rec.N);
        ASSERT_EQ(q[0].name, "self-inductance of one coil");
        EXPECT_EQ(q[0].exact, self.value) << s.h;
        EXPECT_EQ(q[0].estimatedError, self.change) << s.h;
        ASSERT_EQ(q[1].name, "mutual inductance");
        EXPECT_EQ(q[1].exact, m.mutual.value) << s.h;
        EXPECT_EQ(q[1].estimatedError, m.mutual.change) << s.h;
        ASSERT_EQ(q[8].name, "force between the coils");
        EXPECT_EQ(q[8].exact, rec.Id * rec.Id * m.derivative.value) << s.h;
        EXPECT_EQ(q[8].estimatedError, rec.Id * rec.Id * m.derivative.change) << s.h;
    }
}

}  // namespace
}  // namespace varnel
