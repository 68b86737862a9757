#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Pictures and bytes of the asset generator.
namespace assets {

using Bytes = std::vector<std::uint8_t>;

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

inline std::uint8_t Clamp(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

inline void Put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}
inline void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
inline void Put32BigEndian(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift & 0xFF));
    }
}

}  // namespace assets
