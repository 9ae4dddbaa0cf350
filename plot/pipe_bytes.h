// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace varnel {

// Writes every byte to the descriptor, going on after a signal interrupts a write; false when
// a write fails (the reader is gone, the disk is full), errno saying why where the system did.
// Both ends of the picture pipe and varnel-calc's output files write with it.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace varnel
