// SPDX-License-Identifier: GPL-3.0-or-later
#include "command/decimal_separator.h"

#include <atomic>

namespace varnel {
namespace {

std::atomic<char32_t> g_separator{U'.'};

std::string EncodeUtf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

char32_t DecimalSeparator() {
    return g_separator.load(std::memory_order_relaxed);
}

void SetDecimalSeparator(char32_t separator) {
    g_separator.store(separator, std::memory_order_relaxed);
}

std::string DecimalSeparatorText() {
    return EncodeUtf8(DecimalSeparator());
}

}  // namespace varnel
