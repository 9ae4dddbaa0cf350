// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>

class QFont;

namespace varnel::studio {

// How a widget paints a picture of the plot library: on a canvas of `canvas` units, each unit
// `scale` pixels. The scale puts the picture's text at the size of the widget's own font, so
// the plot, not its text, grows with the window; only a widget too small for a canvas of
// `least` units shrinks the whole picture, text and all.
struct PlotScale {
    QSizeF canvas;
    double scale = 1;
};
PlotScale ScaleForText(QSizeF pixels, const QFont& font, QSizeF least);

// The least canvases the pictures lay out in without crowding: the map with its colour key, one
// profile with its legend.
inline constexpr QSizeF kLeastMapCanvas{540, 430};
inline constexpr QSizeF kLeastProfileCanvas{560, 250};

}  // namespace varnel::studio
