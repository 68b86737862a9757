// Draws the window's pictures and writes them in the formats the window and
// the desktop use:
//   background.bmp  480 x 360, 24-bit: a yellow-green texture with a bright
//                   yellow glow in its upper middle
//   ostrel.ico      32 x 32, 256 colours: the program's icon
//   ostrel.png      the same icon for desktop menus
//   hand.cur        32 x 32 monochrome pointing hand, hot spot (5, 0)
// Everything is computed from integer hashes and fixed formulas, so the files
// come out byte for byte the same on every machine.
//
// Usage: make_assets OUTPUT_DIRECTORY
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
    auto operator<=>(const Rgba&) const = default;
};

void Put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8 & 0xFF));
}
void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void Put32BigEndian(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift & 0xFF));
    }
}

// The index of pixel (x, y) in rows of `width` pixels, top row first.
std::size_t At(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

std::uint8_t Clamp(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// ---- the background ----------------------------------------------------------

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

std::vector<Rgba> Background(int width, int height) {
    std::vector<Rgba> pixels(At(0, height, width));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Mottled texture: a few octaves of noise plus a faint grain.
            const double t = 0.5 * Noise(x, y, 48, 1) + 0.3 * Noise(x, y, 16, 2) +
                             0.15 * Noise(x, y, 5, 3) + 0.05 * Hash(x, y, 4);
            double r = 150 + 55 * t;
            double g = 175 + 45 * t;
            double b = 60 + 30 * t;
            // The glow: bright yellow, strongest above the middle.
            const double dx = (x - width / 2.0) / (width * 0.28);
            const double dy = (y - height * 0.12) / (height * 0.30);
            const double glow = std::exp(-(dx * dx + dy * dy));
            r += (255 - r) * glow;
            g += (250 - g) * glow;
            b += (110 - b) * glow * 0.8;
            pixels[At(x, y, width)] = {Clamp(r), Clamp(g), Clamp(b), 255};
        }
    }
    return pixels;
}

Bytes Bmp24(const std::vector<Rgba>& pixels, int width, int height) {
    const std::uint32_t rowBytes = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageBytes);
    Put32(out, 0);
    Put32(out, 14 + 40);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 3780);  // 96 dots per inch
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[At(x, y, width)];
            out.insert(out.end(), {p.b, p.g, p.r});
            written += 3;
        }
        for (; written < rowBytes; ++written) {
            out.push_back(0);
        }
    }
    return out;
}

// ---- the icon ----------------------------------------------------------------

constexpr int kIcon = 32;

// A rounded dark-green tile with four rising yellow bars: a skill going up.
std::vector<Rgba> Icon() {
    std::vector<Rgba> pixels(At(0, kIcon, kIcon));
    const Rgba outline{40, 60, 10, 255};
    for (int y = 0; y < kIcon; ++y) {
        for (int x = 0; x < kIcon; ++x) {
            // Rounded corners of radius 5.
            const int cx = std::clamp(x, 5, kIcon - 6);
            const int cy = std::clamp(y, 5, kIcon - 6);
            const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            Rgba p{};
            if (d2 <= 25) {
                const int shade = 16 * (y / 4);  // eight bands, darker at the foot
                p = Rgba{Clamp(110 - shade / 2.0), Clamp(150 - shade / 2.0),
                         Clamp(40 - shade / 4.0), 255};
                if (d2 > 16) {
                    p = outline;
                }
            }
            pixels[At(x, y, kIcon)] = p;
        }
    }
    // Bars at x = 5, 11, 17, 23, each 5 wide, rising from y = 26.
    const int heights[] = {6, 10, 14, 19};
    for (int bar = 0; bar < 4; ++bar) {
        const int left = 5 + 6 * bar;
        for (int y = 26 - heights[bar]; y <= 26; ++y) {
            for (int x = left; x < left + 5; ++x) {
                const bool edge = x == left || x == left + 4 || y == 26 - heights[bar] || y == 26;
                pixels[At(x, y, kIcon)] =
                    edge ? outline : Rgba{255, static_cast<std::uint8_t>(220 + 8 * bar), 60, 255};
            }
        }
    }
    return pixels;
}

// A Windows icon/cursor file with one image. `type` is 1 for an icon, 2 for a
// cursor; for a cursor the hot spot takes the place of planes and bit count.
Bytes IconFile(int type, std::uint8_t colourCount, unsigned planesOrHotX, unsigned bitsOrHotY,
               const Bytes& image) {
    Bytes out;
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(type));
    Put16(out, 1);
    out.insert(out.end(), {kIcon, kIcon, colourCount, 0});
    Put16(out, planesOrHotX);
    Put16(out, bitsOrHotY);
    Put32(out, static_cast<std::uint32_t>(image.size()));
    Put32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

void PutInfoHeader(Bytes& out, unsigned bits, std::uint32_t imageBytes, std::uint32_t colours) {
    Put32(out, 40);
    Put32(out, kIcon);
    Put32(out, 2 * kIcon);  // colour image and mask
    Put16(out, 1);
    Put16(out, bits);
    Put32(out, 0);
    Put32(out, imageBytes);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, colours);
    Put32(out, 0);
}

// One bit a pixel, rows bottom up, the bit set where `set` holds.
template <class Predicate>
void PutBits(Bytes& out, const std::vector<Rgba>& pixels, Predicate set) {
    for (int y = kIcon - 1; y >= 0; --y) {
        for (int byte = 0; byte < kIcon / 8; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (set(pixels[At(byte * 8 + bit, y, kIcon)])) {
                    bits = static_cast<std::uint8_t>(bits | 0x80 >> bit);
                }
            }
            out.push_back(bits);
        }
    }
}

// The AND mask: set where the picture is transparent.
void PutMask(Bytes& out, const std::vector<Rgba>& pixels) {
    PutBits(out, pixels, [](const Rgba& p) { return p.a == 0; });
}

Bytes Ico256(const std::vector<Rgba>& pixels) {
    std::map<Rgba, std::uint8_t> palette;
    for (const Rgba& p : pixels) {
        const Rgba opaque{p.r, p.g, p.b, 255};
        if (!palette.contains(opaque)) {
            const auto index = static_cast<std::uint8_t>(palette.size());
            palette.emplace(opaque, index);
        }
    }
    if (palette.size() > 256) {
        std::fprintf(stderr, "the icon has more than 256 colours\n");
        std::exit(1);
    }
    std::array<Rgba, 256> table{};
    for (const auto& [colour, index] : palette) {
        table[index] = colour;
    }
    Bytes image;
    PutInfoHeader(image, 8, kIcon * kIcon + kIcon * kIcon / 8, 256);
    for (const Rgba& c : table) {
        image.insert(image.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = kIcon - 1; y >= 0; --y) {
        for (int x = 0; x < kIcon; ++x) {
            const Rgba& p = pixels[At(x, y, kIcon)];
            image.push_back(palette.at(Rgba{p.r, p.g, p.b, 255}));
        }
    }
    PutMask(image, pixels);
    return IconFile(1, 0, 1, 8, image);
}

// ---- PNG, stored without compression -------------------------------------------

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    Put32BigEndian(out, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    Put32BigEndian(out, Crc32(typed.data(), typed.size()));
}

Bytes Png(const std::vector<Rgba>& pixels, int width, int height) {
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[At(x, y, width)];
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    Bytes zlib = {0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        zlib.push_back(at + n == raw.size() ? 1 : 0);
        Put16(zlib, static_cast<unsigned>(n));
        Put16(zlib, static_cast<unsigned>(~n & 0xFFFF));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    Put32BigEndian(zlib, b << 16 | a);

    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    Put32BigEndian(header, static_cast<std::uint32_t>(width));
    Put32BigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", zlib);
    PutChunk(out, "IEND", {});
    return out;
}

// ---- the pointer ---------------------------------------------------------------

// 'X' black, '.' white, anything else transparent. The tip of the index finger
// is at (5, 0).
constexpr const char* kHand[] = {
    "    XX",          "   X..X",         "   X..X",         "   X..X",         "   X..X",
    "   X..XXX",       "   X..X..XXX",    "   X..X..X..XX",  "XXXX..X..X..X.X", "X..X........X.X",
    "X..X..........X", " X.X..........X", "  X...........X", "  X...........X", "   X..........X",
    "   X.........X",  "    X........X",  "    X.......X",   "     X......X",   "     X......X",
    "     XXXXXXXX",
};

std::vector<Rgba> Hand() {
    std::vector<Rgba> pixels(At(0, kIcon, kIcon));
    for (std::size_t y = 0; y < std::size(kHand); ++y) {
        const std::string row = kHand[y];
        for (std::size_t x = 0; x < row.size(); ++x) {
            Rgba& p = pixels[y * kIcon + x + 1];  // one column in, so the tip is at x = 5
            if (row[x] == 'X') {
                p = {0, 0, 0, 255};
            } else if (row[x] == '.') {
                p = {255, 255, 255, 255};
            }
        }
    }
    return pixels;
}

Bytes Cur1(const std::vector<Rgba>& pixels, unsigned hotX, unsigned hotY) {
    Bytes image;
    PutInfoHeader(image, 1, 2 * kIcon * kIcon / 8, 2);
    image.insert(image.end(), {0, 0, 0, 0, 255, 255, 255, 0});         // black, white
    PutBits(image, pixels, [](const Rgba& p) { return p.r == 255; });  // white pixels
    PutMask(image, pixels);
    return IconFile(2, 2, hotX, hotY, image);
}

bool Write(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    const auto icon = Icon();
    const bool ok = Write(dir + "background.bmp", Bmp24(Background(480, 360), 480, 360)) &&
                    Write(dir + "ostrel.ico", Ico256(icon)) &&
                    Write(dir + "ostrel.png", Png(icon, kIcon, kIcon)) &&
                    Write(dir + "hand.cur", Cur1(Hand(), 5, 0));
    if (!ok) {
        std::fprintf(stderr, "could not write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
