// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <sstream>
#include <stdexcept>

#include "study/csv_table.h"
#include "study/grid.h"
#include "study/parallel_runner.h"
#include "study/table_study.h"

namespace varnel {
namespace {

TEST(GridRange, ReadsStartStopCount) {
    const GridRange r = ParseGridRange("0:0.03:61", "--x");
    EXPECT_EQ(r.count, 61);
    EXPECT_EQ(r.At(0), 0.0L);
    EXPECT_EQ(r.At(60), 0.03L);
    EXPECT_EQ(GridTexts(r)[30], "0.015");
    EXPECT_EQ(GridTexts(ParseGridRange("-0.04:0.04:81", "--z"))[1], "-0.039");
    EXPECT_EQ(GridTexts(ParseGridRange("0.5:0.5:1", "--z")), std::vector<std::string>{"0.5"});
}

TEST(GridRange, BadRangesAreUsageErrorsNamingTheOption) {
    struct Case {
        const char* text;
        const char* says;
    };
    const Case cases[] = {
        {"0:1:0", "the count must be 1 to 1000000"},
        {"0:1:-3", "the count must be 1 to 1000000"},
        {"1:0:5", "STOP is below START"},
        {"0:1", "is not START:STOP:COUNT"},
        {"0:1:2:3", "is not START:STOP:COUNT"},
        {"0:1:2.5", "is not START:STOP:COUNT"},
        {"a:1:2", "'a' is not a number"},
        {"0::2", "'' is not a number"},
        {"", "is not START:STOP:COUNT"},
        {"0.01:0.01:3", "START and STOP are equal"},
        {"-1e4932:1e4932:3", "wider than the largest number"},
    };
    for (const Case& c : cases) {
        try {
            ParseGridRange(c.text, "--x");
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const UsageError& e) {
            const std::string message = e.what();
            EXPECT_TRUE(message.starts_with("--x: ")) << message;
            EXPECT_NE(message.find(c.says), std::string::npos) << c.text << ": " << message;
        }
    }
}

TEST(Csv, QuotingLineEndsAndByteOrderMark) {
    const std::string text =
        "\xEF\xBB\xBFR1,Roe,current\r\n"
        "0.01,\"1.67E-8\",1\r\n"
        "\r\n"
        "\"0,02\",\"say \"\"hi\"\"\",0\n"
        "\"two\nlines\",x,1\n";
    const std::vector<CsvRow> rows = ReadCsv(text);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].fields, (std::vector<std::string>{"R1", "Roe", "current"}));
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"0.01", "1.67E-8", "1"}));
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"0,02", "say \"hi\"", "0"}));
    EXPECT_EQ(rows[2].line, 4u);
    EXPECT_EQ(rows[3].fields[0], "two\nlines");
    EXPECT_EQ(rows[3].line, 5u);
}

TEST(Csv, MalformedRecordsAreReportedAndReadingGoesOn) {
    const std::vector<CsvRow> rows = ReadCsv("a,b\n1,x\"y\n2,3\n\"open,1\n");
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_FALSE(rows[1].error.empty());
    EXPECT_EQ(rows[1].line, 2u);
    EXPECT_EQ(rows[2].fields, (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(rows[3].line, 4u);
    EXPECT_EQ(rows[3].error, "a quoted field is not closed");
}

TEST(Csv, WrittenFieldsReadBack) {
    const std::vector<std::string> fields = {"plain",    "with,comma",  "with \"quote\"",
                                             " padded ", "line\nbreak", ""};
    std::ostringstream out;
    WriteCsvLine(out, fields);
    const std::vector<CsvRow> rows = ReadCsv(out.str());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].fields, fields);
}

TEST(Sweep, EveryCombinationFirstVaryingSlowest) {
    const auto rows = SweepRows(CalcRequest::Defaults(), {"R1=0.005:0.01:2", "f=0:100:3"});
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].request.texts[0], "0.005");
    EXPECT_EQ(rows[0].request.texts[8], "0");
    EXPECT_EQ(rows[2].request.texts[8], "100");
    EXPECT_EQ(rows[3].request.texts[0], "0.01");
    EXPECT_EQ(rows[4].request.texts[8], "50");
    EXPECT_EQ(rows[5].request.texts[1], "0.02");  // the rest keep the defaults
    EXPECT_THROW(SweepRows(CalcRequest::Defaults(), {"R3=0:1:2"}), UsageError);
    EXPECT_THROW(SweepRows(CalcRequest::Defaults(), {"R1"}), UsageError);
    EXPECT_THROW(SweepRows(CalcRequest::Defaults(), {"R1=1:0:2"}), UsageError);
}

// Each record knows its bytes in the text, so that a batch can read its fields again later:
// CR alone, CRLF and a quoted line end inside a field.
TEST(Csv, RecordsKnowWhereTheyLie) {
    const std::string text = "\xEF\xBB\xBFR1,z\r0.01,\"a\nb\"\r\n\"x\"y\n0.02,3";
    const std::vector<CsvRow> rows = ReadCsv(text);
    ASSERT_EQ(rows.size(), 4u);
    const std::vector<std::string> spans = {"R1,z\r", "0.01,\"a\nb\"\r\n", "\"x\"y\n", "0.02,3"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(text.substr(rows[i].begin, rows[i].end - rows[i].begin), spans[i]) << i;
    EXPECT_EQ(rows[1].fields, (std::vector<std::string>{"0.01", "a\nb"}));
    EXPECT_EQ(rows[1].line, 2u);
    EXPECT_FALSE(rows[2].error.empty());
    EXPECT_EQ(rows[3].line, 5u);
}

// The plan makes on demand the rows SweepRows lists, and refuses what could never run.
TEST(Sweep, PlanMakesTheListedRowsAndRefusesImpossibleOnes) {
    const std::vector<std::string> vary = {"R1=0.005:0.01:3", "H=0.02:0.04:2", "f=0:100:5"};
    const StudyRows plan = SweepPlan(CalcRequest::Defaults(), vary);
    const auto rows = SweepRows(CalcRequest::Defaults(), vary);
    ASSERT_EQ(plan.count, 30u);
    ASSERT_EQ(rows.size(), 30u);
    for (std::size_t i : {0u, 7u, 29u, 13u})
        EXPECT_EQ(plan.row(i).request.texts, rows[i].request.texts) << i;
    // Row 13 = 1 * 10 + 0 * 5 + 3: the second R1, the first H, the fourth f.
    EXPECT_EQ(plan.row(13).request.texts[0], "0.0075");
    EXPECT_EQ(plan.row(13).request.texts[2], "0.02");
    EXPECT_EQ(plan.row(13).request.texts[8], "75");

    EXPECT_THROW(SweepPlan(CalcRequest::Defaults(), {"R1=0:1:2", "R2=0:1:2", "R1=0:1:3"}),
                 UsageError);
    // 10^6 to the third power could never be calculated (nor counted in 64 bits at the fourth).
    const std::string million = "=0:1:1000000";
    EXPECT_THROW(
        SweepPlan(CalcRequest::Defaults(), {"R1" + million, "R2" + million, "H" + million}),
        UsageError);
}

// Items are computed at most a window ahead of the one written, and a write that fails ends
// the run without computing the rest.
TEST(RunInOrder, HoldsAWindowAndStopsWhenAWriteFails) {
    constexpr std::size_t kCount = 20000;
    const unsigned threads = 2;
    std::atomic<std::size_t> written{0}, furthest{0}, computed{0};
    RunInOrder(
        kCount, threads,
        [&](std::size_t i) {
            std::size_t ahead = i - std::min(i, written.load());
            std::size_t seen = furthest.load();
            while (ahead > seen && !furthest.compare_exchange_weak(seen, ahead)) {
            }
        },
        [&](std::size_t i) { written = i + 1; });
    EXPECT_LT(furthest.load(), InOrderWindow(threads));

    EXPECT_THROW(RunInOrder(
                     kCount, threads, [&](std::size_t) { ++computed; },
                     [&](std::size_t i) {
                         if (i == 10)
                             throw std::runtime_error("disk full");
                     }),
                 std::runtime_error);
    EXPECT_LE(computed.load(), 11 + InOrderWindow(threads) + threads);
}

TEST(Batch, MissingColumnsTakeDefaultsAndBadRowsSaySo) {
    const auto rows =
        BatchRows(CalcRequest::Defaults(), "R1,current\n0.005,1\n0.01,maybe\n0.01,1,extra\n");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].request.texts[0], "0.005");
    EXPECT_TRUE(rows[0].request.currentSource);
    EXPECT_EQ(rows[0].request.texts[2], "0.03");
    EXPECT_EQ(rows[1].unreadable, "line 3: current is 'maybe', not 1 or 0");
    EXPECT_EQ(rows[2].unreadable, "line 4: 3 fields where the header has 2");
    EXPECT_THROW(BatchRows(CalcRequest::Defaults(), "R1,Q\n1,2\n"), UsageError);
    EXPECT_THROW(BatchRows(CalcRequest::Defaults(), ""), UsageError);
    EXPECT_THROW(BatchRows(CalcRequest::Defaults(), "R1,current,current\n1,1,0\n"), UsageError);
}

}  // namespace
}  // namespace varnel
