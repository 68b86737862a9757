#pragma once

#include <stdexcept>
#include <string>

namespace ostrel {

// The three errors of the number layer. Nothing in the rules or the commands
// catches them; they end the running command and are reported by the window.
// They share one base so that a caller can catch them in one place and name
// their kind.
class NumberError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;

    // The identifier of the error's kind: "OverflowError", "ConversionError"
    // or "RealError".
    [[nodiscard]] virtual const char* Kind() const noexcept = 0;
};

// A whole-number result outside the 32-bit range, or a text whose value lies
// beyond binary64.
class OverflowError final : public NumberError {
  public:
    using NumberError::NumberError;
    [[nodiscard]] const char* Kind() const noexcept override { return "OverflowError"; }
};

// A text that is not numeric was converted to a number.
class ConversionError final : public NumberError {
  public:
    using NumberError::NumberError;
    [[nodiscard]] const char* Kind() const noexcept override { return "ConversionError"; }
};

// A real intermediate result that is not a number or is beyond binary64.
class RealError final : public NumberError {
  public:
    using NumberError::NumberError;
    [[nodiscard]] const char* Kind() const noexcept override { return "RealError"; }
};

}  // namespace ostrel
