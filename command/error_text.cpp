// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/error_text.h"

namespace varnel {

std::string ErrorDisplayText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

}  // namespace varnel
