// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

namespace varnel::studio {

// Each of the studio's tables shows every number that is not one of the calculator's own texts
// with one number of significant digits, chosen once for the table, in the user's number
// format; the unit is in the column's or the row's title.
// The numbers: the exact values beside the calculator's four digits, enough to see how far
// they part.
inline constexpr int kNumbersDigits = 6;
// The designs: as many as the calculator shows, so seventeen columns fit beside each other.
inline constexpr int kDesignDigits = 4;

QString TableNumber(double value, int digits, const QLocale& locale = QLocale());

}  // namespace varnel::studio
