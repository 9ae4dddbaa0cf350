// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "study/field_study.h"
#include "study/grid.h"

// What a map or profile picture is drawn from, without Qt: varnel-calc computes the points and
// hands them to the picture writer, the one program that loads Qt, through a pipe.
namespace varnel {

struct PictureRequest {
    bool map = true;   // a map, or a profile
    std::string path;  // the file's name, for its kind (.png or .svg)
    std::vector<FieldPoint> points;
    CalcRecord rec;
    // A map: its grid, B0d and what it shows besides its cells.
    GridRange x, z;
    long double centre = 0;
    bool modulusColour = false;  // |B| on a scale instead of the deviation in bands
    bool fieldLines = false;
    long double sphere = 0;  // m; 0: none
    // A profile: along z (or x), at the other coordinate `at`.
    bool alongZ = true;
    long double at = 0;
};

// The request as bytes and back, for the pipe between two builds of the same source: numbers
// are copied whole (80-bit), texts with their length. ReadPictureRequest throws IoError for
// bytes that end early or do not start as a request does.
std::string PictureRequestBytes(const PictureRequest& request);
PictureRequest ReadPictureRequest(const std::string& bytes);

}  // namespace varnel
