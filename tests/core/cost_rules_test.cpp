// SPDX-License-Identifier: MIT
#include "core/cost_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "tests/core/outcome.h"

namespace ostrel {
namespace {

using test::Attempt;
using test::Outcome;

// ---------------------------------------------------------------------------
// An independent oracle: the mathematical cost and reach in 64-bit integers,
// from Tri and a binary search, together with whether one of the whole-number
// quantities that the rules form on the way leaves the 32-bit range (which is
// when, and only when, an OverflowError is right).

using Wide = std::int64_t;

bool Fits(Wide v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}
Wide Tri(Wide n) {
    return n * (n + 1) / 2;
}

struct Expected {
    bool overflow = false;
    Wide cost = 0;
    Wide fvb = 0;
    Wide left = 0;
};

Expected OracleCost(Wide fv, Wide gev, Wide fvb) {
    Expected out;
    auto formed = [&](std::initializer_list<Wide> values) {
        for (Wide v : values) {
            out.overflow = out.overflow || !Fits(v);
        }
        return !out.overflow;
    };
    if (fvb <= gev && fv <= gev && formed({fvb - fv})) {
        out.cost = fvb - fv;  // one EP a point, below GEV
    }
    if (fvb > gev && fv >= gev && !out.overflow) {
        const Wide a = fvb - gev;
        const Wide b = fv - gev;
        if (formed({a, b}) && formed({a * a, b * b, Tri(a) - Tri(b)})) {
            out.cost = Tri(a) - Tri(b);
        }
    }
    if (fvb > gev && fv <= gev && !out.overflow) {
        const Wide a = fvb - gev;
        const Wide c = gev - fv;
        if (formed({a, c}) && formed({a * a, Tri(a) + c})) {
            out.cost = Tri(a) + c;
        }
    }
    return out;
}

// The price of raising a skill that stands d points above GEV by k points.
Wide Price(Wide d, Wide k) {
    return k * d + Tri(k);
}

// The most points whose price fits the budget (d >= 0).
Wide MostPoints(Wide d, Wide budget) {
    Wide lo = 0;
    Wide hi = 1 << 17;  // Price(0, 2^17) is beyond any 32-bit budget
    while (lo < hi) {
        const Wide mid = (lo + hi + 1) / 2;
        if (Price(d, mid) <= budget) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

Expected OracleReach(Wide fv, Wide gev, Wide ep) {
    Expected out;
    out.left = ep;
    auto formed = [&](std::initializer_list<Wide> values) {
        for (Wide v : values) {
            out.overflow = out.overflow || !Fits(v);
        }
        return !out.overflow;
    };
    if (!formed({ep + fv})) {
        return out;
    }
    if (ep + fv <= gev) {  // the whole budget at one EP a point
        out.fvb = ep + fv;
        out.left = 0;
    }
    if (!formed({out.left + fv})) {
        return out;
    }
    if (out.left + fv > gev && fv < gev) {
        const Wide budget = out.left - (gev - fv);
        if (!formed({gev - fv, budget})) {
            return out;
        }
        const Wide k = MostPoints(0, budget);
        // The test that stops the buying prices point k + 1.
        if (!formed({Price(0, k + 1), gev + k})) {
            return out;
        }
        out.fvb = gev + k;
        out.left = budget - Price(0, k);
    }
    if (fv >= gev) {
        const Wide d = fv - gev;
        if (!formed({d})) {
            return out;
        }
        const Wide k = out.left < 0 ? 0 : MostPoints(d, out.left);
        if (!formed({Price(d, k + 1), fv + k})) {
            return out;
        }
        out.fvb = fv + k;
        out.left -= Price(d, k);
    }
    return out;
}

// Compares the rules with the oracle at one point; returns false on the first
// disagreement, after recording it.
bool CostAgrees(std::int32_t fv, std::int32_t gev, std::int32_t fvb) {
    const Expected want = OracleCost(fv, gev, fvb);
    const auto got = Attempt([&] { return EpCost(fv, gev, fvb).Value(); });
    const Outcome<std::int32_t> expected =
        want.overflow ? Outcome<std::int32_t>{std::nullopt, "OverflowError"}
                      : Outcome<std::int32_t>{static_cast<std::int32_t>(want.cost), ""};
    EXPECT_EQ(got, expected) << "EpCost(" << fv << ", " << gev << ", " << fvb << ")";
    return got == expected;
}

bool ReachAgrees(std::int32_t fv, std::int32_t gev, std::int32_t ep) {
    const Expected want = OracleReach(fv, gev, ep);
    const auto got = Attempt([&] { return FvbReach(fv, gev, ep); });
    const Outcome<Reach> expected =
        want.overflow ? Outcome<Reach>{std::nullopt, "OverflowError"}
                      : Outcome<Reach>{Reach{static_cast<std::int32_t>(want.fvb),
                                             static_cast<std::int32_t>(want.left)},
                                       ""};
    EXPECT_EQ(got, expected) << "FvbReach(" << fv << ", " << gev << ", " << ep << ")";
    return got == expected;
}

// ---------------------------------------------------------------------------

TEST(EpCost, WorkedValues) {
    struct Row {
        std::int32_t fv, gev, fvb, cost;
    };
    const Row rows[] = {
        {5, 10, 8, 3},
        {10, 12, 15, 8},
        {12, 10, 15, 12},
        {10, 10, 15, 15},
        {10, 10, 10, 0},
        {8, 10, 5, -3},
        {15, 10, 12, -12},
        {12, 10, 9, 0},
        {-5, 10, 20, 70},
        {0, -5, 3, 21},
        {40, 12, 50, 335},
        {5, 10, 15, 20},
        {0, 0, 46340, 1073720970},
        {1, 0, 3, 5},
        {0, 10, 15, 25},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(EpCost(r.fv, r.gev, r.fvb), r.cost) << r.fv << ", " << r.gev << ", " << r.fvb;
    }
    // Overflows that no entry check prevents: far below GEV, the cost grows by
    // gev - fv; and a spread whose square does not fit.
    EXPECT_EQ(Attempt([] { return EpCost(-2100000000, 0, 46340); }).error, "OverflowError");
    EXPECT_EQ(Attempt([] { return EpCost(0, 0, 46341); }).error, "OverflowError");
}

TEST(FvbReach, WorkedValues) {
    struct Row {
        std::int32_t fv, gev, ep, fvb, left;
    };
    const Row rows[] = {
        {5, 10, 3, 8, 0},
        {10, 12, 8, 15, 0},
        {10, 12, 7, 14, 2},
        {10, 12, 2, 12, 0},
        {12, 10, 12, 15, 0},
        {12, 10, 10, 14, 3},
        {10, 10, 0, 10, 0},
        {12, 10, -5, 12, 0},
        {5, 10, -3, 2, 0},
        {12, 10, -1, 12, -1},
        {-5, 10, 100, 22, 7},
        {10, 10, 6, 13, 0},
        {12, 10, 20, 16, 2},
        {12, 10, 2, 12, 2},
        {0, 0, 1000000, 1413, 1009},
        {46340, 0, 1000000, 46361, 26629},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FvbReach(r.fv, r.gev, r.ep), (Reach{r.fvb, r.left}))
            << r.fv << ", " << r.gev << ", " << r.ep;
    }
    EXPECT_EQ(Attempt([] { return FvbReach(-2100000000, 0, -2100000000); }).error, "OverflowError");
}

TEST(CostRules, AgreeWithTheOracleOnSmallBoxes) {
    for (std::int32_t fv = -60; fv <= 60; ++fv) {
        for (std::int32_t gev = -60; gev <= 60; ++gev) {
            for (std::int32_t fvb = -60; fvb <= 60; ++fvb) {
                ASSERT_TRUE(CostAgrees(fv, gev, fvb));
            }
        }
    }
    for (std::int32_t fv = -40; fv <= 40; ++fv) {
        for (std::int32_t gev = -40; gev <= 40; ++gev) {
            for (std::int32_t ep = -50; ep <= 3000; ++ep) {
                ASSERT_TRUE(ReachAgrees(fv, gev, ep));
            }
        }
    }
}

TEST(CostRules, ReachSpendsExactlyWhatTheCostSays) {
    for (std::int32_t fv = -40; fv <= 40; ++fv) {
        for (std::int32_t gev = -40; gev <= 40; ++gev) {
            for (std::int32_t fvb = std::max(fv, gev + 1); fvb <= 80; ++fvb) {
                ASSERT_EQ(FvbReach(fv, gev, EpCost(fv, gev, fvb)), (Reach{fvb, 0}))
                    << fv << ", " << gev << ", " << fvb;
            }
        }
    }
}

// The reach rule as it first stood, buying one point per pass with every step
// checked: the reference that FvbReach must match in value, and in where it
// raises OverflowError, down to the message naming the operands.
Reach StepByStepReach(Checked32 fv, Checked32 gev, Checked32 ep) {
    Checked32 fvb = 0;
    Checked32 left = ep;
    auto buy = [&](Checked32 from, Checked32 d) {
        Checked32 bought = 0;
        Checked32 spent = 0;
        Checked32 price = d + 1;
        while (true) {
            const Checked32 total = spent + price;
            if (total > left) {
                break;
            }
            spent = total;
            bought = bought + 1;
            price = price + 1;
        }
        left = left - spent;
        fvb = from + bought;
    };
    if (ep + fv <= gev) {
        fvb = ep + fv;
        left = 0;
    }
    if (left + fv > gev && fv < gev) {
        left = left - (gev - fv);
        buy(gev, 0);
    }
    if (fv >= gev) {
        buy(fv, fv - gev);
    }
    return {fvb, left};
}

// What a call gave: the reach, or the message of the OverflowError it raised.
template <class F>
std::string Said(F&& reach) {
    try {
        const Reach r = reach();
        return std::to_string(r.fvb.Value()) + " " + std::to_string(r.left.Value());
    } catch (const OverflowError& e) {
        return e.what();
    }
}

// Every point of boxes where the buying is short or ends at the edge of the
// range: small values; the longest buying, whose stopping sum overflows from
// the budget Tri(65535) up; prices about 2^20, where 2048 points cost the
// top of the range or just beyond it; and skills so far above gev that the
// first or second price overflows.
TEST(FvbReach, EqualsBuyingOnePointAtATime) {
    struct Box {
        std::int32_t fv0, fv1, gev0, gev1, ep0, ep1;
    };
    const std::int32_t top = INT32_MAX;
    const std::int32_t tri65535 = 2147450880;
    const Box boxes[] = {
        {-20, 20, -20, 20, -30, 1500},
        {-1, 1, -1, 1, tri65535 - 60, tri65535 + 60},
        {0, 0, -1047564, -1047540, top - 2047, top},
        {-2, 2, INT32_MIN, INT32_MIN + 40, top - 40, top},
        {-2, 2, INT32_MIN, INT32_MIN + 40, -40, 40},
    };
    for (const Box& box : boxes) {
        for (std::int32_t fv = box.fv0; fv <= box.fv1; ++fv) {
            for (std::int32_t gev = box.gev0; gev <= box.gev1; ++gev) {
                for (std::int32_t ep = box.ep0;; ++ep) {
                    ASSERT_EQ(Said([&] { return FvbReach(fv, gev, ep); }),
                              Said([&] { return StepByStepReach(fv, gev, ep); }))
                        << "FvbReach(" << fv << ", " << gev << ", " << ep << ")";
                    if (ep == box.ep1) {
                        break;
                    }
                }
            }
        }
    }
}

// The budgets at which one more point becomes affordable, and one EP short of
// them, for every point count a 32-bit budget reaches. From d (the points above
// gev) of about 2^25.5 on, (2d + 1)² exceeds 2^53 and is rounded, and a square
// root's guess at the count lands on either side of it.
TEST(FvbReach, AgreesWithTheOracleAtEveryPriceStep) {
    struct Span {
        std::int32_t d0, d1;
    };
    const Span spans[] = {{0, 3},
                          {1000, 1000},
                          {46340, 46340},
                          {1 << 20, 1 << 20},
                          {200000000, 200000999},
                          {INT32_MAX - 1, INT32_MAX}};
    for (const Span& span : spans) {
        for (Wide d = span.d0; d <= span.d1; ++d) {
            for (Wide k = 1; Price(d, k) - 1 <= INT32_MAX; ++k) {
                const auto gev = static_cast<std::int32_t>(-d);
                const Wide price = Price(d, k);
                ASSERT_TRUE(ReachAgrees(0, gev, static_cast<std::int32_t>(price - 1)));
                if (price <= INT32_MAX) {
                    ASSERT_TRUE(ReachAgrees(0, gev, static_cast<std::int32_t>(price)));
                }
            }
        }
    }
}

// Values spread over the whole 32-bit range, with extra weight where the rules
// change behaviour: near zero, near the ends of the range and near the largest
// spread whose square fits.
std::int32_t Draw(std::mt19937_64& random) {
    const auto bits = random();
    const auto small = static_cast<std::int32_t>(bits >> 40 & 0xFFF) - 0x800;
    switch (bits & 7) {
        case 0:
            return INT32_MAX - (small & 0x7FF);
        case 1:
            return INT32_MIN + (small & 0x7FF);
        case 2:
            return small;
        case 3:
            return 46340 + (small >> 4);
        case 4:  // any bit length
            return static_cast<std::int32_t>(bits >> 32) >> (bits >> 3 & 31);
        default:
            return static_cast<std::int32_t>(bits >> 32);
    }
}

// A million points in four shards, so that CTest can run them side by side.
class WholeRange : public ::testing::TestWithParam<int> {};

TEST_P(WholeRange, CostRulesAgreeWithTheOracle) {
    std::mt19937_64 random(0x05e7e11 + static_cast<unsigned>(GetParam()));
    for (int n = 0; n < 250'000; ++n) {
        const std::int32_t fv = Draw(random);
        const std::int32_t gev = Draw(random);
        const std::int32_t third = Draw(random);
        ASSERT_TRUE(CostAgrees(fv, gev, third));
        ASSERT_TRUE(ReachAgrees(fv, gev, third));
    }
}

INSTANTIATE_TEST_SUITE_P(Shards, WholeRange, ::testing::Range(0, 4));

}  // namespace
}  // namespace ostrel
