// SPDX-License-Identifier: MIT
#include "core/cost_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/numbers.h"
#include "core/real.h"

namespace ostrel {

Checked32 EpCost(Checked32 fv, Checked32 gev, Checked32 fvb) {
    // The three cases are tested in turn and each that holds assigns the
    // result; when fv == gev < fvb the second and third both hold and give
    // the same value.
    Checked32 result = 0;
    if (fvb <= gev && fv <= gev) {
        result = fvb - fv;
    }
    if (fvb > gev && fv >= gev) {
        // Tri(fvb - gev) - Tri(fv - gev), grouped as
        // ((a·a / 2) + (a / 2)) - ((b·b / 2) + (b / 2)).
        const Checked32 a = fvb - gev;
        const Checked32 b = fv - gev;
        const double aSquared = (a * a).ToReal();
        const double bSquared = (b * b).ToReal();
        const double total = RealSubtract(RealAdd(RealHalf(aSquared), RealHalf(a.ToReal())),
                                          RealAdd(RealHalf(bSquared), RealHalf(b.ToReal())));
        result = RealToWhole(TestReal(total));
    }
    if (fvb > gev && fv <= gev) {
        // (gev - fv) points at 1 EP, then Tri(fvb - gev), grouped as
        // ((a·a / 2) + c) + (a / 2).
        const Checked32 a = fvb - gev;
        const Checked32 c = gev - fv;
        const double aSquared = (a * a).ToReal();
        const double total = RealAdd(RealAdd(RealHalf(aSquared), c.ToReal()), RealHalf(a.ToReal()));
        result = RealToWhole(TestReal(total));
    }
    return result;
}

namespace {

using Wide = std::int64_t;

// The EP that k points cost together when the first costs d + 1 and each
// further one 1 more: k·d + Tri(k). Exact for 0 <= d < 2^31, 0 <= k <= 2^17.
Wide PriceOf(Wide d, Wide k) {
    return k * d + k * (k + 1) / 2;
}

// The most points k >= 0 with PriceOf(d, k) <= budget, for 0 <= d < 2^31.
//
// PriceOf(d, k) <= budget is k² + (2d + 1)k <= 2·budget, so k is the whole
// part of (√((2d + 1)² + 8·budget) − (2d + 1)) / 2. That root is only a first
// guess: the answer is settled by the exact tests below, which reach it from
// any guess in [0, 2^16] (PriceOf(0, 2^16) is beyond every 32-bit budget), so
// neither the real arithmetic's rounding nor the x87's wider registers can
// change it. The guess is off by far less than one point (the root's error is
// below 2^-20), so the tests take at most one step.
Wide MostPoints(Wide d, Wide budget) {
    if (budget < d + 1) {
        return 0;  // not even the first point; also every negative budget
    }
    const auto b = static_cast<double>(2 * d + 1);
    const double root = std::sqrt(b * b + 8.0 * static_cast<double>(budget));
    auto k = static_cast<Wide>(std::clamp((root - b) / 2.0, 0.0, 65536.0));
    while (k > 0 && PriceOf(d, k) > budget) {
        --k;
    }
    while (PriceOf(d, k + 1) <= budget) {
        ++k;
    }
    return k;
}

struct Bought {
    Checked32 points;  // whole points bought
    Checked32 spent;   // what they cost together
};

// Buys as many points as the budget pays for, the k-th costing d + k (d >= 0),
// with the outcome of buying them one at a time by checked steps, down to
// which step raises OverflowError and on what operands. That loop starts from
// the price d + 1; each pass adds the price to the EP spent, stops if the sum
// exceeds the budget, and otherwise buys the point and adds 1 to the price.
// Buying k points, it forms d + 1 and then nothing above the EP spent,
// PriceOf(d, k) <= budget, until its last two steps: the price (d + k) + 1
// when k >= 1, and the stopping test's sum PriceOf(d, k) + (d + k + 1). Those
// three are formed here, in that order and on the same operands.
Bought BuyPoints(Checked32 d, Checked32 budget) {
    const Checked32 firstPrice = d + 1;
    const Wide k = MostPoints(d.Value(), budget.Value());
    // Once k >= 1, both PriceOf(d, k) and d + k are at most the budget.
    const auto spent = static_cast<std::int32_t>(PriceOf(d.Value(), k));
    const Checked32 nextPrice =
        k == 0 ? firstPrice : Checked32(static_cast<std::int32_t>(d.Value() + k)) + 1;
    // The sum that ends the buying: above the budget whenever it fits.
    static_cast<void>(Checked32(spent) + nextPrice);
    return {static_cast<std::int32_t>(k), spent};
}

}  // namespace

Reach FvbReach(Checked32 fv, Checked32 gev, Checked32 ep) {
    Checked32 fvb = 0;
    Checked32 left = ep;

    // The whole budget goes at 1 EP a point without passing gev.
    if (ep + fv <= gev) {
        fvb = ep + fv;
        left = 0;
    }
    // From below gev: pay up to gev at 1 EP a point, then the k-th point
    // above gev costs k.
    if (left + fv > gev && fv < gev) {
        left = left - (gev - fv);
        const Bought bought = BuyPoints(0, left);
        left = left - bought.spent;
        fvb = gev + bought.points;
    }
    // From at or above gev: the k-th point bought costs d + k, d being the
    // points already above gev.
    if (fv >= gev) {
        const Bought bought = BuyPoints(fv - gev, left);
        left = left - bought.spent;
        fvb = fv + bought.points;
    }
    return {fvb, left};
}

}  // namespace ostrel
