// SPDX-License-Identifier: GPL-3.0-or-later
// Where the pictures put things: the map's cells with z upwards and their frame half a cell
// beyond the outer centres, the profiles' positions along their lines, the field lines on their
// flux function. Inputs asymmetric, so that a flip or a swap moves something.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "plot/pictures.h"

namespace varnel {
namespace {

// Two columns (x 40 and 50 mm) of two cells (z 0 and 20 mm): uniform (within 0.01 %) at z = 0,
// far from it (50 %) at z = 20 mm. No windings, contours, title or key: only the cells.
MapPicture TwoByTwo() {
    MapPicture picture;
    picture.x = {0.04L, 0.05L, 2};
    picture.z = {0, 0.02L, 2};
    picture.rec.R1 = 0.2L;
    picture.rec.R2 = 0.3L;
    picture.rec.H = 0.1L;
    picture.rec.hh = 0.1L;
    picture.centre = 0.001L;
    picture.style.title = false;
    picture.style.key = false;
    picture.style.windings = false;
    picture.style.contours = false;
    for (const long double x : {0.04L, 0.05L}) {
        for (const long double z : {0.0L, 0.02L}) {
            FieldPoint p;
            p.x = x;
            p.z = z;
            p.deviation = z > 0 ? 0.5L : 0;
            picture.points.push_back(p);
        }
    }
    return picture;
}

// The frame reaches half a cell beyond the outer cells' centres: x 35 to 55 mm, z -10 to 30.
TEST(PictureGeometry, MapFrameHoldsWholeCells) {
    const MapPicture picture = TwoByTwo();
    const MapLayout layout = LayoutOfMap(QRectF(0, 0, kPictureWidth, kPictureHeight), picture);
    EXPECT_NEAR(layout.x0, 0.035, 1e-12);
    EXPECT_NEAR(layout.x1, 0.055, 1e-12);
    EXPECT_NEAR(layout.z0, -0.01, 1e-12);
    EXPECT_NEAR(layout.z1, 0.03, 1e-12);
}

// z runs upwards: the far-from-uniform cells (z = 20 mm) take the top half of the map, in the
// band "beyond 10 %", the uniform ones the bottom half, "within 0.01 %".
TEST(PictureGeometry, MapCellsRunUpwardsInZ) {
    const MapPicture picture = TwoByTwo();
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        PaintMap(p, QRectF(0, 0, kPictureWidth, kPictureHeight), picture);
    }
    const QRectF cells = LayoutOfMap(QRectF(0, 0, kPictureWidth, kPictureHeight), picture).cells;
    for (const double fx : {0.25, 0.75}) {
        const int x = static_cast<int>(cells.left() + fx * cells.width());
        const QColor top =
            image.pixelColor(x, static_cast<int>(cells.top() + 0.25 * cells.height()));
        const QColor bottom =
            image.pixelColor(x, static_cast<int>(cells.top() + 0.75 * cells.height()));
        EXPECT_EQ(top, QColor(165, 0, 38)) << fx;
        EXPECT_EQ(bottom, QColor(0, 104, 55)) << fx;
    }
}

// A profile is placed by its own coordinate: z along the axis, x across, and along a slanted
// line from (1, 2) mm in the direction (0.6, 0.8) the projection (3 * 0.6 + 4 * 0.8) mm.
TEST(PictureGeometry, ProfilePositionsFollowTheirLine) {
    FieldPoint point;
    point.x = 0.004L;
    point.z = 0.006L;
    ProfilePicture along;
    along.alongZ = true;
    EXPECT_NEAR(ProfilePosition(along, point), 6, 1e-12);
    ProfilePicture across;
    across.alongZ = false;
    EXPECT_NEAR(ProfilePosition(across, point), 4, 1e-12);
    ProfilePicture slanted;
    slanted.slanted = true;
    slanted.lineX = 0.001L;
    slanted.lineZ = 0.002L;
    slanted.lineUx = 0.6L;
    slanted.lineUz = 0.8L;
    EXPECT_NEAR(ProfilePosition(slanted, point), 5, 1e-12);
}

// A profile's heading names the line it runs along: along z at x = 7 mm, along x at z = 4 mm.
TEST(PictureGeometry, ProfileHeadingNamesItsLine) {
    for (const bool alongZ : {true, false}) {
        ProfilePicture picture;
        picture.alongZ = alongZ;
        picture.at = alongZ ? 0.007L : 0.004L;
        picture.rec.R1 = 0.02L;
        picture.rec.R2 = 0.035L;
        picture.rec.H = 0.015L;
        picture.rec.hh = 0.012L;
        for (int i = 0; i < 3; ++i) {
            FieldPoint p;
            (alongZ ? p.z : p.x) = 0.005L * i;
            (alongZ ? p.x : p.z) = picture.at;
            p.field.axial = 1e-3L * (3 - i);
            p.field.modulus = p.field.axial;
            picture.points.push_back(p);
        }
        const std::string svg = ProfileFileBytes(picture, "profile.svg");
        const std::string heading =
            alongZ ? "Flux density along z at x = 7 mm" : "Flux density along x at z = 4 mm";
        EXPECT_NE(svg.find(heading), std::string::npos) << heading;
    }
}

// The field lines of psi = x^2 (1 + z), whose field is Bz = (1/x) dpsi/dx = 2 (1 + z) and
// Bx = -(1/x) dpsi/dz = -x. Along the cells' edges psi is quadratic in x and linear in z, so
// the cubic through the ends' values and the slopes the field gives is psi itself: every end
// of every segment lies on its level to the bisection's precision.
TEST(PictureGeometry, FieldLinesLieOnTheirLevels) {
    MapPicture picture;
    constexpr int kN = 5;
    picture.x = {0.5L, 1.5L, kN};
    picture.z = {0, 1, kN};
    picture.fluxStep = 0.3;
    auto psi = [](double x, double z) { return x * x * (1 + z); };
    for (int i = 0; i < kN; ++i) {
        for (int j = 0; j < kN; ++j) {
            const double x = 0.5 + 0.25 * i, z = 0.25 * j;
            FieldPoint p;
            p.x = x;
            p.z = z;
            p.field.axial = 2 * (1 + z);
            p.field.radial = -x;
            picture.points.push_back(p);
            picture.flux.push_back(psi(x, z));
        }
    }
    const std::vector<FieldLine> lines = FieldLinesOf(picture);
    ASSERT_GE(lines.size(), 5u);
    std::size_t ends = 0;
    for (const FieldLine& line : lines) {
        for (const QLineF& s : line.segments) {
            for (const QPointF& e : {s.p1(), s.p2()}) {
                EXPECT_NEAR(psi(e.x(), e.y()), line.psi, 1e-9) << e.x() << " " << e.y();
                ++ends;
            }
        }
    }
    EXPECT_GT(ends, 20u);
}

}  // namespace
}  // namespace varnel
