#pragma once

#include <stdexcept>
#include <string>

namespace varnel {

// A text that is not a number. The message names the text as it was converted.
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(const std::string& message) : std::runtime_error(message) {}
};

// Overflow, division by zero or an invalid operation during a calculation.
class ArithmeticError : public std::runtime_error {
  public:
    explicit ArithmeticError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace varnel
