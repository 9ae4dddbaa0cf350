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

// A calculation at the centre whose record serves every point of a study: the geometry, the
// turns and the current.
CalcOutcome StudyBase(const CalcRequest& base);

// The field at each (x, z) of the grid, z varying fastest, computed on `threads` threads.
// Each point's numbers are those of a single calculation there. Stops early, with the points done
// in order, when `stop` is requested.
std::vector<FieldPoint> FieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                                  unsigned threads, std::stop_token stop = {},
                                  const Progress& progress = {});

// The field along a line: along z at radius `at`, or along x at height `at`.
std::vector<FieldPoint> FieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                                     const std::string& at, unsigned threads,
                                     std::stop_token stop = {}, const Progress& progress = {});

// The same points handed to `take` one by one in order, on the calling thread, as they are
// done, so that a study of any size holds only a few; they return how many were taken.
std::size_t StreamFieldGrid(const CalcOutcome& base, const GridRange& x, const GridRange& z,
                            unsigned threads, const std::function<void(const FieldPoint&)>& take,
                            std::stop_token stop = {}, const Progress& progress = {});
std::size_t StreamFieldProfile(const CalcOutcome& base, bool alongZ, const GridRange& range,
                               const std::string& at, unsigned threads,
                               const std::function<void(const FieldPoint&)>& take,
                               std::stop_token stop = {}, const Progress& progress = {});

// How far from the centre the field stays within `tolerance` of B0d (|B|/B0d - 1 in
// magnitude): along the axis and radially in the mid-plane, by a scan and then bisection.
struct UniformRegion {
    long double tolerance = 0;
    long double axial = 0;   // m; the first crossing along +z
    long double radial = 0;  // m; the first crossing along +x
    bool axialFound = false, radialFound = false;
    long double scanAxial = 0, scanRadial = 0;  // how far the scan looked
};
UniformRegion FindUniformRegion(const CalcOutcome& base, long double tolerance);

// The finest tolerance FindUniformRegion resolves. Within a nanometre of the centre the sums'
// rounding and sampling move |B|/B0d - 1 by about 1e-15, growing with the distance rather than
// with its square, so a finer tolerance would measure them, not the coils; from 1e-10 up the
// extents keep to the quadratic law within about 1 % for coils from thin to thick.
inline constexpr long double kSmallestUniformTolerance = 1e-10L;

// The deviation from the centre's value at a point, through the same sums as the study.
// Throws BadRequestError for x < 0 and ArithmeticError for a fault.
long double DeviationAt(const CalcOutcome& base, long double x, long double z);

}  // namespace varnel
