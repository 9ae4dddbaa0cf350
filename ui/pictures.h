// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

namespace varnel::ui {

// Whether the sketch carries its letters; without them it shows its lines alone, which lets a
// test find where the letters fall.
enum class SketchLetters { Drawn, LeftOut };

// The axial section of the coil pair with its dimensions and the field at a point, 191 x 182.
QPixmap DrawSketch(SketchLetters letters = SketchLetters::Drawn);

// The program's icon: two coil blocks on one axis, on grey, painted on a 32 x 32 square (scale
// the painter for other sizes). The window icon and the installed SVG and PNGs all use it.
void PaintIcon(QPainter& p);

// The icon at the sizes a desktop asks for.
QIcon DrawWindowIcon();

// The glyph of the exit button: an open door.
QIcon DrawExitGlyph();

}  // namespace varnel::ui
