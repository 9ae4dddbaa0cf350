// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace varnel {

// An error message as the user sees it: with a full stop appended when its last character's
// code is above that of "." (a letter, digit or quote), and left alone when it ends in ".",
// ")" or a blank.
std::string ErrorDisplayText(std::string_view message);

}  // namespace varnel
