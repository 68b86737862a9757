// SPDX-License-Identifier: MIT
#pragma once

#include "core/checked32.h"

namespace ostrel {

// Raising a skill from L to L + 1 costs 1 EP while L + 1 is at most GEV and
// (L + 1 - GEV) EP above it: the n-th point above GEV costs n, so the first n
// points above GEV cost Tri(n) = n(n + 1)/2 together.
//
// Both rules take any Checked32 values; for unusual ones (lowering a skill, a
// negative budget) the outcome is what the steps give and is relied on. Every
// whole-number step is checked and may raise OverflowError; EpCost may raise
// RealError. The callers' entry checks keep ordinary input far from both.

// The EP it costs to take a skill from fv to fvb for the base value gev.
// Lowering a skill gives a negative cost, except from above gev to gev or
// below, which gives 0.
[[nodiscard]] Checked32 EpCost(Checked32 fv, Checked32 gev, Checked32 fvb);

struct Reach {
    Checked32 fvb;   // the highest skill value the budget buys
    Checked32 left;  // the EP left over

    friend bool operator==(const Reach&, const Reach&) = default;
};

// How far a budget of ep buys a skill up from fv for the base value gev, buying
// whole points only, and what is left. A negative budget buys nothing. Below
// gev it lowers the skill by as much and leaves 0 (5, 10, -3 gives 2, 0). From
// gev or above the skill stays where it is, and what is left is the budget as
// it came while fv + ep stays above gev (12, 10, -1 gives 12, -1), else 0
// (12, 10, -5 gives 12, 0).
[[nodiscard]] Reach FvbReach(Checked32 fv, Checked32 gev, Checked32 ep);

}  // namespace ostrel
