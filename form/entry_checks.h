// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "form/calculator_form.h"

namespace ostrel {

// The most characters a user can type or paste into a field.
inline constexpr int kTypedLengthLimit = 8;

// Largest accepted GEV and EP budget. A value equal to the limit passes.
inline constexpr double kGevLimit = 1000;
inline constexpr double kEpLimit = 1000000;
// Largest accepted FV - GEV and FVb - GEV: the largest whole number whose
// square fits in 32 bits (46340² = 2147395600, 46341² = 2147488281).
inline constexpr double kSpreadLimit = 46340;

inline constexpr std::string_view kNotANumberMessage =
    "Ostrel kan endast räkna med siffror, såsom 1, 2 och 3.";
inline constexpr std::string_view kBadGevMessage = "Ogiltigt GEV!";
inline constexpr std::string_view kBadEpMessage = "Ogiltigt antal EP!";
inline constexpr std::string_view kSpreadMessage =
    "VB overflow! Programmet klarar inte så stora skillnader mellan FV/FVb och GEV";

// The checks a command starts with. A check that fires shows its message and
// repairs by writing "0"; it never ends the command. Number errors from the
// conversions are not caught.

// Not numeric: the not-a-number message, then "0" into the field.
void NumericCheck(CalculatorForm& form, Field field);

// Above the limit, compared as reals: the message, then "0" into the field.
// ConversionError when the text is not numeric.
void LimitCheck(CalculatorForm& form, Field field, double limit, std::string_view message);

// The field (Text1 or Text3) minus GEV (Text2) above kSpreadLimit, compared as
// reals: the spread message, then "0" into all four fields in order. Only an
// upward spread counts. ConversionError for a non-numeric text, RealError for
// a difference beyond binary64.
void SpreadCheck(CalculatorForm& form, Field field);

}  // namespace ostrel
