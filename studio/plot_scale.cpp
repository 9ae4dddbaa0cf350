// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/plot_scale.h"

#include <QFontInfo>
#include <algorithm>

#include "plot/pictures.h"

namespace varnel::studio {

PlotScale ScaleForText(QSizeF pixels, const QFont& font, QSizeF least) {
    const double text = QFontInfo(font).pixelSize() / kPictureTextUnits;
    const double fits = std::min(pixels.width() / least.width(), pixels.height() / least.height());
    const double scale = std::max(1e-3, std::min(text, fits));
    return {pixels / scale, scale};
}

}  // namespace varnel::studio
