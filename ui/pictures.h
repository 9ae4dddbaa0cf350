#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace varnel::ui {

// The axial section of the coil pair with its dimensions and the field at a point, 191 x 182.
QPixmap DrawSketch();

// The program's icon: two coil blocks on one axis, on grey, painted on a 32 x 32 square (scale
// the painter for other sizes). The window icon and the installed SVG and PNGs all use it.
void PaintIcon(QPainter& p);

// The icon at the sizes a desktop asks for.
QIcon DrawWindowIcon();

// The glyph of the exit button: an open door.
QIcon DrawExitGlyph();

}  // namespace varnel::ui
