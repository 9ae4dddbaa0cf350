// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/catalogue_gaps.h"

#include <fstream>
#include <sstream>

#include "design/catalogue.h"
#include "study/csv_table.h"

namespace varnel::design {

std::vector<std::string> WiresWithoutGrade(const std::string& which, const std::string& grade) {
    std::vector<std::string> out;
    if (grade.empty())
        return out;
    const std::string path =
        which == "metric" || which == "awg" ? DataDirectory() + "/wires-" + which + ".csv" : which;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::vector<CsvRow> rows = ReadCsv(text.str());
    if (rows.empty())
        return out;
    std::size_t column = rows.front().fields.size();
    for (std::size_t i = 0; i < rows.front().fields.size(); ++i) {
        if (rows.front().fields[i] == "overall_" + grade + "_mm")
            column = i;
    }
    if (column == rows.front().fields.size())
        return out;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        if (row.error.empty() && column < row.fields.size() && !row.fields.empty() &&
            row.fields[column].find_first_not_of(" \t\r") == std::string::npos)
            out.push_back(row.fields[0]);
    }
    return out;
}

std::string GradeGapNote(const std::string& which, const std::string& grade) {
    const std::vector<std::string> left = WiresWithoutGrade(which, grade);
    if (left.empty())
        return "";
    std::string names;
    for (std::size_t i = 0; i < left.size(); ++i)
        names += (i ? ", " : "") + left[i];
    return "--grade " + grade + " leaves out " + names + ": the table has no diameter for them";
}

}  // namespace varnel::design
