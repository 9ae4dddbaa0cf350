// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "plot/picture_size.h"
#include "study/field_study.h"

class QPainter;

// Pictures of the field studies, painted onto whatever the caller paints on: an image, an SVG
// generator, a widget in its paintEvent. Each picture is laid out on a canvas of its style's
// size (kPictureWidth x kPictureHeight units unless told) scaled to the area it is given. Text
// has a fixed size in canvas units (kPictureTextUnits for the ticks), so a window that keeps its
// text at one size in points sets the canvas to its own size over the text's scale, and the
// plot, not the text, grows with the window.
namespace varnel {

inline constexpr int kPictureWidth = 1000;
inline constexpr int kPictureHeight = 760;
inline constexpr double kPictureTextUnits = 13;

// What the cells' colour shows: the deviation from B0d in bands, or |B| on a scale.
enum class MapColour { Deviation, Modulus };

// The words a map is labelled with; a window gives them in its user's language.
struct MapTexts {
    QString xAxis = QStringLiteral("x (radial), mm");
    QString zAxis = QStringLiteral("z (axial), mm");
    QString deviationKey = QStringLiteral("|B| / B0d − 1");
    QString modulusKey = QStringLiteral("|B|, mT");
    QString bands[5] = {QStringLiteral("within 0.01 %"), QStringLiteral("within 0.1 %"),
                        QStringLiteral("within 1 %"), QStringLiteral("within 10 %"),
                        QStringLiteral("beyond 10 %")};
    QString noValue = QStringLiteral("no value");
    QString winding = QStringLiteral("winding");
    QString contours = QStringLiteral("0.01, 0.1, 1, 10 %");
    QString fieldLines = QStringLiteral("field lines");
    QString sphere = QStringLiteral("uniform sphere");
};

// What a map shows besides its cells.
struct MapStyle {
    bool title = true;     // the heading and the geometry line
    bool key = true;       // the colour key beside the map
    bool windings = true;  // the coils' cross-sections and the axis
    MapColour colour = MapColour::Deviation;
    bool contours = true;     // lines where |B| / B0d - 1 reaches 0.01, 0.1, 1 and 10 %
    bool fieldLines = false;  // contours of the flux function, where the picture has it
    long double sphere = 0;   // radius of a sphere about the centre to outline, m; 0: none
    // The |B| scale's limits, T (top 0: the strongest field outside the windings; bottom
    // 0: zero, or three decades below the top on a logarithmic scale) and its kind.
    long double modulusTop = 0;
    long double modulusBottom = 0;
    bool logScale = false;
    MapTexts texts;
    // The decimal separator of the numbers on the axes and the key; a window gives its user's.
    QChar decimalSeparator = u'.';
    QSizeF canvas{kPictureWidth, kPictureHeight};  // the units the picture is laid out in
};

// A heat map of |B|/B0d - 1 in colour bands over a grid, the coils' cross-sections to scale,
// axes in mm, a colour key and a title with the geometry.
struct MapPicture {
    std::vector<FieldPoint> points;  // as FieldGrid gives them, z varying fastest
    GridRange x, z;
    CalcRecord rec;          // the geometry, the turns and the current of the study
    long double centre = 0;  // B0d, T
    MapStyle style;
    // The flux function r A_phi at the same points (empty: no field lines) and the step
    // between field lines, Wb/rad (see study/map_flux.h).
    std::vector<double> flux;
    double fluxStep = 0;
};

// One field line of a map: a contour of the flux function at `psi`, as the segments of the
// cells it crosses, in metres (x, z).
struct FieldLine {
    double psi = 0;
    std::vector<QLineF> segments;
};
std::vector<FieldLine> FieldLinesOf(const MapPicture& picture);

struct ProfileStyle {
    bool title = true;   // the heading and the geometry line
    bool legend = true;  // the curves' names beside the plot
    // Places along the line to mark with an upright dashed line, m, and the key's word for
    // them (the uniform extents, for example).
    std::vector<long double> marks;
    QString marksLabel;
    QString axisLabel;  // empty: "z (axial), mm" or "x (radial), mm"
    // The words the plot is labelled with; a window gives them in its user's language.
    QString valueLabel = QStringLiteral("B, mT");
    QString curveNames[3] = {QStringLiteral("Bz"), QStringLiteral("Bx"), QStringLiteral("|B|")};
    // Above 0: one curve, |B| / B0d - 1 times this (100 for %, 1e6 for ppm), named so.
    double deviationScale = 0;
    QString deviationName = QStringLiteral("|B| / B0d - 1");
    // The stretch of the line shown, mm; from >= to: all of it.
    double from = 0, to = 0;
    // The decimal separator of the numbers on the axes; a window gives its user's.
    QChar decimalSeparator = u'.';
    QSizeF canvas{kPictureWidth, kPictureHeight};  // the units the picture is laid out in
};

// |B|, Bz and Bx along a line, in mT over mm.
struct ProfilePicture {
    std::vector<FieldPoint> points;  // as FieldProfile gives them
    bool alongZ = true;
    long double at = 0;  // the other coordinate of the line, m
    CalcRecord rec;
    ProfileStyle style;
    // A line at any slant: from (lineX, lineZ), m, along the unit vector (lineUx, lineUz);
    // positions are the distance along it.
    bool slanted = false;
    long double lineX = 0, lineZ = 0, lineUx = 0, lineUz = 1;
};

// Where PaintProfile puts its plot on the canvas and the ranges it spans: the position along
// the line, mm, and the value (mT, or the deviation in its unit). None without a point.
struct ProfileFrame {
    QRectF area;
    double s0 = 0, s1 = 1, v0 = 0, v1 = 1;
};
std::optional<ProfileFrame> FrameOfProfile(const ProfilePicture& picture);
// A point's position along the profile's line, mm.
double ProfilePosition(const ProfilePicture& picture, const FieldPoint& point);

void PaintMap(QPainter& painter, const QRectF& area, const MapPicture& picture);

// Where PaintMap puts the map's cells when it paints into `area`: the rectangle in the
// painter's coordinates and the x and z it spans, m, z upwards. For the point under a mouse.
struct MapLayout {
    QRectF cells;
    double x0 = 0, x1 = 1, z0 = 0, z1 = 1;
};
MapLayout LayoutOfMap(const QRectF& area, const MapPicture& picture);
// The part of the canvas a map's drawing covers (cells, axes, key), in canvas units. A window
// fits this part to its area, letting the empty rest of the canvas fall outside. Measures the
// key's words, so needs a QGuiApplication.
QRectF DrawnPartOfMap(const MapPicture& picture);
void PaintProfile(QPainter& painter, const QRectF& area, const ProfilePicture& picture);

// The picture as the bytes of a PNG or SVG file, by the path's extension, at the canvas size,
// for the caller to write (with an atomic replace). Needs a QGuiApplication, for the fonts.
std::string MapFileBytes(const MapPicture& picture, const std::string& path);
std::string ProfileFileBytes(const ProfilePicture& picture, const std::string& path);

}  // namespace varnel
