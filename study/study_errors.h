// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace varnel {

// A study asked for wrongly: a malformed range, an unknown input name, a batch file without
// a header. varnel-calc reports it and exits with 2.
class BadRequestError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
using UsageError = BadRequestError;

// A file that cannot be read or written.
class IoError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace varnel
