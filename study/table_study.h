#pragma once

#include <iosfwd>
#include <stop_token>
#include <string>
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
