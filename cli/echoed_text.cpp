// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/echoed_text.h"

#include <unistd.h>

#include <cstdio>

namespace varnel {
namespace {

std::string Hex(unsigned char c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
    return buffer;
}

}  // namespace

std::string TerminalSafe(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            shown += Hex(c);
        } else if (c == '\\') {
            shown += "\\\\";
        } else if (c == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080..U+009F: the C1 controls, CSI among them.
            shown += Hex(c) + Hex(static_cast<unsigned char>(text[i + 1]));
            ++i;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

bool IsTerminal(int fd) {
    return isatty(fd) == 1;
}

}  // namespace varnel
