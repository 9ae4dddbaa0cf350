// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/catalogue.h"

#include <csv.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace varnel::design {
namespace {

struct Row {
    std::size_t line = 0;
    std::vector<std::string> fields;
};

struct Reader {
    std::vector<Row> rows;
    Row current;
    std::size_t line = 1;
    std::size_t rowStart = 1;
};

// C linkage for libcsv; the names are the program's own, apart from the other CSV readers'.
extern "C" void OnCatalogueField(void* data, std::size_t length, void* user) {
    auto* reader = static_cast<Reader*>(user);
    if (reader->current.fields.empty())
        reader->current.line = reader->rowStart;
    reader->current.fields.emplace_back(static_cast<const char*>(data), length);
}

extern "C" void OnCatalogueRecordEnd(int, void* user) {
    auto* reader = static_cast<Reader*>(user);
    // A blank line gives one empty field: not a record.
    const bool blank = reader->current.fields.size() == 1 && reader->current.fields.front().empty();
    if (!reader->current.fields.empty() && !blank)
        reader->rows.push_back(std::move(reader->current));
    reader->current = Row{};
}

// libcsv's state between rows (ROW_NOT_BEGUN).
constexpr int kBetweenRows = 0;

// The records of a CSV text with the line each starts on; fed line by line so that a
// malformed record can be named by its line.
std::vector<Row> ReadRows(std::string_view text, const std::string& file) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    csv_parser parser{};
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL);
    Reader reader;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;
        if (parser.pstate == kBetweenRows)
            reader.rowStart = reader.line;
        if (csv_parse(&parser, text.data() + pos, end - pos, OnCatalogueField, OnCatalogueRecordEnd,
                      &reader) != end - pos) {
            const std::string why = csv_strerror(csv_error(&parser));
            csv_free(&parser);
            throw CatalogueError(file + ":" + std::to_string(reader.rowStart) + ": " + why);
        }
        ++reader.line;
        pos = end;
    }
    const bool closed = csv_fini(&parser, OnCatalogueField, OnCatalogueRecordEnd, &reader) == 0;
    csv_free(&parser);
    if (!closed) {
        throw CatalogueError(file + ":" + std::to_string(reader.rowStart) +
                             ": a quoted field is not closed");
    }
    return reader.rows;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

std::string Where(const std::string& file, std::size_t line) {
    return file + ":" + std::to_string(line) + ": ";
}

// A positive number in a cell; the message names the column.
long double PositiveCell(const std::string& cell, const std::string& column,
                         const std::string& where) {
    const std::string t = Trim(cell);
    char* end = nullptr;
    errno = 0;
    const long double v = t.empty() ? 0 : std::strtold(t.c_str(), &end);
    if (t.empty() || end != t.c_str() + t.size() || errno != 0 || !std::isfinite(v)) {
        throw CatalogueError(where + column + " '" + t + "' is not a number");
    }
    if (v <= 0)
        throw CatalogueError(where + column + " must be positive, not " + t);
    return v;
}

std::map<std::string, std::size_t> Header(const Row& row) {
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < row.fields.size(); ++i)
        columns[Trim(row.fields[i])] = i;
    return columns;
}

std::size_t Column(const std::map<std::string, std::size_t>& header, const std::string& name,
                   const std::string& file) {
    const auto it = header.find(name);
    if (it == header.end())
        throw CatalogueError(file + ":1: no column '" + name + "'");
    return it->second;
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CatalogueError("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string DataDirectory() {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path beside = self.parent_path().parent_path() / "share" / "varnel-coils";
        if (fs::exists(beside / "wires-metric.csv", ec))
            return beside.string();
    }
    if (fs::exists(fs::path(VARNEL_INSTALLED_DATA_DIR) / "wires-metric.csv", ec))
        return VARNEL_INSTALLED_DATA_DIR;
    return VARNEL_SOURCE_DATA_DIR;
}

std::vector<Wire> ParseWires(const std::string& text, const std::string& file,
                             const std::string& grade) {
    const std::vector<Row> rows = ReadRows(text, file);
    if (rows.empty())
        throw CatalogueError(file + ": the table is empty");
    const auto header = Header(rows.front());
    const std::size_t nameColumn = Column(header, "name", file);
    const std::size_t bareColumn = Column(header, "bare_mm", file);
    std::string overallName;
    if (!grade.empty()) {
        overallName = "overall_" + grade + "_mm";
        Column(header, overallName, file);
    } else {
        for (const std::string& h : rows.front().fields) {
            const std::string t = Trim(h);
            if (t.starts_with("overall_") && t.ends_with("_mm")) {
                overallName = t;
                break;
            }
        }
        if (overallName.empty())
            throw CatalogueError(file + ":1: no column 'overall_GRADE_mm'");
    }
    const std::size_t overallColumn = header.at(overallName);
    std::vector<Wire> wires;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const std::string where = Where(file, row.line);
        if (row.fields.size() != rows.front().fields.size()) {
            throw CatalogueError(where + std::to_string(row.fields.size()) +
                                 " fields, the header has " +
                                 std::to_string(rows.front().fields.size()));
        }
        Wire w;
        w.name = Trim(row.fields[nameColumn]);
        if (w.name.empty())
            throw CatalogueError(where + "the name is empty");
        w.bare = PositiveCell(row.fields[bareColumn], "bare_mm", where) / 1000;
        if (Trim(row.fields[overallColumn]).empty())
            continue;
        w.overall = PositiveCell(row.fields[overallColumn], overallName, where) / 1000;
        if (w.overall < w.bare) {
            throw CatalogueError(where + overallName + " is below bare_mm: the enamel cannot be " +
                                 "thinner than nothing");
        }
        wires.push_back(w);
    }
    if (wires.empty())
        throw CatalogueError(file + ": no wire has a value in " + overallName);
    return wires;
}

std::vector<Wire> LoadWires(const std::string& which, const std::string& grade) {
    std::string path = which;
    if (which == "metric" || which == "awg")
        path = DataDirectory() + "/wires-" + which + ".csv";
    return ParseWires(ReadWhole(path), path, grade);
}

std::vector<Material> ParseMaterials(const std::string& text, const std::string& file) {
    const std::vector<Row> rows = ReadRows(text, file);
    if (rows.empty())
        throw CatalogueError(file + ": the table is empty");
    const auto header = Header(rows.front());
    const std::size_t name = Column(header, "name", file);
    const std::size_t rho = Column(header, "resistivity_20C_ohm_m", file);
    const std::size_t alpha = Column(header, "temp_coeff_per_K", file);
    const std::size_t density = Column(header, "density_kg_m3", file);
    const std::size_t heat = Column(header, "specific_heat_J_kgK", file);
    std::vector<Material> out;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const std::string where = Where(file, row.line);
        if (row.fields.size() != rows.front().fields.size())
            throw CatalogueError(where + "the row does not have the header's fields");
        out.push_back({Trim(row.fields[name]), PositiveCell(row.fields[rho], "resistivity", where),
                       PositiveCell(row.fields[alpha], "temp_coeff_per_K", where),
                       PositiveCell(row.fields[density], "density_kg_m3", where),
                       PositiveCell(row.fields[heat], "specific_heat_J_kgK", where)});
    }
    return out;
}

Material LoadMaterial(const std::string& name) {
    const std::string path = DataDirectory() + "/materials.csv";
    for (const Material& m : ParseMaterials(ReadWhole(path), path)) {
        if (m.name.starts_with(name))
            return m;
    }
    throw CatalogueError(path + ": no material '" + name + "'");
}

}  // namespace varnel::design
