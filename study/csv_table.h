// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

// One record of a CSV file with the line it starts on, or what is wrong with it.
struct CsvRow {
    std::size_t line = 0;
    std::vector<std::string> fields;
    std::string error;               // a malformed record: its fields are not known
    std::size_t begin = 0, end = 0;  // the record's bytes in the text read, its line end included
};

// Reads CSV text (RFC 4180 quoting, LF, CRLF or CR line ends, an optional UTF-8 byte order mark)
// into its records; blank lines are skipped. A malformed record (a stray quote, a quote left
// open) becomes a row with its error, and reading goes on at the next line.
std::vector<CsvRow> ReadCsv(std::string_view text);

// The same records handed to `take` one by one as they are read, for a text too large to hold
// twice.
void ReadCsvRecords(std::string_view text, const std::function<void(CsvRow&&)>& take);

// A field as CSV writes it: quoted when it holds a comma, a quote, CR or LF, or blanks at an
// end.
std::string CsvField(std::string_view text);

// A text echoed into CSV as a spreadsheet will not run it: one starting with "=", "+", "@",
// "-", a tab or CR gets a leading apostrophe, unless the whole text is a number ("-1E-3",
// "+2"), which stays as it is.
std::string SpreadsheetSafe(std::string_view text);

// Writes the fields as one CSV line ending in LF.
void WriteCsvLine(std::ostream& out, const std::vector<std::string>& fields);

}  // namespace varnel
