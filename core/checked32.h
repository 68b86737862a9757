#pragma once

#include <compare>
#include <cstdint>

#include "core/errors.h"

namespace ostrel {

// A signed 32-bit whole number whose +, - and * raise OverflowError instead of
// wrapping. The exact result is formed in 64 bits and compared with the range
// before it is stored, so nothing relies on signed overflow and the results
// are the same in 32- and 64-bit builds.
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
        return FromExact(std::int64_t{a.value_} + std::int64_t{b.value_}, a, '+', b);
    }
    friend constexpr Checked32 operator-(Checked32 a, Checked32 b) {
        return FromExact(std::int64_t{a.value_} - std::int64_t{b.value_}, a, '-', b);
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
