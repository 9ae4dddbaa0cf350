// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/catalogue.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "command/errors.h"
#include "command/number_styles.h"
#include "command/number_text.h"
#include "study/csv_table.h"

namespace varnel::design {
namespace {

std::string Where(const std::string& file, std::size_t line) {
    return file + ":" + std::to_string(line) + ": ";
}

// The records of a catalogue file with the line each starts on; a malformed one is named by
// its file and line.
std::vector<CsvRow> ReadRows(std::string_view text, const std::string& file) {
    if (text.size() > kMaxCatalogueBytes) {
        throw CatalogueError(file + ": larger than " + std::to_string(kMaxCatalogueBytes) +
                             " bytes, too large for a catalogue");
    }
    std::size_t line = 1, lineStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size() || text[i] == '\n' || text[i] == '\r';
        if (!end)
            continue;
        if (i - lineStart > kMaxCatalogueLine) {
            throw CatalogueError(Where(file, line) + "the line is longer than " +
                                 std::to_string(kMaxCatalogueLine) + " bytes");
        }
        if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        ++line;
        lineStart = i + 1;
    }
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

// A positive number in a cell; the message names the column.
long double PositiveCell(const std::string& cell, const std::string& column,
                         const std::string& where) {
    const std::string t = Trim(cell);
    // The program's own reader, "." as the separator: no locale reaches a catalogue.
    const std::optional<long double> read = ReadDigitsText(t);
    if (!read)
        throw CatalogueError(where + column + " '" + t + "' is not a number");
    const long double v = *read;
    if (v <= 0)
        throw CatalogueError(where + column + " must be positive, not " + t);
    return v;
}

// The columns by name; a name given twice is refused, as a batch file's is.
std::map<std::string, std::size_t> Header(const CsvRow& row, const std::string& file) {
    std::map<std::string, std::size_t> columns;
    for (std::size_t i = 0; i < row.fields.size(); ++i) {
        if (!columns.emplace(Trim(row.fields[i]), i).second) {
            throw CatalogueError(Where(file, row.line) + "the column '" + Trim(row.fields[i]) +
                                 "' is given twice");
        }
    }
    return columns;
}

std::size_t Column(const std::map<std::string, std::size_t>& header, const std::string& name,
                   const std::string& file) {
    const auto it = header.find(name);
    if (it == header.end())
        throw CatalogueError(file + ":1: no column '" + name + "'");
    return it->second;
}

// A catalogue file's text: a regular file only (a directory, a device or a pipe is refused
// before reading), and at most one byte past kMaxCatalogueBytes read, which ReadRows refuses.
std::string ReadWhole(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        throw CatalogueError("cannot read " + path + ": " + ec.message());
    if (fs::is_directory(status))
        throw CatalogueError("cannot read " + path + ": it is a directory");
    if (!fs::is_regular_file(status))
        throw CatalogueError("cannot read " + path + ": it is not a regular file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CatalogueError("cannot read " + path);
    std::string text(kMaxCatalogueBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad())
        throw CatalogueError("cannot read " + path);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
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
    const auto header = Header(rows.front(), file);
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
    std::map<std::string, std::size_t> named;  // each wire's name and its line
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
        if (const auto [first, added] = named.emplace(w.name, row.line); !added) {
            throw CatalogueError(where + "the wire '" + w.name +
                                 "' is given twice (first on line " +
                                 std::to_string(first->second) + ")");
        }
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
    const auto header = Header(rows.front(), file);
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

namespace {

std::string MaterialsPath() {
    return DataDirectory() + "/materials.csv";
}

}  // namespace

const std::vector<Material>& ShippedMaterials() {
    // A table that cannot be read throws here, and is tried again on the next call.
    static const std::vector<Material> materials =
        ParseMaterials(ReadWhole(MaterialsPath()), MaterialsPath());
    return materials;
}

std::string MaterialKey(const Material& m) {
    return m.name.substr(0, m.name.find('_'));
}

std::optional<Material> FindMaterial(const std::string& name) {
    try {
        for (const Material& m : ShippedMaterials()) {
            if (!name.empty() && (m.name == name || MaterialKey(m) == name))
                return m;
        }
    } catch (const CatalogueError&) {
    }
    return std::nullopt;
}

Material LoadMaterial(const std::string& name) {
    for (const Material& m : ShippedMaterials()) {
        if (!name.empty() && (m.name == name || MaterialKey(m) == name))
            return m;
    }
    throw CatalogueError(MaterialsPath() + ": no material '" + name + "'");
}

}  // namespace varnel::design
