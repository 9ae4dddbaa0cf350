// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace varnel {

// The decimal separator of number text, one character for the whole process. The window sets
// it from the user's regional settings; everything else only reads it. "." until set.
char32_t DecimalSeparator();
void SetDecimalSeparator(char32_t separator);

// The separator as UTF-8, as it appears in texts.
std::string DecimalSeparatorText();

}  // namespace varnel
