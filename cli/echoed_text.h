// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "study/csv_table.h"  // SpreadsheetSafe, which CSV tables share

namespace varnel {

// A text shown on a terminal with its control characters (C0, DEL, and C1 in UTF-8) written as
// \xHH, so that an escape sequence in an input is seen, not obeyed; a backslash itself
// becomes "\\". Other UTF-8 text passes unchanged.
std::string TerminalSafe(std::string_view text);

// Whether the descriptor is a terminal, where TerminalSafe is wanted.
bool IsTerminal(int fd);

}  // namespace varnel
