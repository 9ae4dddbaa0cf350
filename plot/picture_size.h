// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// What a picture file is and how large one may be: answered without Qt, before any point of a
// study is computed.
namespace varnel {

// A picture holds its points while it is drawn, and an SVG map keeps one element per cell:
// throws BadRequestError, saying how large it would be, for one too large to make. Called
// before any point is computed.
inline constexpr std::size_t kMaxPicturePoints = 1000000;
inline constexpr std::size_t kMaxSvgCells = 250000;
void CheckPictureSize(std::size_t points, bool map, const std::string& path);

// True for a path ending in .png or .svg.
bool IsPicturePath(const std::string& path);

// True for a path ending in .svg.
bool IsSvgPath(const std::string& path);

}  // namespace varnel
