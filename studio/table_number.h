// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

namespace varnel::studio {

// The studio's tables show every number that is not one of the calculator's own texts with
// this many significant digits, in the user's number format; the unit is in the column's or
// the row's title.
inline constexpr int kTableDigits = 5;

QString TableNumber(double value, const QLocale& locale = QLocale());

}  // namespace varnel::studio
