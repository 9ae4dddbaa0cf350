#pragma once

#include <QIcon>
#include <QPixmap>

namespace varnel::ui {

// The axial section of the coil pair with its dimensions and the field at a point, 191 x 182.
QPixmap DrawSketch();

// The program's icon: two coil blocks on one axis, on grey.
QIcon DrawWindowIcon();

// The glyph of the exit button: an open door.
QIcon DrawExitGlyph();

}  // namespace varnel::ui
