// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot/picture_size.h"

#include "study/calc_output.h"
#include "study/field_study.h"
#include "study/study_errors.h"

namespace varnel {
namespace {

// What one point costs while a picture is drawn (its texts fit their strings), and what one
// cell of an SVG map takes in the file (measured on maps of a few thousand cells).
constexpr long double kBytesPerPicturePoint = sizeof(FieldPoint);
constexpr long double kBytesPerSvgCell = 220;

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool IsPicturePath(const std::string& path) {
    return EndsWith(path, ".png") || EndsWith(path, ".svg");
}

bool IsSvgPath(const std::string& path) {
    return EndsWith(path, ".svg");
}

void CheckPictureSize(std::size_t points, bool map, const std::string& path) {
    const std::string what = map ? "map" : "profile";
    if (points > kMaxPicturePoints) {
        const long double bytes = static_cast<long double>(points) * kBytesPerPicturePoint;
        throw BadRequestError(
            what + ": a picture of " + std::to_string(points) + " points would hold about " +
            DigitsText(bytes / (1024.0L * 1024 * 1024), 3) + " GiB while it is drawn; a picture " +
            "takes at most " + std::to_string(kMaxPicturePoints) +
            " points (more than its pixels show); write a .csv for more");
    }
    if (map && IsSvgPath(path) && points > kMaxSvgCells) {
        const long double bytes = static_cast<long double>(points) * kBytesPerSvgCell;
        throw BadRequestError("map: an SVG of " + std::to_string(points) +
                              " cells would be about " + DigitsText(bytes / (1024.0L * 1024), 3) +
                              " MiB; an SVG takes at " + "most " + std::to_string(kMaxSvgCells) +
                              " cells; write a .png or a .csv for more");
    }
}

}  // namespace varnel
