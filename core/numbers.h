// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "core/checked32.h"

namespace ostrel {

// Conversions between field texts and numbers. Texts are UTF-8. The decimal
// separator is the user's locale's and is always supplied by the caller
// (usually "." or ","); it must be non-empty and contain no digit, blank,
// sign or letter E. Nothing here consults the C or C++ locale.

// True when the text is, in this order: any number of spaces, an optional
// + or -, a mantissa (digits with an optional separator and more digits, or
// the separator and at least one digit), an optional exponent (E or e, an
// optional sign, digits), any number of spaces. Nothing else is numeric:
// not tabs, digit grouping, "inf", "nan" or hexadecimal forms.
[[nodiscard]] bool IsNumericText(std::string_view text, std::string_view decimalSeparator);

// The correctly rounded value of a numeric text. ConversionError when the text
// is not numeric; OverflowError when its magnitude is beyond binary64. A value
// too small for binary64 (1E-400) becomes zero with the text's sign.
[[nodiscard]] double TextToReal(std::string_view text, std::string_view decimalSeparator);

// The nearest whole number, an exact half going to the even neighbour.
// OverflowError when the rounded value is outside the 32-bit range or the
// real is not finite.
[[nodiscard]] Checked32 RealToWhole(double value);

// RealToWhole of TextToReal, with the errors of both.
[[nodiscard]] Checked32 TextToWhole(std::string_view text, std::string_view decimalSeparator);

// Decimal digits, "-" before a negative value; no blank, plus sign, grouping
// or leading zero.
[[nodiscard]] std::string WholeToText(Checked32 value);

}  // namespace ostrel
