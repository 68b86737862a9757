// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Pictures as the drawings make them: RGBA pixels in rows.
namespace ostrel::pictures {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
    auto operator<=>(const Rgba&) const = default;
};

// Pixels in rows, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Image(int w, int h)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h)) {}

    Rgba& at(int x, int y) { return pixels[Index(x, y)]; }
    [[nodiscard]] const Rgba& at(int x, int y) const { return pixels[Index(x, y)]; }

  private:
    [[nodiscard]] std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
};

// A colour channel, rounded to the nearest whole value and kept within 0 to 255.
inline std::uint8_t Clamp(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace ostrel::pictures
