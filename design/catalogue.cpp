// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/catalogue.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "study/calc_output.h"
#include "study/csv_table.h"

namespace varnel::design {
namespace {

// The records of a catalogue file with the line each starts on; a malformed one is named by
// its file and line.
std::vector<CsvRow> ReadRows(std::string_view text, const std::string& file) {
    std::vector<CsvRow> rows = ReadCsv(text);
    for (const CsvRow& row : rows) {
        if (!row.error.empty())
            throw CatalogueError(file + ":" + std::to_string(row.line) + ": " + row.error);
    }
    return rows;
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
    // The tables write numbers with ".", whatever the locale of the program that reads them.
    const std::optional<long double> read = ReadDigitsText(t);
    if (!read || !std::isfinite(*read))
        throw CatalogueError(where + column + " '" + t + "' is not a number");
    const long double v = *read;
    if (v <= 0)
        throw CatalogueError(where + column + " must be positive, not " + t);
    return v;
}

std::map<std::string, std::size_t> Header(const CsvRow& row) {
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
    const std::vector<CsvRow> rows = ReadRows(text, file);
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
        const CsvRow& row = rows[i];
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
    const std::vector<CsvRow> rows = ReadRows(text, file);
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
        const CsvRow& row = rows[i];
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
