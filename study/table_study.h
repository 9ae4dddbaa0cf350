// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "study/calc_request.h"
#include "study/parallel_runner.h"

namespace varnel {

// A row of a sweep or batch: the inputs of one calculation, or why the row could not be read.
struct StudyRow {
    CalcRequest request;
    std::string unreadable;  // for a malformed batch row: what is wrong, with its line
};

enum class StudyFormat { Csv, Json };

// The rows of a study made one at a time, on the study's threads, so that a study of millions
// of rows never holds them all.
struct StudyRows {
    std::size_t count = 0;
    std::function<StudyRow(std::size_t)> row;  // row i; safe to call from several threads
};

// How a study is calculated and written.
struct StudyStyle {
    StudyFormat format = StudyFormat::Csv;
    bool full = false;
    unsigned threads = 1;
    // Applied to each echoed input text of a CSV row (to neutralise what a spreadsheet would
    // run), and then to every CSV field (to show control characters on a terminal); null: as is.
    std::function<std::string(std::string_view)> echoed, shown;
    // Where given, counts the rows written that gave no results (unreadable, a failed check or
    // an error), so that a study where every row fails can say so.
    std::size_t* failedRows = nullptr;
};

// The sweep's rows as SweepRows lists them, made on demand. Also throws BadRequestError for an
// input varied twice, or for more combinations than a run could ever finish.
StudyRows SweepPlan(const CalcRequest& base, const std::vector<std::string>& vary);

// The batch file's rows as BatchRows lists them, made on demand. Also throws BadRequestError
// for a column given twice.
StudyRows BatchPlan(const CalcRequest& base, std::string csvText);

// Calculates the rows as RunStudy below does and hands the output text to `write` piece by
// piece in order, holding only the rows between calculated and written; a stopped study still
// ends its JSON array. An exception from `write` ends the study and passes on.
std::size_t RunStudy(const StudyRows& rows, const StudyStyle& style,
                     const std::function<void(std::string_view)>& write, std::stop_token stop = {},
                     const Progress& progress = {});

// Every combination of the varied inputs (NAME=START:STOP:COUNT each, the first varying
// slowest) over `base`. Throws BadRequestError for an unknown name or a bad range.
std::vector<StudyRow> SweepRows(const CalcRequest& base, const std::vector<std::string>& vary);

// The rows of a batch file: a header of input names (R1,...,z,current), missing columns
// taking their value from `base`. Throws BadRequestError for an unknown column or an unreadable
// file; a malformed row becomes a row that says so.
std::vector<StudyRow> BatchRows(const CalcRequest& base, const std::string& csvText);

// Calculates every row on `threads` threads and writes them in order: CSV with the input texts,
// the sixteen results (texts, or with `full` full-precision numbers) and a status column, or a
// JSON array of the single-calculation objects, each with its inputs. Returns the number of rows
// written. A stop requested through `stop` ends it after the rows in hand.
std::size_t RunStudy(const std::vector<StudyRow>& rows, StudyFormat format, bool full,
                     unsigned threads, std::ostream& out, std::stop_token stop = {},
                     const Progress& progress = {});

}  // namespace varnel
