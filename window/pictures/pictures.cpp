// SPDX-License-Identifier: MIT
#include "window/pictures/pictures.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace ostrel::pictures {
namespace {

// ---- the background -----------------------------------------------------------

// A repeatable pseudo-random value in [0, 1) for a lattice point.
double Hash(int x, int y, int layer) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      static_cast<std::uint32_t>(layer) * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / double(0x1000000);
}

// Smoothly interpolated lattice noise with the given cell size.
double Noise(double x, double y, int cell, int layer) {
    const double fx = x / cell;
    const double fy = y / cell;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(fx - x0);
    const double ty = smooth(fy - y0);
    const double top = Hash(x0, y0, layer) * (1 - tx) + Hash(x0 + 1, y0, layer) * tx;
    const double bottom = Hash(x0, y0 + 1, layer) * (1 - tx) + Hash(x0 + 1, y0 + 1, layer) * tx;
    return top * (1 - ty) + bottom * ty;
}

}  // namespace

Glow BackgroundGlow(int width, int height) {
    return {width / 2.0, height * 0.12, width * 0.28, height * 0.30};
}

namespace {

// The colour of a background point whose texture is `t` (0 to 1), with the
// glow of a width × height picture: bright yellow, strongest above the middle.
Rgba Shade(double t, double x, double y, int width, int height) {
    double r = 150 + 55 * t;
    double g = 175 + 45 * t;
    double b = 60 + 30 * t;
    const Glow shape = BackgroundGlow(width, height);
    const double dx = (x - shape.centreX) / shape.radiusX;
    const double dy = (y - shape.centreY) / shape.radiusY;
    const double glow = std::exp(-(dx * dx + dy * dy));
    r += (255 - r) * glow;
    g += (250 - g) * glow;
    b += (110 - b) * glow * 0.8;
    return {Clamp(r), Clamp(g), Clamp(b), 255};
}

// ---- the icon, as shapes in a 32 × 32 square -----------------------------------

constexpr Rgba kOutline{40, 60, 10, 255};
constexpr std::array<int, 4> kBarHeights = {6, 10, 14, 19};  // rising from y = 26
constexpr int kBarFoot = 26;

int BarLeft(int bar) {
    return 5 + 6 * bar;
}
Rgba BarColour(int bar) {
    return {255, static_cast<std::uint8_t>(220 + 8 * bar), 60, 255};
}
// Eight bands, darker towards the foot; `band` is 0 to 7.
Rgba TileColour(int band) {
    const int shade = 16 * band;
    return {Clamp(110 - shade / 2.0), Clamp(150 - shade / 2.0), Clamp(40 - shade / 4.0), 255};
}

// The colour at a point of the smooth icon (u, v in [0, 32)), transparent
// outside the tile.
Rgba IconPoint(double u, double v) {
    for (int bar = 0; bar < 4; ++bar) {
        const double left = BarLeft(bar) - 0.5;
        const double right = left + 5;
        const double top = kBarFoot - kBarHeights[static_cast<std::size_t>(bar)] - 0.5;
        const double bottom = kBarFoot + 0.5;
        if (u >= left && u < right && v >= top && v < bottom) {
            const bool edge = u < left + 1 || u >= right - 1 || v < top + 1 || v >= bottom - 1;
            return edge ? kOutline : BarColour(bar);
        }
    }
    // Signed distance to a square of side 32 with corners of radius 5.5.
    constexpr double kRadius = 5.5;
    const double qx = std::abs(u - 16) - (16 - kRadius);
    const double qy = std::abs(v - 16) - (16 - kRadius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    const double distance = outside + std::min(std::max(qx, qy), 0.0) - kRadius;
    if (distance >= 0) {
        return {};
    }
    if (distance > -1) {
        return kOutline;
    }
    return TileColour(std::clamp(static_cast<int>(v) / 4, 0, 7));
}

// ---- the pointer ---------------------------------------------------------------

// 'X' black, '.' white, anything else transparent. The tip of the index finger
// is at (5, 0) once the rows are drawn one column in.
constexpr const char* kHand[] = {
    "    XX",          "   X..X",         "   X..X",         "   X..X",         "   X..X",
    "   X..XXX",       "   X..X..XXX",    "   X..X..X..XX",  "XXXX..X..X..X.X", "X..X........X.X",
    "X..X..........X", " X.X..........X", "  X...........X", "  X...........X", "   X..........X",
    "   X.........X",  "    X........X",  "    X.......X",   "     X......X",   "     X......X",
    "     XXXXXXXX",
};

}  // namespace

Image Background(int width, int height, int scale) {
    return BackgroundPart(width, height, scale, width, height);
}

Image BackgroundPart(int width, int height, int scale, int partWidth, int partHeight) {
    Image image(partWidth * scale, partHeight * scale);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            // The point of the design that this pixel's centre shows.
            const double dx0 = (x + 0.5) / scale - 0.5;
            const double dy0 = (y + 0.5) / scale - 0.5;
            // Mottled texture: a few octaves of noise plus a faint grain.
            const double t = 0.5 * Noise(dx0, dy0, 48, 1) + 0.3 * Noise(dx0, dy0, 16, 2) +
                             0.15 * Noise(dx0, dy0, 5, 3) +
                             0.05 * Hash(static_cast<int>(std::floor(dx0 + 0.5)),
                                         static_cast<int>(std::floor(dy0 + 0.5)), 4);
            image.at(x, y) = Shade(t, dx0, dy0, width, height);
        }
    }
    return image;
}

Rgba BackgroundSmooth(double x, double y, int width, int height) {
    // Every octave of the noise and the grain average 0.5.
    return Shade(0.5, x, y, width, height);
}

Image IconPixels() {
    constexpr int kSize = 32;
    Image image(kSize, kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // Rounded corners of radius 5.
            const int cx = std::clamp(x, 5, kSize - 6);
            const int cy = std::clamp(y, 5, kSize - 6);
            const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            Rgba p{};
            if (d2 <= 25) {
                p = d2 > 16 ? kOutline : TileColour(y / 4);
            }
            image.at(x, y) = p;
        }
    }
    for (int bar = 0; bar < 4; ++bar) {
        const int left = BarLeft(bar);
        const int top = kBarFoot - kBarHeights[static_cast<std::size_t>(bar)];
        for (int y = top; y <= kBarFoot; ++y) {
            for (int x = left; x < left + 5; ++x) {
                const bool edge = x == left || x == left + 4 || y == top || y == kBarFoot;
                image.at(x, y) = edge ? kOutline : BarColour(bar);
            }
        }
    }
    return image;
}

Image IconAt(int size) {
    // Enough samples a pixel that every shape's edge is smooth.
    const int samples = std::max(4, 128 / size);
    Image image(size, size);
    const double unit = 32.0 / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Rgba p = IconPoint((x + (sx + 0.5) / samples) * unit,
                                             (y + (sy + 0.5) / samples) * unit);
                    const double weight = p.a / 255.0;
                    r += p.r * weight;
                    g += p.g * weight;
                    b += p.b * weight;
                    a += weight;
                }
            }
            if (a > 0) {
                image.at(x, y) = {Clamp(r / a), Clamp(g / a), Clamp(b / a),
                                  Clamp(255 * a / (samples * samples))};
            }
        }
    }
    return image;
}

Image MaskableIcon(int size) {
    // The tile takes 9/16 of the side, well inside the circle of 80 % of the
    // side that every mask leaves whole, on a full-bleed light yellow.
    const int inner = size * 9 / 16;
    const Image icon = IconAt(inner);
    Image image(size, size);
    const Rgba ground{255, 250, 150, 255};
    const int offset = (size - inner) / 2;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int ix = x - offset;
            const int iy = y - offset;
            Rgba p = ground;
            if (ix >= 0 && iy >= 0 && ix < inner && iy < inner) {
                const Rgba& q = icon.at(ix, iy);
                const double a = q.a / 255.0;
                p = {Clamp(q.r * a + ground.r * (1 - a)), Clamp(q.g * a + ground.g * (1 - a)),
                     Clamp(q.b * a + ground.b * (1 - a)), 255};
            }
            image.at(x, y) = p;
        }
    }
    return image;
}

std::string IconSvg() {
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
        "viewBox=\"0 0 32 32\">\n"
        "  <defs>\n"
        "    <clipPath id=\"tile\"><rect width=\"32\" height=\"32\" rx=\"5.5\"/></clipPath>\n"
        "  </defs>\n"
        "  <g clip-path=\"url(#tile)\">\n";
    char line[256];
    auto hex = [](Rgba c) {
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
        return std::string(text);
    };
    for (int band = 0; band < 8; ++band) {
        std::snprintf(line, sizeof line,
                      "    <rect y=\"%d\" width=\"32\" height=\"%d\" fill=\"%s\"/>\n", 4 * band,
                      band < 7 ? 5 : 4, hex(TileColour(band)).c_str());
        svg += line;
    }
    std::snprintf(line, sizeof line,
                  "    <rect x=\"0.5\" y=\"0.5\" width=\"31\" height=\"31\" rx=\"5\" fill=\"none\" "
                  "stroke=\"%s\"/>\n  </g>\n",
                  hex(kOutline).c_str());
    svg += line;
    for (int bar = 0; bar < 4; ++bar) {
        const int height = kBarHeights[static_cast<std::size_t>(bar)] + 1;
        std::snprintf(line, sizeof line,
                      "  <rect x=\"%d\" y=\"%d\" width=\"4\" height=\"%d\" fill=\"%s\" "
                      "stroke=\"%s\"/>\n",
                      BarLeft(bar), kBarFoot - height + 1, height - 1, hex(BarColour(bar)).c_str(),
                      hex(kOutline).c_str());
        svg += line;
    }
    svg += "</svg>\n";
    return svg;
}

Image Hand(int scale) {
    constexpr int kSize = 32;
    Image image(kSize * scale, kSize * scale);
    for (std::size_t y = 0; y < std::size(kHand); ++y) {
        const std::string_view row = kHand[y];
        for (std::size_t x = 0; x < row.size(); ++x) {
            Rgba p{};
            if (row[x] == 'X') {
                p = {0, 0, 0, 255};
            } else if (row[x] == '.') {
                p = {255, 255, 255, 255};
            } else {
                continue;
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    // One column in, so that the tip is at x = 5.
                    image.at((static_cast<int>(x) + 1) * scale + dx,
                             static_cast<int>(y) * scale + dy) = p;
                }
            }
        }
    }
    return image;
}

}  // namespace ostrel::pictures
