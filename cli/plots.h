#pragma once

#include <string>
#include <vector>

#include "cli/field_study.h"

namespace varnel {

// Pictures of a study, as PNG or SVG by the file's extension, drawn offscreen with Qt.

// A heat map of |B|/B0d - 1 in colour bands over the grid, the coils' cross-sections to scale,
// axes in mm, a colour key and a title with the geometry.
void RenderMap(const std::vector<FieldPoint>& points, const GridRange& x, const GridRange& z,
               const CalcOutcome& base, const std::string& path);

// |B|, Bz and Bx along a line, in mT over mm.
void RenderProfile(const std::vector<FieldPoint>& points, bool alongZ, const std::string& at,
                   const CalcOutcome& base, const std::string& path);

// True for a path ending in .png or .svg.
bool IsPicturePath(const std::string& path);

}  // namespace varnel
