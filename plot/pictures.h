#pragma once

#include <string>
#include <vector>

#include <QRectF>

#include "study/field_study.h"

class QPainter;

// Pictures of the field studies, painted onto whatever the caller paints on: an image, an SVG
// generator, a widget in its paintEvent. Each picture is laid out on a canvas of
// kPictureWidth x kPictureHeight units scaled to the area it is given.
namespace varnel {

inline constexpr int kPictureWidth = 1000;
inline constexpr int kPictureHeight = 760;

// What a map shows besides its cells; more ways of drawing it go here as they come.
struct MapStyle {
    bool title = true;     // the heading and the geometry line
    bool key = true;       // the colour key beside the map
    bool windings = true;  // the coils' cross-sections and the axis
};

// A heat map of |B|/B0d - 1 in colour bands over a grid, the coils' cross-sections to scale,
// axes in mm, a colour key and a title with the geometry.
struct MapPicture {
    std::vector<FieldPoint> points;  // as FieldGrid gives them, z varying fastest
    GridRange x, z;
    CalcRecord rec;          // the geometry, the turns and the current of the study
    long double centre = 0;  // B0d, T
    MapStyle style;
};

struct ProfileStyle {
    bool title = true;   // the heading and the geometry line
    bool legend = true;  // the curves' names beside the plot
};

// |B|, Bz and Bx along a line, in mT over mm.
struct ProfilePicture {
    std::vector<FieldPoint> points;  // as FieldProfile gives them
    bool alongZ = true;
    long double at = 0;  // the other coordinate of the line, m
    CalcRecord rec;
    ProfileStyle style;
};

void PaintMap(QPainter& painter, const QRectF& area, const MapPicture& picture);
void PaintProfile(QPainter& painter, const QRectF& area, const ProfilePicture& picture);

// Writes the picture as PNG or SVG, by the path's extension, at the canvas size. Needs a
// QGuiApplication (for the fonts); throws IoError when the file cannot be written.
void WriteMap(const MapPicture& picture, const std::string& path);
void WriteProfile(const ProfilePicture& picture, const std::string& path);

// The bytes of the PNG or SVG file WriteMap or WriteProfile would write, for a caller that
// writes the file itself.
std::string MapFileBytes(const MapPicture& picture, const std::string& path);
std::string ProfileFileBytes(const ProfilePicture& picture, const std::string& path);

// A picture holds its points while it is drawn, and an SVG map keeps one element per cell:
// throws BadRequestError, saying how large it would be, for one too large to make. Called
// before any point is computed.
inline constexpr std::size_t kMaxPicturePoints = 1000000;
inline constexpr std::size_t kMaxSvgCells = 250000;
void CheckPictureSize(std::size_t points, bool map, const std::string& path);

// True for a path ending in .png or .svg.
bool IsPicturePath(const std::string& path);

}  // namespace varnel
