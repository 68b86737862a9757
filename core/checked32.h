// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <cstdint>

#include "core/errors.h"

#if defined(__GNUC__) || defined(__clang__)
#define OSTREL_HAS_OVERFLOW_BUILTINS 1
#else
#define OSTREL_HAS_OVERFLOW_BUILTINS 0
#endif

namespace ostrel {

// A signed 32-bit whole number whose +, - and * raise OverflowError instead of
// wrapping. The exact result is formed first and compared with the range
// before it is stored (by GCC's and Clang's overflow built-ins, which cost one
// flag test, or in 64 bits), so nothing relies on signed overflow and the
// results are the same in 32- and 64-bit builds.
class Checked32 {
  public:
    static constexpr std::int32_t kMin = INT32_MIN;
    static constexpr std::int32_t kMax = INT32_MAX;

    constexpr Checked32() = default;
    // Implicit on purpose: any int32 is a valid value.
    // NOLINTNEXTLINE(google-explicit-constructor)
    constexpr Checked32(std::int32_t value) : value_(value) {}

    [[nodiscard]] constexpr std::int32_t Value() const { return value_; }
    // Exact: every 32-bit whole number is a binary64 value.
    [[nodiscard]] constexpr double ToReal() const { return static_cast<double>(value_); }

    friend constexpr Checked32 operator+(Checked32 a, Checked32 b) {
#if OSTREL_HAS_OVERFLOW_BUILTINS
        std::int32_t sum = 0;
        if (__builtin_add_overflow(a.value_, b.value_, &sum)) [[unlikely]] {
            ThrowOverflow(a.value_, '+', b.value_);
        }
        return Checked32(sum);
#else
        return FromExact(std::int64_t{a.value_} + std::int64_t{b.value_}, a, '+', b);
#endif
    }
    friend constexpr Checked32 operator-(Checked32 a, Checked32 b) {
#if OSTREL_HAS_OVERFLOW_BUILTINS
        std::int32_t difference = 0;
        if (__builtin_sub_overflow(a.value_, b.value_, &difference)) [[unlikely]] {
            ThrowOverflow(a.value_, '-', b.value_);
        }
        return Checked32(difference);
#else
        return FromExact(std::int64_t{a.value_} - std::int64_t{b.value_}, a, '-', b);
#endif
    }
    friend constexpr Checked32 operator*(Checked32 a, Checked32 b) {
        return FromExact(std::int64_t{a.value_} * std::int64_t{b.value_}, a, '*', b);
    }

    friend constexpr bool operator==(Checked32, Checked32) = default;
    // clang-tidy 14 takes the literal 0 that a defaulted <=> compares with for
    // a null pointer.
    // NOLINTNEXTLINE(modernize-use-nullptr)
    friend constexpr std::strong_ordering operator<=>(Checked32, Checked32) = default;

  private:
    static constexpr Checked32 FromExact(std::int64_t exact, Checked32 a, char op, Checked32 b) {
        if (exact < kMin || exact > kMax) [[unlikely]] {
            ThrowOverflow(a.value_, op, b.value_);
        }
        return Checked32(static_cast<std::int32_t>(exact));
    }

    // Out of line, so that the checks stay small in the rules' loops.
    [[noreturn]] static void ThrowOverflow(std::int32_t a, char op, std::int32_t b);

    std::int32_t value_ = 0;
};

}  // namespace ostrel
