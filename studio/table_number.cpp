// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/table_number.h"

namespace varnel::studio {

QString TableNumber(double value, int digits, const QLocale& locale) {
    // No digit groups, as in the calculator's texts beside them ("1234.57", not "1,234.57"),
    // and no "-0": a value of nothing reads as nothing, whatever its sign.
    QLocale plain = locale;
    plain.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value == 0 ? 0.0 : value, 'g', digits);
}

}  // namespace varnel::studio
