// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <vector>

#include "study/field_study.h"

// The one writer of field points as CSV, for the command line's map and profile and the
// studio's exports alike.
namespace varnel {

enum class PointColumn { X, Z, Bx, Bz, B, Angle, Deviation, Status, Model };

// What varnel-calc map and profile write: x,z,Bx,Bz,B,angle,deviation,status,model.
inline constexpr PointColumn kEveryPointColumn[] = {
    PointColumn::X,         PointColumn::Z,      PointColumn::Bx,
    PointColumn::Bz,        PointColumn::B,      PointColumn::Angle,
    PointColumn::Deviation, PointColumn::Status, PointColumn::Model};

// The header line, the columns' names separated by commas, ending in LF.
std::string FieldPointsHeader(std::span<const PointColumn> columns);

// One point as a CSV line ending in LF. The coordinates are the texts they were given as (made
// safe for a spreadsheet), or every digit of the value where no text was given; the field's
// values have every digit, and are empty for a point that failed, whose status says why: a
// failed point keeps its line.
std::string FieldPointLine(const FieldPoint& point, FieldModel model,
                           std::span<const PointColumn> columns);

// The header and a line for each point.
std::string FieldPointsCsv(const std::vector<FieldPoint>& points, FieldModel model,
                           std::span<const PointColumn> columns);

}  // namespace varnel
