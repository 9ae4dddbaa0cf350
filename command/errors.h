// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace varnel {

// An error that ends a command and is shown to the user. The message is kept whole: a text
// that is not a number may hold any byte, a NUL included, which what() would cut short.
class CommandError : public std::runtime_error {
  public:
    explicit CommandError(const std::string& message)
        : std::runtime_error(message), message_(message) {}
    const std::string& message() const { return message_; }

  private:
    std::string message_;
};

// A text that is not a number. The message names the text as it was converted.
class ConversionError : public CommandError {
  public:
    using CommandError::CommandError;
};

// Overflow, division by zero or an invalid operation during a calculation.
class ArithmeticError : public CommandError {
  public:
    using CommandError::CommandError;
};

}  // namespace varnel
