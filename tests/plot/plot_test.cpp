// SPDX-License-Identifier: GPL-3.0-or-later
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "plot/pictures.h"

namespace varnel {
namespace {

// One grid cell of deviation `deviation` at x = 50 mm, z = 0: away from the windings and the
// axis, so the cell's middle shows only its band colour.
MapPicture OneCell(long double deviation) {
    MapPicture picture;
    picture.x = {0.05L, 0.05L, 1};
    picture.z = {0, 0, 1};
    picture.rec.R1 = 0.01L;
    picture.rec.R2 = 0.02L;
    picture.rec.H = 0.03L;
    picture.rec.hh = 0.01L;
    picture.centre = 0.006L;
    FieldPoint p;
    p.x = 0.05L;
    p.deviation = deviation;
    picture.points.push_back(p);
    return picture;
}

// Paints onto an image at half the canvas size, as a widget would in its paintEvent.
QImage Painted(const MapPicture& picture) {
    QImage image(kPictureWidth / 2, kPictureHeight / 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintMap(painter, QRectF(0, 0, image.width(), image.height()), picture);
    painter.end();
    return image;
}

// On the canvas a single cell fills a square of 610 units from (90, 80) (the room left of the
// key is 660 x 610 units); its middle is at (395, 385), at half size (197, 192). The key's first
// swatch starts at 30 units right of the map and 30 below its top: (730, 110), 28 x 20.
TEST(PaintMap, CellsTakeTheirBandsColourAndTheKeyFollowsItsStyle) {
    const struct {
        long double deviation;
        QColor colour;
    } cases[] = {
        {0, QColor(0, 104, 55)},        {-5e-4L, QColor(102, 189, 99)},
        {5e-3L, QColor(255, 224, 102)}, {-0.05L, QColor(244, 109, 67)},
        {0.5L, QColor(165, 0, 38)},
    };
    for (const auto& c : cases) {
        const QImage image = Painted(OneCell(c.deviation));
        EXPECT_EQ(image.pixelColor(197, 192), c.colour) << static_cast<double>(c.deviation);
    }
    MapPicture picture = OneCell(0);
    EXPECT_EQ(Painted(picture).pixelColor(372, 60), QColor(0, 104, 55));  // the first swatch
    picture.style.key = false;
    EXPECT_EQ(Painted(picture).pixelColor(372, 60), QColor(Qt::white));
}

TEST(PaintMap, APointWithoutAValueIsGrey) {
    MapPicture picture = OneCell(0);
    picture.points[0].status = "Введите x >= 0";
    EXPECT_EQ(Painted(picture).pixelColor(197, 192), QColor(200, 200, 200));
}

// The single cell's square spans x 90..700 and y 80..690 of the canvas. Without a title the
// drawn part starts 14 above the cells (the top tick's label), ends 50 below them (the axis's
// name) and, with the key, reaches past the key's swatches (730 + 28) to its longest word.
TEST(DrawnPartOfMap, HoldsTheCellsAxesAndKeyAndNoMore) {
    MapPicture picture = OneCell(0);
    picture.style.title = false;
    const QRectF drawn = DrawnPartOfMap(picture);
    EXPECT_NEAR(drawn.left(), 0, 1e-9);
    EXPECT_NEAR(drawn.top(), 66, 1e-9);
    EXPECT_NEAR(drawn.bottom(), 740, 1e-9);
    EXPECT_GT(drawn.right(), 730 + 38);
    EXPECT_LE(drawn.right(), kPictureWidth);

    picture.style.texts.sphere = QString(16, QLatin1Char('W'));
    picture.style.sphere = 0.01L;
    EXPECT_GT(DrawnPartOfMap(picture).right(), drawn.right());
    picture.style.key = false;
    EXPECT_NEAR(DrawnPartOfMap(picture).right(), 712, 1e-9);
    picture.style.title = true;
    EXPECT_NEAR(DrawnPartOfMap(picture).top(), 0, 1e-9);
}

}  // namespace
}  // namespace varnel

int main(int argc, char** argv) {
    // Fonts need a GUI application; an offscreen one opens no window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
