// SPDX-License-Identifier: MIT
#pragma once

namespace ostrel {

// The real arithmetic of the rules and checks: binary64 subtraction, addition
// and halving. Each result is rounded to binary64 as it is formed, so a build
// whose floating point works in wider registers (x87) computes exactly what
// an SSE build computes.
[[nodiscard]] double RealAdd(double a, double b);
[[nodiscard]] double RealSubtract(double a, double b);
[[nodiscard]] double RealHalf(double a);

// Raises RealError when a real result is not a number or is infinite;
// otherwise returns it unchanged.
double TestReal(double value);

}  // namespace ostrel
