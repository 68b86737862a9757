// SPDX-License-Identifier: MIT
#include "bench/reference.h"

#include <cmath>

namespace ostrel::bench {

PlainReach UncheckedReach(std::int64_t fv, std::int64_t gev, std::int64_t ep) {
    std::int64_t fvb = 0;
    std::int64_t left = ep;
    std::int64_t bought = 0;
    std::int64_t spent = 0;
    if (ep + fv <= gev) {
        fvb = ep + fv;
        left = 0;
    }
    if (left + fv > gev && fv < gev) {
        left -= gev - fv;
        while (spent + bought + 1 <= left) {
            spent += bought + 1;
            ++bought;
        }
        left -= spent;
        fvb = gev + bought;
    }
    if (fv >= gev) {
        const std::int64_t d = fv - gev;
        while (spent + bought + 1 + d <= left) {
            spent += bought + 1 + d;
            ++bought;
        }
        left -= spent;
        fvb = fv + bought;
    }
    return {fvb, left};
}

std::int64_t UncheckedCost(std::int64_t fv, std::int64_t gev, std::int64_t fvb) {
    std::int64_t result = 0;
    if (fvb <= gev && fv <= gev) {
        result = fvb - fv;
    }
    if (fvb > gev && fv >= gev) {
        const auto a = static_cast<double>(fvb - gev);
        const auto b = static_cast<double>(fv - gev);
        result = std::llrint((a * a / 2.0 + a / 2.0) - (b * b / 2.0 + b / 2.0));
    }
    if (fvb > gev && fv <= gev) {
        const auto a = static_cast<double>(fvb - gev);
        const auto c = static_cast<double>(gev - fv);
        result = std::llrint((a * a / 2.0 + c) + a / 2.0);
    }
    return result;
}

}  // namespace ostrel::bench
