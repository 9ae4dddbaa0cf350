// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/table_number.h"

namespace varnel::studio {

QString TableNumber(double value, int digits, const QLocale& locale) {
    // No "-0": a value of nothing reads as nothing, whatever its sign.
    return locale.toString(value == 0 ? 0.0 : value, 'g', digits);
}

}  // namespace varnel::studio
