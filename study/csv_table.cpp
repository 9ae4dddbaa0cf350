// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/csv_table.h"

#include <csv.h>

#include <charconv>
#include <functional>
#include <memory>
#include <ostream>

namespace varnel {
namespace {

// A text written as a number, "+" allowed; out of range still counts.
bool IsNumber(std::string_view text) {
    if (text.starts_with('+'))
        text.remove_prefix(1);
    if (text.empty() || text.starts_with('+'))
        return false;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    // Out of range still means the text is written as a number.
    return (error == std::errc() || error == std::errc::result_out_of_range) &&
           end == text.data() + text.size();
}

// libcsv's state between rows (its ROW_NOT_BEGUN).
constexpr int kBetweenRows = 0;

struct Reader {
    const std::function<void(CsvRow&&)>* take = nullptr;
    CsvRow current;
    std::size_t line = 1;      // the line being fed
    std::size_t rowStart = 1;  // the line the current record began on
    std::size_t begin = 0;     // where the current record began in the text
    std::size_t pieceEnd = 0;  // the end of the line being fed

    void Take(CsvRow&& row) {
        row.begin = begin;
        row.end = pieceEnd;
        (*take)(std::move(row));
    }
};

extern "C" void OnField(void* data, std::size_t length, void* userData) {
    auto* reader = static_cast<Reader*>(userData);
    if (reader->current.fields.empty())
        reader->current.line = reader->rowStart;
    reader->current.fields.emplace_back(static_cast<const char*>(data), length);
}

extern "C" void OnRecordEnd(int, void* userData) {
    auto* reader = static_cast<Reader*>(userData);
    if (!reader->current.fields.empty())
        reader->Take(std::move(reader->current));
    reader->current = CsvRow{};
}

class Parser {
  public:
    Parser() { csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL); }
    ~Parser() { csv_free(&parser_); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    bool BetweenRows() const { return parser_.pstate == kBetweenRows; }
    bool Feed(std::string_view bytes, Reader& reader) {
        return csv_parse(&parser_, bytes.data(), bytes.size(), OnField, OnRecordEnd, &reader) ==
               bytes.size();
    }
    bool Finish(Reader& reader) { return csv_fini(&parser_, OnField, OnRecordEnd, &reader) == 0; }
    std::string Error() { return csv_strerror(csv_error(&parser_)); }

  private:
    csv_parser parser_{};
};

}  // namespace

void ReadCsvRecords(std::string_view text, const std::function<void(CsvRow&&)>& take) {
    std::size_t pos = 0;
    if (text.starts_with("\xEF\xBB\xBF"))
        pos = 3;
    Reader reader;
    reader.take = &take;
    auto parser = std::make_unique<Parser>();
    // Fed line by line, so that each record knows where it began, and so that after a
    // malformed record the reading can start afresh on the next line.
    while (pos < text.size()) {
        // A line ends at LF, CRLF or a CR alone, as some spreadsheets still write them.
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = text.size();
        } else {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            end += crlf ? 2 : 1;
        }
        if (parser->BetweenRows()) {
            reader.rowStart = reader.line;
            reader.begin = pos;
        }
        reader.pieceEnd = end;
        if (!parser->Feed(text.substr(pos, end - pos), reader)) {
            CsvRow bad;
            bad.line = reader.rowStart;
            bad.error = parser->Error();
            reader.Take(std::move(bad));
            reader.current = CsvRow{};
            parser = std::make_unique<Parser>();
        }
        ++reader.line;
        pos = end;
    }
    if (!parser->Finish(reader)) {
        CsvRow bad;
        bad.line = reader.rowStart;
        bad.error = "a quoted field is not closed";
        reader.Take(std::move(bad));
    }
}

std::vector<CsvRow> ReadCsv(std::string_view text) {
    std::vector<CsvRow> rows;
    ReadCsvRecords(text, [&rows](CsvRow&& row) { rows.push_back(std::move(row)); });
    return rows;
}

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                          text.front() == '\t' || text.back() == '\t'));
    if (!quote)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

void WriteCsvLine(std::ostream& out, const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out << ',';
        out << CsvField(fields[i]);
    }
    out << '\n';
}

std::string SpreadsheetSafe(std::string_view text) {
    if (text.empty())
        return std::string();
    const char first = text.front();
    const bool risky = first == '=' || first == '+' || first == '@' || first == '-' ||
                       first == '\t' || first == '\r';
    if (!risky || IsNumber(text))
        return std::string(text);
    return "'" + std::string(text);
}

}  // namespace varnel
