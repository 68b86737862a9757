// SPDX-License-Identifier: MIT
#include "core/real.h"

#include <cfloat>
#include <cmath>

#include "core/errors.h"

namespace ostrel {
namespace {

// Rounds a real to binary64. Where the compiler evaluates in wider registers
// (x87), going through memory drops the excess precision and range.
double ToBinary64(double value) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0
    volatile double stored = value;
    return stored;
#else
    return value;
#endif
}

}  // namespace

double RealAdd(double a, double b) {
    return ToBinary64(a + b);
}
double RealSubtract(double a, double b) {
    return ToBinary64(a - b);
}
double RealHalf(double a) {
    return ToBinary64(a / 2.0);
}

double TestReal(double value) {
    value = ToBinary64(value);
    if (std::isnan(value)) {
        throw RealError("invalid real operation (not a number)");
    }
    if (std::isinf(value)) {
        throw RealError("real result beyond the range of binary64");
    }
    return value;
}

}  // namespace ostrel
