#include "core/cost_rules.h"

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

struct Bought {
    Checked32 points;  // whole points bought
    Checked32 spent;   // what they cost together
};

// Buys points one at a time while the budget lasts, the k-th point costing
// d + k; a point whose price exceeds the budget is not bought.
//
// Each test compares the EP spent on the points bought so far plus the price
// of the next one, s + (d + i + 1), with the budget. All terms are at least 0
// (d is the points already above gev, or 0), so every grouping of them forms
// the same sum and overflows exactly when the sum leaves the range: keeping
// d + i + 1 as a running price puts one checked addition, not two, on the
// chain from one pass to the next.
Bought BuyPoints(Checked32 d, Checked32 budget) {
    Checked32 bought = 0;
    Checked32 spent = 0;
    Checked32 price = d + 1;  // of point bought + 1
    while (true) {
        const Checked32 total = spent + price;  // of bought + 1 points
        if (total > budget) {
            break;
        }
        spent = total;
        bought = bought + 1;
        price = price + 1;
    }
    return {bought, spent};
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
