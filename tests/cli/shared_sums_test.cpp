// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of one geometry share the windings' sums: the same record and texts as calculations
// made alone, bit for bit, with the sums computed once per geometry and point.
#include <array>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "command/control_names.h"
#include "study/calc_request.h"
#include "study/shared_sums.h"
#include "study/table_study.h"

namespace varnel {
namespace {

// R1, h, D, Lambda, f, source, x: two formers, each with wires, supplies and frequencies that
// change the turns, the current and the reactance but not the windings' shape.
struct Row {
    const char *R1, *hh, *D, *Lambda, *f, *source, *x;
    bool current;
};
const Row kRows[] = {
    {"0.01", "0.01", "0.001", "0.6", "0", "1", "0", false},
    {"0.01", "0.01", "0.0005", "0.7", "50", "12", "0", false},
    {"0.01", "0.01", "0.0008", "0.55", "400", "0.3", "0.004", true},
    {"0.013", "0.004", "0.001", "0.6", "1000", "2", "0.004", true},
    {"0.013", "0.004", "0.0011", "0.65", "60", "24", "0.004", false},
    {"0.013", "0.004", "0.0011", "0.65", "60", "24", "0", false},
};

CalcRequest RequestOf(const Row& r) {
    CalcRequest request = CalcRequest::Defaults();
    request.texts[0] = r.R1;
    request.texts[3] = r.hh;
    request.texts[4] = r.D;
    request.texts[5] = r.Lambda;
    request.texts[8] = r.f;
    request.texts[kSourceInput] = r.source;
    request.texts[kXInput] = r.x;
    request.texts[kZInput] = "0.007";
    request.currentSource = r.current;
    return request;
}

TEST(SharedSums, RowsOfOneGeometryGetTheNumbersTheyWouldComputeAlone) {
    SharedFieldSums shared;
    std::set<std::tuple<std::string, std::string, std::string>> keys;  // R1, h, x
    for (const Row& r : kRows) {
        const CalcOutcome alone = RunCalculation(RequestOf(r));
        const CalcOutcome sharing = RunCalculation(RequestOf(r), &shared);
        ASSERT_EQ(alone.kind, CalcOutcome::Kind::Results);
        for (const CalcRecordField& f : kCalcRecordFields)
            EXPECT_EQ(sharing.rec.*f.member, alone.rec.*f.member) << f.name << " " << r.R1;
        for (const ResultBox& box : kResultBoxes)
            EXPECT_EQ(sharing.controls.Text(box.name), alone.controls.Text(box.name));
        EXPECT_EQ(sharing.field.centre, alone.field.centre);
        EXPECT_EQ(sharing.field.radial, alone.field.radial);
        EXPECT_EQ(sharing.field.angle, alone.field.angle);
        keys.insert({r.R1, r.hh, "centre"});
        keys.insert({r.R1, r.hh, r.x});
    }
    // Each geometry's centre and each of its points (x, 0.007), once: six sums for six rows
    // that would have computed twelve alone.
    EXPECT_EQ(shared.computed(), keys.size());
    EXPECT_EQ(keys.size(), 6u);
}

// A sweep over the frequency writes what single calculations give, row by row.
TEST(SharedSums, SweepRowsEqualSingleCalculations) {
    const StudyRows rows = SweepPlan(CalcRequest::Defaults(), {"f=0:1000:4", "R1=0.008:0.01:2"});
    std::ostringstream swept;
    RunStudy(std::vector<StudyRow>{rows.row(0), rows.row(1), rows.row(2), rows.row(3), rows.row(4),
                                   rows.row(5), rows.row(6), rows.row(7)},
             StudyFormat::Json, true, 2, swept);
    std::ostringstream alone;
    for (std::size_t i = 0; i < rows.count; ++i)
        RunStudy(std::vector<StudyRow>{rows.row(i)}, StudyFormat::Json, true, 1, alone);
    // Each lone run is a one-row array; the sweep is one array of eight.
    std::string joined = alone.str();
    for (std::size_t at; (at = joined.find("\n]\n[\n")) != std::string::npos;)
        joined.replace(at, 5, ",\n");
    EXPECT_EQ(swept.str(), joined);
}

}  // namespace
}  // namespace varnel
