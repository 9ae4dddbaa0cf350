// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <vector>

#include "study/calc_request.h"
#include "study/grid.h"
#include "study/parallel_runner.h"

namespace varnel {

// The field at one point of a study, as a single calculation at that point shows it.
struct FieldPoint {
    std::string xText, zText;  // the coordinates as input texts
    long double x = 0, z = 0;
    FieldValues field;
    long double deviation = 0;  // |B| / B0d - 1
    std::string status;         // empty when the values hold, else the check or error message
};

// Which field a study shows. Classic: the calculator's own sums, the numbers of a single
// calculation at each point. Exact: the windings' field for an even current density by the
// accuracy library's fast exact model (thin solenoids in closed form across the radius), free
// of the sums' sampling error (-4 % at the centre of a long pair); its B0d for the deviation is
// the same model's at the centre.
enum class FieldModel { Exact, Classic };
const char* FieldModelName(FieldModel model);  // "exact" or "classic"

// |B| at the centre by the model: B0d.
long double CentreField(const CalcOutcome& base, FieldModel model);

// A calculation at the centre whose record serves every point of a study: the geometry, the
// turns and the current.
CalcOutcome StudyBase(const CalcRequest& base);

// The field at each (x, z) of the grid, z varying fastest, computed on `threads` threads.
// Each point's numbers are those of a single calculation there. Stops early, with the points done
// in order, when `stop` is requested.
std::vector<FieldPoint> FieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                                  unsigned threads, std::stop_token stop = {},
                                  const Progress& progress = {},
                                  FieldModel model = FieldModel::Classic);

// The field along a line: along z at radius `at`, or along x at height `at`.
std::vector<FieldPoint> FieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                                     const std::string& at, unsigned threads,
                                     std::stop_token stop = {}, const Progress& progress = {},
                                     FieldModel model = FieldModel::Classic);

// The same points handed to `take` one by one in order, on the calling thread, as they are
// done, so that a study of any size holds only a few; they return how many were taken.
std::size_t StreamFieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                            unsigned threads, const std::function<void(const FieldPoint&)>& take,
                            std::stop_token stop = {}, const Progress& progress = {},
                            FieldModel model = FieldModel::Classic);
std::size_t StreamFieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                               const std::string& at, unsigned threads,
                               const std::function<void(const FieldPoint&)>& take,
                               std::stop_token stop = {}, const Progress& progress = {},
                               FieldModel model = FieldModel::Classic);

// How far from the centre the field stays within `tolerance` of B0d (|B|/B0d - 1 in
// magnitude): along the axis and radially in the mid-plane, by a scan and then bisection.
struct UniformRegion {
    long double tolerance = 0;
    long double axial = 0;   // m; the first crossing along +z
    long double radial = 0;  // m; the first crossing along +x
    bool axialFound = false, radialFound = false;
    long double scanAxial = 0, scanRadial = 0;  // how far the scan looked
    long double centre = 0;                     // B0d of the model the region was found by, T
};
UniformRegion FindUniformRegion(const CalcOutcome& base, long double tolerance,
                                FieldModel model = FieldModel::Classic);

// The finest tolerance FindUniformRegion resolves. Within a nanometre of the centre the sums'
// rounding and sampling move |B|/B0d - 1 by about 1e-15, growing with the distance rather than
// with its square, so a finer tolerance would measure them, not the coils; from 1e-10 up the
// extents keep to the quadratic law within about 1 % for coils from thin to thick.
inline constexpr long double kSmallestUniformTolerance = 1e-10L;

// The deviation from the centre's value at a point, through the same sums as the study.
// Throws BadRequestError for x < 0 and ArithmeticError for a fault.
long double DeviationAt(const CalcOutcome& base, long double x, long double z,
                        FieldModel model = FieldModel::Classic);

}  // namespace varnel
