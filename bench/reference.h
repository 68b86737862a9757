// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Plain references for the benchmarks: the rules written with 64-bit integers
// and no overflow checks. They exist to be measured against, in the same run,
// and are not used by the product.
namespace ostrel::bench {

struct PlainReach {
    std::int64_t fvb;
    std::int64_t left;
};

// The reach rule's steps, unchecked.
PlainReach UncheckedReach(std::int64_t fv, std::int64_t gev, std::int64_t ep);

// The cost rule's steps, unchecked, with the same real arithmetic.
std::int64_t UncheckedCost(std::int64_t fv, std::int64_t gev, std::int64_t fvb);

}  // namespace ostrel::bench
