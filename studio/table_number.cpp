// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/table_number.h"

#include <cmath>

namespace varnel::studio {

QString TableNumber(double value, const QLocale& locale) {
    // No "-0": a value that rounds to nothing reads as nothing.
    if (value == 0 || !std::isfinite(value))
        return locale.toString(value == 0 ? 0.0 : value, 'g', kTableDigits);
    return locale.toString(value, 'g', kTableDigits);
}

}  // namespace varnel::studio
