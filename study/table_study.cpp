#include "study/table_study.h"

#include <optional>
#include <ostream>

#include "command/control_names.h"
#include "study/calc_output.h"
#include "study/csv_table.h"
#include "study/grid.h"
#include "study/parallel_runner.h"

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
        for (const char* name : {"N", "R", "L", "ZL", "ZRL", "source", "j", "jcond", "P", "B0d",
                                 "K0", "Bxd", "Bzd", "Bd", "Fi0", "m"}) {
            header.emplace_back(name);
        }
    } else {
        for (const ResultBox& box : kResultBoxes)
            header.emplace_back(box.name);
    }
    header.emplace_back("status");
    return header;
}

// The sixteen results as full-precision numbers, in the order of the result boxes; the
// densities in A/mm^2 as shown.
std::vector<std::string> FullNumbers(const CalcOutcome& o, bool currentSource) {
    const CalcRecord& r = o.rec;
    const long double values[] = {r.N,           r.R,
                                  r.L,           r.ZL,
                                  r.ZRL,         currentSource ? r.Ud : r.Id,
                                  r.j / 1000000, r.jcond / 1000000,
                                  r.P,           o.field.centre,
                                  r.K0,          o.field.radial,
                                  o.field.axial, o.field.modulus,
                                  o.field.angle, r.m};
    std::vector<std::string> texts;
    for (long double v : values)
        texts.push_back(FullPrecisionText(v));
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

}  // namespace

std::vector<StudyRow> SweepRows(const CalcRequest& base, const std::vector<std::string>& vary) {
    std::vector<StudyRow> rows{StudyRow{base, ""}};
    for (const std::string& varied : vary) {
        const std::size_t equals = varied.find('=');
        if (equals == std::string::npos) {
            throw BadRequestError("--vary: '" + varied + "' is not NAME=START:STOP:COUNT");
        }
        const std::string name = varied.substr(0, equals);
        const auto index = InputIndex(name);
        if (!index)
            throw BadRequestError("--vary: there is no input named '" + name + "'");
        const std::vector<std::string> texts =
            GridTexts(ParseGridRange(varied.substr(equals + 1), "--vary " + name));
        std::vector<StudyRow> product;
        product.reserve(rows.size() * texts.size());
        for (const StudyRow& row : rows) {
            for (const std::string& text : texts) {
                product.push_back(row);
                product.back().request.texts[*index] = text;
            }
        }
        rows = std::move(product);
    }
    return rows;
}

std::vector<StudyRow> BatchRows(const CalcRequest& base, const std::string& csvText) {
    const std::vector<CsvRow> table = ReadCsv(csvText);
    if (table.empty())
        throw BadRequestError("batch file: it has no header");
    if (!table.front().error.empty()) {
        throw BadRequestError("batch file: the header cannot be read: " + table.front().error);
    }
    // Column i of the file fills input columns[i], or the source mode (kCurrent).
    constexpr std::size_t kCurrent = kInputBoxes.size();
    std::vector<std::size_t> columns;
    for (const std::string& name : table.front().fields) {
        if (name == kCurrentColumn) {
            columns.push_back(kCurrent);
        } else if (const auto index = InputIndex(name)) {
            columns.push_back(*index);
        } else {
            throw BadRequestError("batch file: there is no input named '" + name + "' (line " +
                                  std::to_string(table.front().line) + ")");
        }
    }
    std::vector<StudyRow> rows;
    for (std::size_t r = 1; r < table.size(); ++r) {
        const CsvRow& csv = table[r];
        StudyRow row{base, ""};
        const std::string where = "line " + std::to_string(csv.line) + ": ";
        if (!csv.error.empty()) {
            row.unreadable = where + csv.error;
        } else if (csv.fields.size() != columns.size()) {
            row.unreadable = where + std::to_string(csv.fields.size()) +
                             " fields where the header has " + std::to_string(columns.size());
        }
        for (std::size_t c = 0; row.unreadable.empty() && c < columns.size(); ++c) {
            if (columns[c] != kCurrent) {
                row.request.texts[columns[c]] = csv.fields[c];
            } else if (const auto current = ParseFlag(csv.fields[c])) {
                row.request.currentSource = *current;
            } else {
                row.unreadable = where + "current is '" + csv.fields[c] + "', not 1 or 0";
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::size_t RunStudy(const std::vector<StudyRow>& rows, StudyFormat format, bool full,
                     unsigned threads, std::ostream& out, std::stop_token stop,
                     const Progress& progress) {
    // Only the rows between computed and written hold an outcome.
    std::vector<std::optional<CalcOutcome>> outcomes(rows.size());
    if (format == StudyFormat::Json) {
        out << "[";
    } else {
        WriteCsvLine(out, Header(full));
    }
    const std::size_t written = RunInOrder(
        rows.size(), threads,
        [&](std::size_t i) {
            if (rows[i].unreadable.empty())
                outcomes[i].emplace(RunCalculation(rows[i].request));
        },
        [&](std::size_t i) {
            if (format == StudyFormat::Json) {
                nlohmann::ordered_json json;
                nlohmann::ordered_json inputs;
                for (std::size_t k = 0; k < kInputBoxes.size(); ++k) {
                    inputs[std::string(kInputBoxes[k].option)] = rows[i].request.texts[k];
                }
                inputs["current"] = rows[i].request.currentSource;
                json["inputs"] = inputs;
                if (!rows[i].unreadable.empty()) {
                    json["error"] = rows[i].unreadable;
                } else {
                    json.update(OutcomeJson(*outcomes[i], full));
                }
                out << (i == 0 ? "\n" : ",\n")
                    << json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
            } else {
                WriteCsvLine(out, CsvRecord(rows[i], outcomes[i] ? &*outcomes[i] : nullptr, full));
            }
            out.flush();
            outcomes[i].reset();
        },
        stop, progress);
    if (format == StudyFormat::Json)
        out << "\n]\n";
    return written;
}

}  // namespace varnel
