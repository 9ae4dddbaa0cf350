// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/table_study.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include "command/control_names.h"
#include "study/calc_output.h"
#include "study/csv_table.h"
#include "study/grid.h"
#include "study/parallel_runner.h"
#include "study/shared_sums.h"

namespace varnel {
namespace {

constexpr std::string_view kCurrentColumn = "current";

std::optional<bool> ParseFlag(std::string_view text) {
    for (std::string_view yes : {"1", "true", "yes", "True", "TRUE", "Yes", "YES"}) {
        if (text == yes)
            return true;
    }
    for (std::string_view no : {"", "0", "false", "no", "False", "FALSE", "No", "NO"}) {
        if (text == no)
            return false;
    }
    return std::nullopt;
}

std::vector<std::string> Header(bool full) {
    std::vector<std::string> header;
    for (const InputBox& in : kInputBoxes)
        header.emplace_back(in.option);
    header.emplace_back(kCurrentColumn);
    if (full) {
        // The supply's other side is named apart from the "source" input column: the current
        // of a voltage source, the voltage of a current source.
        for (const ResultValue& v : ResultValues(CalcOutcome{}, false))
            header.emplace_back(v.name);
    } else {
        for (const ResultBox& box : kResultBoxes)
            header.emplace_back(box.name);
    }
    header.emplace_back("status");
    return header;
}

// The sixteen results as full-precision numbers, in the order of the result boxes.
std::vector<std::string> FullNumbers(const CalcOutcome& o, bool currentSource) {
    std::vector<std::string> texts;
    for (const ResultValue& v : ResultValues(o, currentSource))
        texts.push_back(FullPrecisionText(v.value));
    return texts;
}

// A row's CSV fields; `outcome` is null for a row that could not be read.
std::vector<std::string> CsvRecord(const StudyRow& row, const CalcOutcome* outcome, bool full) {
    std::vector<std::string> fields(row.request.texts.begin(), row.request.texts.end());
    fields.push_back(row.request.currentSource ? "1" : "0");
    if (outcome == nullptr) {
        fields.assign(fields.size(), "");
        fields.resize(fields.size() + kResultBoxes.size());
        fields.push_back(row.unreadable);
        return fields;
    }
    if (full && outcome->kind == CalcOutcome::Kind::Results) {
        for (std::string& text : FullNumbers(*outcome, row.request.currentSource)) {
            fields.push_back(std::move(text));
        }
    } else {
        for (const ResultBox& box : kResultBoxes) {
            fields.push_back(
                outcome->kind == CalcOutcome::Kind::Error ? "" : outcome->controls.Text(box.name));
        }
    }
    fields.push_back(outcome->message);
    return fields;
}

std::string RowJson(const StudyRow& row, const CalcOutcome* outcome, bool full) {
    nlohmann::ordered_json json;
    nlohmann::ordered_json inputs;
    for (std::size_t k = 0; k < kInputBoxes.size(); ++k)
        inputs[std::string(kInputBoxes[k].option)] = row.request.texts[k];
    inputs["current"] = row.request.currentSource;
    json["inputs"] = inputs;
    if (outcome == nullptr) {
        json["error"] = row.unreadable;
    } else {
        json.update(OutcomeJson(*outcome, full));
    }
    return Dump(json, -1);
}

std::string CsvText(std::vector<std::string> fields, const StudyStyle& style) {
    if (style.echoed) {
        for (std::size_t k = 0; k < kInputBoxes.size(); ++k)
            fields[k] = style.echoed(fields[k]);
    }
    if (style.shown) {
        for (std::string& field : fields)
            field = style.shown(field);
    }
    std::ostringstream line;
    WriteCsvLine(line, fields);
    return line.str();
}

// Combinations beyond this could never be calculated; their count would also overflow.
constexpr long double kMaxCombinations = 1e12L;

struct VariedInput {
    std::size_t index;
    std::vector<std::string> texts;
};

// A batch file held as its text and where each record lies in it, each record's fields read
// again when its row is made: about the file's size once, however many rows.
struct BatchTable {
    struct Record {
        std::size_t begin = 0;
        std::uint32_t length = 0;
        std::uint32_t line = 0;
    };
    CalcRequest base;
    std::string text;
    std::vector<Record> records;
    std::map<std::size_t, std::string> errors;  // the malformed records, by their row
    std::vector<std::size_t> columns;           // column i of the file fills input columns[i]
};

// The source mode's column in BatchTable::columns.
constexpr std::size_t kCurrent = kInputBoxes.size();

StudyRow BatchRow(const BatchTable& t, std::size_t r) {
    const BatchTable::Record& record = t.records[r];
    StudyRow row{t.base, ""};
    const std::string where = "line " + std::to_string(record.line) + ": ";
    std::vector<std::string> fields;
    const auto error = t.errors.find(r);
    if (error != t.errors.end()) {
        row.unreadable = where + error->second;
    } else {
        ReadCsvRecords(std::string_view(t.text).substr(record.begin, record.length),
                       [&fields](CsvRow&& csv) { fields = std::move(csv.fields); });
    }
    if (row.unreadable.empty() && fields.size() != t.columns.size()) {
        row.unreadable = where + std::to_string(fields.size()) + " fields where the header has " +
                         std::to_string(t.columns.size());
    }
    for (std::size_t c = 0; row.unreadable.empty() && c < t.columns.size(); ++c) {
        if (t.columns[c] != kCurrent) {
            row.request.texts[t.columns[c]] = fields[c];
        } else if (const auto current = ParseFlag(fields[c])) {
            row.request.currentSource = *current;
        } else {
            row.unreadable = where + "current is '" + fields[c] + "', not 1 or 0";
        }
    }
    return row;
}

std::vector<StudyRow> AllRows(const StudyRows& rows) {
    std::vector<StudyRow> all;
    all.reserve(rows.count);
    for (std::size_t i = 0; i < rows.count; ++i)
        all.push_back(rows.row(i));
    return all;
}

}  // namespace

StudyRows SweepPlan(const CalcRequest& base, const std::vector<std::string>& vary) {
    auto varied = std::make_shared<std::vector<VariedInput>>();
    long double combinations = 1;
    for (const std::string& item : vary) {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos)
            throw BadRequestError("--vary: '" + item + "' is not NAME=START:STOP:COUNT");
        const std::string name = item.substr(0, equals);
        const auto index = InputIndex(name);
        if (!index)
            throw BadRequestError("--vary: there is no input named '" + name + "'");
        for (const VariedInput& v : *varied) {
            if (v.index == *index)
                throw BadRequestError("--vary: " + name + " is varied twice; give it once");
        }
        varied->push_back(
            {*index, GridTexts(ParseGridRange(item.substr(equals + 1), "--vary " + name))});
        combinations *= static_cast<long double>(varied->back().texts.size());
        if (combinations > kMaxCombinations) {
            throw BadRequestError("--vary: " + DigitsText(combinations, 3) +
                                  " combinations is more than any run could calculate (at most " +
                                  "a million million)");
        }
    }
    StudyRows rows;
    rows.count = static_cast<std::size_t>(combinations);
    rows.row = [base, varied](std::size_t i) {
        StudyRow row{base, ""};
        // The first varied input changes slowest: the last is the lowest digit of i.
        for (auto v = varied->rbegin(); v != varied->rend(); ++v) {
            row.request.texts[v->index] = v->texts[i % v->texts.size()];
            i /= v->texts.size();
        }
        return row;
    };
    return rows;
}

StudyRows BatchPlan(const CalcRequest& base, std::string csvText) {
    auto t = std::make_shared<BatchTable>();
    t->base = base;
    t->text = std::move(csvText);
    std::optional<CsvRow> header;
    ReadCsvRecords(t->text, [&](CsvRow&& record) {
        if (!header) {
            header = std::move(record);
        } else {
            if (record.end - record.begin > UINT32_MAX || record.line > UINT32_MAX)
                throw BadRequestError("batch file: a record beyond 4 GiB or 4e9 lines");
            if (!record.error.empty())
                t->errors.emplace(t->records.size(), std::move(record.error));
            t->records.push_back({record.begin,
                                  static_cast<std::uint32_t>(record.end - record.begin),
                                  static_cast<std::uint32_t>(record.line)});
        }
    });
    if (!header)
        throw BadRequestError("batch file: it has no header");
    if (!header->error.empty())
        throw BadRequestError("batch file: the header cannot be read: " + header->error);
    for (const std::string& name : header->fields) {
        std::size_t column = kCurrent;
        if (name != kCurrentColumn) {
            const auto index = InputIndex(name);
            if (!index) {
                throw BadRequestError("batch file: there is no input named '" + name + "' (line " +
                                      std::to_string(header->line) + ")");
            }
            column = *index;
        }
        if (std::find(t->columns.begin(), t->columns.end(), column) != t->columns.end()) {
            throw BadRequestError("batch file: the column " + name + " is given twice (line " +
                                  std::to_string(header->line) + ")");
        }
        t->columns.push_back(column);
    }
    StudyRows rows;
    rows.count = t->records.size();
    rows.row = [t](std::size_t i) { return BatchRow(*t, i); };
    return rows;
}

std::vector<StudyRow> SweepRows(const CalcRequest& base, const std::vector<std::string>& vary) {
    return AllRows(SweepPlan(base, vary));
}

std::vector<StudyRow> BatchRows(const CalcRequest& base, const std::string& csvText) {
    return AllRows(BatchPlan(base, csvText));
}

std::size_t RunStudy(const StudyRows& rows, const StudyStyle& style,
                     const std::function<void(std::string_view)>& write, std::stop_token stop,
                     const Progress& progress) {
    // A ring of the rows between calculated and written, as RunInOrder allows.
    struct Slot {
        std::optional<StudyRow> row;
        std::optional<CalcOutcome> outcome;
    };
    std::vector<Slot> ring(std::min(rows.count, InOrderWindow(style.threads)));
    // Rows of one geometry (a sweep over the supply or the frequency) sum the windings once.
    SharedFieldSums shared;
    const bool json = style.format == StudyFormat::Json;
    if (json) {
        write("[");
    } else {
        write(CsvText(Header(style.full), StudyStyle{}));
    }
    const std::size_t written = RunInOrder(
        rows.count, style.threads,
        [&](std::size_t i) {
            Slot& slot = ring[i % ring.size()];
            slot.row.emplace(rows.row(i));
            if (slot.row->unreadable.empty())
                slot.outcome.emplace(RunCalculation(slot.row->request, &shared));
        },
        [&](std::size_t i) {
            Slot& slot = ring[i % ring.size()];
            const CalcOutcome* outcome = slot.outcome ? &*slot.outcome : nullptr;
            if (style.failedRows != nullptr &&
                (outcome == nullptr || outcome->kind != CalcOutcome::Kind::Results)) {
                ++*style.failedRows;
            }
            if (json) {
                write(i == 0 ? "\n" : ",\n");
                write(RowJson(*slot.row, outcome, style.full));
            } else {
                write(CsvText(CsvRecord(*slot.row, outcome, style.full), style));
            }
            slot = Slot{};
        },
        stop, progress);
    if (json)
        write("\n]\n");
    return written;
}

std::size_t RunStudy(const std::vector<StudyRow>& rows, StudyFormat format, bool full,
                     unsigned threads, std::ostream& out, std::stop_token stop,
                     const Progress& progress) {
    StudyRows source;
    source.count = rows.size();
    source.row = [&rows](std::size_t i) { return rows[i]; };
    StudyStyle style;
    style.format = format;
    style.full = full;
    style.threads = threads;
    return RunStudy(
        source, style,
        [&out](std::string_view text) {
            out << text;
            out.flush();
        },
        stop, progress);
}

}  // namespace varnel
