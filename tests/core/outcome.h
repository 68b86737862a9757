// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

#include "core/errors.h"

namespace ostrel::test {

// What a call gave: a value, or the kind of the number error it raised.
template <class T>
struct Outcome {
    std::optional<T> value;
    std::string error;  // "" when a value came back

    friend bool operator==(const Outcome&, const Outcome&) = default;
};

template <class F>
auto Attempt(F&& f) -> Outcome<decltype(f())> {
    try {
        return {f(), ""};
    } catch (const NumberError& e) {
        return {std::nullopt, std::string(ErrorKindName(e.Kind()))};
    }
}

template <class T>
requires(!std::is_integral_v<T>) Outcome<T> Value(T v) {
    return {v, ""};
}

// Whole-number results are 32-bit; the literals in the tables may be wider.
inline Outcome<std::int32_t> Value(std::int64_t v) {
    return {static_cast<std::int32_t>(v), ""};
}

template <class T>
Outcome<T> Error(const char* kind) {
    return {std::nullopt, kind};
}

}  // namespace ostrel::test
