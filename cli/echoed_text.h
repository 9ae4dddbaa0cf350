// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace varnel {

// A text echoed into CSV as a spreadsheet will not run it: one starting with "=", "+", "@",
// "-", a tab or CR gets a leading apostrophe, unless the whole text is a number ("-1E-3",
// "+2"), which stays as it is.
std::string SpreadsheetSafe(std::string_view text);

// A text shown on a terminal with its control characters (C0, DEL, and C1 in UTF-8) written as
// \xHH, so that an escape sequence in an input is seen, not obeyed; a backslash itself
// becomes "\\". Other UTF-8 text passes unchanged.
std::string TerminalSafe(std::string_view text);

// Whether the descriptor is a terminal, where TerminalSafe is wanted.
bool IsTerminal(int fd);

}  // namespace varnel
