// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/field_points_csv.h"

#include <sstream>

#include "command/number_styles.h"
#include "study/csv_table.h"

namespace varnel {
namespace {

// The columns' names, in the order of PointColumn.
constexpr const char* kColumnNames[] = {"x",     "z",         "Bx",     "Bz",   "B",
                                        "angle", "deviation", "status", "model"};

const char* ColumnName(PointColumn c) {
    return kColumnNames[static_cast<int>(c)];
}

std::string Coordinate(const std::string& text, long double value) {
    return text.empty() ? FullPrecisionText(value) : SpreadsheetSafe(text);
}

std::string Cell(const FieldPoint& p, FieldModel model, PointColumn c) {
    const bool ok = p.status.empty();
    auto full = [ok](long double v) { return ok ? FullPrecisionText(v) : std::string(); };
    switch (c) {
        case PointColumn::X:
            return Coordinate(p.xText, p.x);
        case PointColumn::Z:
            return Coordinate(p.zText, p.z);
        case PointColumn::Bx:
            return full(p.field.radial);
        case PointColumn::Bz:
            return full(p.field.axial);
        case PointColumn::B:
            return full(p.field.modulus);
        case PointColumn::Angle:
            return full(p.field.angle);
        case PointColumn::Deviation:
            return full(p.deviation);
        case PointColumn::Status:
            return p.status;
        case PointColumn::Model:
            return FieldModelName(model);
    }
    return std::string();
}

}  // namespace

std::string FieldPointsHeader(std::span<const PointColumn> columns) {
    std::string out;
    for (const PointColumn c : columns)
        out += (out.empty() ? "" : ",") + std::string(ColumnName(c));
    return out + "\n";
}

std::string FieldPointLine(const FieldPoint& point, FieldModel model,
                           std::span<const PointColumn> columns) {
    std::vector<std::string> fields;
    fields.reserve(columns.size());
    for (const PointColumn c : columns)
        fields.push_back(Cell(point, model, c));
    std::ostringstream line;
    WriteCsvLine(line, fields);
    return line.str();
}

std::string FieldPointsCsv(const std::vector<FieldPoint>& points, FieldModel model,
                           std::span<const PointColumn> columns) {
    std::string out = FieldPointsHeader(columns);
    for (const FieldPoint& p : points)
        out += FieldPointLine(p, model, columns);
    return out;
}

}  // namespace varnel
