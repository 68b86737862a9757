// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string_view>

namespace ostrel {

// The kinds of number error. The window's report switches over them, so a
// new kind does not compile until every report handles it.
enum class ErrorKind {
    Overflow,    // OverflowError
    Conversion,  // ConversionError
    Real,        // RealError
};

// "OverflowError", "ConversionError" or "RealError": the name that heads the
// window's report of the error (window/error_report.h) and that the tests
// compare.
[[nodiscard]] constexpr std::string_view ErrorKindName(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::Overflow:
            return "OverflowError";
        case ErrorKind::Conversion:
            return "ConversionError";
        case ErrorKind::Real:
            return "RealError";
    }
    return "";
}

// The three errors of the number layer. Nothing in the rules or the commands
// catches them; they end the running command and are reported by the window.
// They share one base so that a caller can catch them in one place and name
// their kind.
class NumberError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;

    [[nodiscard]] virtual ErrorKind Kind() const noexcept = 0;
};

// A whole-number result outside the 32-bit range, or a text whose value lies
// beyond binary64.
class OverflowError final : public NumberError {
  public:
    using NumberError::NumberError;
    [[nodiscard]] ErrorKind Kind() const noexcept override { return ErrorKind::Overflow; }
};

// A text that is not numeric was converted to a number.
class ConversionError final : public NumberError {
  public:
    using NumberError::NumberError;
    [[nodiscard]] ErrorKind Kind() const noexcept override { return ErrorKind::Conversion; }
};

// A real intermediate result that is not a number or is beyond binary64.
class RealError final : public NumberError {
  public:
    using NumberError::NumberError;
    [[nodiscard]] ErrorKind Kind() const noexcept override { return ErrorKind::Real; }
};

}  // namespace ostrel
